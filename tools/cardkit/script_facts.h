// What the script checker keeps of each script once it has read it: the tokens that matter for
// what a run of it does (frames, the names it runs, its choices and moves) in reading order,
// and where each name is used, so the analyses of endless expansions and of runs that nest
// inside each other need not read the text again.
#pragma once

#include "animation/script/script_numbers.h"

#include <cstddef>
#include <set>
#include <string>
#include <vector>

namespace card::kit {

// What a run has open on the stack around a place in a script, from the script's start.
struct OpenAround {
  std::size_t groups = 0;      // groups and choices around it
  std::size_t savedBytes = 0;  // the text they keep for their repeats
  std::size_t leftBehind = 0;  // the script's bytes still to read after the place
  bool inSoundGroup = false;   // a group whose sound ends it, whatever it runs
};

// Where a script names another, and what is open around the name.
struct NameUse {
  std::size_t position = 0;  // 0-based character of the name in its script
  OpenAround around;
};

struct Item;
using Sequence = std::vector<Item>;
struct Item {
  enum class Kind { Frame, Name, Choice, Move, Neutral };
  Kind kind = Kind::Neutral;
  std::string name;               // Kind::Name
  NameUse use;                    // Kind::Name
  std::vector<Sequence> choices;  // Kind::Choice: the alternatives that can be drawn
  Move move;                      // Kind::Move
};

struct ScriptFacts {
  Sequence items;
  std::set<std::string> names;  // every name the script refers to
  bool declaresBounds = false;
  // Bytes a name pushes for this script and whether they open a group of its own.
  std::size_t expansionBytes = 0;
  bool expandsToGroup = false;
};

}  // namespace card::kit
