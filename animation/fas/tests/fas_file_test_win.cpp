// FasFile on Windows reads through the mapping, which holds the file against other openers.
#include "animation/fas/fas_file.h"

#include "animation/fas/tests/hand_built_fas.h"
#include "content/tests/held_file_win.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace card {
namespace {

using testing::OpenAsAnotherProgram;
using testing::TempFile;

TEST(FasFileWin, ReadsThroughTheMappingThatHoldsTheFile) {
  TempFile file(testing::HandBuiltFas());
  auto fas = FasFile::Open(file.Path());
  ASSERT_TRUE(fas.ok()) << fas.error();
  EXPECT_STREQ(fas.value()->FindScript("do"), "1 912");
  EXPECT_EQ(fas.value()->FrameBits(912)[0], testing::HandPixel(2, 0));
  EXPECT_EQ(OpenAsAnotherProgram(file.Path(), GENERIC_READ), DWORD{ERROR_SHARING_VIOLATION});
}

}  // namespace
}  // namespace card
