// The logon rule of mail sending: one retry with the logon interface after a refused login
// only, the file handed over as it is, and log-off from the session the logon gave.
#include "newcard/card_mail.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

// Answers each logon with the next of `results` and records every call.
class RecordingMail final : public SimpleMail {
 public:
  explicit RecordingMail(std::vector<unsigned long> logonResults)
      : results_(std::move(logonResults)) {}
  std::vector<std::string> calls;

  unsigned long Logon(unsigned long flags, Session& session) override {
    const unsigned long result = next_ < results_.size() ? results_[next_] : kMailSuccess;
    ++next_;
    calls.push_back("logon " + std::to_string(flags));
    if (result == kMailSuccess) session = 100 + next_;
    return result;
  }
  void SendDocuments(const std::string& paths) override { calls.push_back("send " + paths); }
  void Logoff(Session session) override { calls.push_back("logoff " + std::to_string(session)); }

 private:
  std::vector<unsigned long> results_;
  std::size_t next_ = 0;
};

TEST(SendCardByMail, RetriesOnceWithTheLogonInterfaceAfterARefusedLoginOnly) {
  const std::string path = "C:\\cards\\ANNA(2).EXE";
  const struct {
    std::vector<unsigned long> logonResults;
    MailResult result;
    std::vector<std::string> calls;
  } cases[] = {
      {{kMailSuccess}, MailResult::kSent, {"logon 0", "send " + path, "logoff 101"}},
      {{kMailLoginFailure, kMailSuccess},
       MailResult::kSent,
       {"logon 0", "logon 1", "send " + path, "logoff 102"}},
      {{kMailLoginFailure, kMailLoginFailure}, MailResult::kCouldNotStart, {"logon 0", "logon 1"}},
      {{kMailLoginFailure, 2}, MailResult::kCouldNotStart, {"logon 0", "logon 1"}},
      {{1}, MailResult::kCouldNotStart, {"logon 0"}},   // the user cancelled
      {{2}, MailResult::kCouldNotStart, {"logon 0"}},   // any other failure
      {{26}, MailResult::kCouldNotStart, {"logon 0"}},
  };
  for (const auto& c : cases) {
    RecordingMail mail(c.logonResults);
    EXPECT_EQ(SendCardByMail(mail, path), c.result) << c.logonResults.front();
    EXPECT_EQ(mail.calls, c.calls) << c.logonResults.front();
  }
}

}  // namespace
}  // namespace card
