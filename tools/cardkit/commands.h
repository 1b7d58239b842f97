// The subcommands of cardkit. Each lives in its own command_*.cpp and registers itself on the
// application; a command reports failure by printing why and throwing CommandFailed.
#pragma once

#include <CLI/CLI.hpp>

namespace card::kit {

// Ends cardkit with exit status 1; the command has already said what went wrong.
struct CommandFailed : CLI::RuntimeError {
  CommandFailed() : CLI::RuntimeError(1) {}
};

}  // namespace card::kit
