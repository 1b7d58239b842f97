// The result dialog (see file_created_dialog_win.h).
#include "newcard/file_created_dialog_win.h"

#include "framework/path_text_win.h"
#include "res/resource.h"

namespace card {

FileCreatedDialog::FileCreatedDialog(HWND parent, HMODULE mailLibrary)
    : Dialog(IDD_FILE_CREATED, parent), mail_(mailLibrary) {}

bool FileCreatedDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  // The text names the new card's path, which the ANSI code page may not be able to spell.
  SetDlgItemTextW(Handle(), IDC_FILE_CREATED_TEXT, WidenUtf8(text_).c_str());
  const bool offerMail = mail_.Loaded() && offersMail_;
  ShowWindow(Item(IDC_START_EMAIL), offerMail ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(IDC_FILE_CREATED_OK), offerMail ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(IDOK), offerMail ? SW_HIDE : SW_SHOW);
  return true;
}

bool FileCreatedDialog::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED && id == IDC_START_EMAIL) {
    OnStartEmail();
    return true;
  }
  if (code == BN_CLICKED && id == IDC_FILE_CREATED_OK) {
    OnOK();
    return true;
  }
  return Dialog::OnCommand(id, code, control);
}

void FileCreatedDialog::OnStartEmail() {
  // A library without all three entry points is as good as none for sending.
  bool started = false;
  if (mail_.Complete()) {
    MailLibrary::Calls calls(mail_, Handle());
    // The mail library's calls are ANSI: a path the code page cannot spell goes by its short form.
    started = SendCardByMail(calls, ToAnsi(AnsiSafePath(WidenUtf8(file_)))) == MailResult::kSent;
  }
  if (!started) MessageBoxA(Handle(), "Couldn't start Mail", nullptr, MB_OK | MB_ICONEXCLAMATION);
  OnOK();
}

}  // namespace card
