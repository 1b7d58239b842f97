// The name of a new card file, made from its message: greeting words are struck out and the
// first word left names the file (ANNA.EXE for a message that begins "Dear Anna"), "card" when
// none is left, with "(2)", "(3)", ... added so no existing file and no device is named.
#pragma once

#include "newcard/text_codec.h"

#include <functional>
#include <string>
#include <string_view>

namespace card {

// Whether a path names an existing file or folder; card.exe asks the file system.
using FileExistsFunction = std::function<bool(const std::string& path)>;

// The name word has at most this many characters.
constexpr std::size_t kMaxCardNameLength = 15;

// Removes the first occurrence of `word` in `text` that is a whole word, bounded by the ends of
// the text or by whitespace (space, tab, LF, VT, FF, CR), which stays. False when there is none.
bool RemoveWholeWord(std::string& text, std::string_view word);

// Replaces by a space every control character and every one of \ < > : " | . * ? in `text`,
// comparing characters after their conversion to UTF-16.
void ReplaceUnsafeCharacters(std::string& text, const TextCodec& codec);

// The first run of letters and digits of the upper-cased message once greeting words are
// struck out, from its first line that has anything else left; at most 15 characters, empty
// when there is none.
std::string CardNameWord(std::string_view message, const TextCodec& codec);

// The folder of the package path: up to and including its last backslash; empty without one.
std::string_view PackageFolder(std::string_view packagePath);

// The extension of a card program; a card made for a browser is ".html".
constexpr std::string_view kCardProgramExtension = ".EXE";

// The path of the new card file: the package's folder, the name word or "card", a suffix "(n)"
// from 2 upwards while `fileExists` reports the candidate or its name is a device's, and
// `extension`. `packagePath` is the program's first argument (UTF-8; the name word is ASCII),
// empty when there is none (the path is then relative).
std::string MakeCardFileName(std::string_view message, std::string_view packagePath,
                             const TextCodec& codec, const FileExistsFunction& fileExists,
                             std::string_view extension = kCardProgramExtension);

}  // namespace card
