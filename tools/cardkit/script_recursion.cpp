// Finding runs that nest inside each other: the names each script runs for certain, the
// shortest cycle of them back to a script, and what one round of it leaves open.
#include "tools/cardkit/script_recursion.h"

#include "animation/player/script_player.h"
#include "content/content_damage.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <set>
#include <vector>

namespace card::kit {
namespace {

// A name that every run of `caller` runs, and what the run did before it.
struct Call {
  std::string caller;
  std::string callee;
  NameUse use;
  Move moved;            // the moves made for certain before the name
  bool mayMove = false;  // some other move may have been made before it
};

Move Add(Move a, Move b) { return {SaturatingAdd(a.dx, b.dx), SaturatingAdd(a.dy, b.dy)}; }

bool HasMove(const Sequence& items) {
  return std::any_of(items.begin(), items.end(), [](const Item& item) {
    if (item.kind == Item::Kind::Move) return item.move != Move{};
    return std::any_of(item.choices.begin(), item.choices.end(), HasMove);
  });
}

class RecursionAnalysis {
 public:
  explicit RecursionAnalysis(const std::map<std::string, ScriptFacts>& scripts)
      : scripts_(scripts) {
    FindMovingScripts();
    for (const auto& [name, facts] : scripts_) {
      calls_[name] = CertainCalls(name, facts.items);
      cardHasBounds_ = cardHasBounds_ || facts.declaresBounds;
    }
  }

  // The calls that lead from `name` back to it by the fewest scripts; empty when none do.
  std::vector<Call> CycleFrom(const std::string& name) const {
    std::map<std::string, const Call*> reachedBy;
    std::deque<std::string> pending{name};
    while (!pending.empty()) {
      const std::string caller = pending.front();
      pending.pop_front();
      for (const Call& call : calls_.at(caller)) {
        if (call.callee == name) return PathTo(call, reachedBy);
        if (reachedBy.emplace(call.callee, &call).second) pending.push_back(call.callee);
      }
    }
    return {};
  }

  // Bounds in force end a run that moves the figure at their edge, with every group nested in
  // the one that declared them.
  bool BoundsMayEnd(const std::vector<Call>& cycle) const {
    if (!cardHasBounds_) return false;
    Move moved;
    for (const Call& call : cycle) {
      if (call.mayMove) return true;
      moved = Add(moved, call.moved);
    }
    return moved != Move{};
  }

 private:
  static std::vector<Call> PathTo(const Call& last,
                                  const std::map<std::string, const Call*>& reachedBy) {
    std::vector<Call> path{last};
    for (auto at = reachedBy.find(last.caller); at != reachedBy.end();
         at = reachedBy.find(at->second->caller)) {
      path.insert(path.begin(), *at->second);
    }
    return path;
  }

  // The scripts whose runs may move the figure: by a move of their own or of a script they name.
  void FindMovingScripts() {
    for (const auto& [name, facts] : scripts_) {
      if (HasMove(facts.items)) moving_.insert(name);
    }
    const auto moves = [this](const std::string& name) { return moving_.contains(name); };
    for (bool changed = true; changed;) {
      changed = false;
      for (const auto& [name, facts] : scripts_) {
        if (!moves(name) && std::any_of(facts.names.begin(), facts.names.end(), moves)) {
          changed = moving_.insert(name).second;
        }
      }
    }
  }

  // Whether a name or a choice may move the figure (a move token's move is known).
  bool MayMove(const Item& item) const {
    if (item.kind == Item::Kind::Name) return moving_.contains(item.name);
    return std::any_of(item.choices.begin(), item.choices.end(), [this](const Sequence& s) {
      return HasMove(s) ||
             std::any_of(s.begin(), s.end(), [this](const Item& i) { return MayMove(i); });
    });
  }

  // The defined names that every run of `items` reaches, outside sound groups (whose sound
  // ends them), each at its first place.
  std::vector<Call> CertainCalls(const std::string& caller, const Sequence& items) const {
    std::vector<Call> calls;
    Move moved;
    bool mayMove = false;
    for (const Item& item : items) {
      if (item.kind == Item::Kind::Move) moved = Add(moved, item.move);
      if (item.kind == Item::Kind::Name && !item.use.around.inSoundGroup &&
          scripts_.contains(item.name)) {
        calls.push_back({caller, item.name, item.use, moved, mayMove});
      }
      if (item.kind == Item::Kind::Choice) {
        for (Call call : CallsOfEveryAlternative(caller, item)) {
          call.moved = Add(moved, call.moved);
          call.mayMove = call.mayMove || mayMove;
          calls.push_back(std::move(call));
        }
      }
      mayMove = mayMove || MayMove(item);
    }
    return calls;
  }

