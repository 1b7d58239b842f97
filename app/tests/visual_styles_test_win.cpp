// The visual-styles manifest of Make a New Card's dialogs: a control made while it is active is
// Common Controls 6's, one made before or after it is the classic control.
#include "framework/visual_styles_win.h"
#include "res/resource.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

namespace card {
namespace {

HWND MakeButton() {
  return CreateWindowExA(0, "Button", "OK", WS_POPUP | BS_PUSHBUTTON, 0, 0, 80, 24, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Only Common Controls 6's buttons know their ideal size.
bool KnowsItsIdealSize(HWND button) {
  SIZE size{};
  return SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&size)) != 0;
}

TEST(VisualStyles, GiveTheControlsMadeWhileActiveTheCurrentLook) {
  HWND before = MakeButton();
  HWND inside = nullptr;
  {
    const VisualStyles styles(IDR_VISUAL_STYLES);
    ASSERT_TRUE(styles.Active()) << "the manifest resource did not activate";
    inside = MakeButton();
  }
  HWND after = MakeButton();
  EXPECT_TRUE(KnowsItsIdealSize(inside));
  EXPECT_FALSE(KnowsItsIdealSize(before));
  EXPECT_FALSE(KnowsItsIdealSize(after));
  for (HWND button : {before, inside, after}) DestroyWindow(button);
}

TEST(VisualStyles, WithoutTheManifestWindowsKeepTheClassicLook) {
  const VisualStyles styles(4711);
  EXPECT_FALSE(styles.Active());
  HWND button = MakeButton();
  EXPECT_FALSE(KnowsItsIdealSize(button));
  DestroyWindow(button);
}

}  // namespace
}  // namespace card
