// Problems found in a card, each tied to the file and the place it concerns, so an author can
// go straight to it. Errors stop a build or a check; warnings are only reported.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace card::kit {

enum class Severity { Warning, Error };

struct Diagnostic {
  Severity severity = Severity::Error;
  std::string file;   // "Card.FAS", "Layout.txt", "frames/walk/3.png"
  std::string place;  // "script \"walk\", character 12", "line 6"; empty for the whole file
  std::string text;
};

struct DiagnosticPlace {
  std::string file;
  std::string place;
};

// Where an author wrote a stored script: given the script's name and, when known, the 0-based
// character in its text; nothing to keep the place in the card file.
using ScriptPlaces = std::function<std::optional<DiagnosticPlace>(
    const std::string& script, std::optional<std::size_t> position)>;

// "file, place: error: text" (or "warning:"), one line, as an author reads it.
std::string FormatDiagnostic(const Diagnostic& diagnostic);

class Diagnostics;

// Prints each diagnostic on a line of its own, then a count of errors and warnings.
void PrintDiagnostics(const Diagnostics& diagnostics, std::ostream& out);

class Diagnostics {
 public:
  void Error(std::string file, std::string place, std::string text);
  void Warning(std::string file, std::string place, std::string text);
  // An error from a sentence that names the file itself ("Layout.txt, line 6: expected ...",
  // "Card.FAS is damaged: ..."), split into file, place and text where it has them.
  void ErrorFromMessage(const std::string& file, const std::string& message);
  void Append(const Diagnostics& other);

  const std::vector<Diagnostic>& All() const { return list_; }
  bool HasErrors() const;
  int ErrorCount() const;
  int WarningCount() const;

 private:
  std::vector<Diagnostic> list_;
};

}  // namespace card::kit
