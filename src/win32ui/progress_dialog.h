#pragma once

#include <windows.h>

#include "app/user_interface.h"

namespace lumenquill {

// The progress dialog: one per program run, modeless, hidden between extractions. Its cancel
// button 中止(N), Escape (whichever window has the focus) and the title bar's close button all ask
// the extraction to stop.
class ProgressDialog final : public ProgressDisplay {
 public:
  ProgressDialog();
  ~ProgressDialog() override;
  ProgressDialog(const ProgressDialog&) = delete;
  ProgressDialog& operator=(const ProgressDialog&) = delete;

  void SetCaption(const std::string& caption) override;
  void Present() override;
  // Processes the waiting window messages, shows the position as "position/max", and hides the
  // dialog (its bar back at 0) when done.
  void ShowProgress(int32_t min, int32_t max, int32_t position, bool done) override;
  // Processes the waiting window messages and looks at the Escape key's state.
  void ProcessPendingInput() override;
  void Hide() override { ShowWindow(window_, SW_HIDE); }

  HWND Handle() const { return window_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_;
};

}  // namespace lumenquill
