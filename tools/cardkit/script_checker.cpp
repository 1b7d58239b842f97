// Static checking of scripts: each is read with the card's own tokenizer, token by token, as a
// step would read it; groups are followed inline and each choice alternative is read as the
// group it runs as. What each script runs is kept, to find definitions that would expand for
// ever within one step and runs that nest inside each other without end.
#include "tools/cardkit/script_checker.h"

#include "animation/script/bounds_spec.h"
#include "animation/script/choice.h"
#include "animation/script/script_numbers.h"
#include "animation/script/script_rewrites.h"
#include "animation/script/script_stack.h"
#include "content/content_file_names.h"
#include "tools/cardkit/script_facts.h"
#include "tools/cardkit/script_recursion.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace card::kit {
namespace {

const std::string kFasName(kFramesFile);
constexpr int kMissingFramesListed = 5;

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == static_cast<unsigned char>(kBoundsDelimiter)) {
      out += "\xC2\xA9";
    } else if (byte < 0x20 || byte >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// True when `token` ends with the closer that matches its opening character.
bool IsClosed(std::string_view token, char opener, char closer) {
  int depth = 0;
  for (std::size_t i = 0; i < token.size(); ++i) {
    if (token[i] == opener) ++depth;
    if (token[i] == closer && --depth == 0) return i + 1 == token.size();
  }
  return false;
}

bool HasFrameKey(const FasFile& fas, std::uint16_t key) {
  const std::uint32_t i = fas.FindFrameKey(key);
  return i < fas.FrameCount() && fas.FrameKey(i) == key;
}

bool IsWellFormedMove(std::string_view token) {
  const ParsedNumber dx = ParseSigned(token, 1);
  if (dx.end == 1 || dx.end >= token.size() || token[dx.end] != ',') return false;
  const ParsedNumber dy = ParseSigned(token, dx.end + 1);
  return dy.end > dx.end + 1 && dy.end + 1 == token.size() && token[dy.end] == ']';
}

// Where a script, or the 0-based character `position` of it, was written.
DiagnosticPlace ScriptPlace(const std::string& name, const ScriptPlaces& places,
                            std::optional<std::size_t> position = std::nullopt) {
  if (places) {
    if (auto place = places(name, position)) return *place;
  }
  std::string place = "script " + Quoted(name);
  if (position) place += ", character " + std::to_string(*position + 1);
  return {kFasName, place};
}

class ScriptScanner {
 public:
  ScriptScanner(const FasFile& fas, const WasFile* bank, std::string script, Diagnostics& out,
                const ScriptPlaces& places)
      : fas_(fas), bank_(bank), script_(std::move(script)), out_(out), places_(places) {}

  // Reads `text`, which starts at character `base` of the script, as one balanced sequence
  // that runs inside `around`.
  Sequence Scan(std::string_view text, std::size_t base, const OpenAround& around,
                ScriptFacts& facts);

 private:
  DiagnosticPlace Place(std::size_t position) const {
    return ScriptPlace(script_, places_, position);
  }
  void Error(std::size_t position, std::string text) {
    DiagnosticPlace place = Place(position);
    out_.Error(std::move(place.file), std::move(place.place), std::move(text));
  }
  void Warning(std::size_t position, std::string text) {
    DiagnosticPlace place = Place(position);
    out_.Warning(std::move(place.file), std::move(place.place), std::move(text));
  }

  Item::Kind CheckFrame(const Token& token, std::size_t at);
  void CheckRange(const Token& token, std::size_t at);
  void CheckName(const Token& token, std::size_t at);
  void CheckSound(const Token& token, std::size_t at);
  void CheckBounds(const Token& token, std::size_t at);
  void CheckMove(const Token& token, std::size_t at);
  Item ScanChoice(const Token& token, std::size_t at, const OpenAround& inside,
                  ScriptFacts& facts);

  const FasFile& fas_;
  const WasFile* bank_;
  std::string script_;
  Diagnostics& out_;
  const ScriptPlaces& places_;
};

Sequence ScriptScanner::Scan(std::string_view text, std::size_t base, const OpenAround& around,
                             ScriptFacts& facts) {
  Sequence items;
  ScriptStack stack;
  if (!stack.PushFront(text)) {
    Error(base, "the script is longer than a run can hold.");
    return items;
  }
  struct OpenGroup {
    std::size_t where;
    std::size_t bytes;  // its text, which it keeps while open
    bool sound;
  };
  std::vector<OpenGroup> open;
  // What is open around the token just read.
  const auto openHere = [&] {
    OpenAround here = around;
    here.groups += open.size();
    here.leftBehind += stack.Size();
    for (const OpenGroup& group : open) {
      here.savedBytes += group.bytes;
      here.inSoundGroup = here.inSoundGroup || group.sound;
    }
    return here;
  };
  while (!stack.Empty()) {
    std::size_t at = text.size() - stack.Size();
    while (at < text.size() && text[at] == ' ') ++at;
    const std::size_t where = base + at;
    const Token token = stack.NextToken(false);
    switch (token.kind) {
      case TokenKind::Frame:
        items.push_back({CheckFrame(token, where), {}, {}, {}, {}});
        break;
      case TokenKind::Range:
        CheckRange(token, where);
        items.push_back({Item::Kind::Frame, {}, {}, {}, {}});
        break;
      case TokenKind::Name: {
        CheckName(token, where);
        facts.names.insert(token.text);
        items.push_back({Item::Kind::Name, token.text, {where, openHere()}, {}, {}});
        break;
      }
      case TokenKind::Sound:
        CheckSound(token, where);
        // A second sound waits for the first, which ends the step: a loop through a sound
        // cannot spin within one step, so the analysis treats it like a frame.
        items.push_back({Item::Kind::Frame, {}, {}, {}, {}});
        break;
      case TokenKind::Group:
      case TokenKind::SoundGroup:
        open.push_back({where, token.text.size(), token.kind == TokenKind::SoundGroup});
        break;
      case TokenKind::GroupEnd:
      case TokenKind::SoundMark:
        if (token.kind == TokenKind::SoundMark && text[at] == kSoundMark) {
          Error(where,
                "the byte 0x7F is the player's own sound-group mark and cannot be written in a "
                "script.");
        } else if (open.empty()) {
          Error(where, "this ')' closes no group.");
        } else {
          open.pop_back();
        }
        break;
      case TokenKind::ChoiceEnd:
        Error(where, "this '}' closes no choice.");
        break;
      case TokenKind::Choice: {
        // The drawn alternative runs as a group that keeps the choice's text, closed by '}'.
        OpenAround inside = openHere();
        inside.groups += 1;
        inside.savedBytes += token.text.size();
        inside.leftBehind += 1;
        items.push_back(ScanChoice(token, where, inside, facts));
        break;
      }
      case TokenKind::Bounds:
        CheckBounds(token, where);
        facts.declaresBounds = true;
        break;
      case TokenKind::Move:
        CheckMove(token, where);
        items.push_back({Item::Kind::Move, {}, {}, {}, ParseMoveToken(token.text)});
        break;
      case TokenKind::End:
        if (at < text.size()) {
          Error(where, "the character " + Quoted(text.substr(at, 1)) +
                           " is not part of the script language; the run would end here.");
        }
        break;
      default:  // separators, notes, repeats: nothing can go wrong with them
        break;
    }
  }
  for (const OpenGroup& group : open) Error(group.where, "this '(' is never closed.");
  return items;
}

Item::Kind ScriptScanner::CheckFrame(const Token& token, std::size_t at) {
  const std::int32_t id = ParseDigits(token.text, 0).value;
  const auto key = static_cast<std::uint16_t>(id & 0xFFFF);
  if (!HasFrameKey(fas_, key)) {
    Error(at, "there is no frame " + std::to_string(key) + "; the card would show frame " +
                  std::to_string(fas_.FrameKey(0)) + " instead.");
  } else if (id > 0xFFFF) {
    Warning(at, "frame id " + token.text + " shows the frame " + std::to_string(key) +
                    " (only its low 16 bits count).");
  }
  return Item::Kind::Frame;
}

void ScriptScanner::CheckRange(const Token& token, std::size_t at) {
  if (!RangeExpansion(token.text, ScriptStack::kMaxBytes)) {
    Error(at, "the range " + Quoted(token.text) + " is too long for a run to hold.");
    return;
  }
  const ParsedNumber first = ParseDigits(token.text, 0);
  const std::int64_t last = ParseDigits(token.text, first.end + 1).value;
  const std::int64_t step = first.value >= last ? -1 : 1;
  std::vector<std::int64_t> missing;
  for (std::int64_t v = first.value;; v += step) {
    if (!HasFrameKey(fas_, static_cast<std::uint16_t>(v & 0xFFFF))) missing.push_back(v);
    if (v == last) break;
  }
  if (missing.empty()) return;
  std::string list;
  for (std::size_t i = 0; i < missing.size() && i < kMissingFramesListed; ++i) {
    list += (i ? ", " : "") + std::to_string(missing[i]);
  }
  if (missing.size() > kMissingFramesListed) {
    list += " and " + std::to_string(missing.size() - kMissingFramesListed) + " more";
  }
  Error(at, "the range " + Quoted(token.text) + " names frames that do not exist: " + list + ".");
}

void ScriptScanner::CheckName(const Token& token, std::size_t at) {
  if (fas_.FindScript(token.text)) return;
  std::string text = "the name " + Quoted(token.text) +
                     " is not defined; the card would show frame " +
                     std::to_string(fas_.FrameKey(0)) + " instead.";
  const NameDirectory& scripts = fas_.Scripts();
  for (std::size_t i = 0; i < scripts.Count(); ++i) {
    if (Lower(scripts.Name(i)) == Lower(token.text)) {
      text += " Did you mean " + Quoted(scripts.Name(i)) + "? Names are case-sensitive.";
      break;
    }
  }
  Error(at, text);
}

void ScriptScanner::CheckSound(const Token& token, std::size_t at) {
  const std::string name = token.text.substr(1);
  if (name.empty()) {
    Error(at, "this '!' names no sound.");
  } else if (!bank_) {
    Error(at, "the sound " + Quoted(name) +
                  " cannot play: there is no Card.WAS (the build makes it from sounds/*.wav).");
  } else if (!bank_->FindSound(name)) {
    Error(at, "the sound " + Quoted(name) + " is not in Card.WAS: there is no sounds/" + name +
                  ".wav.");
  }
}

void ScriptScanner::CheckBounds(const Token& token, std::size_t at) {
  if (token.text.size() < 2 || token.text.back() != kBoundsDelimiter) {
    Error(at, "this bounds specification is never closed with '>' (or '\xC2\xA9').");
    return;
  }
  BoundsReferences references;
  references.workArea = [] { return Rect{0, 0, 1024, 738}; };
  references.viewWidth = fas_.Width();
  references.viewHeight = fas_.Height();
  references.control = [](int id) -> std::optional<Rect> {
    if (std::find(std::begin(kCardControlIds), std::end(kCardControlIds), id) ==
        std::end(kCardControlIds)) {
      return std::nullopt;
    }
    return Rect{0, 0, 10, 10};
  };
  auto bounds = ParseBounds(token.text, references);
  if (!bounds) {
    Error(at, "the bounds " + Quoted(token.text) + " cannot be evaluated: " + bounds.error());
  }
}

void ScriptScanner::CheckMove(const Token& token, std::size_t at) {
  if (token.text.back() != ']') {
    Error(at, "this '[' is never closed.");
  } else if (!IsWellFormedMove(token.text)) {
    const Move move = ParseMoveToken(token.text);
    Warning(at, "the move " + Quoted(token.text) + " is not written as [dx,dy]; it moves by (" +
                    std::to_string(move.dx) + ", " + std::to_string(move.dy) + ").");
  }
}

Item ScriptScanner::ScanChoice(const Token& token, std::size_t at, const OpenAround& inside,
                               ScriptFacts& facts) {
  Item item{Item::Kind::Choice, {}, {}, {}, {}};
  if (!IsClosed(token.text, '{', '}')) {
    Error(at, "this '{' is never closed.");
    return item;
  }
  const std::vector<ChoiceAlternative> alternatives = ChoiceAlternatives(token.text);
  int total = 0;
  for (const ChoiceAlternative& alternative : alternatives) total += alternative.weight;
  if (total == 0) Error(at, "the weights of this choice add up to 0, so nothing can be drawn.");
  if (token.text.find('{', 1) != std::string::npos) {
    // Alternatives are split at every '|', so the pieces of an inner choice are not worth reading.
    Warning(at, "choices do not nest: the '|' of the inner choice also splits the outer one.");
    return item;
  }
  for (const ChoiceAlternative& alternative : alternatives) {
    const auto offset = static_cast<std::size_t>(alternative.text.data() - token.text.data());
    Sequence drawn = Scan(alternative.text, at + offset, inside, facts);
    if (alternative.weight > 0) item.choices.push_back(std::move(drawn));
  }
  return item;
}

// Which scripts show a frame for certain, and which expand within finite work (by showing a
// frame or by running out), found as least fixed points over all scripts.
class ExpansionAnalysis {
 public:
  explicit ExpansionAnalysis(const std::map<std::string, ScriptFacts>& scripts)
      : scripts_(scripts) {
    for (bool changed = true; changed;) {
      changed = false;
      for (const auto& [name, facts] : scripts_) {
        if (!shows_.contains(name) && Shows(facts.items)) changed = shows_.insert(name).second;
        if (!finite_.contains(name) && Finite(facts.items)) changed = finite_.insert(name).second;
      }
    }
  }

  bool IsFinite(const std::string& name) const { return finite_.contains(name); }

  // The first name in `items` whose expansion never ends.
  std::optional<std::string> Culprit(const Sequence& items) const {
    for (const Item& item : items) {
      if (item.kind == Item::Kind::Name && !NameFinite(item.name)) return item.name;
      if (item.kind == Item::Kind::Choice && !ChoiceFinite(item)) {
        for (const Sequence& alternative : item.choices) {
          if (auto culprit = Culprit(alternative)) return culprit;
        }
      }
      if (ItemShows(item)) return std::nullopt;
    }
    return std::nullopt;
  }

 private:
  // An undefined name shows frame 0.
  bool NameShows(const std::string& name) const {
    return !scripts_.contains(name) || shows_.contains(name);
  }
  bool NameFinite(const std::string& name) const {
    return !scripts_.contains(name) || finite_.contains(name);
  }

  bool ItemShows(const Item& item) const {
    switch (item.kind) {
      case Item::Kind::Frame:
        return true;
      case Item::Kind::Name:
        return NameShows(item.name);
      case Item::Kind::Choice:
        return !item.choices.empty() && std::all_of(item.choices.begin(), item.choices.end(),
                                                    [this](const Sequence& s) { return Shows(s); });
      case Item::Kind::Move:
      case Item::Kind::Neutral:
        return false;
    }
    return false;
  }

  // A choice is drawn again and again only while it draws endless alternatives; one finite
  // alternative is enough for the draw to end.
  bool ChoiceFinite(const Item& item) const {
    return item.choices.empty() || std::any_of(item.choices.begin(), item.choices.end(),
                                               [this](const Sequence& s) { return Finite(s); });
  }

  bool Shows(const Sequence& items) const {
    return std::any_of(items.begin(), items.end(),
                       [this](const Item& item) { return ItemShows(item); });
  }

  bool Finite(const Sequence& items) const {
    for (const Item& item : items) {
      if (item.kind == Item::Kind::Name && !NameFinite(item.name)) return false;
      if (item.kind == Item::Kind::Choice && !ChoiceFinite(item)) return false;
      if (ItemShows(item)) return true;
    }
    return true;
  }

  const std::map<std::string, ScriptFacts>& scripts_;
  std::set<std::string> shows_;
  std::set<std::string> finite_;
};

void ReportEndlessExpansions(const std::map<std::string, ScriptFacts>& scripts,
                             const ExpansionAnalysis& analysis, const ScriptPlaces& places,
                             Diagnostics& out) {
  for (const auto& [name, facts] : scripts) {
    if (analysis.IsFinite(name)) continue;
    // Follow the culprits; report the loop once, at its first name in sorted order.
    std::vector<std::string> chain{name};
    while (auto next = analysis.Culprit(scripts.at(chain.back()).items)) {
      const bool closes = std::find(chain.begin(), chain.end(), *next) != chain.end();
      chain.push_back(*next);
      if (closes) break;
    }
    if (chain.back() != name) continue;
    if (*std::min_element(chain.begin(), chain.end() - 1) != name) continue;
    std::string path;
    for (const std::string& step : chain) path += (path.empty() ? "" : " -> ") + Quoted(step);
    DiagnosticPlace place = ScriptPlace(name, places);
    out.Error(
        place.file, place.place,
        "its expansion never shows a frame: " + path + " goes round for ever within one step.");
  }
}

void CheckDirectory(const FasFile& fas, const std::map<std::string, ScriptFacts>& scripts,
                    const ScriptPlaces& places, Diagnostics& out) {
  const NameDirectory& directory = fas.Scripts();
  for (std::size_t i = 1; i < directory.Count(); ++i) {
    if (CompareNames(directory.Name(i - 1), directory.Name(i)) >= 0) {
      out.Error(kFasName, "", "the script names are not in order, so some cannot be found.");
      break;
    }
  }
  for (std::uint32_t i = 1; i < fas.FrameCount(); ++i) {
    if (fas.FrameKey(i - 1) >= fas.FrameKey(i)) {
      out.Error(kFasName, "",
                "the frame keys are not in rising order, so some frames cannot be found.");
      break;
    }
  }
  if (!scripts.contains("do")) {
    out.Error(kFasName, "", "there is no script named \"do\", the one the card plays.");
    return;
  }
  std::map<std::string, std::string> byLowerCase;
  for (const auto& [name, facts] : scripts) {
    auto [it, inserted] = byLowerCase.emplace(Lower(name), name);
    if (!inserted) {
      DiagnosticPlace place = ScriptPlace(name, places);
      out.Warning(place.file, place.place,
                  "its name differs from " + Quoted(it->second) +
                      " only in case; they are different scripts.");
    }
  }
  std::set<std::string> reached{"do"};
  std::vector<std::string> pending{"do"};
  while (!pending.empty()) {
    const std::string name = pending.back();
    pending.pop_back();
    for (const std::string& used : scripts.at(name).names) {
      if (scripts.contains(used) && reached.insert(used).second) pending.push_back(used);
    }
  }
  for (const auto& [name, facts] : scripts) {
    if (!reached.contains(name)) {
      DiagnosticPlace place = ScriptPlace(name, places);
      out.Warning(place.file, place.place, "no script the card plays refers to it.");
    }
  }
}

}  // namespace

