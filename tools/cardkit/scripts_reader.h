// Reads scripts.txt, the hand-written list of a card's animation scripts:
//     name = script text
// '#' starts a comment line, blank lines are ignored, and a line that starts with whitespace
// continues the entry before it (joined with one space). Text is UTF-8; '<' and '>', and the
// older '©', become the byte 0xA9 that delimits bounds, and tabs become spaces. ('<' and '>'
// are free to take: the language has no other use for them, and a stored one would end the
// script.)
#pragma once

#include "tools/cardkit/diagnostics.h"

#include <string>
#include <string_view>
#include <vector>

namespace card::kit {

struct ScriptEntry {
  std::string name;
  std::string text;  // the bytes stored in the animation file
  int line = 0;      // where the entry starts

  // Where each source line's part of `text` starts, so a place in the text can be shown as a
  // line and column of the file.
  struct Piece {
    std::size_t textOffset = 0;
    int line = 0;
    int column = 0;  // 1-based, in characters
  };
  std::vector<Piece> pieces;

  // "line L, column C" of the character at `textOffset`.
  std::string SourcePlace(std::size_t textOffset) const;
};

// True for names a script can refer to: an ASCII letter, then letters, digits, '_' or '\'.
bool IsScriptName(std::string_view name);

// The entries in file order. Problems are added to `diagnostics` under `fileName` with their
// line; entries with problems are left out.
std::vector<ScriptEntry> ReadScripts(std::string_view text, std::string_view fileName,
                                     Diagnostics& diagnostics);

}  // namespace card::kit
