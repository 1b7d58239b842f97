// The remaining text of a running animation script, and the tokenizer that reads it.
// The language runs by rewriting text: reading a token removes it from the front, and every
// expansion (a name's stored text, a range, a repeat, a drawn choice) is pushed back in front.
// So the text is kept reversed in a byte stack whose top is the next character to read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace card {

// Opens and closes a bounds specification (the copyright sign of Windows-1252).
constexpr char kBoundsDelimiter = '\xA9';
// Put in place of a sound group's ')' when the group starts; script authors never write it.
constexpr char kSoundMark = '\x7F';

enum class TokenKind {
  Name = 0,
  RepeatCount = 1,
  Frame = 2,
  Range = 3,
  Move = 4,
  Group = 5,
  SoundGroup = 6,
  GroupEnd = 7,
  SoundMark = 8,
  Separator = 9,
  Choice = 10,
  ChoiceEnd = 11,
  Note = 12,
  RepeatTime = 13,
  Bounds = 14,
  Sound = 15,
  Wait = 16,
  End = 17,
};

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;  // in reading order, exactly as it stands in the script
};

class ScriptStack {
 public:
  // The most remaining text a run may hold: 1 MiB, where a large card's scripts add up to a few
  // KB. It stops definitions that grow the text without end (a name whose text names itself
  // twice, a huge range) long before memory runs short.
  static constexpr std::size_t kMaxBytes = std::size_t{1} << 20;

  ScriptStack();

  bool Empty() const { return top_ == 0; }
  std::size_t Size() const { return top_; }
  std::size_t Capacity() const { return buffer_.size(); }
  // The remaining text in reading order.
  std::string Remaining() const;
  // Bytes read, scanned, moved or written since construction; the player bounds each step by it.
  std::uint64_t Work() const { return work_; }

  // `text` becomes the next text read. False, and nothing pushed, when the remaining text would
  // grow past kMaxBytes.
  [[nodiscard]] bool PushFront(std::string_view text);
  // Adds `text` behind the remaining text, with a ',' between when some is left.
  void AppendBack(std::string_view text);
  void Clear() { top_ = 0; }

  // Reads and removes one token. `soundBusy` says a script sound is playing, which makes '(!'
  // wait. A character outside the language drops the whole remaining text and gives End.
  Token NextToken(bool soundBusy);
  // Drops the rest of the group being run, through its closer.
  void SkipGroup();
  // Drops everything up to and including the next sound mark.
  void DiscardThroughMark();
  // True when a sound mark lies ahead with at least one character after it.
  bool HasMark() const;

 private:
  // The character `ahead` places after the next one; NUL past the end.
  char Ahead(std::size_t ahead) const { return ahead < top_ ? buffer_[top_ - ahead] : '\0'; }
  void Remove(std::size_t count);
  void MakeRoom(std::size_t count);
  template <class Pred>
  std::size_t RunFrom(std::size_t start, Pred accepts) const;
  std::size_t FindAhead(std::size_t start, char wanted) const;
  std::size_t MatchingCloser(char opener, char closer) const;
  std::size_t ThroughOrToEnd(std::size_t close) const;
  std::string Copy(std::size_t length) const;
  Token Take(TokenKind kind, std::size_t length);
  Token TakeOpener(TokenKind kind, std::size_t length);
  Token SoundGroupToken();

  // buffer_[0] is a NUL sentinel; buffer_[1..top_] hold the remaining text reversed.
  std::vector<char> buffer_;
  std::size_t top_ = 0;
  mutable std::uint64_t work_ = 0;
};

}  // namespace card
