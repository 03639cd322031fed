#pragma once

#include <iostream>

#include "cli/command_line.h"

namespace lumenquill {

// The conversions the command line asks for, on the console: questions on the input stream
// when it is a terminal, results named (or, with --stdout, the text written) on the output
// stream, messages on the error stream. With more than one job the files are converted in
// worker processes and their output is shown in the order of the files, as one job shows it;
// the questions are then answered as without a terminal. Returns the exit status.
int RunConsoleBatch(const CommandLine& line, std::istream& in, std::ostream& out,
                    std::ostream& err);

}  // namespace lumenquill
