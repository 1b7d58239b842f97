// Modal dialogs from a template: binding at WM_INITDIALOG, the control bindings in both
// directions, and the ways a dialog ends (OK, Enter, Cancel, Escape, the close command).
#include "framework/dialog_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace card {
namespace {

constexpr int kTestDialog = 500;
constexpr int kEdit = 1000;
constexpr int kCheck = 1005;

class EditControl : public Window {};

// Runs `whileOpen` once the dialog is initialised, then lets the dialog's loop take over.
class TestDialog : public Dialog {
 public:
  TestDialog() : Dialog(kTestDialog) {}
  std::string text = "initial";
  int checked = 0;
  EditControl edit;
  std::function<void(TestDialog&)> whileOpen;
  bool boundAtInit = false;
  int okCalls = 0;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Control(kEdit, edit);
    dx.Text(kEdit, text);
    dx.Check(kCheck, checked);
  }
  bool OnInitDialog() override {
    boundAtInit = FromHandle(Handle()) == this;
    const bool result = Dialog::OnInitDialog();
    if (whileOpen) whileOpen(*this);
    return result;
  }
  void OnOK() override {
    ++okCalls;
    Dialog::OnOK();
  }
};

TEST(Dialog, BindsAtInitAndShowsTheBoundValues) {
  TestDialog dialog;
  dialog.checked = 1;
  std::string shown;
  LRESULT checkState = -1;
  dialog.whileOpen = [&](TestDialog& d) {
    char buffer[64] = {};
    GetWindowTextA(d.Item(kEdit), buffer, sizeof buffer);
    shown = buffer;
    checkState = SendMessageA(d.Item(kCheck), BM_GETCHECK, 0, 0);
    PostMessageA(d.Handle(), WM_COMMAND, IDCANCEL, 0);
  };
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(dialog.boundAtInit);
  EXPECT_EQ(shown, "initial");
  EXPECT_EQ(checkState, BST_CHECKED);
  EXPECT_EQ(dialog.Handle(), nullptr) << "unbound when the dialog was destroyed";
  EXPECT_EQ(dialog.edit.Handle(), nullptr) << "the control was destroyed with its dialog";
}

struct EndingCase {
  const char* name;
  std::function<void(TestDialog&)> end;
  INT_PTR result;
  bool valuesRead;
};

TEST(Dialog, EndsAsEachWayOfClosingSays) {
  const EndingCase cases[] = {
      {"OK button", [](TestDialog& d) { PostMessageA(d.Item(IDOK), BM_CLICK, 0, 0); }, IDOK, true},
      {"Enter key",
       [](TestDialog& d) {
         SetFocus(d.Item(kEdit));
         PostMessageA(d.Item(kEdit), WM_KEYDOWN, VK_RETURN, 0);
       },
       IDOK, true},
      {"Cancel button", [](TestDialog& d) { PostMessageA(d.Item(IDCANCEL), BM_CLICK, 0, 0); },
       IDCANCEL, false},
      {"Escape key",
       [](TestDialog& d) {
         SetFocus(d.Item(kEdit));
         PostMessageA(d.Item(kEdit), WM_KEYDOWN, VK_ESCAPE, 0);
       },
       IDCANCEL, false},
      {"close command",
       [](TestDialog& d) { PostMessageA(d.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL,
       false},
  };
  for (const EndingCase& c : cases) {
    TestDialog dialog;
    dialog.whileOpen = [&](TestDialog& d) {
      SetWindowTextA(d.Item(kEdit), "typed");
      SendMessageA(d.Item(kCheck), BM_SETCHECK, BST_CHECKED, 0);
      c.end(d);
    };
    EXPECT_EQ(dialog.DoModal(), c.result) << c.name;
    EXPECT_EQ(dialog.okCalls, c.result == IDOK ? 1 : 0) << c.name;
    EXPECT_EQ(dialog.text, c.valuesRead ? "typed" : "initial") << c.name;
    EXPECT_EQ(dialog.checked, c.valuesRead ? 1 : 0) << c.name;
  }
}

TEST(Dialog, ReportsATemplateThatDoesNotExist) {
  class Missing : public Dialog {
   public:
    Missing() : Dialog(4242) {}
  } dialog;
  EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(Dialog, DataExchangeReportsAMissingControl) {
  class WrongIds : public Dialog {
   public:
    WrongIds() : Dialog(kTestDialog) {}
    bool exchangeOk = true;

   protected:
    void DoDataExchange(DataExchange& dx) override {
      std::string value;
      dx.Text(1234, value);
      exchangeOk = dx.Ok();
    }
    bool OnInitDialog() override {
      Dialog::OnInitDialog();
      PostMessageA(Handle(), WM_COMMAND, IDCANCEL, 0);
      return true;
    }
  } dialog;
  dialog.DoModal();
  EXPECT_FALSE(dialog.exchangeOk);
}

}  // namespace
}  // namespace card
