// Sentences for content files that fail their checks at open, so that every reader words a
// damaged file alike: "<file> is damaged: <first inconsistency>."
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace card {

std::string DamagedMessage(std::string_view fileName, std::string_view detail);

// "<what> ends at byte <end> but the file has <size> bytes"
std::string EndsPastFile(std::string_view what, std::uint64_t end, std::uint64_t size);

// A stored name in double quotes, with bytes outside printable ASCII written as \xNN so a
// message stays readable whatever the file holds.
std::string QuotedName(std::string_view name);

}  // namespace card
