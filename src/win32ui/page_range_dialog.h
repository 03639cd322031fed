#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "app/user_interface.h"

namespace lumenquill {

// The page-range dialog: a first and a last page, checked against the document's page count.
// Only "." and digits can be typed into the edits; Enter in an edit runs the checks of OK.
class PageRangeDialog final {
 public:
  // The caption suffix is " - ( file name )".
  PageRangeDialog(int32_t page_count, std::string caption_suffix)
      : page_count_(page_count), caption_suffix_(std::move(caption_suffix)) {}

  // Shows the dialog modally; the range (ordered) on OK, nothing on Cancel or close.
  std::optional<PageRange> Execute(HWND owner);

  // Both -1 after Cancel.
  int32_t first_page = -1;
  int32_t last_page = -1;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR subclass, DWORD_PTR data);
  void ShowPageCount();
  // The checks; the dialog closes with OK only when they pass, else the error box is shown.
  void Confirm();
  void Cancel();

  const int32_t page_count_;
  const std::string caption_suffix_;
  HWND window_ = nullptr;
  // The edit that took the last press of Enter, until its release: the release of the Enter
  // that closed the error box lands in the edit too, and must not run the checks again.
  HWND enter_pressed_in_ = nullptr;
};

}  // namespace lumenquill
