// cardkit simulate DIR: plays a card folder's script without Windows and prints what the
// figure does, one line per event, in the order things happen within each tick:
//   T sound NAME     a sound starts
//   T frame F X Y    frame F is shown with the figure window's top-left at (X, Y)
//   T wait           the tick ends without a frame and the run goes on
//   T error TEXT     a message box would be shown (taken as closed at once)
//   T end            the run has ended
// Ticks count from 1 across all runs and the clock reads T during tick T. A sound lasts as
// long as its clip plays (1600 bytes a tenth); one that cannot play (no Card.WAS, sound effects
// off in Layout.txt, a name not in the bank) is done right after the tick that started it.
#include "tools/cardkit/commands.h"

#include "card/card_folder.h"
#include "tools/cardkit/card_simulation.h"

#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace card::kit {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLegend =
    "Each line: TICK (tenths of a second from 1), then frame ID X Y (frame ID shown with the "
    "figure window's top-left at X,Y), sound NAME, wait (no frame this tick), error TEXT (a "
    "message box) or end.";

struct SimulateOptions {
  std::string folder;
  std::string script = "do";
  std::int32_t ticks = 3000;
  std::int32_t runs = 1;
  std::string at = "0,0";
  std::string workArea = "0,0,1024,768";
  std::vector<std::string> controls;
};

// Exactly `count` whole numbers separated by ','; `form` names them for the message.
Result<std::vector<std::int32_t>> Numbers(std::string_view text, std::size_t count,
                                          std::string_view option, std::string_view form) {
  std::vector<std::int32_t> numbers;
  const char* at = text.data();
  const char* const end = text.data() + text.size();
  while (numbers.size() < count) {
    std::int32_t value = 0;
    const auto [next, error] = std::from_chars(at, end, value);
    const bool last = numbers.size() + 1 == count;
    if (error != std::errc() || (last ? next != end : next == end || *next != ',')) {
      return Fail(std::string(option) + " wants " + std::string(form) +
                  " (whole numbers separated by commas), not \"" + std::string(text) + "\".");
    }
    numbers.push_back(value);
    at = next + 1;
  }
  return numbers;
}

Result<SimulatedDesktop> DesktopFrom(const SimulateOptions& options) {
  SimulatedDesktop desktop;
  auto at = Numbers(options.at, 2, "--at", "X,Y");
  if (!at) return Failure{at.error()};
  desktop.windowAt = {(*at)[0], (*at)[1]};
  auto area = Numbers(options.workArea, 4, "--work-area", "L,T,R,B");
  if (!area) return Failure{area.error()};
  desktop.workArea = {(*area)[0], (*area)[1], (*area)[2], (*area)[3]};
  for (const std::string& control : options.controls) {
    const std::size_t equals = control.find('=');
    auto id = Numbers(control.substr(0, equals), 1, "--control", "ID=L,T,R,B");
    if (!id || equals == std::string::npos) {
      return Fail("--control wants ID=L,T,R,B (a control id, then its rectangle), not \"" +
                  control + "\".");
    }
    auto rect = Numbers(control.substr(equals + 1), 4, "--control", "ID=L,T,R,B");
    if (!rect) return Failure{rect.error()};
    desktop.controls[(*id)[0]] = {(*rect)[0], (*rect)[1], (*rect)[2], (*rect)[3]};
  }
  return desktop;
}

// The card folder as the card plays it; a sound bank the card would open but cannot is an
// error here, where the card itself would only play silently.
Result<CardFolder> LoadCard(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    return Fail(folder.string() + (fs::exists(folder, error) ? " is not a card folder."
                                                             : " is missing."));
  }
  auto card = LoadCardFolder(folder.string());
  if (card && !card->soundsProblem.empty()) return Fail(card->soundsProblem);
  return card;
}

Status Simulate(const SimulateOptions& options) {
  auto desktop = DesktopFrom(options);
  if (!desktop) return Failure{desktop.error()};
  auto card = LoadCard(options.folder);
  if (!card) return Failure{card.error()};
  SimulateCard(*card, *desktop, options.script, options.ticks, options.runs,
               [](const SimulationEvent& event) { std::cout << FormatEvent(event) << '\n'; });
  return {};
}

}  // namespace

void AddSimulateCommand(CLI::App& app) {
  auto options = std::make_shared<SimulateOptions>();
  auto* command = app.add_subcommand(
      "simulate", "Play a card folder's script without Windows and print what the figure does");
  command->footer(kLegend);
  command->add_option("folder", options->folder, "the card folder")->required();
  command->add_option("--script", options->script, "the script to play")->capture_default_str();
  command->add_option("--ticks", options->ticks, "stop after this many ticks (tenths)")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  command->add_option("--runs", options->runs, "start the script again after a run ends, "
                                               "as Repeat does, until this many runs")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  command->add_option("--at", options->at, "the figure window's top-left at the start, X,Y")
      ->capture_default_str();
  command->add_option("--work-area", options->workArea, "the desktop work area, L,T,R,B")
      ->capture_default_str();
  command->add_option("--control", options->controls,
                      "a card window control's rectangle, ID=L,T,R,B (repeatable)");
  command->callback([options] {
    // A person reading the lines gets the legend first; a program reading them does not.
    if (isatty(STDOUT_FILENO)) std::cout << kLegend << '\n';
    const Status status = Simulate(*options);
    std::cout.flush();
    if (!status) {
      std::cerr << status.error() << '\n';
      throw CommandFailed();
    }
  });
}

}  // namespace card::kit
