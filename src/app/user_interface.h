#pragma once

#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

#include "text/text_extractor.h"

namespace lumenquill {

// The few ways the conversion reaches the user. Two implementations: the windows (Qt) and the
// console, for machines without a display.

enum class MessageIcon { kError, kWarning };

// The caption of the program's message boxes.
inline constexpr const char* kMessageCaption = "Lumenquill";

// The progress dialog of a conversion.
class ProgressDisplay {
 public:
  virtual ~ProgressDisplay() = default;

  // The batch caption, " (i/n) - name".
  virtual void SetCaption(const std::string& caption) = 0;
  // Before an extraction: placed at 50, 50, shown, raised and brought to the foreground.
  virtual void Present() = 0;
  // The extractor's progress callback: processes pending input (a cancel click, Escape),
  // shows the position, and hides the display when done.
  virtual void ShowProgress(int32_t min, int32_t max, int32_t position, bool done) = 0;
  // Processes pending input only; the extractor calls it between the forms of a page.
  virtual void ProcessPendingInput() = 0;
  virtual void Hide() = 0;

  // The user asked to stop; the extractor reads it after every progress report and form.
  bool cancelled = false;
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A message box with an OK button.
  virtual void ShowMessage(const std::string& caption, const std::string& text,
                           MessageIcon icon) = 0;
  // A question with Yes and No and a warning icon; true for Yes.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
  // The page range of a document of page_count pages, checked against that count; nothing
  // when the user cancels. The caption suffix is " - ( file name )".
  virtual std::optional<PageRange> ChoosePageRange(int32_t page_count,
                                                   const std::string& caption_suffix) = 0;
  // The output path, proposing the PDF's path without its extension (".txt" is the default
  // extension; a dialog shows only the name part); nothing when the user cancels. An existing
  // file is confirmed here.
  virtual std::optional<std::string> ChooseSavePath(const std::string& proposed_path) = 0;
  virtual ProgressDisplay& Progress() = 0;
  // Takes the window that owns the conversion out of the always-on-top layer.
  virtual void LeaveAlwaysOnTop() = 0;
  // Opens the file with the application associated with its type; failures are ignored.
  virtual void OpenInApplication(const std::string& path) = 0;
  // Where notes that need no answer go, one line each: standard error for the windows, whose
  // message boxes are kept for what the user must see at once.
  virtual std::ostream& Diagnostics() { return std::cerr; }
  // Whether the warning that a file's text had characters replaced comes as soon as the file is
  // done (a line on the console) or in one message at the end of the batch (the windows, which
  // would otherwise stop a batch at a box per file).
  virtual bool WarnsOfReplacedCharactersAtOnce() const { return false; }
  // The line added to a refusal that reading newer files would lift: how to turn that on
  // here. In the windows it is the options dialog's check box.
  virtual std::string NewerFormatsHint() const {
    return "オプションの「新しい形式のPDFも読み込む」をオンにすると読み込める場合があります。";
  }
};

}  // namespace lumenquill
