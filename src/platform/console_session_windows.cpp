#include <windows.h>

#include <shellapi.h>
#include <tlhelp32.h>

#include <string>

#include "platform/console_session.h"
#include "platform/wide_text.h"

namespace lumenquill {
namespace {

// Whether the program that started this one is Explorer (a double-click, a drop on the icon,
// "Send to", a context-menu verb).
bool StartedByExplorer() {
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  DWORD parent = 0;
  std::wstring parent_name;
  // Two passes over the list: the parent's number, then its name.
  for (int pass = 0; pass < 2; ++pass) {
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
         more = ::Process32NextW(snapshot, &entry)) {
      if (pass == 0 && entry.th32ProcessID == ::GetCurrentProcessId()) {
        parent = entry.th32ParentProcessID;
      } else if (pass == 1 && parent != 0 && entry.th32ProcessID == parent) {
        parent_name = entry.szExeFile;
      }
    }
  }
  ::CloseHandle(snapshot);
  return ::CompareStringOrdinal(parent_name.c_str(), -1, L"explorer.exe", -1, TRUE) == CSTR_EQUAL;
}

// Whether Windows opened a console for this program alone, to be shown as a window, as it does
// for a console program that Explorer starts. A program started from cmd.exe shares that
// console; one started by a script or a service with its output redirected may have none; Wine
// gives a program started from a terminal a console of its own whose window stays hidden.
bool HasConsoleWindowOfItsOwn() {
  DWORD processes[2];
  if (::GetConsoleProcessList(processes, 2) != 1) return false;
  const HWND window = ::GetConsoleWindow();
  return (window != nullptr && ::IsWindowVisible(window)) || StartedByExplorer();
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

bool StartedFromConsole() { return !HasConsoleWindowOfItsOwn(); }

void ReleaseOwnConsole() {
  if (HasConsoleWindowOfItsOwn()) ::FreeConsole();
}

}  // namespace lumenquill
