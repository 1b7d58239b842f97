// The card buttons drawn into a memory bitmap through the parent's reflected WM_DRAWITEM: the
// frame without corners, the raised and the pressed bevel, the face, and the caption with its
// shadow, shifted only for the exact pressed-and-focused state.
#include "shell/card_button_win.h"
#include "shell/card_look_win.h"
#include "framework/tests/pixels_win.h"

#include <gtest/gtest.h>

#include <string>

namespace card {
namespace {

using test::PixelSurface;

constexpr COLORREF kUntouched = RGB(255, 0, 255);
constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kCaption = RGB(255, 0, 0);
constexpr COLORREF kCaptionShadow = RGB(0, 0, 255);
constexpr int kWidth = 206;
constexpr int kHeight = 60;

class Parent : public Window {};

class ButtonDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    TheCardLook() = CardLook{};
    CardLook& look = TheCardLook();
    look.colours.background = 0x02808080;
    look.colours.buttonFace = 0x02000000 | kFace;
    look.colours.buttonText = 0x02000000 | kCaption;
    look.colours.buttonTextShadow = 0x02000000 | kCaptionShadow;
    look.MakeBrushes();
    ASSERT_TRUE(parent_.Create(0, nullptr, "parent", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr));
  }
  void TearDown() override { TheCardLook() = CardLook{}; }

  // Draws `button` (bound to a new owner-drawn button) in `state` onto the surface.
  void Draw(CardButton& button, UINT state, const char* caption = "Make a New Card") {
    HWND hwnd = CreateWindowExA(0, "Button", caption, WS_CHILD | BS_OWNERDRAW, 0, 0, kWidth,
                                kHeight, parent_.Handle(), reinterpret_cast<HMENU>(10),
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(button.Subclass(hwnd));
    surface_.Fill(kUntouched);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = 10;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = hwnd;
    item.hDC = surface_.Dc();
    item.rcItem = RECT{0, 0, kWidth, kHeight};
    EXPECT_EQ(parent_.Send(WM_DRAWITEM, 10, reinterpret_cast<LPARAM>(&item)), TRUE);
  }

  RECT CaptionBounds(UINT state) {
    CardButton button;
    Draw(button, state);
    return surface_.BoundsOf(kCaption);
  }

  Parent parent_;
  PixelSurface surface_{kWidth, kHeight};
};

struct PixelCase {
  int x, y;
  COLORREF raised;
  COLORREF pressed;
};

TEST_F(ButtonDrawing, DrawsTheFrameFaceAndBevelOfARaisedAndAPressedButton) {
  const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  ASSERT_NE(light, dark);
  const int r = kWidth - 1, b = kHeight - 1;
  const PixelCase cases[] = {
      {0, 0, kUntouched, kUntouched},  // the corners are left alone
      {r, 0, kUntouched, kUntouched},
      {0, b, kUntouched, kUntouched},
      {r, b, kUntouched, kUntouched},
      {1, 0, frame, frame},
      {r - 1, b, frame, frame},
      {0, 30, frame, frame},
      {r, 30, frame, frame},
      {1, 1, light, dark},  // the two-pixel top and left edges
      {2, 30, light, dark},
      {100, 2, light, dark},
      {3, 30, kFace, kFace},
      {100, 3, kFace, kFace},
      {r - 1, 30, dark, kFace},  // right and bottom: outer dark lines, then inner ones
      {r - 2, 30, dark, kFace},
      {r - 3, 30, kFace, kFace},
      {100, b - 1, dark, kFace},
      {100, b - 2, dark, kFace},
      {r - 2, 1, light, dark},  // the inner right line starts one pixel lower
      {r - 2, 2, dark, dark},
      {1, b - 2, light, dark},  // and the inner bottom line one pixel further right
      {2, b - 2, dark, dark},
      {5, 5, kFace, kFace},
  };
  for (const bool pressed : {false, true}) {
    CardButton button;
    Draw(button, pressed ? ODS_SELECTED : 0);
    for (const PixelCase& c : cases) {
      EXPECT_EQ(surface_.At(c.x, c.y), pressed ? c.pressed : c.raised)
          << (pressed ? "pressed" : "raised") << " at " << c.x << "," << c.y;
    }
  }
}

TEST_F(ButtonDrawing, DrawsTheCaptionShadowOnePixelRightAndBelow) {
  CardButton button;
  Draw(button, 0);
  const RECT caption = surface_.BoundsOf(kCaption);
  const RECT shadow = surface_.BoundsOf(kCaptionShadow);
  ASSERT_LT(caption.left, caption.right) << "no caption drawn";
  EXPECT_EQ(shadow.right, caption.right + 1);
  EXPECT_EQ(shadow.bottom, caption.bottom + 1);
  // Centred: the same space (within a pixel) on either side.
  EXPECT_NEAR(caption.left, kWidth - caption.right, 3);
}

TEST_F(ButtonDrawing, ShiftsTheCaptionOnlyWhenExactlyPressedAndFocused) {
  const RECT normal = CaptionBounds(0);
  const struct {
    UINT state;
    int shift;
  } cases[] = {{ODS_FOCUS, 0}, {ODS_SELECTED, 0}, {ODS_SELECTED | ODS_FOCUS, 2},
               {ODS_SELECTED | ODS_FOCUS | ODS_NOACCEL, 0}, {ODS_DISABLED, 0}};
  for (const auto& c : cases) {
    RECT expected = normal;
    OffsetRect(&expected, c.shift, c.shift);
    const RECT actual = CaptionBounds(c.state);
    EXPECT_TRUE(EqualRect(&actual, &expected))
        << "state 0x" << std::hex << c.state << ": caption at " << std::dec << actual.left << ","
        << actual.top;
  }
}

TEST_F(ButtonDrawing, LogoButtonCentresItsCaptionRightOfA48PixelStripEvenWithoutALogo) {
  const RECT plain = CaptionBounds(0);
  LogoButton button;
  Draw(button, 0);
  const RECT withStrip = surface_.BoundsOf(kCaption);
  EXPECT_EQ(withStrip.left - plain.left, 24);
  EXPECT_EQ(withStrip.top, plain.top);
}

}  // namespace
}  // namespace card
