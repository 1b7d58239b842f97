// UTF-8 and UTF-16, the text of the web card's page and of its script. Bytes that are not
// UTF-8 and lone surrogates become U+FFFD, so text from a stranger's page converts without
// failing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace card {

std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

// Characters as a person counts them: Unicode code points (a surrogate pair is one).
std::size_t CodePointCount(std::u16string_view utf16);

}  // namespace card
