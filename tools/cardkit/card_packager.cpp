// Package writing from a card folder, around the core's package builder.
#include "tools/cardkit/card_packager.h"

#include "card/card_files.h"
#include "message/card_message.h"
#include "package/package_layout.h"
#include "package/package_writer.h"
#include "tools/cardkit/card_checker.h"
#include "tools/cardkit/carried_files.h"
#include "tools/cardkit/file_io.h"
#include "tools/cardkit/message_rules.h"

#include <algorithm>
#include <map>

namespace card::kit {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error);
}

// The folder's files that go into the package, by name; a subfolder is an error, as a card's
// files lie side by side in one folder.
std::map<std::string, Bytes> ReadCardFiles(const fs::path& folder, const fs::path& program,
                                           const fs::path& out, Diagnostics& diagnostics) {
  std::map<std::string, Bytes> files;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory()) {
      diagnostics.Error(name, "", "a card package holds no folders: move the files it needs "
                                  "into the card folder itself, or take it out.");
      continue;
    }
    if (SameFileName(name, kMessageFile) || SameFileName(name, kUnpackedProgramName) ||
        SameFile(entry.path(), program) || SameFile(entry.path(), out)) {
      continue;
    }
    Result<Bytes> bytes = ReadWholeFile(entry.path());
    if (!bytes) {
      diagnostics.Error(name, "", "the file cannot be read.");
      continue;
    }
    files.emplace(name, std::move(bytes).value());
  }
  if (error) diagnostics.Error(folder.string(), "", "cannot be read: " + error.message());
  return files;
}

// The message of msg.txt's bytes, or nothing (with an error) when it breaks the card's limits.
std::optional<CardMessage> ReadMessage(const std::optional<fs::path>& messageFile,
                                       const fs::path& folder, Diagnostics& diagnostics) {
  std::optional<fs::path> path = messageFile;
  if (!path) {
    const std::optional<std::string> own = FindCardFile(folder.string(), kMessageFile);
    if (!own) return CardMessage{};  // the check has warned of it already
    path = *own;
  }
  Result<Bytes> bytes = ReadWholeFile(*path);
  if (!bytes) {
    diagnostics.Error(path->string(), "", "the message file is missing or cannot be read.");
    return std::nullopt;
  }
  const std::vector<std::string> problems = MessageFileProblems(*bytes);
  for (const std::string& problem : problems) diagnostics.Error(path->string(), "", problem);
  if (!problems.empty()) return std::nullopt;
  return DecodeMessage(*bytes);
}

}  // namespace

Diagnostics PackageCard(const fs::path& cardFolder, const fs::path& program,
                        const std::optional<fs::path>& messageFile, const fs::path& out,
                        std::vector<std::string>* packed) {
  Diagnostics diagnostics = CheckCardFolder(cardFolder);
  CheckCarriedFiles(cardFolder, diagnostics, {program, out});
  if (diagnostics.HasErrors()) return diagnostics;
  Result<Bytes> programBytes = ReadWholeFile(program);
  if (!programBytes) {
    diagnostics.Error(program.string(), "", "the card program is missing or cannot be read.");
  }
  const std::map<std::string, Bytes> files = ReadCardFiles(cardFolder, program, out, diagnostics);
  const std::optional<CardMessage> message = ReadMessage(messageFile, cardFolder, diagnostics);
  if (diagnostics.HasErrors()) return diagnostics;

  std::vector<ZipSource> sources;
  for (const auto& [name, bytes] : files) sources.push_back({name, bytes});
  Result<Bytes> package = BuildPackage(*programBytes, sources, *message);
  if (!package) {
    diagnostics.Error(out.string(), "", "no package made: " + package.error());
    return diagnostics;
  }
  if (Status written = WriteWholeFile(out, *package); !written) {
    diagnostics.Error(out.string(), "", written.error());
  } else if (packed) {
    for (const auto& [name, bytes] : files) packed->push_back(name);
  }
  return diagnostics;
}

}  // namespace card::kit
