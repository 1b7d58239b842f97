// Modal dialogs made from resource templates, and the binding of their controls to members.
//
// `DoModal` runs DialogBoxParam with `this` as its parameter. The dialog procedure binds the
// object at WM_INITDIALOG and subclasses the dialog window, so from then on every message goes
// through the same trampoline and `HandleMessage` switch as any `Window`, and `Default()` means
// the dialog manager's own handling. Enter, Escape and the system close command arrive as
// WM_COMMAND IDOK / IDCANCEL and call `OnOK` / `OnCancel`.
//
// `DoDataExchange(DataExchange&)` lists the bindings once; it runs at `OnInitDialog` (controls
// are subclassed into their member objects and values shown) and by `UpdateData(true)` (values
// read back, as the base `OnOK` does before ending the dialog).
#pragma once

#include "framework/window_win.h"

#include <string>

namespace card {

class Dialog;

class DataExchange {
 public:
  DataExchange(Dialog& dialog, bool saving) : dialog_(dialog), saving_(saving) {}
  bool Saving() const { return saving_; }
  // False once a listed control was missing from the dialog.
  bool Ok() const { return ok_; }

  // Control `id` is handled by `member` from now on (subclassed the first time).
  void Control(int id, Window& member);
  // The control's window text and `value`.
  void Text(int id, std::string& value);
  // A check box's state (0 or 1) and `value`.
  void Check(int id, int& value);

 private:
  HWND Item(int id);
  Dialog& dialog_;
  bool saving_;
  bool ok_ = true;
};

class Dialog : public Window {
 public:
  explicit Dialog(int templateId, HWND parent = nullptr)
      : templateId_(templateId), parent_(parent) {}

  // Creates the dialog from its template and runs it until `EndDialog`; its result, or -1 when
  // the dialog could not be created.
  INT_PTR DoModal();
  void EndDialog(INT_PTR result);
  // Runs DoDataExchange reading the controls (true) or filling them (false).
  bool UpdateData(bool save);
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }

 protected:
  // The base binds the controls (DoDataExchange, filling) and returns true: the dialog manager
  // then gives the first tab stop the focus.
  virtual bool OnInitDialog();
  virtual void OnOK();      // reads the controls, ends with IDOK
  virtual void OnCancel();  // ends with IDCANCEL
  virtual void DoDataExchange(DataExchange&) {}

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  int templateId_;
  HWND parent_;
};

}  // namespace card
