// The entry point of card.exe: a card package's start, or the one application object run with
// the command line.
#include "app/card_app_win.h"
#include "common/command_line.h"
#include "framework/path_text_win.h"
#include "framework/system_library_win.h"
#include "package/package_start_win.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace {

card::CardApp theApp;

// The arguments after the program's name, read from the wide command line so that every path
// arrives exactly as it was given, as UTF-8.
std::vector<std::string> Arguments() {
  const std::wstring_view line(GetCommandLineW());
  std::vector<std::string> arguments;
  for (const std::wstring& argument : card::CommandLineArguments(line)) {
    arguments.push_back(card::ToUtf8(argument));
  }
  return arguments;
}

int PlayCard(std::vector<std::string> arguments) { return theApp.Run(std::move(arguments)); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before any library is loaded: a library planted beside the program must never be found.
  card::RestrictLibrarySearch();
  if (const std::optional<int> played = card::PlayPackagedCard(PlayCard)) return *played;
  return PlayCard(Arguments());
}
