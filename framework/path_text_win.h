// Text between the wide Win32 calls and the program's own strings: paths and the texts that
// name them travel as UTF-8 and meet the file system through the wide calls; the few calls that
// exist only in ANSI (the sequencer, the mail library) get a path in a form they can open.
#pragma once

#include <string>
#include <string_view>

namespace card {

// UTF-8 (the archive's names) as UTF-16; empty when the bytes are not UTF-8.
std::wstring WidenUtf8(std::string_view text);

// UTF-16 as UTF-8.
std::string ToUtf8(std::wstring_view text);

// The ANSI code page's form of `text`; characters it lacks become '?'.
std::string ToAnsi(std::wstring_view text);

// `path` when the ANSI code page can spell it; otherwise its short form, which the file system
// spells in ASCII, when it has one (and `path` when not).
std::wstring AnsiSafePath(const std::wstring& path);

}  // namespace card
