#include "win32ui/windows_start_up.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <iostream>

#include "app/batch.h"
#include "app/conversion.h"
#include "win32ui/main_window.h"
#include "win32ui/progress_dialog.h"
#include "win32ui/win32_interface.h"

namespace lumenquill {
namespace {

// Whether the process's window station shows windows to a user: not a service's. When the
// station cannot be asked, windows are tried.
bool WindowsVisible() {
  USEROBJECTFLAGS flags = {};
  if (!GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof(flags),
                                 nullptr)) {
    return true;
  }
  return (flags.dwFlags & WSF_VISIBLE) != 0;
}

// COM for the shell (shortcuts, ShellExecute), for the program's one thread.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

// Until the main window is destroyed: its keys, the progress dialog's keyboard, the rest.
void RunMessageLoop(const MainWindow& main_window, const ProgressDialog& progress) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (main_window.TranslateAccelerators(message)) continue;
    if (IsDialogMessageW(progress.Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

std::optional<int> RunInWindows(const RunOptions& options, const std::vector<std::string>& files,
                                const char*) {
  if (!WindowsVisible()) return std::nullopt;
  const ComScope com;
  const INITCOMMONCONTROLSEX controls = {
      sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  ProgressDialog progress;
  if (!files.empty()) {
    Win32UserInterface ui(nullptr, progress);
    Conversion conversion(ui, options);
    return BatchExitStatus(RunBatch(files, conversion, progress, std::cerr));
  }
  MainWindow main_window(progress);
  main_window.Show();
  RunMessageLoop(main_window, progress);
  return kExitAllConverted;
}

}  // namespace lumenquill
