// The application object: the one program-wide object that WinMain runs. A program derives
// from it, defines exactly one static instance, and does its work in `InitInstance`; returning
// false ends the program at once, true runs a message loop until WM_QUIT.
#pragma once

#include "framework/window_win.h"

#include <string>
#include <vector>

namespace card {

class Application {
 public:
  Application() = default;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  virtual ~Application() = default;

  // Called by WinMain; the process's exit code. No exception leaves it.
  int Run(std::vector<std::string> arguments);

  // The command-line arguments after the program's name, in UTF-8.
  const std::vector<std::string>& Arguments() const { return arguments_; }

 protected:
  virtual bool InitInstance() = 0;

 private:
  std::vector<std::string> arguments_;
};

}  // namespace card
