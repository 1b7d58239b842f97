// The new-message dialog (see new_message_dialog_win.h).
#include "newcard/new_message_dialog_win.h"

#include "framework/display_dpi_win.h"
#include "newcard/ansi_codec_win.h"
#include "newcard/card_file_system_win.h"
#include "newcard/file_created_dialog_win.h"
#include "newcard/file_created_text.h"
#include "newcard/new_card_file.h"
#include "res/resource.h"
#include "message/message_font_win.h"

namespace card {
namespace {

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

NewMessageDialog::NewMessageDialog(HWND parent, std::string message, std::string packagePath)
    : Dialog(IDD_NEW_MESSAGE, parent), message_(std::move(message)),
      packagePath_(std::move(packagePath)) {}

void NewMessageDialog::DoDataExchange(DataExchange& dx) {
  dx.Control(IDC_NEW_MESSAGE_LEFT, leftEdit_);
  dx.Control(IDC_NEW_MESSAGE_CENTRED, centredEdit_);
  dx.Check(IDC_NEW_MESSAGE_CENTRED_CHECK, centred_);
}

bool NewMessageDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  // The template scales with the system; the message font follows, so the edit still takes
  // seven lines.
  const auto font = reinterpret_cast<WPARAM>(MessageFont(WindowScale(Handle())));
  leftEdit_.Send(WM_SETFONT, font, TRUE);
  centredEdit_.Send(WM_SETFONT, font, TRUE);
  SetEditText(leftEdit_, message_);
  SetEditText(centredEdit_, message_);
  ShowWindow(leftEdit_.Handle(), centred_ ? SW_HIDE : SW_SHOW);
  ShowWindow(centredEdit_.Handle(), centred_ ? SW_SHOW : SW_HIDE);
  return true;
}

bool NewMessageDialog::OnCommand(int id, int code, HWND control) {
  if (code == EN_CHANGE && (id == IDC_NEW_MESSAGE_LEFT || id == IDC_NEW_MESSAGE_CENTRED)) {
    if (!settingText_) OnMessageChange();
    return true;
  }
  if (code == BN_CLICKED && id == IDC_NEW_MESSAGE_CENTRED_CHECK) {
    OnCentredClicked();
    return true;
  }
  return Dialog::OnCommand(id, code, control);
}

void NewMessageDialog::SetEditText(const Window& edit, const std::string& text) {
  settingText_ = true;
  SetWindowTextA(edit.Handle(), text.c_str());
  settingText_ = false;
}

void NewMessageDialog::OnMessageChange() {
  Window& edit = VisibleEdit();
  const std::string text = WindowText(edit.Handle());
  DWORD start = 0;
  DWORD end = 0;
  edit.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (text.size() <= kMaxNewMessageLength) {
    message_ = text;
    return;
  }
  // Refused: the last accepted text comes back, the caret stays where the input left it (as
  // far as the restored text reaches).
  SetEditText(edit, message_);
  MessageBeep(MB_ICONEXCLAMATION);
  edit.Send(EM_SETSEL, start, end);
  edit.Send(EM_SCROLLCARET);
}

void NewMessageDialog::OnCentredClicked() {
  UpdateData(true);
  Window& newEdit = VisibleEdit();
  Window& oldEdit = centred_ ? leftEdit_ : centredEdit_;
  SetEditText(newEdit, WindowText(oldEdit.Handle()));
  ShowWindow(oldEdit.Handle(), SW_HIDE);
  ShowWindow(newEdit.Handle(), SW_SHOW);
}

void NewMessageDialog::OnOK() {
  message_ = WindowText(VisibleEdit().Handle());
  Dialog::OnOK();
  MakeCard();
}

void NewMessageDialog::MakeCard() {
  AnsiCodec codec;
  Win32CardFiles files;
  const NewCardFile card =
      MakeNewCardFile(CardMessage{message_, centred_ != 0}, packagePath_, codec, files);
  // Ending the dialog has hidden it and given the card window back its input; the result is
  // owned by the card window, so the card stays disabled until the result has been read.
  HWND owner = GetWindow(Handle(), GW_OWNER);
  FileCreatedDialog result(owner ? owner : Handle());
  result.SetFile(card.path);
  result.SetText(FileCreatedText(card));
  result.SetOffersMail(OffersMail(card));
  result.DoModal();
}

}  // namespace card
