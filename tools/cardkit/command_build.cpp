// cardkit build SRC OUT: makes a card folder from a card source folder and checks it.
#include "tools/cardkit/commands.h"

#include "tools/cardkit/card_builder.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace card::kit {

void AddBuildCommand(CLI::App& app) {
  auto* command =
      app.add_subcommand("build", "Make a card folder from a card source folder, then check it");
  auto source = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  command->add_option("SRC", *source, "the card source folder")->required();
  command->add_option("OUT", *out, "the card folder to write (made when missing)")->required();
  command->callback([source, out] {
    std::vector<std::string> written;
    const Diagnostics diagnostics = BuildCard(*source, *out, &written);
    std::cerr << "Wrote into " << *out << ":";
    for (const std::string& name : written) std::cerr << " " << name;
    std::cerr << "\n";
    PrintDiagnostics(diagnostics, std::cerr);
    if (diagnostics.HasErrors()) throw CommandFailed();
  });
}

}  // namespace card::kit
