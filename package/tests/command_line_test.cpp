// Command lines that a Windows C runtime splits back into the arguments they were made of.
#include "package/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace card {
namespace {

TEST(CommandLine, QuotesOnlyWhatNeedsIt) {
  struct Case {
    std::vector<std::string_view> arguments;
    std::string line;
  };
  const Case cases[] = {
      {{"card.exe"}, "card.exe"},
      {{"C:\\Temp\\card.exe", "Z:\\Cards\\Greeting.exe"},
       "C:\\Temp\\card.exe Z:\\Cards\\Greeting.exe"},
      {{"C:\\My Cards\\card.exe"}, "\"C:\\My Cards\\card.exe\""},
      {{""}, "\"\""},
      {{"tab\there"}, "\"tab\there\""},
      {{"say \"hi\""}, "\"say \\\"hi\\\"\""},
      {{"back\\\\\"slash"}, "\"back\\\\\\\\\\\"slash\""},
      {{"folder\\ with space\\"}, "\"folder\\ with space\\\\\""},
  };
  for (const Case& c : cases) EXPECT_EQ(JoinCommandLine(c.arguments), c.line);
}

}  // namespace
}  // namespace card
