#pragma once

#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/user_interface.h"

namespace lumenquill::testing {

// A user interface that records what the conversion asks and shows, answering from its fields.
class RecordingInterface final : public UserInterface, public ProgressDisplay {
 public:
  void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override {
    events.push_back("message " + caption + (icon == MessageIcon::kError ? " error: " : ": ") +
                     text);
  }
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    events.push_back("ask " + caption + ": " + text);
    return answer_yes;
  }
  std::optional<PageRange> ChoosePageRange(int32_t page_count,
                                           const std::string& caption_suffix) override {
    events.push_back("range" + caption_suffix + " of " + std::to_string(page_count));
    return page_range;
  }
  std::optional<std::string> ChooseSavePath(const std::string& proposed_name) override {
    events.push_back("save " + proposed_name);
    return save_path;
  }
  ProgressDisplay& Progress() override { return *this; }
  void LeaveAlwaysOnTop() override { events.push_back("not on top"); }
  void OpenInApplication(const std::string& path) override { events.push_back("open " + path); }
  std::ostream& Diagnostics() override { return diagnostics; }

  void SetCaption(const std::string& caption) override { events.push_back("caption" + caption); }
  void Present() override { events.push_back("present"); }
  void ShowProgress(int32_t, int32_t, int32_t position, bool done) override {
    if (on_progress && !done) on_progress();
    if (cancel_on_progress && !done) cancelled = true;
    if (done) events.push_back("done " + std::to_string(position));
  }
  void ProcessPendingInput() override {
    if (cancel_on_pending_input) cancelled = true;
  }
  void Hide() override { events.push_back("hide"); }

  std::vector<std::string> events;
  bool answer_yes = false;
  std::optional<PageRange> page_range;
  std::optional<std::string> save_path;
  bool cancel_on_progress = false;
  bool cancel_on_pending_input = false;
  std::function<void()> on_progress;  // what happens elsewhere during the extraction
  std::ostringstream diagnostics;
};

}  // namespace lumenquill::testing
