#pragma once

#include <string>
#include <vector>

namespace lumenquill {

// The program: with arguments a batch conversion, in windows when a display is available
// and on the console otherwise; without arguments the main window (or, without a display,
// a usage text). Returns the exit status, 0.
int StartUp(int argc, char** argv);

// Whether windows can be shown: DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set.
bool DisplayAvailable();

}  // namespace lumenquill
