// Which files of a card folder may travel with the card (see carried_files.h).
#include "tools/cardkit/carried_files.h"

#include "content/content_file_names.h"
#include "package/entry_name_rules.h"
#include "package/package_layout.h"

#include <algorithm>
#include <string>

namespace card::kit {
namespace {

namespace fs = std::filesystem;

bool IsAnyOf(const fs::path& file, const std::vector<fs::path>& others) {
  return std::any_of(others.begin(), others.end(), [&](const fs::path& other) {
    std::error_code error;
    return fs::equivalent(file, other, error);
  });
}

}  // namespace

void CheckNoLinks(const fs::path& folder, Diagnostics& out) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_symlink(error)) {
      out.Error(entry.path().filename().string(), "",
                "it is a symbolic link; a card carries only files of its own, so copy the file "
                "into the card folder.");
    }
  }
}

void CheckCarriedFiles(const fs::path& folder, Diagnostics& out,
                       const std::vector<fs::path>& leftOut) {
  CheckNoLinks(folder, out);
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    // A folder is the package's to refuse, with its own words.
    if (entry.is_symlink(error) || entry.is_directory(error) ||
        SameFileName(name, kMessageFile) || SameFileName(name, kUnpackedProgramName) ||
        IsAnyOf(entry.path(), leftOut)) {
      continue;
    }
    if (const std::string problem = EntryNameProblem({name, true}); !problem.empty()) {
      out.Error(name, "", "a card package may not carry this file: it " + problem + ".");
    }
  }
}

}  // namespace card::kit