void CheckScripts(const FasFile& fas, const WasFile* bank, Diagnostics& diagnostics,
                  const ScriptPlaces& places) {
  std::map<std::string, ScriptFacts> scripts;
  const NameDirectory& directory = fas.Scripts();
  for (std::size_t i = 0; i < directory.Count(); ++i) {
    const std::string name(directory.Name(i));
    const char* text = fas.FindScript(name);
    if (!text) continue;  // an unsorted directory, reported below
    ScriptScanner scanner(fas, bank, name, diagnostics, places);
    ScriptFacts facts;
    facts.items = scanner.Scan(text, 0, {}, facts);
    const std::size_t length = std::string_view(text).size();
    facts.expansionBytes = NameExpansion(text).size();
    facts.expandsToGroup = facts.expansionBytes == length + 2;
    scripts[name] = std::move(facts);
  }
  CheckDirectory(fas, scripts, places, diagnostics);
  const ExpansionAnalysis expansions(scripts);
  ReportEndlessExpansions(scripts, expansions, places, diagnostics);
  ReportNestingRecursions(
      scripts, [&expansions](const std::string& name) { return expansions.IsFinite(name); },
      [&places](const std::string& name, std::size_t position) {
        return ScriptPlace(name, places, position);
      },
      diagnostics);
}

}  // namespace card::kit
