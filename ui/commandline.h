#pragma once
// The command line: --help and --version, answered without a display.

#include <QStringList>
#include <optional>

// The exit status when the arguments ask for something other than the windows
// (help, version, or an error); nothing when the calculator should start.
// Files alone, without any option, are for the windows (see filesGiven).
std::optional<int> runCommandLine(int argc, char* argv[]);
// The files the program was given without any option, as when a file is dropped
// on it or opened with it: the windows start and import them.
QStringList filesGiven(const QStringList& arguments);
