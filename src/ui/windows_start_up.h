#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/run_options.h"

namespace lumenquill {

// The program in windows: with files, their batch conversion (with the run's options) in the
// progress window and message boxes; without, the main window. Returns the exit status, or
// nothing when no display could be opened (Qt's own complaints about it are dropped), for the
// console to take over. Only the program's name and the window systems to try are Qt's
// arguments.
std::optional<int> RunInWindows(const RunOptions& options, const std::vector<std::string>& files,
                                const char* program);

}  // namespace lumenquill
