// The player's behaviour, step by step, through the simulated host: each case is a small card
// (its scripts and sound clips) and the lines the simulator prints for it, worked out by hand.
#include "animation/player/script_player.h"
#include "animation/player/simulated_host.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace card {
namespace {

using Lines = std::vector<std::string>;
using Scripts = std::map<std::string, std::string>;
using Clips = std::map<std::string, std::size_t>;

std::string B(const std::string& spec) { return "\xA9" + spec + "\xA9"; }

struct Card {
  Card(Scripts s, Clips c = {}, SimulatedDesktop d = {})
      : scripts(std::move(s)), clips(std::move(c)), desktop(std::move(d)) {}
  Scripts scripts;
  Clips clips;  // byte lengths; 1600 bytes play for one tick
  SimulatedDesktop desktop;
};

ScriptLookup LookupIn(const Scripts& scripts) {
  return [&scripts](std::string_view name) -> std::optional<std::string_view> {
    const auto found = scripts.find(std::string(name));
    if (found == scripts.end()) return std::nullopt;
    return found->second;
  };
}

ClipLength ClipsIn(const Clips& clips) {
  return [&clips](std::string_view name) -> std::optional<std::size_t> {
    const auto found = clips.find(std::string(name));
    if (found == clips.end()) return std::nullopt;
    return found->second;
  };
}

// The figure is 10 x 10 pixels in all cases.
constexpr std::int32_t kView = 10;

Lines Simulate(const Card& card, int runs = 1, int ticks = 200,
               const PlayerCaps& caps = PlayerCaps()) {
  Lines lines;
  SimulatedHost host(card.desktop, kView, kView, ClipsIn(card.clips),
                     [&lines](const SimulationEvent& e) { lines.push_back(FormatEvent(e)); });
  ScriptPlayer player(host, LookupIn(card.scripts), kView, kView, caps);
  RunSimulation(host, player, "do", ticks, runs);
  return lines;
}

struct PlayerCase {
  PlayerCase(const char* w, Card c, Lines e, int r = 1)
      : what(w), card(std::move(c)), expected(std::move(e)), runs(r) {}
  const char* what;
  Card card;
  Lines expected;
  int runs;
};

SimulatedDesktop At(std::int32_t x, std::int32_t y, Rect workArea = {0, 0, 1024, 768}) {
  return {{x, y}, workArea, {}};
}

void ExpectRuns(const std::vector<PlayerCase>& cases) {
  for (const PlayerCase& c : cases) {
    EXPECT_EQ(Simulate(c.card, c.runs), c.expected) << c.what;
  }
}

TEST(ScriptPlayer, PlaysTheWorkedExamples) {
  ExpectRuns({
      {"ranges, repeats of a group and a move",
       {{{"do", "1-3*2,[10,0]4"}}},
       {"1 frame 1 0 0", "2 frame 2 0 0", "3 frame 3 0 0", "4 frame 1 0 0", "5 frame 2 0 0",
        "6 frame 3 0 0", "7 frame 4 10 0", "8 end"}},
      {"weighted choices draw 8, 8, 8, 7 from the fixed sequence",
       {{{"do", "{7|8%3}"}}},
       {"1 frame 8 0 0", "2 end", "3 frame 8 0 0", "4 end", "5 frame 8 0 0", "6 end",
        "7 frame 7 0 0", "8 end"},
       4},
      {"ranges count down and a one-value range", {{{"do", "5-3,4-4"}}},
       {"1 frame 5 0 0", "2 frame 4 0 0", "3 frame 3 0 0", "4 frame 4 0 0", "5 end"}},
      {"a sound group cycles frames until its sound ends",
       {{{"do", "(!CHIME 1-4*1000)"}}, {{"CHIME", 16000}}},
       {"1 sound CHIME", "1 frame 1 0 0", "2 frame 2 0 0", "3 frame 3 0 0", "4 frame 4 0 0",
        "5 frame 1 0 0", "6 frame 2 0 0", "7 frame 3 0 0", "8 frame 4 0 0", "9 frame 1 0 0",
        "10 frame 2 0 0", "11 end"}},
  });
}

TEST(ScriptPlayer, RepeatsByTimeUntilTheTimeIsUsedUp) {
  // First shown in tick 1; three seconds later, in tick 31, the repeat has run out.
  Lines expected;
  for (int tick = 1; tick <= 30; ++tick) expected.push_back(std::to_string(tick) + " frame 9 0 0");
  expected.push_back("31 end");
  EXPECT_EQ(Simulate({{{"do", "9@30"}}}), expected);
}

TEST(ScriptPlayer, BoundsStopTheFigureAtTheEdgeAndLeaveTheirGroup) {
  // Work area 40 wide: frame 1 of cycle k puts the figure at 4k, until cycle 8 would cross
  // the right edge at 42. It stops at 30 and the rest of the bounded group is dropped.
  Lines expected;
  for (int cycle = 1; cycle <= 7; ++cycle) {
    const std::string x = std::to_string(4 * cycle);
    const int tick = 3 * cycle - 2;
    expected.push_back(std::to_string(tick) + " frame 1 " + x + " 0");
    expected.push_back(std::to_string(tick + 1) + " frame 2 " + x + " 0");
    expected.push_back(std::to_string(tick + 2) + " frame 3 " + x + " 0");
  }
  expected.insert(expected.end(), {"22 frame 1 30 0", "23 frame 9 30 0", "24 end"});
  EXPECT_EQ(Simulate({{{"do", std::string("(") + B("[0,0]0l0t,[0,0]0r0b") + "([4,0]1-3)*1000)9"}},
                      {},
                      At(0, 0, {0, 0, 40, 30})}),
            expected);
}

TEST(ScriptPlayer, AppliesMovesAndBounds) {
  ExpectRuns({
      {"moves add up and the next frame applies them once",
       {{{"do", "[2,0][3,1]5,6"}}, {}, At(10, 10)},
       {"1 frame 5 15 9", "2 frame 6 15 9", "3 end"}},
      {"a frame right after a bounds token moves the figure inside and leaves the group",
       {{{"do", std::string("(") + B("0l0t,0r0b") + "1 2)3"}}, {}, At(100, 100, {0, 0, 50, 50})},
       {"1 frame 1 40 40", "2 frame 3 40 40", "3 end"}},
      {"a figure wider than its bounds ends at their right edge",
       {{{"do", std::string("(") + B("0l0t,0r0b") + "1)"}}, {}, At(0, 0, {100, 100, 105, 200})},
       {"1 frame 1 95 100", "2 end"}},
      {"all-zero bounds restored when their group ends mean no bounds",
       {{{"do", std::string("(") + B("0l0t,0r0b") + "[-5,0]1)[-5,0]2"}}},
       {"1 frame 1 0 0", "2 frame 2 -5 0", "3 end"}},
      {"a bounds definition is not wrapped, so it bounds the group that names it",
       {{{"do", "(edge [50,0]1)[50,0]2"}, {"edge", B("0l0t,0r0b")}}, {}, At(0, 0, {0, 0, 40, 40})},
       {"1 frame 1 30 0", "2 frame 2 80 0", "3 end"}},
      {"selectors name the work area, the view and card window controls",
       {{{"do", std::string("(") + B("[0,5]0c10b,7r1b") + "1)"}},
        {},
        {{500, 500}, {0, 0, 1024, 768}, {{1, {0, 0, 60, 20}}, {7, {300, 0, 520, 10}}}}},
       {"1 frame 1 510 0", "2 end"}},
      {"a run starts where the last one left the figure, with its pending move",
       {{{"do", "[5,0]1[7,0]"}}},
       {"1 frame 1 5 0", "2 end", "3 frame 1 17 0", "4 end"},
       2},
  });
}

TEST(ScriptPlayer, PlaysSoundsOneAtATime) {
  ExpectRuns({
      {"a run that runs out while its sound plays ends after the sound",
       {{{"do", ",!LONG 1"}}, {{"LONG", 4800}}},
       {"1 sound LONG", "1 frame 1 0 0", "2 wait", "3 wait", "4 end"}},
      // A definition that begins with '!' is wrapped into '(!', a sound group: the separator
      // in front keeps these plain.
      {"a second sound waits for the first",
       {{{"do", ",!A !B"}}, {{"A", 3200}, {"B", 1}}},
       {"1 sound A", "1 wait", "2 wait", "3 sound B", "3 wait", "4 end"}},
      {"a sound group holds its last frame until its sound ends",
       {{{"do", "(!A 1,2)3"}}, {{"A", 8000}}},
       {"1 sound A", "1 frame 1 0 0", "2 frame 2 0 0", "3 wait", "4 wait", "5 wait",
        "6 frame 3 0 0", "7 end"}},
      {"'(!' waits while a script sound plays",
       {{{"do", ",!A (!B 1,2)"}}, {{"A", 3200}}},
       {"1 sound A", "1 wait", "2 wait", "3 sound B", "3 frame 1 0 0", "4 end"}},
      {"a sound group whose sound cannot play shows one frame",
       {{{"do", "(!NOPE 1,2,3)4"}}},
       {"1 sound NOPE", "1 frame 1 0 0", "2 frame 4 0 0", "3 end"}},
      {"a sound outside a sound group only ends itself",
       {{{"do", ",!A 1,2"}}, {{"A", 1600}}},
       {"1 sound A", "1 frame 1 0 0", "2 frame 2 0 0", "3 end"}},
      {"a repeated sound group runs twice: the repeat finds its mark already placed",
       {{{"do", "(!A 1)*5"}}},
       {"1 sound A", "1 frame 1 0 0", "2 sound A", "2 frame 1 0 0", "3 end"}},
  });
}

TEST(ScriptPlayer, FollowsTheLanguageEdgeCases) {
  ExpectRuns({
      {"'*1' and '*0' show once, '*3' three times",
       {{{"do", "5*1,6*0,7*3"}}},
       {"1 frame 5 0 0", "2 frame 6 0 0", "3 frame 7 0 0", "4 frame 7 0 0", "5 frame 7 0 0",
        "6 end"}},
      {"a repeated group", {{{"do", "(1,2)*3"}}},
       {"1 frame 1 0 0", "2 frame 2 0 0", "3 frame 1 0 0", "4 frame 2 0 0", "5 frame 1 0 0",
        "6 frame 2 0 0", "7 end"}},
      {"names: undefined shows frame 0, empty vanishes, leading zeros drop",
       {{{"do", "nothing,blank,07"}, {"blank", ""}}},
       {"1 frame 0 0 0", "2 frame 7 0 0", "3 end"}},
      {"spaces are ignored", {{{"do", " 1 , 2 "}}}, {"1 frame 1 0 0", "2 frame 2 0 0", "3 end"}},
      {"a tab ends the script", {{{"do", "1\t2"}}}, {"1 frame 1 0 0", "2 end"}},
      {"a byte above 0x7F ends the script", {{{"do", "1\x80" "2"}}}, {"1 frame 1 0 0", "2 end"}},
      {"empty choices run an empty alternative", {{{"do", "{}{|}1"}}}, {"1 frame 1 0 0", "2 end"}},
      {"a choice of zero weights runs an empty alternative and draws nothing",
       {{{"do", "{a%0}{7|8%3}"}}},
       {"1 frame 8 0 0", "2 end"}},
      {"closers with no open group are ignored",
       {{{"do", "1))))2"}}},
       {"1 frame 1 0 0", "2 frame 2 0 0", "3 end"}},
      {"an unclosed group runs to the end", {{{"do", "(1,(2"}}},
       {"1 frame 1 0 0", "2 frame 2 0 0", "3 end"}},
  });
}

TEST(ScriptPlayer, ABoundsErrorAbandonsItsStepAndKeepsEverythingElse) {
  ExpectRuns({
      {"missing ']'",
       {{{"do", std::string("[3,0]") + B("[0,0 0l0t,0r0b") + "1"}}},
       {"1 error Bad syntax - missing ']'", "1 wait", "2 frame 1 3 0", "3 end"}},
      {"missing ','",
       {{{"do", std::string("1") + B("0l0t 0r0b") + "2"}}},
       {"1 frame 1 0 0", "2 error Bad syntax - missing ','", "2 wait", "3 frame 2 0 0", "4 end"}},
      {"missing control",
       {{{"do", B("10l0t,0r0b") + "1"}}},
       {"1 error Bad bounds - the card window has no control with id 1", "1 wait",
        "2 frame 1 0 0", "3 end"}},
      {"the bounds in force stay in force",
       {{{"do", std::string("(") + B("0l0t,0r0b") + std::string("1,") + B("[0,0 0l0t,0r0b") +
                    "[-9,0]2)"}}},
       {"1 frame 1 0 0", "2 error Bad syntax - missing ']'", "2 wait", "3 frame 2 0 0",
        "4 end"}},
  });
}

// A runaway run is stopped with a message naming its script, and ends on the next tick.
TEST(ScriptPlayer, StopsRunawayScripts) {
  const std::string filler(600000, ',');
  const struct {
    const char* what;
    Scripts scripts;
    std::string message;
  } cases[] = {
      {"a name that names itself", {{"do", "loop"}, {"loop", "loop"}},
       "The animation script \"do\" was stopped: one step ran too long without showing a frame "
       "(the name expanded last was \"loop\")."},
      {"a repeat that never shows a frame", {{"do", "()*2000000000"}},
       "The animation script \"do\" was stopped: one step ran too long without showing a frame "
       "(the name expanded last was \"do\")."},
      {"a definition that grows the text without opening groups", {{"do", "a"}, {"a", "a a\xA9"}},
       "The animation script \"do\" was stopped: one step ran too long without showing a frame "
       "(the name expanded last was \"a\")."},
      {"two large definitions at once", {{"do", "c"}, {"c", "d " + filler}, {"d", filler}},
       "The animation script \"do\" was stopped: its text grew past 1048576 bytes (the name "
       "expanded last was \"d\")."},
      {"a range too long to write out", {{"do", "0-9999999"}},
       "The animation script \"do\" was stopped: the range 0-9999999 is too long (the name "
       "expanded last was \"do\")."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Simulate({c.scripts}), (Lines{"1 error " + c.message, "1 wait", "2 end"})) << c.what;
  }
}

// Lower caps, as a fuzzing harness gives them, stop a run as soon as it passes them.
TEST(ScriptPlayer, StopsARunAtTheCapsItIsGiven) {
  const auto caps = [](auto change) {
    PlayerCaps given;
    change(given);
    return given;
  };
  const std::string stopped = "The animation script \"do\" was stopped: ";
  const std::string last = " (the name expanded last was \"do\").";
  const struct {
    const char* what;
    PlayerCaps caps;
    std::string doText;
    std::string message;
  } cases[] = {
      {"tokens in a step", caps([](PlayerCaps& c) { c.stepTokens = 10; }), ",,,,,,,,,,,1",
       "one step ran too long without showing a frame"},
      {"work in a step", caps([](PlayerCaps& c) { c.stepWork = 64; }),
       std::string(100, ' ') + "1", "one step ran too long without showing a frame"},
      {"script bytes", caps([](PlayerCaps& c) { c.scriptBytes = 32; }),
       "1," + std::string(40, ' ') + "2", "its text grew past 32 bytes"},
      {"a range longer than the script may be", caps([](PlayerCaps& c) { c.scriptBytes = 32; }),
       "1-20", "the range 1-20 is too long"},
      {"open groups", caps([](PlayerCaps& c) { c.depth = 3; }), "((((1))))",
       "it opened more than 3 groups inside each other"},
      {"text the groups keep", caps([](PlayerCaps& c) { c.savedItemBytes = 16; }),
       "(1,2,3,4,5,6,7,8,9)", "its open groups hold more than 16 bytes of text"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Simulate({{{"do", c.doText}}}, 1, 200, c.caps),
              (Lines{"1 error " + stopped + c.message + last, "1 wait", "2 end"}))
        << c.what;
    EXPECT_EQ(Simulate({{{"do", c.doText}}}).front().rfind("1 frame", 0), 0u)
        << c.what << ": the default caps let it play";
  }
}

TEST(ScriptPlayer, ALoopThatNamesItselfRunsForHoursBeforeTheDepthCap) {
  // Each cycle opens one more group: after 65533 frames (almost two hours) the next would be
  // the 65536th open group.
  Lines lines;
  SimulatedHost host({}, kView, kView, nullptr,
                     [&lines](const SimulationEvent& e) { lines.push_back(FormatEvent(e)); });
  const Scripts scripts = {{"do", "r"}, {"r", "1,r"}};
  ScriptPlayer player(host, LookupIn(scripts), kView, kView);
  RunSimulation(host, player, "do", 70000, 1);
  ASSERT_EQ(lines.size(), 65536u);
  EXPECT_EQ(lines[65532], "65533 frame 1 0 0");
  EXPECT_EQ(lines[65533],
            "65534 error The animation script \"do\" was stopped: it opened more than 65535 "
            "groups inside each other (the name expanded last was \"r\").");
  EXPECT_EQ(lines[65534], "65534 wait");
  EXPECT_EQ(lines[65535], "65535 end");
}

TEST(ScriptPlayer, StartCarriesTheStateOfTheLastRunOver) {
  // The definition opens one group more than it closes, so the run's own ')' is taken by the
  // wrapping group, and the run's outer group is still open when the run ends.
  const std::string bounded = std::string("(") + B("0l0t,0r0b") + "[3,0]1[4,0]";
  const Scripts scripts = {{"do", bounded}};
  SimulatedHost host({}, kView, kView, nullptr, nullptr);
  ScriptPlayer player(host, LookupIn(scripts), kView, kView);
  host.BeginTick(7);
  player.Start("do");
  EXPECT_EQ(player.ItemStart(), 7);  // before any item, '@N' counts from the start of the run
  EXPECT_EQ(player.RemainingScript(), "(,do,)");
  host.BeginTick(8);
  EXPECT_TRUE(player.Step());
  EXPECT_EQ(player.Item(), "1");
  EXPECT_EQ(player.Depth(), 3u);
  EXPECT_EQ(player.Bounds(), (Rect{0, 0, 1024, 768}));
  host.BeginTick(9);
  EXPECT_FALSE(player.Step());
  host.BeginTick(10);
  player.Start("do");
  EXPECT_EQ(player.RemainingScript(), "(,do,)");
  EXPECT_EQ(player.Depth(), 1u);
  EXPECT_EQ(player.Item(), "(" + bounded + "),)");  // the wrapping group, restored by its ')'
  EXPECT_EQ(player.ItemStart(), 8);
  EXPECT_EQ(player.Bounds(), Rect{});
  EXPECT_EQ(player.PendingMove(), (Move{4, 0}));
  EXPECT_EQ(host.WindowRect(), (Rect{3, 0, 13, 10}));
}

TEST(ScriptPlayer, ARunStoppedByACapLeavesThePlayerReadyForTheNextRun) {
  const Scripts scripts = {
      {"do", std::string("(") + B("0l0t,0r0b") + "loop)"}, {"loop", "loop"}, {"ok", "5"}};
  Lines lines;
  SimulatedHost host({}, kView, kView, nullptr,
                     [&lines](const SimulationEvent& e) { lines.push_back(FormatEvent(e)); });
  ScriptPlayer player(host, LookupIn(scripts), kView, kView);
  player.Start("do");
  EXPECT_TRUE(player.Step());
  EXPECT_EQ(player.Depth(), 0u);
  EXPECT_EQ(player.RemainingScript(), "");
  EXPECT_EQ(player.Bounds(), Rect{});  // the bounds outside every group are back
  EXPECT_FALSE(player.Step());
  player.Start("ok");
  EXPECT_TRUE(player.Step());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "0 frame 5 0 0");
}

