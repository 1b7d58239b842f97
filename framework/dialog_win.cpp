// Modal dialogs from templates and the control bindings (see dialog_win.h).
#include "framework/dialog_win.h"

namespace card {

INT_PTR Dialog::DoModal() {
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent_,
                         DialogProc, reinterpret_cast<LPARAM>(this));
}

void Dialog::EndDialog(INT_PTR result) { ::EndDialog(Handle(), result); }

bool Dialog::UpdateData(bool save) {
  DataExchange exchange(*this, save);
  DoDataExchange(exchange);
  return exchange.Ok();
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Once bound, the dialog window's procedure is the trampoline, and the dialog manager's own
  // handling (which calls this procedure) is the default: everything here answers "not handled".
  if (msg != WM_INITDIALOG || FromHandle(hwnd)) return FALSE;
  auto* self = reinterpret_cast<Dialog*>(lParam);
  if (!self || !self->Subclass(hwnd)) return FALSE;
  return self->Dispatch(msg, wParam, lParam);
}

LRESULT Dialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:  // bool OnInitDialog()
      return OnInitDialog() ? TRUE : FALSE;
    default:
      return Window::HandleMessage(msg, wParam, lParam);
  }
}

bool Dialog::OnCommand(int id, int code, HWND) {
  // Code 0 comes from buttons, the Enter and Escape keys and the close command; 1 from an
  // accelerator.
  if (code > 1) return false;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

HWND DataExchange::Item(int id) {
  HWND item = dialog_.Item(id);
  if (!item) ok_ = false;
  return item;
}

void DataExchange::Control(int id, Window& member) {
  HWND item = Item(id);
  if (item && member.Handle() != item && !member.Subclass(item)) ok_ = false;
}

void DataExchange::Text(int id, std::string& value) {
  HWND item = Item(id);
  if (!item) return;
  if (!saving_) {
    SetWindowTextA(item, value.c_str());
    return;
  }
  std::string text(static_cast<size_t>(GetWindowTextLengthA(item)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
  value = std::move(text);
}

void DataExchange::Check(int id, int& value) {
  HWND item = Item(id);
  if (!item) return;
  if (saving_) {
    value = SendMessageA(item, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  } else {
    SendMessageA(item, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

}  // namespace card
