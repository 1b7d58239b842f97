// Where an exception would otherwise cross into the system (a window or dialog procedure, the
// program's entry), it is caught and reported here: written for a debugger, and counted so that
// tests can see a handler failed. The handler's work is abandoned; the program goes on.
#pragma once

#include <windows.h>

namespace card {

void ReportUnhandled(UINT msg, const char* what);
// How many exceptions have been caught at a window procedure since the program started.
int UnhandledCount();

}  // namespace card
