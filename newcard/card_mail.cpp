// Sending a new card file by mail (see card_mail.h).
#include "newcard/card_mail.h"

namespace card {

MailResult SendCardByMail(SimpleMail& mail, const std::string& path) {
  SimpleMail::Session session = 0;
  unsigned long result = mail.Logon(0, session);
  // A refused login is the one failure the user can mend in the logon interface.
  if (result == kMailLoginFailure) result = mail.Logon(kMailLogonUi, session);
  if (result != kMailSuccess) return MailResult::kCouldNotStart;
  mail.SendDocuments(path);
  mail.Logoff(session);
  return MailResult::kSent;
}

}  // namespace card
