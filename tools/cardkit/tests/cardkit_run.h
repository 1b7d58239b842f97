// Test helper: runs the built cardkit (CARDKIT_PATH, set by the build) as a program, the way an
// author does, and keeps what it printed and its exit status.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace card::testing {

struct CardkitRun {
  int status = -1;
  std::string output;  // stdout and stderr together
};

// `arguments` go to the shell as written: quote paths that may hold spaces.
inline CardkitRun RunCardkit(const std::string& arguments) {
  const std::string command = std::string(CARDKIT_PATH) + " " + arguments + " 2>&1";
  CardkitRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  while (std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe)) {
    run.output.append(buffer, read);
  }
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace card::testing
