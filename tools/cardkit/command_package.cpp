// cardkit package CARD_DIR OUT.exe --program CARD_EXE [--message MSG_FILE]: the card package a
// person sends, which plays the card wherever it is copied.
#include "tools/cardkit/commands.h"

#include "tools/cardkit/card_packager.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace card::kit {

void AddPackageCommand(CLI::App& app) {
  auto* command = app.add_subcommand(
      "package", "Make the card package: one program file that carries the whole card folder");
  auto folder = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  auto program = std::make_shared<std::string>();
  auto message = std::make_shared<std::string>();
  command->add_option("CARD_DIR", *folder, "the built card folder (it must pass cardkit check)")
      ->required()
      ->check(CLI::ExistingDirectory);
  command->add_option("OUT", *out, "the package file to write, e.g. Greeting.exe")->required();
  command->add_option("--program", *program, "the card program, card.exe")->required();
  command->add_option("--message", *message,
                      "the message, as a msg.txt holds it (default: the folder's msg.txt)");
  command->callback([folder, out, program, message] {
    const std::optional<std::filesystem::path> messageFile =
        message->empty() ? std::nullopt : std::optional<std::filesystem::path>(*message);
    std::vector<std::string> packed;
    const Diagnostics diagnostics = PackageCard(*folder, *program, messageFile, *out, &packed);
    if (!diagnostics.All().empty()) PrintDiagnostics(diagnostics, std::cerr);
    if (diagnostics.HasErrors()) throw CommandFailed();
    std::error_code error;
    std::cerr << "Wrote " << *out << " (" << std::filesystem::file_size(*out, error)
              << " bytes): " << *program << ", then " << packed.size() << " files:";
    for (const std::string& name : packed) std::cerr << " " << name;
    std::cerr << "; the message from "
              << (message->empty() ? (std::filesystem::path(*folder) / "msg.txt").string()
                                   : *message)
              << ".\n";
  });
}

}  // namespace card::kit
