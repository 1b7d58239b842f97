// The simple mail library (see mail_library_win.h).
#include "newcard/mail_library_win.h"

#include "framework/entry_point_win.h"
#include "framework/system_library_win.h"

#include <string>

namespace card {

HMODULE MailLibrary::LoadFromSystem() { return LoadSystemLibrary(L"MAPI32.dll"); }

MailLibrary::MailLibrary(HMODULE module) : module_(module) {
  if (!module_) return;
  logon_ = EntryPoint<MailLogonFunction>(module_, "MAPILogon");
  logoff_ = EntryPoint<MailLogoffFunction>(module_, "MAPILogoff");
  sendDocuments_ = EntryPoint<MailSendDocumentsFunction>(module_, "MAPISendDocuments");
}

MailLibrary::~MailLibrary() {
  if (module_) FreeLibrary(module_);
}

unsigned long MailLibrary::Calls::Logon(unsigned long flags, Session& session) {
  ULONG_PTR handle = 0;
  const ULONG result = library_.logon_(Parent(), nullptr, nullptr, flags, 0, &handle);
  if (result == kMailSuccess) session = handle;
  return result;
}

void MailLibrary::Calls::SendDocuments(const std::string& paths) {
  char delimiter[] = ";";
  std::string files = paths;  // the call takes writable strings
  library_.sendDocuments_(Parent(), delimiter, files.data(), nullptr, 0);
}

void MailLibrary::Calls::Logoff(Session session) { library_.logoff_(session, Parent(), 0, 0); }

}  // namespace card
