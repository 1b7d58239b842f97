// The resources as the program loads them: each dialog template's frame, font, size and
// controls (class, id, text, styles, place, tab order), the icon and the hand cursor.
#include "res/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

struct ExpectedControl {
  int id;
  const char* className;
  const char* text;
  DWORD styles;      // all of these are set
  DWORD notStyles;   // none of these is set
  bool bordered;
  RECT dialogUnits;  // left, top, width, height
};

INT_PTR CALLBACK QuietProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string Text(HWND hwnd) {
  char buffer[256] = {};
  GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

std::string ClassOf(HWND hwnd) {
  char buffer[64] = {};
  GetClassNameA(hwnd, buffer, sizeof buffer);
  return buffer;
}

// Creates the dialog from its template, hides it, and checks it against the expectation.
// WS_VISIBLE must be in `styles` exactly when the template has it.
void CheckTemplate(int templateId, DWORD styles, DWORD exStyles, const char* caption,
                   SIZE dialogUnits, const std::vector<ExpectedControl>& controls) {
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                   nullptr, QuietProc, 0);
  ASSERT_NE(dialog, nullptr) << "template " << templateId;
  // The dialog manager shows a WS_VISIBLE template as it creates it; hiding clears the bit.
  const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
  ShowWindow(dialog, SW_HIDE);
  EXPECT_EQ(style & styles, styles) << "template " << templateId;
  EXPECT_EQ(style & WS_CAPTION, styles & WS_CAPTION) << "template " << templateId;
  EXPECT_EQ(style & WS_VISIBLE, styles & WS_VISIBLE) << "template " << templateId;
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE));
  EXPECT_EQ(exStyle & exStyles, exStyles) << "template " << templateId;
  EXPECT_EQ(Text(dialog), caption);

  RECT size{0, 0, dialogUnits.cx, dialogUnits.cy};
  MapDialogRect(dialog, &size);
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, size.right) << "template " << templateId;
  EXPECT_EQ(client.bottom, size.bottom) << "template " << templateId;

  // The dialog's font: the 10-point face the template names.
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  LOGFONTA logFont{};
  ASSERT_TRUE(GetObjectA(font, sizeof logFont, &logFont));
  EXPECT_STREQ(logFont.lfFaceName, "MS Sans Serif");

  HWND child = GetWindow(dialog, GW_CHILD);
  for (const ExpectedControl& c : controls) {
    ASSERT_NE(child, nullptr) << "control " << c.id << " of template " << templateId;
    const std::string where = "control " + std::to_string(c.id) + " of " + std::to_string(templateId);
    EXPECT_EQ(GetDlgCtrlID(child), c.id) << where << ": tab order";
    EXPECT_EQ(ClassOf(child), c.className) << where;
    EXPECT_EQ(Text(child), c.text) << where;
    const DWORD childStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    EXPECT_EQ(childStyle & c.styles, c.styles) << where << std::hex << " style " << childStyle;
    EXPECT_EQ(childStyle & c.notStyles, 0u) << where << std::hex << " style " << childStyle;
    // An edit control takes WS_BORDER out of its style and draws the border itself, around a
    // smaller client area.
    RECT inner;
    GetClientRect(child, &inner);
    RECT outer;
    GetWindowRect(child, &outer);
    EXPECT_EQ(outer.right - outer.left > inner.right, c.bordered) << where << ": border";
    // The dialog manager maps the place and the size separately, each rounded on its own.
    RECT expected = c.dialogUnits;
    MapDialogRect(dialog, &expected);
    expected.right += expected.left;
    expected.bottom += expected.top;
    RECT actual;
    GetWindowRect(child, &actual);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_TRUE(EqualRect(&actual, &expected))
        << where << ": at " << actual.left << "," << actual.top << "-" << actual.right << ","
        << actual.bottom << " instead of " << expected.left << "," << expected.top << "-"
        << expected.right << "," << expected.bottom;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "template " << templateId << " has more controls";
  DestroyWindow(dialog);
}

constexpr DWORD kVisible = WS_CHILD | WS_VISIBLE;
constexpr DWORD kBorders = WS_BORDER | WS_HSCROLL | WS_VSCROLL;
constexpr DWORD kScrolls = ES_AUTOVSCROLL | ES_AUTOHSCROLL;

