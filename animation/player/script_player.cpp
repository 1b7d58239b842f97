// The player's step: one token after another until a frame, a wait or the end of the run.
#include "animation/player/script_player.h"

#include "animation/script/bounds_spec.h"
#include "animation/script/choice.h"
#include "animation/script/script_rewrites.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace card {
namespace {

std::int32_t Clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

ScriptPlayer::ScriptPlayer(PlayerHost& host, ScriptLookup scripts, std::int32_t viewWidth,
                           std::int32_t viewHeight, const PlayerCaps& caps)
    : host_(host),
      scripts_(std::move(scripts)),
      caps_(caps),
      viewWidth_(viewWidth),
      viewHeight_(viewHeight) {}

void ScriptPlayer::Start(std::string_view label) {
  // '@N' before anything has begun measures from the start of the run.
  if (!itemBegun_) itemStart_ = host_.NowTenths();
  label_ = label;
  script_.AppendBack("(");
  script_.AppendBack(label);
  script_.AppendBack(")");
}

bool ScriptPlayer::Step() {
  // Work is counted from here, so steps run inside a message box of this one count their own.
  const std::uint64_t workAtStart = script_.Work();
  for (int tokens = 0;; ++tokens) {
    if (tokens >= caps_.stepTokens || script_.Work() - workAtStart > caps_.stepWork) {
      StopRunaway("one step ran too long without showing a frame");
      return true;
    }
    switch (Handle(script_.NextToken(soundBusy_))) {
      case TokenResult::ReadOn:
        break;
      case TokenResult::EndStep:
        return true;
      case TokenResult::EndRun:
        return false;
    }
  }
}

ScriptPlayer::TokenResult ScriptPlayer::Handle(const Token& token) {
  switch (token.kind) {
    case TokenKind::Name:
      if (!ExpandName(token.text)) return TokenResult::EndStep;
      return TokenResult::ReadOn;
    case TokenKind::RepeatCount:
      if (!Push(RepeatCountRewrite(token.text, item_))) return TokenResult::EndStep;
      return TokenResult::ReadOn;
    case TokenKind::RepeatTime:
      if (!Push(RepeatTimeRewrite(token.text, item_, itemStart_, host_.NowTenths()))) return TokenResult::EndStep;
      return TokenResult::ReadOn;
    case TokenKind::Frame:
      MoveAndShow(pendingMove_, ParseDigits(token.text, 0).value);
      pendingMove_ = {};
      BeginItem(token.text);
      return TokenResult::EndStep;
    case TokenKind::Range:
      if (!ExpandRange(token.text)) return TokenResult::EndStep;
      BeginItem(token.text);
      return TokenResult::ReadOn;
    case TokenKind::Move: {
      const Move move = ParseMoveToken(token.text);
      pendingMove_ = {SaturatingAdd(pendingMove_.dx, move.dx),
                      SaturatingAdd(pendingMove_.dy, move.dy)};
      return TokenResult::ReadOn;
    }
    case TokenKind::Group:
      BeginItem(token.text);
      if (!PushContext()) return TokenResult::EndStep;
      return TokenResult::ReadOn;
    case TokenKind::SoundGroup:
      BeginItem(token.text);
      if (!PushContext()) return TokenResult::EndStep;
      soundLevel_ = contexts_.size();
      return TokenResult::ReadOn;
    case TokenKind::GroupEnd:
    case TokenKind::ChoiceEnd:
      // A closer with no open group (an unbalanced script) has nothing to restore.
      if (!contexts_.empty()) PopContext();
      return TokenResult::ReadOn;
    case TokenKind::Choice:
      BeginItem(token.text);
      if (!Push(std::string(PickChoice(token.text, random_)) + '}')) return TokenResult::EndStep;
      if (!PushContext()) return TokenResult::EndStep;
      return TokenResult::ReadOn;
    case TokenKind::Bounds:
      if (!TakeBounds(token.text)) return TokenResult::EndStep;
      return TokenResult::ReadOn;
    case TokenKind::Sound:
      if (soundBusy_) {
        // Read again on the next tick, until the sound playing now has ended.
        Push(token.text);
        return TokenResult::EndStep;
      }
      soundBusy_ = true;
      host_.StartSound(token.text.substr(1));
      return TokenResult::ReadOn;
    case TokenKind::SoundMark:
      // The group holds at its end while its sound plays; OnSoundDone ends it.
      if (soundBusy_) Push(std::string(1, kSoundMark));
      return TokenResult::EndStep;
    case TokenKind::Wait:
      return TokenResult::EndStep;
    case TokenKind::Separator:
    case TokenKind::Note:
      return TokenResult::ReadOn;
    case TokenKind::End:
      return soundBusy_ ? TokenResult::EndStep : TokenResult::EndRun;
  }
  return soundBusy_ ? TokenResult::EndStep : TokenResult::EndRun;
}

void ScriptPlayer::BeginItem(const std::string& text) {
  item_ = text;
  itemStart_ = host_.NowTenths();
  itemBegun_ = true;
}

bool ScriptPlayer::Push(std::string_view text) {
  if (script_.Size() + text.size() <= caps_.scriptBytes && script_.PushFront(text)) return true;
  StopRunaway("its text grew past " + std::to_string(caps_.scriptBytes) + " bytes");
  return false;
}

bool ScriptPlayer::ExpandName(const std::string& name) {
  lastName_ = name;
  return Push(NameExpansion(scripts_(name)));
}

bool ScriptPlayer::ExpandRange(const std::string& token) {
  std::optional<std::string> text = RangeExpansion(token, caps_.scriptBytes);
  if (!text) {
    StopRunaway("the range " + token + " is too long");
    return false;
  }
  return Push(*text);
}

bool ScriptPlayer::TakeBounds(const std::string& token) {
  host_.Trace(token);
  const BoundsReferences references{
      [this] { return host_.WorkArea(); }, viewWidth_, viewHeight_,
      [this](int id) { return host_.ControlRect(id); }};
  Result<Rect> parsed = ParseBounds(token, references);
  if (!parsed) {
    // The step is abandoned once the box is closed; steps run while it is open read on from
    // here, so nothing may be left half done.
    host_.ShowMessage(parsed.error());
    return false;
  }
  bounds_ = *parsed;
  boundsLevel_ = contexts_.size();
  boundsChanged_ = true;
  return true;
}

bool ScriptPlayer::PushContext() {
  if (contexts_.size() >= caps_.depth) {
    StopRunaway("it opened more than " + std::to_string(caps_.depth) +
                " groups inside each other");
    return false;
  }
  if (item_.size() > caps_.savedItemBytes - savedItemBytes_) {
    StopRunaway("its open groups hold more than " + std::to_string(caps_.savedItemBytes) +
                " bytes of text");
    return false;
  }
  savedItemBytes_ += item_.size();
  contexts_.push_back({item_, itemStart_, bounds_, boundsLevel_});
  return true;
}

void ScriptPlayer::PopContext() {
  GroupContext& saved = contexts_.back();
  savedItemBytes_ -= saved.item.size();
  item_ = std::move(saved.item);
  itemStart_ = saved.itemStart;
  bounds_ = saved.bounds;
  boundsLevel_ = saved.boundsLevel;
  contexts_.pop_back();
}

void ScriptPlayer::MoveAndShow(Move move, std::int32_t frameId) {
  if (move.dx == 0 && move.dy == 0 && !boundsChanged_) {
    host_.ShowFrame(0, 0, frameId);
    return;
  }
  const Rect start = host_.WindowRect();
  boundsChanged_ = false;
  // 64-bit, so no move or bounds can overflow; the edges are tested in this order, so a figure
  // larger than its bounds ends at their right and bottom edges.
  std::int64_t left = std::int64_t{start.left} + move.dx;
  std::int64_t right = std::int64_t{start.right} + move.dx;
  std::int64_t top = std::int64_t{start.top} - move.dy;
  std::int64_t bottom = std::int64_t{start.bottom} - move.dy;
  if (!bounds_.IsAllZero()) {
    bool clamped = false;
    const auto shiftX = [&](std::int64_t by) { left += by, right += by, clamped = true; };
    const auto shiftY = [&](std::int64_t by) { top += by, bottom += by, clamped = true; };
    if (left < bounds_.left) shiftX(bounds_.left - left);
    if (right > bounds_.right) shiftX(bounds_.right - right);
    if (top < bounds_.top) shiftY(bounds_.top - top);
    if (bottom > bounds_.bottom) shiftY(bounds_.bottom - bottom);
    if (clamped) UnwindTo(boundsLevel_);
  }
  host_.ShowFrame(Clamp32(left - start.left), Clamp32(std::int64_t{start.top} - top), frameId);
}

void ScriptPlayer::UnwindTo(std::size_t level) {
  for (;;) {
    if (contexts_.empty()) {
      script_.Clear();
      return;
    }
    script_.SkipGroup();
    PopContext();
    if (contexts_.size() < level) return;
  }
}

void ScriptPlayer::OnSoundDone() {
  soundBusy_ = false;
  if (!script_.HasMark()) return;
  // The sound group ends with its sound: drop its rest and leave it and the groups inside it.
  script_.DiscardThroughMark();
  for (;;) {
    if (contexts_.empty()) {
      script_.Clear();
      return;
    }
    PopContext();
    if (contexts_.size() < soundLevel_) return;
  }
}

void ScriptPlayer::EndRun() {
  script_.Clear();
  while (!contexts_.empty()) PopContext();
}

void ScriptPlayer::StopRunaway(const std::string& why) {
  // End the run first: steps run while the box is open must find it ended.
  EndRun();
  std::string message = "The animation script \"" + label_ + "\" was stopped: " + why;
  if (!lastName_.empty()) message += " (the name expanded last was \"" + lastName_ + "\")";
  host_.ShowMessage(message + ".");
}

}  // namespace card
