// Private folder names are told apart from everything else in the temporary folder.
#include "package/private_folder_name.h"

#include <gtest/gtest.h>

namespace card {
namespace {

TEST(PrivateFolderName, IsKnownAgainExactlyAndNothingElseIs) {
  for (std::uint32_t number : {0u, 1u, 0xDEADBEEFu, 0xFFFFFFFFu}) {
    EXPECT_TRUE(IsPrivateFolderName(PrivateFolderName(number))) << number;
  }
  EXPECT_EQ(PrivateFolderName(0x1A2B3C4D), "ZelkCard-1A2B3C4D");
  for (const char* other : {"ZelkCard-1A2B3C4", "ZelkCard-1A2B3C4D5", "ZelkCard-1A2B3C4G",
                            "ZelkCard_1A2B3C4D", "Other-1A2B3C4D", "ZelkCard-", "",
                            "zelkcard-1A2B3C4D", "ZelkCard-1a2b3c4d"}) {
    EXPECT_FALSE(IsPrivateFolderName(other)) << other;
  }
}

}  // namespace
}  // namespace card
