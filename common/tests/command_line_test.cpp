#include "common/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

using Arguments = std::vector<std::string>;

Arguments Split(std::string_view line) { return CommandLineArguments(line); }

TEST(CommandLineArguments, SplitsAsWindowsDoes) {
  const struct {
    const char* line;
    Arguments arguments;
  } cases[] = {
      {"card.exe", {}},
      {"\"C:\\Program Files\\card.exe\"", {}},
      {"\"C:\\a b\\card.exe\"  ", {}},
      {"card.exe C:\\Cards\\Greeting.exe", {"C:\\Cards\\Greeting.exe"}},
      {"\"C:\\a b\\card.exe\" \"C:\\Mail attachments\\Gr\xC3\xBC\xC3\x9F" "e\\Greeting.exe\"",
       {"C:\\Mail attachments\\Gr\xC3\xBC\xC3\x9F" "e\\Greeting.exe"}},
      {"card.exe \t a  b\t", {"a", "b"}},
      {"card.exe \"\"", {""}},
      {"card.exe \"a b\"c d", {"a bc", "d"}},
      // Backslashes are literal unless a quote follows them.
      {"card.exe C:\\a\\\\b\\", {"C:\\a\\\\b\\"}},
      {"card.exe \"C:\\a b\\\\\"", {"C:\\a b\\"}},
      {"card.exe a\\\"b", {"a\"b"}},
      {"card.exe a\\\\\\\"b", {"a\\\"b"}},
      {"card.exe \"a\"\"b\" c", {"a\"b", "c"}},
      {"card.exe \"unclosed quote", {"unclosed quote"}},
      // The program's own name keeps its backslashes and ends at its closing quote.
      {"\"C:\\x\\\"y z", {"y", "z"}},
  };
  for (const auto& [line, arguments] : cases) EXPECT_EQ(Split(line), arguments) << line;
}

TEST(CommandLineArguments, KeepsWideCharactersAsTheyAre) {
  const std::u16string line = u"card.exe \"C:\\\uFF02x\uFF3C\u03A9\\Greeting.exe\"";
  EXPECT_EQ(CommandLineArguments(std::u16string_view(line)),
            std::vector<std::u16string>{u"C:\\\uFF02x\uFF3C\u03A9\\Greeting.exe"});
}

}  // namespace
}  // namespace card
