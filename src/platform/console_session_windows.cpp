#include <windows.h>

#include <shellapi.h>

#include "platform/console_session.h"
#include "platform/wide_text.h"

namespace lumenquill {
namespace {

// The processes attached to this console: 1 when it is the program's own.
DWORD ConsoleProcessCount() {
  DWORD processes[2];
  return ::GetConsoleProcessList(processes, 2);
}

}  // namespace

std::vector<std::string> ProgramArguments(int, char**) {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Narrow(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

bool DisplayAvailable() { return true; }

bool StartedFromConsole() { return ConsoleProcessCount() > 1; }

void ReleaseOwnConsole() {
  if (ConsoleProcessCount() == 1) ::FreeConsole();
}

}  // namespace lumenquill
