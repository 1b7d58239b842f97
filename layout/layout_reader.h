// Reads a layout file whole. The parser works on the text; this is the only file access.
#pragma once

#include <string>

namespace card {

// The file's bytes as text; empty when the file is missing or cannot be read, which the
// parser then refuses with its own message.
std::string ReadLayoutText(const std::string& path);

}  // namespace card