  // The calls that every alternative the choice can draw makes, as its first alternative does.
  std::vector<Call> CallsOfEveryAlternative(const std::string& caller, const Item& choice) const {
    if (choice.choices.empty()) return {};
    std::vector<std::vector<Call>> each;
    for (const Sequence& alternative : choice.choices) {
      each.push_back(CertainCalls(caller, alternative));
    }
    std::vector<Call> common;
    for (const Call& call : each.front()) {
      const bool everywhere = std::all_of(each.begin() + 1, each.end(), [&](const auto& calls) {
        return std::any_of(calls.begin(), calls.end(),
                           [&](const Call& c) { return c.callee == call.callee; });
      });
      if (everywhere) common.push_back(call);
    }
    return common;
  }

  const std::map<std::string, ScriptFacts>& scripts_;
  std::map<std::string, std::vector<Call>> calls_;
  std::set<std::string> moving_;
  bool cardHasBounds_ = false;
};

// How many rounds of the cycle the player's caps allow; nothing when a round leaves nothing.
std::optional<std::size_t> RoundsBeforeACap(const std::vector<Call>& cycle,
                                            const std::map<std::string, ScriptFacts>& scripts) {
  std::size_t groups = 0;
  std::size_t savedBytes = 0;
  std::size_t scriptBytes = 0;
  for (const Call& call : cycle) {
    const ScriptFacts& callee = scripts.at(call.callee);
    // A name that expands to a group keeps its text and leaves its ')' until it ends.
    const std::size_t ownGroup = callee.expandsToGroup ? 1 : 0;
    const OpenAround& around = call.use.around;
    groups += around.groups + ownGroup;
    savedBytes += around.savedBytes + ownGroup * callee.expansionBytes;
    scriptBytes += around.leftBehind + ownGroup;
  }
  std::optional<std::size_t> rounds;
  const auto cap = [&rounds](std::size_t limit, std::size_t perRound) {
    if (perRound != 0) rounds = std::min(rounds.value_or(limit), limit / perRound);
  };
  const PlayerCaps caps;
  cap(caps.depth, groups);
  cap(caps.savedItemBytes, savedBytes);
  cap(caps.scriptBytes, scriptBytes);
  return rounds;
}

std::string NestingMessage(const std::vector<Call>& cycle, std::size_t rounds) {
  const std::string first = QuotedName(cycle.front().caller);
  std::string path;
  if (cycle.size() > 1) {
    for (const Call& call : cycle) path += QuotedName(call.caller) + " -> ";
    path = " (" + path + first + ")";
  }
  return first + " runs itself again" + path +
         " before it has ended, so each run nests inside the last and the card stops with an "
         "error after about " +
         std::to_string(rounds) +
         " runs; to repeat, use \"@N\" or \"*N\", which repeat without growing.";
}

}  // namespace

void ReportNestingRecursions(const std::map<std::string, ScriptFacts>& scripts,
                             const ExpandsFinitely& expandsFinitely, const PlaceOf& placeOf,
                             Diagnostics& out) {
  const RecursionAnalysis analysis(scripts);
  for (const auto& [name, facts] : scripts) {
    const std::vector<Call> cycle = analysis.CycleFrom(name);
    if (cycle.empty()) continue;
    // Once a cycle, from its first script in sorted order; an endless one is reported already.
    const auto earlier = [&name](const Call& call) { return call.caller < name; };
    if (std::any_of(cycle.begin(), cycle.end(), earlier)) continue;
    const auto endless = [&](const Call& call) { return !expandsFinitely(call.caller); };
    if (std::any_of(cycle.begin(), cycle.end(), endless)) continue;
    if (analysis.BoundsMayEnd(cycle)) continue;
    const auto rounds = RoundsBeforeACap(cycle, scripts);
    if (!rounds) continue;
    const DiagnosticPlace place = placeOf(cycle.back().caller, cycle.back().use.position);
    out.Warning(place.file, place.place, NestingMessage(cycle, *rounds));
  }
}

}  // namespace card::kit
