// Collecting and formatting the problems found in a card.
#include "tools/cardkit/diagnostics.h"

#include <algorithm>
#include <ostream>

namespace card::kit {

std::string FormatDiagnostic(const Diagnostic& diagnostic) {
  std::string line = diagnostic.file;
  if (!diagnostic.place.empty()) line += ", " + diagnostic.place;
  line += diagnostic.severity == Severity::Error ? ": error: " : ": warning: ";
  return line + diagnostic.text;
}

void PrintDiagnostics(const Diagnostics& diagnostics, std::ostream& out) {
  for (const Diagnostic& diagnostic : diagnostics.All()) {
    out << FormatDiagnostic(diagnostic) << "\n";
  }
  const int errors = diagnostics.ErrorCount();
  const int warnings = diagnostics.WarningCount();
  out << errors << (errors == 1 ? " error, " : " errors, ") << warnings
      << (warnings == 1 ? " warning" : " warnings") << "\n";
}

void Diagnostics::Error(std::string file, std::string place, std::string text) {
  list_.push_back({Severity::Error, std::move(file), std::move(place), std::move(text)});
}

void Diagnostics::Warning(std::string file, std::string place, std::string text) {
  list_.push_back({Severity::Warning, std::move(file), std::move(place), std::move(text)});
}

void Diagnostics::ErrorFromMessage(const std::string& file, const std::string& message) {
  const std::string prefix = file + ", ";
  const std::size_t colon = message.find(": ");
  if (message.starts_with(prefix) && colon != std::string::npos) {
    Error(file, message.substr(prefix.size(), colon - prefix.size()), message.substr(colon + 2));
  } else {
    Error(file, "", message);
  }
}

void Diagnostics::Append(const Diagnostics& other) {
  list_.insert(list_.end(), other.list_.begin(), other.list_.end());
}

bool Diagnostics::HasErrors() const { return ErrorCount() > 0; }

int Diagnostics::ErrorCount() const {
  return static_cast<int>(std::count_if(list_.begin(), list_.end(), [](const Diagnostic& d) {
    return d.severity == Severity::Error;
  }));
}

int Diagnostics::WarningCount() const { return static_cast<int>(list_.size()) - ErrorCount(); }

}  // namespace card::kit
