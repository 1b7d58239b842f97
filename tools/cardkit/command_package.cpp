// cardkit package BASE OUT --message msg.txt: a card package for "Make a New Card" to copy.
#include "tools/cardkit/commands.h"

#include "tools/cardkit/card_packager.h"

#include <iostream>
#include <memory>
#include <string>

namespace card::kit {

void AddPackageCommand(CLI::App& app) {
  auto* command = app.add_subcommand(
      "package",
      "Make a card package: the card program, a message area with the message, and its offset");
  auto base = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  auto message = std::make_shared<std::string>();
  command->add_option("BASE", *base, "the card program the package starts with")->required();
  command->add_option("OUT", *out, "the package file to write")->required();
  command->add_option("--message", *message, "the message, as a card's msg.txt holds it")
      ->required();
  command->callback([base, out, message] {
    if (Status status = PackageCard(*base, *message, *out); !status) {
      std::cerr << status.error() << "\n";
      throw CommandFailed();
    }
  });
}

}  // namespace card::kit
