// The result dialog of "Make a New Card" (template 135): it shows the text its creator set and,
// when the mail library is there and the file was made, offers "Start E-Mail" beside an "OK";
// otherwise only the centred "OK". "Start E-Mail" hands the file to the mail program, or says
// "Couldn't start Mail", and ends the dialog either way.
#pragma once

#include "framework/dialog_win.h"
#include "newcard/mail_library_win.h"

#include <string>

namespace card {

class FileCreatedDialog : public Dialog {
 public:
  // Takes the mail library, loaded before the dialog's window exists.
  explicit FileCreatedDialog(HWND parent, HMODULE mailLibrary = MailLibrary::LoadFromSystem());

  // The new card's path and the dialog's text, both UTF-8.
  void SetFile(std::string path) { file_ = std::move(path); }
  void SetText(std::string text) { text_ = std::move(text); }
  // Whether there is a file to mail at all; true unless the creator says otherwise.
  void SetOffersMail(bool offers) { offersMail_ = offers; }
  const std::string& File() const { return file_; }
  const std::string& Text() const { return text_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void OnStartEmail();

  std::string file_;
  std::string text_;
  bool offersMail_ = true;
  MailLibrary mail_;
};

}  // namespace card
