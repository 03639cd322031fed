#pragma once

#include <QWidget>

#include "app/user_interface.h"
#include "ui/file_dialogs.h"
#include "ui/progress_dialog.h"

namespace lumenquill {

// The user interface in windows: message boxes owned by the owner window (none in batch
// mode), the page-range dialog, the save dialog, the progress dialog.
class QtUserInterface final : public UserInterface {
 public:
  QtUserInterface(QWidget* owner, ProgressDialog& progress, FileSaveDialog& save_dialog)
      : owner_(owner), progress_(progress), save_dialog_(save_dialog) {}

  void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  std::optional<PageRange> ChoosePageRange(int32_t page_count,
                                           const std::string& caption_suffix) override;
  std::optional<std::string> ChooseSavePath(const std::string& proposed_path) override;
  ProgressDisplay& Progress() override { return progress_; }
  void LeaveAlwaysOnTop() override;
  void OpenInApplication(const std::string& path) override;

 private:
  QWidget* owner_;
  ProgressDialog& progress_;
  FileSaveDialog& save_dialog_;
};

// Sets or clears the always-on-top state of a window, keeping it shown.
void SetAlwaysOnTop(QWidget* window, bool on_top);

}  // namespace lumenquill
