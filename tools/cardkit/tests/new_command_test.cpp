// `cardkit new`, run as an author runs it: the starter card it writes builds with no error and
// no warning and plays to its end, and it never writes over a folder that holds anything.
#include "common/tests/temp_folder.h"
#include "tools/cardkit/tests/cardkit_run.h"

#include <gtest/gtest.h>

#include <string>

namespace card {
namespace {

using testing::RunCardkit;
using testing::TempFolder;

TEST(NewCommand, TheStarterCardBuildsCleanAndPlays) {
  TempFolder folder;
  const std::string source = folder.Path() + "/my-card";
  const std::string card = source + "-card";

  const auto made = RunCardkit("new '" + source + "'");
  ASSERT_EQ(made.status, 0) << made.output;
  EXPECT_NE(made.output.find("cardkit build " + source + " " + card + "\n"), std::string::npos)
      << made.output;
  EXPECT_NE(made.output.find("cardkit preview " + card), std::string::npos) << made.output;
  EXPECT_NE(made.output.find("cardkit package " + card), std::string::npos) << made.output;

  const auto built = RunCardkit("build '" + source + "' '" + card + "'");
  ASSERT_EQ(built.status, 0) << built.output;
  EXPECT_NE(built.output.find("0 errors, 0 warnings"), std::string::npos) << built.output;

  const auto played = RunCardkit("simulate '" + card + "' --ticks 600");
  ASSERT_EQ(played.status, 0) << played.output;
  EXPECT_TRUE(played.output.starts_with("1 frame 1 ")) << played.output;
  for (const char* event : {" sound POP\n", " frame 4 ", " end\n"}) {
    EXPECT_NE(played.output.find(event), std::string::npos) << event << "\n" << played.output;
  }
  EXPECT_EQ(played.output.find(" error "), std::string::npos) << played.output;
}

TEST(NewCommand, LeavesAFolderThatHoldsAnythingAlone) {
  TempFolder folder;
  const std::string source = folder.Path() + "/my-card";
  ASSERT_EQ(RunCardkit("new '" + source + "'").status, 0);
  const auto again = RunCardkit("new '" + source + "'");
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.output.find("not empty"), std::string::npos) << again.output;
}

}  // namespace
}  // namespace card
