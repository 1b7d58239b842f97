// The new-message dialog of "Make a New Card" (template 129): two edits on top of each other,
// left-aligned and centred, of which the "Centered" box shows one; a limit of 487 characters
// that refuses an edit with a beep; and OK, which makes the new card file from the message and
// shows the result dialog before the dialog closes.
#pragma once

#include "framework/dialog_win.h"

#include <string>

namespace card {

class NewMessageDialog : public Dialog {
 public:
  // `message` is the card's current message; `packagePath` is the card package to copy (UTF-8),
  // empty when the program was started without one.
  NewMessageDialog(HWND parent, std::string message, std::string packagePath);

  // The last accepted text; after OK, the new message.
  const std::string& Message() const { return message_; }
  // The "Centered" box: 0 or 1.
  int Centred() const { return centred_; }
  void SetCentred(int centred) { centred_ = centred; }

 protected:
  void DoDataExchange(DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void OnMessageChange();
  void OnCentredClicked();
  Window& VisibleEdit() { return centred_ ? centredEdit_ : leftEdit_; }
  // Sets an edit's text without taking it for the user's typing.
  void SetEditText(const Window& edit, const std::string& text);
  void MakeCard();

  std::string message_;
  Window leftEdit_;
  Window centredEdit_;
  int centred_ = 0;
  std::string packagePath_;
  bool settingText_ = false;
};

}  // namespace card
