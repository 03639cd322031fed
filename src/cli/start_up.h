#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/run_options.h"

namespace lumenquill {

// The windows' part of the program, in a build that has them: converts the files in windows,
// or opens the main window when there are none, and returns the exit status; nothing when no
// display could be opened.
using WindowsRunner = std::optional<int> (*)(const RunOptions& options,
                                             const std::vector<std::string>& files,
                                             const char* program);

// The program: reads the arguments that follow the program's name (--help and --version answer at
// once; a usage error ends with status 2), then runs in windows when there are windows and a
// display, and on the console otherwise, or when the text goes to standard output, or when files
// are named on a console that a person types in (on Windows). Returns the exit status: 0 when every
// PDF file named or found was converted, 1 when any was not, 2 for a usage error. A SIGINT, SIGTERM
// or SIGHUP (on Windows: Ctrl+C, Ctrl+Break, the console's closing) ends it with 128 + the signal's
// number, leaving no temporary file and the terminal as it was. An exception that no file explains,
// a fault of the program, is reported on standard error and ends it with status 1.
int StartUp(const std::vector<std::string>& arguments, const char* program, WindowsRunner windows);

// The value of an environment variable; nothing when it is unset or empty.
const char* EnvironmentValue(const char* name);

}  // namespace lumenquill
