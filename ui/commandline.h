#pragma once
// The command line: --help and --version, answered without a display.

#include <optional>

// The exit status when the arguments ask for something other than the windows
// (help, version, or an error); nothing when the calculator should start.
std::optional<int> runCommandLine(int argc, char* argv[]);
