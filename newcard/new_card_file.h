// Making the new card file: a free name from the message, a copy of the card package under
// that name that never replaces an existing file, and the message written into the copy. Every
// way it can fail is told with a reason, and a copy that could not be finished is removed.
#pragma once

#include "common/result.h"
#include "message/card_message.h"
#include "newcard/package_file.h"
#include "newcard/text_codec.h"

#include <memory>
#include <string>
#include <string_view>

namespace card {

// The longest message the new-message dialog accepts, in characters (a line break is two),
// and its most lines: the card window shows seven.
constexpr std::size_t kMaxNewMessageLength = 487;
constexpr std::size_t kMaxNewMessageLines = 7;

// How often a name may be taken between its choice and the copy before making the card fails.
constexpr int kMaxNameRaces = 100;

// The file operations behind a new card, on UTF-8 paths; card.exe implements them over the
// Win32 file API.
class CardFileSystem {
 public:
  enum class CopyResult { kCopied, kNameTaken, kFailed };
  struct CopyOutcome {
    CopyResult result;
    std::string error;  // a sentence, for kFailed
  };

  virtual ~CardFileSystem() = default;
  // True when a file or folder of that name exists.
  virtual bool Exists(const std::string& path) = 0;
  // Copies `from` to the new file `to`; kNameTaken when `to` exists, which is left alone.
  virtual CopyOutcome CopyToNewFile(const std::string& from, const std::string& to) = 0;
  // Opens the copy for the message to be written into it (read-only or not).
  virtual Result<std::unique_ptr<PackageFile>> OpenPackage(const std::string& path) = 0;
  // Deletes a file this program made, read-only or not.
  virtual Status Remove(const std::string& path) = 0;
};

struct NewCardFile {
  enum class Outcome {
    kCreated,     // the file exists and holds the message
    kNotWritten,  // no card package to copy: the path is only what the name would have been
    kFailed,      // nothing was left behind (unless `reason` says otherwise)
  };
  Outcome outcome;
  std::string path;    // the new card's path; relative when the package path is
  std::string reason;  // for kFailed: why, in sentences a person can act on
};

// Names the new card after `message` (see MakeCardFileName), copies the package at
// `packagePath` to that name and writes the message into the copy. An empty `packagePath` (the
// program was started without one) writes nothing. A name taken between its choice and the
// copy moves the card on to the next free name.
NewCardFile MakeNewCardFile(const CardMessage& message, std::string_view packagePath,
                            const TextCodec& codec, CardFileSystem& files);

}  // namespace card
