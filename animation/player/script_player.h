// The animation player: runs a card's script one step per timer tick, showing at most one frame
// a step, through a PlayerHost that does everything outside the core (the figure window, sounds,
// the clock, message boxes). The Windows view and the authoring tool's simulator own one each.
//
// How a view drives it:
//   Start("do")    appends a run of the named script; start the 100 ms timer.
//   Step()         on every tick; when it returns false the run has ended: stop the timer and
//                  show the card window.
//   OnSoundDone()  exactly once for every host.StartSound, never inside a step.
// Steps may run while a message box of an earlier step is open (the box's modal loop delivers
// ticks); the host's ShowMessage may call Step itself.
//
// Runaway scripts (a name whose text names itself, a repeat that never shows a frame) are
// stopped by the caps below: its run ends with a message box naming the script, and the next
// tick finds it ended.
#pragma once

#include "animation/player/player_host.h"
#include "animation/script/card_random.h"
#include "animation/script/script_numbers.h"
#include "animation/script/script_stack.h"
#include "common/geometry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace card {

// The script stored under exactly `name` (case matters), or nothing.
using ScriptLookup = std::function<std::optional<std::string_view>(std::string_view name)>;

// How far a run may go before it is stopped as a runaway. The defaults are each far beyond
// what a card needs; a fuzzing harness, which must spend little on each input, lowers them.
struct PlayerCaps {
  // The work of one step: tokens, and script bytes read, scanned, copied or pushed. A step of
  // a real card reads a few dozen tokens and touches a few KB (the first step of a large
  // script, opening its nested groups, some hundred KB).
  int stepTokens = 100000;
  std::uint64_t stepWork = std::uint64_t{8} << 20;
  // The remaining script text; at most the stack's own limit, 1 MiB.
  std::size_t scriptBytes = ScriptStack::kMaxBytes;
  // Open groups (group levels are 16-bit). Cards nest a handful; a script that loops by naming
  // itself at its end opens one per cycle and reaches this only after hours.
  std::size_t depth = 65535;
  // Text the open groups keep for their repeats.
  std::size_t savedItemBytes = std::size_t{16} << 20;
};

class ScriptPlayer {
 public:
  // `viewWidth` and `viewHeight` are the figure's frame size (the view's window size).
  ScriptPlayer(PlayerHost& host, ScriptLookup scripts, std::int32_t viewWidth,
               std::int32_t viewHeight, const PlayerCaps& caps = PlayerCaps());
  ScriptPlayer(const ScriptPlayer&) = delete;
  ScriptPlayer& operator=(const ScriptPlayer&) = delete;

  // Appends a run of the script `label`, wrapped in a group. Nothing else is reset: the item,
  // bounds, pending move, open groups and window position carry over from the last run.
  void Start(std::string_view label);
  // Runs tokens until one frame is shown, a sound has to be waited for, or the script has run
  // out. False when the run has ended: the script is empty and no script sound plays. A step
  // that shows a message box (a faulty bounds token, a runaway script) is abandoned when the
  // box closes and returns true; what it read stays read.
  bool Step();
  // The sound started last has ended (or could not play). Ends the sound group it belongs to.
  void OnSoundDone();
  // Ends the run now, as the end of its script does: what is left of it is dropped. A sound that
  // still plays is done as before, with OnSoundDone.
  void EndRun();

  // The state the script language refers to, for the authoring tool and the tests.
  bool SoundBusy() const { return soundBusy_; }
  const std::string& Item() const { return item_; }
  std::int32_t ItemStart() const { return itemStart_; }
  const Rect& Bounds() const { return bounds_; }
  std::size_t BoundsLevel() const { return boundsLevel_; }
  Move PendingMove() const { return pendingMove_; }
  std::size_t Depth() const { return contexts_.size(); }
  std::string RemainingScript() const { return script_.Remaining(); }

 private:
  // What an open group saved when it began, restored when it ends.
  struct GroupContext {
    std::string item;
    std::int32_t itemStart = 0;
    Rect bounds;
    std::size_t boundsLevel = 0;
  };
  // What one token leaves the step to do.
  enum class TokenResult {
    ReadOn,   // read the next token
    EndStep,  // the step is over (a frame, a wait, a message); the run goes on
    EndRun,   // the script has run out and no sound plays
  };
  TokenResult Handle(const Token& token);
  void BeginItem(const std::string& text);
  // These return false when they stopped the run (a cap) or abandoned the step (a message).
  bool Push(std::string_view text);
  bool ExpandName(const std::string& name);
  bool ExpandRange(const std::string& token);
  bool TakeBounds(const std::string& token);
  bool PushContext();
  void PopContext();
  void MoveAndShow(Move move, std::int32_t frameId);
  void UnwindTo(std::size_t level);
  void StopRunaway(const std::string& why);

  PlayerHost& host_;
  ScriptLookup scripts_;
  PlayerCaps caps_;
  std::int32_t viewWidth_;
  std::int32_t viewHeight_;
  CardRandom random_;
  ScriptStack script_;

  bool boundsChanged_ = false;
  std::string item_;
  bool itemBegun_ = false;
  std::int32_t itemStart_ = 0;
  Rect bounds_;
  std::size_t boundsLevel_ = 0;
  std::size_t soundLevel_ = 0;
  Move pendingMove_;
  bool soundBusy_ = false;
  std::vector<GroupContext> contexts_;
  std::size_t savedItemBytes_ = 0;

  std::string label_;     // the script the last Start ran, for messages
  std::string lastName_;  // the name expanded last, for messages
};

}  // namespace card
