// Command-line quoting (see command_line.h).
#include "package/command_line.h"

namespace card {
namespace {

std::string Quoted(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) {
    return std::string(argument);
  }
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a quote: there each one is doubled, and the quote escaped.
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');  // they stand before the closing quote
  return quoted + "\"";
}

}  // namespace

std::string JoinCommandLine(std::span<const std::string_view> arguments) {
  std::string line;
  for (std::string_view argument : arguments) {
    if (!line.empty()) line += ' ';
    line += Quoted(argument);
  }
  return line;
}

}  // namespace card