TEST(ScriptPlayer, ARunEndedEarlyDropsItsRestAndTheNextRunStartsAfresh) {
  const Scripts scripts = {{"do", std::string("(") + B("0l0t,0r0b") + "1 2 3)"}};
  Lines lines;
  SimulatedHost host({}, kView, kView, nullptr,
                     [&lines](const SimulationEvent& e) { lines.push_back(FormatEvent(e)); });
  ScriptPlayer player(host, LookupIn(scripts), kView, kView);
  player.Start("do");
  EXPECT_TRUE(player.Step());
  EXPECT_GT(player.Depth(), 0u);
  player.EndRun();
  EXPECT_EQ(player.Depth(), 0u);
  EXPECT_EQ(player.RemainingScript(), "");
  EXPECT_EQ(player.Bounds(), Rect{});
  EXPECT_FALSE(player.Step());
  player.Start("do");
  EXPECT_TRUE(player.Step());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "0 frame 1 0 0");
  EXPECT_EQ(lines[1], "0 frame 1 0 0");  // from the beginning, not frame 2
}

// A host whose message boxes run further steps before they close, as the Windows modal loop
// does with the timer ticks it keeps delivering.
class NestingHost : public SimulatedHost {
 public:
  using SimulatedHost::SimulatedHost;
  void ShowMessage(const std::string& text) override {
    SimulatedHost::ShowMessage(text);
    for (int i = 0; i < stepsWhileOpen; ++i) nestedResults.push_back(player->Step());
  }
  ScriptPlayer* player = nullptr;
  int stepsWhileOpen = 0;
  std::vector<bool> nestedResults;
};

