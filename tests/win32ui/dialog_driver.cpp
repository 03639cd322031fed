#include "dialog_driver.h"

#include <deque>
#include <utility>

#include "platform/wide_text.h"

namespace lumenquill::testing {
namespace {

struct Step {
  std::wstring title;
  std::function<void(HWND)> action;
};

// One driver at a time; the timer's callback finds its steps here.
std::deque<Step> steps;

// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

// The shown, enabled window of this thread with the title: other programs that run meanwhile
// under the same Wine server may show windows of the same title.
HWND ThreadWindowTitled(const std::wstring& title) {
  struct Search {
    const std::wstring& title;
    HWND found = nullptr;
  } search{title};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(data);
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        if (search.title != text || !IsWindowVisible(window) || !IsWindowEnabled(window)) {
          return TRUE;
        }
        search.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

DialogDriver::DialogDriver() : timer_(SetTimer(nullptr, 0, 20, Tick)) {}

DialogDriver::~DialogDriver() {
  KillTimer(nullptr, timer_);
  steps.clear();
}

void DialogDriver::Then(const std::string& title, std::function<void(HWND)> action) {
  steps.push_back({Widen(title), std::move(action)});
}

bool DialogDriver::Done() const { return steps.empty(); }

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (steps.empty()) return;
  const HWND window = ThreadWindowTitled(steps.front().title);
  if (window == nullptr) return;
  const Step step = std::move(steps.front());
  steps.pop_front();
  step.action(window);
}

std::string TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

void SetText(HWND dialog, int control, const std::string& text) {
  SetDlgItemTextW(dialog, control, Widen(text).c_str());
}

void PostClick(HWND dialog, int control) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
}

std::string MessageBoxText(HWND box) { return TextOf(GetDlgItem(box, kMessageBoxTextId)); }

}  // namespace lumenquill::testing
