// The entry point of card.exe: a card package's start, or the one application object run with
// the command line.
#include "app/card_app_win.h"
#include "package/package_start_win.h"

#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {
card::CardApp theApp;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // A card package plays its card through the plain card program it carries.
  if (const std::optional<int> played = card::PlayPackagedCard()) return *played;
  std::vector<std::string> arguments(__argv + 1, __argv + __argc);
  return theApp.Run(std::move(arguments));
}
