// cardkit check DIR: what in a card folder the card would trip over, and what no package may
// carry; fails on errors only.
#include "tools/cardkit/commands.h"

#include "tools/cardkit/card_checker.h"
#include "tools/cardkit/carried_files.h"

#include <iostream>
#include <memory>
#include <string>

namespace card::kit {

void AddCheckCommand(CLI::App& app) {
  auto* command = app.add_subcommand(
      "check", "Report every problem of a card folder; fail when there are errors");
  auto folder = std::make_shared<std::string>();
  command->add_option("DIR", *folder, "the card folder")->required()->check(CLI::ExistingDirectory);
  command->callback([folder] {
    Diagnostics diagnostics = CheckCardFolder(*folder);
    CheckCarriedFiles(*folder, diagnostics);
    PrintDiagnostics(diagnostics, std::cerr);
    if (diagnostics.HasErrors()) throw CommandFailed();
  });
}

}  // namespace card::kit
