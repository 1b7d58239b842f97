// The arguments of a Windows command line, split by the rules programs and the system's own
// splitter follow: blanks separate, double quotes group, 2n backslashes before a quote stand for
// n and leave the quote to group, 2n+1 stand for n and a literal quote, other backslashes are
// literal, and "" inside quotes is a literal quote. The program's name (the first word) ends at
// its closing quote, or at its first blank when it is not quoted, backslashes and all. Written here rather than asked of the
// shell library, so that the card starts without loading it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace card {

// Every argument after the program's name.
template <typename Char>
std::vector<std::basic_string<Char>> CommandLineArguments(std::basic_string_view<Char> line) {
  const auto blank = [](Char c) { return c == Char(' ') || c == Char('\t'); };
  std::size_t at = 0;
  if (!line.empty() && line[0] == Char('"')) {
    at = line.find(Char('"'), 1);
    at = at == line.npos ? line.size() : at + 1;
  } else {
    while (at < line.size() && !blank(line[at])) ++at;
  }

  std::vector<std::basic_string<Char>> arguments;
  for (;;) {
    while (at < line.size() && blank(line[at])) ++at;
    if (at == line.size()) return arguments;
    std::basic_string<Char>& argument = arguments.emplace_back();
    bool quoted = false;
    while (at < line.size() && (quoted || !blank(line[at]))) {
      std::size_t backslashes = 0;
      while (at < line.size() && line[at] == Char('\\')) ++backslashes, ++at;
      if (at < line.size() && line[at] == Char('"')) {
        argument.append(backslashes / 2, Char('\\'));
        if (backslashes % 2 == 1) {
          argument += Char('"');
        } else if (quoted && at + 1 < line.size() && line[at + 1] == Char('"')) {
          argument += Char('"');
          ++at;
        } else {
          quoted = !quoted;
        }
        ++at;
      } else {
        argument.append(backslashes, Char('\\'));
        if (backslashes == 0) argument += line[at++];
      }
    }
  }
}

}  // namespace card
