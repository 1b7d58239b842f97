// The system's current look (Common Controls 6) for the windows made while an object of this
// class lives: an activation context made from one of the program's manifest resources. The
// windows keep that look after it ends.
#pragma once

#include <windows.h>

namespace card {

class VisualStyles {
 public:
  // `manifestId`: an RT_MANIFEST resource of the program that depends on Common Controls 6.
  // Without it (or on a system that cannot activate it) windows get the classic look.
  explicit VisualStyles(int manifestId);
  ~VisualStyles();
  VisualStyles(const VisualStyles&) = delete;
  VisualStyles& operator=(const VisualStyles&) = delete;

  bool Active() const { return cookie_ != 0; }

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
};

}  // namespace card
