// Leftover private folders against a fake listing of the temporary folder: only a real folder of
// ours, holding only what the start code writes, is ever taken for one.
#include "package/leftover_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace card {
namespace {

ListedEntry File(std::string name) { return {std::move(name), false, false}; }

// A leftover of a crashed run of the sample card.
LeftoverCandidate Leftover() {
  return {{"ZelkCard-0A1B2C3D", true, false},
          true,
          {File("in-use.lock"), File("msg.txt"), File("Layout.txt"), File("Card.FAS"),
           File("Card.WAS"), File("card.mid"), File("logo.bmp"), File("zelk.htm")}};
}

TEST(LeftoverFolder, OneOfOursIsRemovable) {
  EXPECT_TRUE(IsRemovableLeftover(Leftover()));
  LeftoverCandidate empty = Leftover();
  empty.contents.clear();
  EXPECT_TRUE(IsRemovableLeftover(empty)) << "a run that ended before unpacking";
}

TEST(LeftoverFolder, AnythingElseIsLeftAlone) {
  const struct {
    const char* what;
    void (*change)(LeftoverCandidate&);
  } cases[] = {
      {"a junction", [](LeftoverCandidate& c) { c.entry.reparsePoint = true; }},
      {"a file", [](LeftoverCandidate& c) { c.entry.folder = false; }},
      {"another user's", [](LeftoverCandidate& c) { c.ownedByCurrentUser = false; }},
      {"a name in other case", [](LeftoverCandidate& c) { c.entry.name = "zelkcard-0A1B2C3D"; }},
      {"lower-case digits", [](LeftoverCandidate& c) { c.entry.name = "ZelkCard-0a1b2c3d"; }},
      {"a longer name", [](LeftoverCandidate& c) { c.entry.name = "ZelkCard-0A1B2C3D0"; }},
      {"a folder inside", [](LeftoverCandidate& c) { c.contents.push_back({"sub", true, false}); }},
      {"a link inside",
       [](LeftoverCandidate& c) { c.contents.push_back({"Card.FAS2", false, true}); }},
      {"a program", [](LeftoverCandidate& c) { c.contents.push_back(File("card.exe")); }},
      {"a name no card holds",
       [](LeftoverCandidate& c) { c.contents.push_back(File("..\\Documents")); }},
      {"a device", [](LeftoverCandidate& c) { c.contents.push_back(File("CON")); }},
      {"too many files",
       [](LeftoverCandidate& c) {
         for (int i = 0; i < 101; ++i) c.contents.push_back(File("p" + std::to_string(i) + ".bmp"));
       }},
  };
  for (const auto& c : cases) {
    LeftoverCandidate candidate = Leftover();
    c.change(candidate);
    EXPECT_FALSE(IsRemovableLeftover(candidate)) << c.what;
  }
}

}  // namespace
}  // namespace card
