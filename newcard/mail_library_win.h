// The simple mail library, loaded at run time so the card runs without it, and its three entry
// points as the platform publishes them. A library that lacks one of them is loaded but not
// complete, and is never called.
#pragma once

#include "newcard/card_mail.h"

#include <windows.h>

namespace card {

// The published signatures: the window that owns any user interface, then the call's own
// arguments. Sessions are handles of pointer width.
using MailLogonFunction = ULONG(WINAPI*)(ULONG_PTR uiParent, LPSTR profileName, LPSTR password,
                                         ULONG flags, ULONG reserved, ULONG_PTR* session);
using MailLogoffFunction = ULONG(WINAPI*)(ULONG_PTR session, ULONG_PTR uiParent, ULONG flags,
                                          ULONG reserved);
using MailSendDocumentsFunction = ULONG(WINAPI*)(ULONG_PTR uiParent, LPSTR delimiter,
                                                 LPSTR filePaths, LPSTR fileNames,
                                                 ULONG reserved);

class MailLibrary {
 public:
  // The platform's library, MAPI32, from System32 alone; null when there is none.
  static HMODULE LoadFromSystem();

  // Takes over `module` (null for no library); tests hand in a stand-in of their own.
  explicit MailLibrary(HMODULE module);
  ~MailLibrary();
  MailLibrary(const MailLibrary&) = delete;
  MailLibrary& operator=(const MailLibrary&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  // All three entry points were found.
  bool Complete() const { return logon_ && logoff_ && sendDocuments_; }

  // The library's calls made on behalf of `window`; use only when Complete().
  class Calls final : public SimpleMail {
   public:
    Calls(const MailLibrary& library, HWND window) : library_(library), window_(window) {}
    unsigned long Logon(unsigned long flags, Session& session) override;
    void SendDocuments(const std::string& paths) override;
    void Logoff(Session session) override;

   private:
    ULONG_PTR Parent() const { return reinterpret_cast<ULONG_PTR>(window_); }
    const MailLibrary& library_;
    HWND window_;
  };

 private:
  HMODULE module_;
  MailLogonFunction logon_ = nullptr;
  MailLogoffFunction logoff_ = nullptr;
  MailSendDocumentsFunction sendDocuments_ = nullptr;
};

}  // namespace card
