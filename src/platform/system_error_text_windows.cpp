#include "platform/system_error_text_windows.h"

#include <windows.h>

#include "platform/wide_text.h"

namespace lumenquill {

std::string SystemErrorText(unsigned long error_code) {
  wchar_t text[512];
  DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       error_code, 0, text, static_cast<DWORD>(std::size(text)), nullptr);
  while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' ||
                        text[length - 1] == L' ' || text[length - 1] == L'.')) {
    --length;
  }
  if (length == 0) return "Windows error " + std::to_string(error_code);
  return Narrow(std::wstring_view(text, length));
}

}  // namespace lumenquill
