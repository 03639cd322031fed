#pragma once

#include <iostream>
#include <memory>
#include <string>

#include "app/user_interface.h"
#include "platform/terminal.h"

namespace lumenquill {

// The progress display of a terminal: a one-line bar on the error stream when it is a
// terminal, and Escape typed on the terminal read while an extraction runs.
class ConsoleProgress final : public ProgressDisplay {
 public:
  ConsoleProgress(std::ostream& err, bool draw_bar, bool watch_keys)
      : err_(err), draw_bar_(draw_bar), watch_keys_(watch_keys) {}

  void SetCaption(const std::string& caption) override { caption_ = caption; }
  void Present() override;
  void ShowProgress(int32_t min, int32_t max, int32_t position, bool done) override;
  // Reads the keys typed on the terminal, latching Escape.
  void ProcessPendingInput() override;
  void Hide() override;

 private:
  std::ostream& err_;
  const bool draw_bar_;
  const bool watch_keys_;
  std::string caption_;
  std::unique_ptr<TerminalEscapeWatcher> watcher_;
  bool bar_drawn_ = false;
  std::string drawn_bar_;
};

// The user interface of a machine without a display: message boxes become lines on the error
// stream ("caption: path: message"); questions, the page range and the save path are asked
// on the terminal when the input is one, and shown answered No or cancelled when it is not; a file
// to open is named on the output stream, one line each, for scripts to collect.
class ConsoleUserInterface final : public UserInterface {
 public:
  ConsoleUserInterface(std::istream& in, std::ostream& out, std::ostream& err, bool interactive,
                       bool error_is_terminal)
      : in_(in),
        out_(out),
        err_(err),
        interactive_(interactive),
        progress_(err, error_is_terminal, interactive) {}

  void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  std::optional<PageRange> ChoosePageRange(int32_t page_count,
                                           const std::string& caption_suffix) override;
  std::optional<std::string> ChooseSavePath(const std::string& proposed_path) override;
  ProgressDisplay& Progress() override { return progress_; }
  void LeaveAlwaysOnTop() override {}
  void OpenInApplication(const std::string& path) override { out_ << path << '\n' << std::flush; }
  std::ostream& Diagnostics() override { return err_; }
  bool WarnsOfReplacedCharactersAtOnce() const override { return true; }
  // On the console the switch is the command line's option.
  std::string NewerFormatsHint() const override {
    return "--newer-formats オプションを付けると読み込める場合があります。";
  }

 private:
  // The answer typed after the prompt; nothing at the end of the input, and nothing when there
  // is no terminal to answer on (the prompt is then shown with a note saying so).
  std::optional<std::string> Ask(const std::string& prompt);

  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  const bool interactive_;
  ConsoleProgress progress_;
};

}  // namespace lumenquill
