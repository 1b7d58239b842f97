// The application object (see application_win.h).
#include "framework/application_win.h"

#include <exception>

namespace card {

int Application::Run(std::vector<std::string> arguments) {
  arguments_ = std::move(arguments);
  try {
    if (!InitInstance()) return 0;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
  } catch (const std::exception& e) {
    MessageBoxA(nullptr, e.what(), nullptr, MB_OK | MB_ICONSTOP);
  } catch (...) {
    MessageBoxA(nullptr, "The program failed unexpectedly.", nullptr, MB_OK | MB_ICONSTOP);
  }
  return 1;
}

}  // namespace card
