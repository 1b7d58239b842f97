// Reports exceptions caught at the edge of a window procedure (see unhandled_win.h).
#include "framework/unhandled_win.h"

#include "framework/message_names_win.h"

#include <string>

namespace card {
namespace {
int unhandledCount = 0;
}

void ReportUnhandled(UINT msg, const char* what) {
  ++unhandledCount;
  const std::string line = "card: exception while handling " + MessageName(msg) + ": " + what + "\n";
  OutputDebugStringA(line.c_str());
}

int UnhandledCount() { return unhandledCount; }

}  // namespace card
