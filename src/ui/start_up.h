#pragma once

#include <string>
#include <vector>

namespace lumenquill {

// The program: with arguments a batch conversion, in windows when a display can be opened
// and on the console otherwise; without arguments the main window (or, without a display,
// a usage text). Returns the exit status: 0 when every PDF file named or found was converted,
// 1 when any was not, 2 for a usage error. A SIGINT, SIGTERM or SIGHUP ends it with 128 + the
// signal's number, leaving no temporary file and the terminal as it was.
int StartUp(int argc, char** argv);

// Whether windows can be shown: DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set.
bool DisplayAvailable();

}  // namespace lumenquill
