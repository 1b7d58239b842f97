// cardkit new DIR: writes a small starter card source into DIR and says what to run next.
#include "tools/cardkit/commands.h"

#include "tools/cardkit/starter_card.h"

#include <iostream>
#include <memory>
#include <string>

namespace card::kit {

void AddNewCommand(CLI::App& app) {
  auto* command = app.add_subcommand(
      "new", "Write a small, commented starter card source folder to change into your own");
  auto folder = std::make_shared<std::string>();
  command->add_option("DIR", *folder, "the folder to write (missing or empty)")->required();
  command->callback([folder] {
    if (Status status = WriteStarterCard(*folder); !status) {
      std::cerr << status.error() << "\n";
      throw CommandFailed();
    }
    std::string source = *folder;
    while (source.size() > 1 && source.ends_with('/')) source.pop_back();
    const std::string card = source + "-card";
    std::cout << "Wrote a starter card into " << source
              << " (ABOUT.txt says what each file is). Next:\n"
              << "  cardkit build " << source << " " << card << "\n"
              << "  cardkit preview " << card << " " << card << ".gif\n"
              << "  cardkit package " << card << " Greeting.exe --program card.exe\n";
  });
}

}  // namespace card::kit
