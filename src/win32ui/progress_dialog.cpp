#include "win32ui/progress_dialog.h"

#include <commctrl.h>

#include "platform/escape_key.h"
#include "win32ui/resource_ids.h"
#include "win32ui/window_text.h"

namespace lumenquill {
namespace {

// Whether Escape is down, or went down since the last look.
bool EscapeKeyPressed() { return (GetAsyncKeyState(VK_ESCAPE) & 0x8001) != 0; }

}  // namespace

ProgressDialog::ProgressDialog() {
  window_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROGRESS), nullptr,
                               DialogProc, reinterpret_cast<LPARAM>(this));
}

ProgressDialog::~ProgressDialog() { DestroyWindow(window_); }

INT_PTR CALLBACK ProgressDialog::DialogProc(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
    return TRUE;
  }
  auto* self = reinterpret_cast<ProgressDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  // The button, and IDCANCEL: Escape in the dialog and its close button.
  if (self != nullptr && message == WM_COMMAND &&
      (LOWORD(wparam) == IDC_PROGRESS_CANCEL || LOWORD(wparam) == IDCANCEL)) {
    self->cancelled = true;
    return TRUE;
  }
  return FALSE;
}

void ProgressDialog::SetCaption(const std::string& caption) { SetWindowTextUtf8(window_, caption); }

void ProgressDialog::Present() {
  // Only presses during this extraction count.
  TakeEscapeKeyPress();
  EscapeKeyPressed();
  // Raised to the top without staying there.
  SetWindowPos(window_, HWND_TOPMOST, 50, 50, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(window_);
}

void ProgressDialog::ShowProgress(int32_t min, int32_t max, int32_t position, bool done) {
  ProcessPendingInput();
  const HWND bar = GetDlgItem(window_, IDC_PROGRESS_BAR);
  SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(min), max);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  SetWindowTextUtf8(GetDlgItem(window_, IDC_PROGRESS_POSITION),
                    std::to_string(position) + "/" + std::to_string(max));
  if (done) {
    Hide();
    SendMessageW(bar, PBM_SETPOS, 0, 0);
  }
}

void ProgressDialog::ProcessPendingInput() {
  if (EscapeKeyPressed()) LatchEscapeKeyPress();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // For the message loop that waits for it, after the extraction.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace lumenquill
