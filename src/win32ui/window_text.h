#pragma once

#include <windows.h>

#include <string>

#include "platform/wide_text.h"

namespace lumenquill {

// A window's or control's text, in the program's UTF-8.
inline std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

inline void SetWindowTextUtf8(HWND window, const std::string& text) {
  SetWindowTextW(window, Widen(text).c_str());
}

}  // namespace lumenquill
