#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/run_options.h"

namespace lumenquill {

// The program in windows: with files, their batch conversion (with the run's options) in the
// progress dialog and message boxes; without, the main window. Returns the exit status, or
// nothing when the process cannot show windows (a service's invisible window station), for the
// console to take over.
std::optional<int> RunInWindows(const RunOptions& options, const std::vector<std::string>& files,
                                const char* program);

}  // namespace lumenquill
