#include "platform/interruption.h"

#include <windows.h>

#include <map>
#include <string>

#include "platform/wide_text.h"

namespace lumenquill {
namespace {

// Statuses as on Linux: Ctrl+C and Ctrl+Break as SIGINT, the rest as SIGHUP.
constexpr UINT kInterruptedStatus = 130;
constexpr UINT kHungUpStatus = 129;

// The lock of InterruptionsHeld; recursive, as registering happens under a held lock.
CRITICAL_SECTION& Lock() {
  static CRITICAL_SECTION* lock = [] {
    static CRITICAL_SECTION section;
    ::InitializeCriticalSection(&section);
    return &section;
  }();
  return *lock;
}

// The temporary file of each thread that writes one.
std::map<DWORD, std::wstring>& TemporaryFiles() {
  static std::map<DWORD, std::wstring> files;
  return files;
}

// Runs on a thread of its own while the program goes on: under the lock no file is being
// created or renamed, and the process ends before the lock is let go.
BOOL WINAPI OnInterruption(DWORD event) {
  ::EnterCriticalSection(&Lock());
  for (const auto& [thread, path] : TemporaryFiles()) ::DeleteFileW(path.c_str());
  ::ExitProcess(event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? kInterruptedStatus
                                                                   : kHungUpStatus);
}

}  // namespace

void InstallInterruptionHandlers() { ::SetConsoleCtrlHandler(OnInterruption, TRUE); }

InterruptionsHeld::InterruptionsHeld() { ::EnterCriticalSection(&Lock()); }

InterruptionsHeld::~InterruptionsHeld() { ::LeaveCriticalSection(&Lock()); }

void RegisterTemporaryFile(const char* path) {
  InterruptionsHeld held;
  if (path == nullptr) {
    TemporaryFiles().erase(::GetCurrentThreadId());
  } else {
    TemporaryFiles()[::GetCurrentThreadId()] = WindowsPath(path);
  }
}

}  // namespace lumenquill
