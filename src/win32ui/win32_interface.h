#pragma once

#include <windows.h>

#include "app/user_interface.h"
#include "win32ui/progress_dialog.h"

namespace lumenquill {

// The user interface in windows: message boxes, the page-range and save dialogs owned by the
// owner window (none in batch mode), and the progress dialog.
class Win32UserInterface final : public UserInterface {
 public:
  Win32UserInterface(HWND owner, ProgressDialog& progress) : owner_(owner), progress_(progress) {}

  void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  std::optional<PageRange> ChoosePageRange(int32_t page_count,
                                           const std::string& caption_suffix) override;
  std::optional<std::string> ChooseSavePath(const std::string& proposed_path) override;
  ProgressDisplay& Progress() override { return progress_; }
  void LeaveAlwaysOnTop() override;
  void OpenInApplication(const std::string& path) override;

 private:
  HWND owner_;
  ProgressDialog& progress_;
};

// Puts a window into the always-on-top layer or takes it out, keeping it shown.
void SetAlwaysOnTop(HWND window, bool on_top);

}  // namespace lumenquill
