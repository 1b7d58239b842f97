// The entry point of card.exe: the one application object, run with the command line.
#include "app/card_app_win.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {
card::CardApp theApp;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> arguments(__argv + 1, __argv + __argc);
  return theApp.Run(std::move(arguments));
}
