#pragma once

#include <string>
#include <vector>

namespace lumenquill {

// How the program was started, for the choice between the windows and the console.

// The arguments after the program's name, as the program's strings: on Windows the wide command
// line converted to UTF-8 (the narrow argv loses every name outside the system code page).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Whether windows can be shown: on Linux, DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set, and
// QT_QPA_PLATFORM (which Qt obeys first) names no platform without a screen ("offscreen",
// "minimal", "minimalegl"); on Windows always.
bool DisplayAvailable();

// Whether the program was started from a console or by another program: on Windows, unless
// Windows opened a console window for it alone (a double-click, files dropped on its icon, "Send
// to"), as it does not for a program started from cmd.exe or PowerShell, or by a script with its
// output redirected; files named then are converted on the console. On Linux never: there the
// display decides.
bool StartedFromConsole();

// Closes the console that Windows opened for the program alone, before the windows show; on
// Linux, and on a shared console, nothing.
void ReleaseOwnConsole();

}  // namespace lumenquill
