// Card file naming: greeting words, the name word and the first free candidate path.
#include "newcard/card_file_name.h"

#include "content/windows_device_names.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace card {
namespace {

// Struck out in this order: an earlier word may stand inside a later one (DEAR in DEAREST)
// because only whole words are removed.
constexpr std::array<std::string_view, 35> kGreetingWords = {
    "MERRY",  "CHRISTMAS", "XMAS",  "DEAR",    "VALENTINE", "VALENTINES", "VALENTINE'S",
    "PLEASE", "BE",        "HELLO", "HI",      "TO",        "LOTS",       "OF",
    "I",      "THANKS",    "FOR",   "GIVING",  "LOVE",      "SEASONS",    "GREETINGS",
    "BEST",   "WISHES",    "MY",    "DEAREST", "DARLING",   "AND",        "A",
    "HAVE",   "HAPPY",     "NEW",   "YEAR",    "NEWYEAR",   "WISHING",    "SAFE",
};

constexpr std::string_view kDefaultName = "card";
constexpr std::u16string_view kUnsafeInNames = u"\\<>:\"|.*?";

bool IsWhitespace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsLetterOrDigit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string_view SkipWhitespace(std::string_view text) {
  while (!text.empty() && IsWhitespace(text.front())) text.remove_prefix(1);
  return text;
}

}  // namespace

bool RemoveWholeWord(std::string& text, std::string_view word) {
  if (word.empty()) return false;
  for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    const std::size_t end = at + word.size();
    const bool startsWord = at == 0 || IsWhitespace(text[at - 1]);
    const bool endsWord = end == text.size() || IsWhitespace(text[end]);
    if (startsWord && endsWord) {
      text.erase(at, word.size());
      return true;
    }
  }
  return false;
}

void ReplaceUnsafeCharacters(std::string& text, const TextCodec& codec) {
  std::u16string wide = codec.ToUtf16(text);
  for (char16_t& unit : wide) {
    if (unit < 0x20 || kUnsafeInNames.find(unit) != std::u16string_view::npos) unit = u' ';
  }
  text = codec.FromUtf16(wide);
}

std::string CardNameWord(std::string_view message, const TextCodec& codec) {
  // The message is C text to the system: nothing after a NUL counts.
  std::string text = codec.ToUpper(message.substr(0, message.find('\0')));
  for (std::string_view word : kGreetingWords) {
    while (RemoveWholeWord(text, word)) {
    }
  }
  const std::string_view remaining = SkipWhitespace(text);
  std::string firstLine(remaining.substr(0, remaining.find('\n')));
  ReplaceUnsafeCharacters(firstLine, codec);
  const std::string_view line = SkipWhitespace(firstLine);
  std::size_t length = 0;
  while (length < line.size() && IsLetterOrDigit(line[length])) ++length;
  return std::string(line.substr(0, std::min(length, kMaxCardNameLength)));
}

std::string_view PackageFolder(std::string_view packagePath) {
  const std::size_t slash = packagePath.rfind('\\');
  return slash == std::string_view::npos ? std::string_view() : packagePath.substr(0, slash + 1);
}

std::string MakeCardFileName(std::string_view message, std::string_view packagePath,
                             const TextCodec& codec, const FileExistsFunction& fileExists,
                             std::string_view extension) {
  const std::string folder(PackageFolder(packagePath));
  const std::string word = CardNameWord(message, codec);
  const std::string base = word.empty() ? std::string(kDefaultName) : word;
  // A device's name opens the device, not a file: it counts as taken.
  const auto taken = [&](const std::string& name) {
    return IsDeviceName(name) || fileExists(folder + name);
  };
  std::string name = base + std::string(extension);
  for (std::uint64_t number = 2; taken(name); ++number) {
    name = base + "(" + std::to_string(number) + ")" + std::string(extension);
  }
  return folder + name;
}

}  // namespace card
