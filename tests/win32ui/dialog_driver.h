#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace lumenquill::testing {

// Acts on the program's modal windows while their own message loops run: each step waits for an
// enabled window of this thread with the given title (a dialog, a message box) and acts on it
// once. Steps that close a window should post their clicks, so that the loop they end is not
// left from inside this driver's timer.
class DialogDriver {
 public:
  DialogDriver();
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  void Then(const std::string& title, std::function<void(HWND)> action);
  // Whether every step has run.
  bool Done() const;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  UINT_PTR timer_;
};

// A control's or window's text, and a control's text set (UTF-8).
std::string TextOf(HWND window);
void SetText(HWND dialog, int control, const std::string& text);
// Clicks a dialog's button the way the dialog sees it, through the message queue.
void PostClick(HWND dialog, int control);
// The text of a message box.
std::string MessageBoxText(HWND box);

}  // namespace lumenquill::testing