TEST(Templates, CardWindow) {
  // Only the message edits' places are fixed: the buttons are laid out at start. The template
  // is visible, so the dialog loop shows the card window as soon as it exists; the card keeps
  // it hidden until its first playing has ended.
  const DWORD button = kVisible | BS_OWNERDRAW | WS_TABSTOP;
  const DWORD message = WS_CHILD | WS_DISABLED | ES_READONLY | ES_MULTILINE;
  CheckTemplate(IDD_CARD, WS_POPUP | WS_VISIBLE | WS_BORDER | DS_SETFONT, WS_EX_APPWINDOW, "",
                {420, 287},
                {{IDOK, "Button", "Repeat", button, 0, false, {10, 239, 60, 40}},
                 {IDC_MAKE_NEW_CARD, "Button", "Make a New Card", button, 0, false, {71, 239, 137, 40}},
                 {IDC_VISIT_US, "Button", "Visit Us", button, 0, false, {210, 239, 137, 40}},
                 {IDCANCEL, "Button", "Close", button, 0, false, {349, 239, 60, 40}},
                 {IDC_MESSAGE_LEFT, "Edit", "", message | WS_VISIBLE,
                  ES_CENTER | kBorders | kScrolls, false, {18, 63, 276, 109}},
                 {IDC_MESSAGE_CENTRED, "Edit", "", message | ES_CENTER,
                  WS_VISIBLE | kBorders | kScrolls, false, {18, 63, 276, 109}}});
}

TEST(Templates, NewMessageDialog) {
  const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  const DWORD edit = WS_CHILD | ES_MULTILINE | ES_WANTRETURN | WS_TABSTOP;
  CheckTemplate(
      IDD_NEW_MESSAGE, frame, 0, "Zelk Greeting Card", {299, 175},
      {{IDOK, "Button", "OK", kVisible | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, false, {242, 154, 50, 14}},
       {IDCANCEL, "Button", "Cancel", kVisible | WS_TABSTOP, BS_DEFPUSHBUTTON, false, {7, 154, 50, 14}},
       {IDC_NEW_MESSAGE_CENTRED, "Edit", "", edit | ES_CENTER, WS_VISIBLE | kScrolls, true,
        {7, 35, 276, 109}},
       {-1, "Static",
        "Enter your new message in the box below.\r\n(up to 450 characters - 7 Lines)",
        kVisible | SS_CENTER | WS_GROUP, 0, false, {7, 11, 285, 22}},
       {IDC_NEW_MESSAGE_CENTRED_CHECK, "Button", "Centered",
        kVisible | BS_AUTOCHECKBOX | WS_TABSTOP, 0, false, {127, 158, 44, 10}},
       {IDC_NEW_MESSAGE_LEFT, "Edit", "", edit | WS_VISIBLE, ES_CENTER | kScrolls, true,
        {7, 35, 276, 109}}});
}

TEST(Templates, FileCreatedDialog) {
  const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  const DWORD push = kVisible | WS_TABSTOP;
  CheckTemplate(
      IDD_FILE_CREATED, frame, 0, "Zelk Greeting Card", {231, 108},
      {{IDOK, "Button", "OK", push | BS_DEFPUSHBUTTON, 0, false, {90, 87, 50, 14}},
       {IDC_FILE_CREATED_TEXT, "Static", "Static", kVisible | WS_GROUP, SS_CENTER | SS_RIGHT, false,
        {7, 7, 217, 75}},
       {IDC_START_EMAIL, "Button", "Start E-Mail", push, BS_DEFPUSHBUTTON, false, {174, 87, 50, 14}},
       {IDC_FILE_CREATED_OK, "Button", "OK", push, BS_DEFPUSHBUTTON, false, {9, 88, 50, 14}}});
}

TEST(Resources, IconAndHandCursor) {
  HINSTANCE self = GetModuleHandleA(nullptr);
  HICON icon = LoadIconA(self, MAKEINTRESOURCEA(IDI_CARD));
  ASSERT_NE(icon, nullptr);
  HCURSOR hand = LoadCursorA(self, MAKEINTRESOURCEA(IDC_HAND_POINTER));
  ASSERT_NE(hand, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 12u);
  EXPECT_EQ(info.yHotspot, 6u);
  BITMAP mask{};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmHeight, 64) << "a black-and-white cursor stacks its two masks";
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

}  // namespace
}  // namespace card
