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
  Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  virtual ~Application();

  // The one instance, or null before it is constructed.
  static Application* Current() { return current_; }

  // Called by WinMain; the process's exit code. No exception leaves it.
  int Run(HINSTANCE instance, std::vector<std::string> arguments);

  HINSTANCE Instance() const { return instance_; }
  // The command-line arguments after the program's name.
  const std::vector<std::string>& Arguments() const { return arguments_; }
  Window* MainWindow() const { return mainWindow_; }
  void SetMainWindow(Window* window) { mainWindow_ = window; }

 protected:
  virtual bool InitInstance() = 0;

 private:
  static Application* current_;
  HINSTANCE instance_ = nullptr;
  std::vector<std::string> arguments_;
  Window* mainWindow_ = nullptr;
};

}  // namespace card
