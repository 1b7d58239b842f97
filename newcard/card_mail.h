// Handing a new card file to the user's mail program through the platform's simple mail
// interface: log on (once more with the logon interface when the first logon was refused for
// want of a login), send the file as an attachment, log off.
#pragma once

#include <cstdint>
#include <string>

namespace card {

// Results and flags of the simple mail interface, as the platform publishes them.
constexpr unsigned long kMailSuccess = 0;
constexpr unsigned long kMailLoginFailure = 3;
constexpr unsigned long kMailLogonUi = 0x1;

// The three calls of the mail interface that sending needs.
class SimpleMail {
 public:
  using Session = std::uintptr_t;
  virtual ~SimpleMail() = default;
  // Logs on with `flags`; on kMailSuccess `session` is the new session.
  virtual unsigned long Logon(unsigned long flags, Session& session) = 0;
  // Opens the mail program's new message with the files of `paths` (separated by ';') attached.
  virtual void SendDocuments(const std::string& paths) = 0;
  virtual void Logoff(Session session) = 0;
};

enum class MailResult { kSent, kCouldNotStart };

// Logs on (with kMailLogonUi on a second try after kMailLoginFailure only), hands `path` over,
// and logs off again. kCouldNotStart when no logon succeeded; the sending itself has no result.
MailResult SendCardByMail(SimpleMail& mail, const std::string& path);

}  // namespace card
