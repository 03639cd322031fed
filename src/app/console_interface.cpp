#include "app/console_interface.h"

#include <sstream>
#include <variant>

#include "app/page_range_check.h"
#include "platform/file_attributes.h"
#include "platform/path_text.h"

namespace lumenquill {
namespace {

constexpr int kBarWidth = 20;

// The lines of a message box's text on one line: a line that ends a sentence is followed by a
// space, any other (a path, a caption) by ": ".
std::string OneLine(const std::string& text) {
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\r\n") == 0) {
      line += line.ends_with("。") || line.ends_with("？") || line.ends_with("?") ? " " : ": ";
      ++i;
    } else {
      line += text[i];
    }
  }
  return line;
}

}  // namespace

void ConsoleProgress::Present() {
  if (watch_keys_) watcher_ = std::make_unique<TerminalEscapeWatcher>();
}

void ConsoleProgress::ShowProgress(int32_t, int32_t max, int32_t position, bool done) {
  ProcessPendingInput();
  if (done) {
    Hide();
    return;
  }
  if (!draw_bar_) return;
  const int32_t shown = position < 0 ? 0 : position;
  const int filled = max > 0 ? static_cast<int>(int64_t{shown} * kBarWidth / max) : 0;
  std::string bar = caption_ + " [" + std::string(static_cast<size_t>(filled), '#') +
                    std::string(static_cast<size_t>(kBarWidth - filled), ' ') + "] " +
                    std::to_string(position) + '/' + std::to_string(max);
  // The decoder reports many times a page: the terminal gets only what changed.
  if (bar_drawn_ && bar == drawn_bar_) return;
  err_ << '\r' << bar << std::flush;
  drawn_bar_ = std::move(bar);
  bar_drawn_ = true;
}

void ConsoleProgress::ProcessPendingInput() {
  if (watcher_) watcher_->Poll();
}

void ConsoleProgress::Hide() {
  if (bar_drawn_) err_ << "\r\033[K" << std::flush;
  bar_drawn_ = false;
  watcher_.reset();
}

void ConsoleUserInterface::ShowMessage(const std::string& caption, const std::string& text,
                                       MessageIcon) {
  err_ << caption << ": " << OneLine(text) << '\n' << std::flush;
}

std::optional<std::string> ConsoleUserInterface::Ask(const std::string& prompt) {
  err_ << prompt << std::flush;
  if (!interactive_) {
    err_ << "(端末がないため答えられません)\n" << std::flush;
    return std::nullopt;
  }
  std::string answer;
  if (!std::getline(in_, answer)) return std::nullopt;
  return answer;
}

bool ConsoleUserInterface::AskYesNo(const std::string& caption, const std::string& text) {
  const std::optional<std::string> answer = Ask(caption + ": " + OneLine(text) + " [y/N] ");
  return answer && (*answer == "y" || *answer == "Y" || *answer == "yes");
}

// The entry is "first last" or "first-last"; an empty line takes the whole document, "q" or
// the end of the input cancels. A failed check shows its message and asks again.
std::optional<PageRange> ConsoleUserInterface::ChoosePageRange(int32_t page_count,
                                                               const std::string& caption_suffix) {
  const std::string count = std::to_string(page_count);
  for (;;) {
    const std::optional<std::string> answer =
        Ask("ページを指定して抽出" + caption_suffix + ": 抽出するページ範囲を入力してください" +
            " (有効ページ : 1-" + count + ") [1-" + count + "] ");
    if (!answer || *answer == "q") return std::nullopt;
    std::string first = "1";
    std::string last = count;
    if (!answer->empty()) {
      std::string entry = *answer;
      for (char& c : entry) {
        if (c == '-') c = ' ';
      }
      std::istringstream fields(entry);
      first.clear();
      last.clear();
      fields >> first >> last;
    }
    const auto checked = CheckPageRange(first, last, page_count);
    if (const auto* range = std::get_if<PageRange>(&checked)) return *range;
    err_ << "Lumenquill: " << WithClosingPeriod(std::get<std::string>(checked)) << '\n';
  }
}

// An empty line takes the proposed path (beside the PDF) with ".txt"; a name without an
// extension gets ".txt"; an existing file is replaced only when the user says so, else the
// name is asked again. The end of the input cancels.
std::optional<std::string> ConsoleUserInterface::ChooseSavePath(const std::string& proposed_path) {
  for (;;) {
    const std::optional<std::string> answer = Ask("保存先 [" + proposed_path + ".txt] ");
    if (!answer) return std::nullopt;
    std::string path = answer->empty() ? proposed_path : *answer;
    const size_t slash = LastPathSeparator(path);
    if (path.find('.', slash == std::string::npos ? 0 : slash) == std::string::npos) {
      path += ".txt";
    }
    if (!FileExists(path) ||
        AskYesNo("名前を付けて保存", path + "\r\n" + "は既に存在します。上書きしますか?")) {
      return path;
    }
  }
}

}  // namespace lumenquill
