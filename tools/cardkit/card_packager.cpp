// Package writing from files, around the core's package builder.
#include "tools/cardkit/card_packager.h"

#include "message/card_message.h"
#include "newcard/card_package.h"
#include "tools/cardkit/file_io.h"
#include "tools/cardkit/message_rules.h"

namespace card::kit {

Status PackageCard(const std::filesystem::path& base, const std::filesystem::path& messageFile,
                   const std::filesystem::path& out) {
  auto program = ReadWholeFile(base);
  if (!program) return Fail(program.error());
  auto messageBytes = ReadWholeFile(messageFile);
  if (!messageBytes) return Fail(messageBytes.error());
  if (messageBytes->size() > kMessageFileLimit) {
    return Fail(messageFile.string() + ": the file has more than " +
                std::to_string(kMessageFileLimit) + " bytes, more than any card message.");
  }
  const CardMessage message = DecodeMessage(*messageBytes);
  const std::vector<std::string> problems = MessageLimitProblems(message);
  if (!problems.empty()) return Fail(messageFile.string() + ": " + problems.front());
  auto package = BuildCardPackage(*program, message);
  if (!package) return Fail(package.error());
  return WriteWholeFile(out, *package);
}

}  // namespace card::kit