TEST(ScriptPlayer, StaysConsistentWhenStepsRunInsideAMessageBox) {
  const std::string bad = B("0l0t 0r0b");  // missing ','
  const struct {
    const char* what;
    Scripts scripts;
    int stepsWhileOpen;
    Lines expected;
    std::vector<bool> nestedResults;
  } cases[] = {
      {"the steps in the box read on after the faulty bounds",
       {{"do", "1" + bad + "2,3,4"}},
       2,
       {"1 frame 1 0 0", "2 error Bad syntax - missing ','", "2 frame 2 0 0", "2 frame 3 0 0",
        "3 frame 4 0 0", "4 end"},
       {true, true}},
      {"the run ends inside the box; the abandoned step changes nothing after it",
       {{"do", "1" + bad}},
       2,
       {"1 frame 1 0 0", "2 error Bad syntax - missing ','", "2 wait", "3 end"},
       {false, false}},
      {"a box inside a box",
       {{"do", bad + B("[0l0t,0r0b") + "5,6"}},
       1,
       {"1 error Bad syntax - missing ','", "1 error Bad syntax - missing ']'", "1 frame 5 0 0",
        "2 frame 6 0 0", "3 end"},
       {true, true}},
      {"a runaway stopped inside the box",
       {{"do", bad + "loop"}, {"loop", "loop"}},
       1,
       {"1 error Bad syntax - missing ','",
        "1 error The animation script \"do\" was stopped: one step ran too long without "
        "showing a frame (the name expanded last was \"loop\").",
        "1 wait", "2 end"},
       {false, true}},
  };
  for (const auto& c : cases) {
    Lines lines;
    NestingHost host({}, kView, kView, nullptr,
                     [&lines](const SimulationEvent& e) { lines.push_back(FormatEvent(e)); });
    ScriptPlayer player(host, LookupIn(c.scripts), kView, kView);
    host.player = &player;
    host.stepsWhileOpen = c.stepsWhileOpen;
    RunSimulation(host, player, "do", 100, 1);
    EXPECT_EQ(lines, c.expected) << c.what;
    EXPECT_EQ(host.nestedResults, c.nestedResults) << c.what;
    EXPECT_EQ(player.RemainingScript(), "") << c.what;
  }
}

}  // namespace
}  // namespace card
