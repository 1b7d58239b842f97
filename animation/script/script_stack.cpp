// The script stack and its tokenizer; every scan stops at the end of the remaining text.
#include "animation/script/script_stack.h"

#include <cstring>

namespace card {
namespace {

constexpr std::size_t kInitialCapacity = 50;
// Extra room taken whenever the buffer grows, so a run of small pushes rarely reallocates.
constexpr std::size_t kGrowthSlack = 50;
constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_' || c == '\\'; }
bool IsSoundNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

}  // namespace

ScriptStack::ScriptStack() : buffer_(kInitialCapacity, '\0') {}

std::string ScriptStack::Remaining() const { return Copy(top_); }

void ScriptStack::MakeRoom(std::size_t count) {
  const std::size_t used = top_ + 1;
  if (used + count <= buffer_.size()) return;
  std::vector<char> grown(used + count + kGrowthSlack, '\0');
  std::memcpy(grown.data(), buffer_.data(), used);
  buffer_.swap(grown);
  work_ += used;
}

bool ScriptStack::PushFront(std::string_view text) {
  if (text.size() > kMaxBytes - top_) return false;
  MakeRoom(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) buffer_[top_ + text.size() - i] = text[i];
  top_ += text.size();
  work_ += text.size();
  return true;
}

void ScriptStack::AppendBack(std::string_view text) {
  if (text.empty()) return;
  const std::size_t count = text.size() + (top_ > 0 ? 1 : 0);
  MakeRoom(count);
  std::memmove(buffer_.data() + 1 + count, buffer_.data() + 1, top_);
  // The new text sits reversed right above the sentinel, its last character lowest.
  for (std::size_t i = 0; i < text.size(); ++i) buffer_[text.size() - i] = text[i];
  if (top_ > 0) buffer_[count] = ',';
  top_ += count;
  work_ += top_;
}

void ScriptStack::Remove(std::size_t count) {
  top_ -= count;
  work_ += count;
}

template <class Pred>
std::size_t ScriptStack::RunFrom(std::size_t start, Pred accepts) const {
  std::size_t end = start;
  while (end < top_ && accepts(Ahead(end))) ++end;
  work_ += end - start;
  return end;
}

std::size_t ScriptStack::FindAhead(std::size_t start, char wanted) const {
  for (std::size_t at = start; at < top_; ++at) {
    if (Ahead(at) == wanted) {
      work_ += at - start + 1;
      return at;
    }
  }
  work_ += top_ - start;
  return kNotFound;
}

// Where the closer matching the opener that is the next character lies; only the opener's
// own kind nests. kNotFound when the text ends first.
std::size_t ScriptStack::MatchingCloser(char opener, char closer) const {
  std::size_t open = 0;
  for (std::size_t at = 1; at < top_; ++at) {
    const char c = Ahead(at);
    if (c == opener) {
      ++open;
    } else if (c == closer) {
      if (open == 0) {
        work_ += at;
        return at;
      }
      --open;
    }
  }
  work_ += top_;
  return kNotFound;
}

// A token that runs through the character at `close`, or to the end of the text.
std::size_t ScriptStack::ThroughOrToEnd(std::size_t close) const {
  return close == kNotFound ? top_ : close + 1;
}

std::string ScriptStack::Copy(std::size_t length) const {
  std::string text(length, '\0');
  for (std::size_t i = 0; i < length; ++i) text[i] = Ahead(i);
  work_ += length;
  return text;
}

Token ScriptStack::Take(TokenKind kind, std::size_t length) {
  Token token{kind, Copy(length)};
  Remove(length);
  return token;
}

Token ScriptStack::TakeOpener(TokenKind kind, std::size_t length) {
  Token token{kind, Copy(length)};
  Remove(1);
  return token;
}

Token ScriptStack::SoundGroupToken() {
  if (HasMark()) {
    // The group already ran once (a repeat of it): its mark is still in the text ahead.
    Remove(1);
    return {TokenKind::SoundGroup, {}};
  }
  const std::size_t close = MatchingCloser('(', ')');
  if (close != kNotFound) buffer_[top_ - close] = kSoundMark;
  return TakeOpener(TokenKind::SoundGroup, ThroughOrToEnd(close));
}

Token ScriptStack::NextToken(bool soundBusy) {
  if (top_ == 0) return {TokenKind::End, {}};
  while (top_ > 0 && buffer_[top_] == ' ') Remove(1);

  const char c = Ahead(0);
  if (IsDigit(c)) {
    const std::size_t digits = RunFrom(0, IsDigit);
    if (Ahead(digits) != '-') return Take(TokenKind::Frame, digits);
    return Take(TokenKind::Range, RunFrom(digits + 1, IsDigit));
  }
  switch (c) {
    case '@':
      return Take(TokenKind::RepeatTime, RunFrom(1, IsDigit));
    case '(':
      if (Ahead(1) == '!') {
        if (soundBusy) return {TokenKind::Wait, {}};
        return SoundGroupToken();
      }
      return TakeOpener(TokenKind::Group, ThroughOrToEnd(MatchingCloser('(', ')')));
    case kBoundsDelimiter:
      return Take(TokenKind::Bounds, ThroughOrToEnd(FindAhead(1, kBoundsDelimiter)));
    case '{':
      return Take(TokenKind::Choice, ThroughOrToEnd(MatchingCloser('{', '}')));
    case '[':
      return Take(TokenKind::Move, ThroughOrToEnd(FindAhead(1, ']')));
    case '*':
      return Take(TokenKind::RepeatCount, RunFrom(1, IsDigit));
    case ',':
      return Take(TokenKind::Separator, 1);
    case '!':
      return Take(TokenKind::Sound, RunFrom(1, IsSoundNameChar));
    case ')':
      return Take(TokenKind::GroupEnd, 1);
    case kSoundMark:
      return Take(TokenKind::SoundMark, 1);
    case '}':
      return Take(TokenKind::ChoiceEnd, 1);
    case '~':
      return Take(TokenKind::Note, RunFrom(1, IsDigit));
    default:
      break;
  }
  if (IsLetter(c)) return Take(TokenKind::Name, RunFrom(1, IsNameChar));
  Clear();
  return {TokenKind::End, {}};
}

void ScriptStack::SkipGroup() {
  int open = 1;
  while (top_ > 0) {
    const char c = Ahead(0);
    Remove(1);
    if (c == ')' || c == '}' || c == kSoundMark) {
      if (--open == 0) return;
    } else if (c == '(' || c == '{') {
      ++open;
    }
  }
}

void ScriptStack::DiscardThroughMark() {
  while (top_ > 0 && Ahead(0) != kSoundMark) Remove(1);
  if (top_ > 0) Remove(1);
}

bool ScriptStack::HasMark() const {
  const std::size_t at = FindAhead(0, kSoundMark);
  // A mark that ends the text has nothing after it to resume, so it does not count.
  return at != kNotFound && at + 1 < top_;
}

}  // namespace card
