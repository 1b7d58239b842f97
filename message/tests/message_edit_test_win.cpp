// The message control on screen: the text in its colour at its place, the shadow one pixel
// right of and below it, the card's background around them, and the control's font, margins
// and disabled state after painting.
#include "message/message_edit_win.h"

#include "framework/gdi_win.h"
#include "framework/tests/pixels_win.h"
#include "message/message_font_win.h"

#include <gtest/gtest.h>

namespace card {
namespace {

constexpr COLORREF kBackground = RGB(0, 128, 0);
constexpr COLORREF kText = RGB(255, 255, 0);
constexpr COLORREF kShadow = RGB(128, 0, 128);

// Erases itself like the card window, so the control sits on the card's background.
class CardLikeParent : public Window {
 public:
  explicit CardLikeParent(HBRUSH background) : background_(background) {}

 protected:
  bool OnEraseBkgnd(HDC dc) override {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, background_);
    return true;
  }

 private:
  HBRUSH background_;
};

TEST(MessageEdit, DrawsTheShadowOnePixelRightAndBelowThenTheTextOverTheBackground) {
  const Brush background(CreateSolidBrush(0x02000000 | kBackground));
  const MessageColours colours{0x02000000 | kText, 0x02000000 | kShadow,
                               0x02000000 | kBackground, background.Get()};

  CardLikeParent parent(background.Get());
  ASSERT_TRUE(parent.Create(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, nullptr, "card", WS_POPUP, 50, 50,
                            300, 120, nullptr, nullptr));
  HWND edit = CreateWindowExA(
      0, "Edit", "Hello", WS_CHILD | WS_VISIBLE | WS_DISABLED | ES_READONLY | ES_MULTILINE, 10,
      10, 280, 100, parent.Handle(), reinterpret_cast<HMENU>(1005), GetModuleHandleA(nullptr),
      nullptr);
  MessageEdit message;
  message.SetColours(colours);
  ASSERT_TRUE(message.Subclass(edit));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)), MessageFont());
  EXPECT_EQ(SendMessageA(edit, EM_GETMARGINS, 0, 0), MAKELONG(5, 5));

  ShowWindow(parent.Handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(parent.Handle());
  GdiFlush();
  EXPECT_FALSE(IsWindowEnabled(edit)) << "disabled again after painting";
  RECT update;
  EXPECT_FALSE(GetUpdateRect(edit, &update, FALSE)) << "nothing left to paint";

  // Read the control's area back from the screen.
  test::PixelSurface pixels(280, 100);
  HDC screen = GetDC(nullptr);
  BitBlt(pixels.Dc(), 0, 0, 280, 100, screen, 60, 60, SRCCOPY);
  ReleaseDC(nullptr, screen);

  const RECT text = pixels.BoundsOf(kText);
  const RECT shadow = pixels.BoundsOf(kShadow);
  ASSERT_LT(text.left, text.right) << "no text drawn";
  ASSERT_LT(shadow.left, shadow.right) << "no shadow drawn";
  EXPECT_EQ(shadow.right, text.right + 1);
  EXPECT_EQ(shadow.bottom, text.bottom + 1);
  EXPECT_GE(text.left, 5) << "the left margin";
  EXPECT_EQ(pixels.At(270, 90), kBackground) << "the control's background is the card's";
  EXPECT_EQ(pixels.At(0, 0), kBackground);
}

}  // namespace
}  // namespace card
