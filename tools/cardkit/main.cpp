// cardkit: the authoring tool for cards. It builds content files from ordinary inputs,
// checks them and shows what a card will do, without Windows.
#include "tools/cardkit/commands.h"

namespace card::kit {
// One line per command here and in CMakeLists.txt; each is defined in its command_*.cpp.
void AddInfoCommand(CLI::App& app);
void AddNewCommand(CLI::App& app);
void AddBuildCommand(CLI::App& app);
void AddCheckCommand(CLI::App& app);
void AddPackageCommand(CLI::App& app);
void AddPreviewCommand(CLI::App& app);
void AddSimulateCommand(CLI::App& app);
void AddWebCommand(CLI::App& app);
}  // namespace card::kit

int main(int argc, char** argv) {
  CLI::App app{"cardkit - makes, checks and previews animated greeting cards"};
  app.require_subcommand(1);
  card::kit::AddNewCommand(app);
  card::kit::AddInfoCommand(app);
  card::kit::AddBuildCommand(app);
  card::kit::AddCheckCommand(app);
  card::kit::AddPackageCommand(app);
  card::kit::AddPreviewCommand(app);
  card::kit::AddSimulateCommand(app);
  card::kit::AddWebCommand(app);
  CLI11_PARSE(app, argc, argv);
  return 0;
}
