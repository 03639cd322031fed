#pragma once

#include <string>
#include <vector>

namespace lumenquill {

// How the program was started, for the choice between the windows and the console.

// The arguments after the program's name, as the program's strings: on Windows the wide command
// line converted to UTF-8 (the narrow argv loses every name outside the system code page).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Whether windows can be shown: on Linux, DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set; on
// Windows always.
bool DisplayAvailable();

// Whether the program was started from a console that a person types in: on Windows, a console
// that it shares with the program that started it (cmd.exe, PowerShell), rather than the one
// Windows opened for it alone (a double-click, files dropped on its icon, "Send to"); files
// named there are converted on that console. On Linux never: there the display decides.
bool StartedFromConsole();

// Closes the console that Windows opened for the program alone, before the windows show; on
// Linux, and on a shared console, nothing.
void ReleaseOwnConsole();

}  // namespace lumenquill
