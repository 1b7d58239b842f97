// The message limits, and those of the file that holds a message.
#include "tools/cardkit/message_rules.h"

namespace card::kit {

std::vector<std::string> MessageLimitProblems(const CardMessage& message) {
  std::vector<std::string> problems;
  if (message.text.size() > kMaxNewMessageLength) {
    problems.push_back("the message has " + std::to_string(message.text.size()) +
                       " characters (a line break counts as two); at most " +
                       std::to_string(kMaxNewMessageLength) + " fit.");
  }
  std::size_t lines = 1;
  for (std::size_t at = message.text.find("\r\n"); at != std::string::npos;
       at = message.text.find("\r\n", at + 2)) {
    ++lines;
  }
  if (lines > kMaxNewMessageLines) {
    problems.push_back("the message has " + std::to_string(lines) + " lines; the card shows " +
                       std::to_string(kMaxNewMessageLines) + ".");
  }
  return problems;
}

std::vector<std::string> MessageFileProblems(ByteView bytes) {
  std::vector<std::string> problems;
  if (bytes.size() > kMessageFileLimit) {
    problems.push_back("the file has " + std::to_string(bytes.size()) +
                       " bytes; the card reads only its first " +
                       std::to_string(kMessageFileLimit) + " bytes.");
  }
  for (std::string& problem : MessageLimitProblems(DecodeMessage(bytes))) {
    problems.push_back(std::move(problem));
  }
  return problems;
}

}  // namespace card::kit
