// scripts.txt parsing: lines, comments, continuations, names and the one non-ASCII character
// the language has.
#include "tools/cardkit/scripts_reader.h"

#include <cstdio>
#include <set>

namespace card::kit {
namespace {

constexpr unsigned char kBoundsByte = 0xA9;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::string LinePlace(int line) { return "line " + std::to_string(line); }

std::string Hex(unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", value);
  return buffer;
}

// Converts one line's script text to stored bytes, or says which character cannot be stored.
// `column` is the 1-based character column where `text` starts.
bool ConvertScriptText(std::string_view text, int line, int column, std::string_view fileName,
                       std::string& out, Diagnostics& diagnostics) {
  for (std::size_t i = 0; i < text.size(); ++column) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '<' || c == '>') {
      out.push_back(static_cast<char>(kBoundsByte));
      ++i;
    } else if (c < 0x80) {
      out.push_back(c == '\t' ? ' ' : static_cast<char>(c));
      ++i;
    } else if (c == 0xC2 && i + 1 < text.size() &&
               static_cast<unsigned char>(text[i + 1]) == 0xA9) {
      out.push_back(static_cast<char>(kBoundsByte));
      i += 2;
    } else {
      // Decode just enough of the sequence to name the character.
      unsigned code = c;
      std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
      if (length > 1 && i + length <= text.size()) {
        code = c & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) code = code << 6 | (text[i + k] & 0x3F);
      }
      diagnostics.Error(std::string(fileName),
                        LinePlace(line) + ", column " + std::to_string(column),
                        "the character " + Hex(code) +
                            " cannot be part of a script; only ASCII and '\xC2\xA9' can "
                            "(bounds may be written between '<' and '>').");
      return false;
    }
  }
  return true;
}

int CharacterColumn(std::string_view line, std::size_t byteOffset) {
  int column = 1;
  for (std::size_t i = 0; i < byteOffset; ++i) {
    if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) ++column;
  }
  return column;
}

}  // namespace

std::string ScriptEntry::SourcePlace(std::size_t textOffset) const {
  const Piece* piece = &pieces.front();
  for (const Piece& p : pieces) {
    if (p.textOffset <= textOffset) piece = &p;
  }
  const auto column = piece->column + static_cast<int>(textOffset - piece->textOffset);
  return "line " + std::to_string(piece->line) + ", column " + std::to_string(column);
}

bool IsScriptName(std::string_view name) {
  if (name.empty() || !IsAsciiLetter(name.front())) return false;
  for (char c : name) {
    if (!IsAsciiLetter(c) && !IsDigit(c) && c != '_' && c != '\\') return false;
  }
  return true;
}

std::vector<ScriptEntry> ReadScripts(std::string_view text, std::string_view fileName,
                                     Diagnostics& diagnostics) {
  const std::string file(fileName);
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<ScriptEntry> entries;
  std::set<std::string> names;
  bool entryBroken = false;  // continuations of a refused entry are dropped with it
  int lineNumber = 0;
  while (!text.empty() || lineNumber == 0) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;

    if (IsBlank(line.front())) {
      if (entryBroken) continue;
      if (entries.empty()) {
        diagnostics.Error(file, LinePlace(lineNumber),
                          "this line starts with a blank, so it continues an entry, but no "
                          "entry comes before it.");
        continue;
      }
      ScriptEntry& entry = entries.back();
      if (!entry.text.empty()) entry.text.push_back(' ');
      const int column =
          CharacterColumn(line, static_cast<std::size_t>(trimmed.data() - line.data()));
      entry.pieces.push_back({entry.text.size(), lineNumber, column});
      if (!ConvertScriptText(trimmed, lineNumber, column, file, entry.text, diagnostics)) {
        entries.pop_back();
        entryBroken = true;
      }
      continue;
    }

    entryBroken = true;
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
      diagnostics.Error(file, LinePlace(lineNumber), "expected \"name = script text\".");
      continue;
    }
    const std::string name(Trim(trimmed.substr(0, equals)));
    if (!IsScriptName(name)) {
      diagnostics.Error(file, LinePlace(lineNumber),
                        "\"" + name +
                            "\" is not a name scripts can use: a letter, then letters, "
                            "digits, '_' or '\\'.");
      continue;
    }
    if (!names.insert(name).second) {
      diagnostics.Error(file, LinePlace(lineNumber),
                        "the script \"" + name + "\" is defined twice.");
      continue;
    }
    const std::string_view body = Trim(trimmed.substr(equals + 1));
    ScriptEntry entry{name, "", lineNumber, {}};
    const int column =
        body.empty() ? 1
                     : CharacterColumn(line, static_cast<std::size_t>(body.data() - line.data()));
    entry.pieces.push_back({0, lineNumber, column});
    if (!ConvertScriptText(body, lineNumber, column, file, entry.text, diagnostics)) continue;
    entries.push_back(std::move(entry));
    entryBroken = false;
  }
  return entries;
}

}  // namespace card::kit
