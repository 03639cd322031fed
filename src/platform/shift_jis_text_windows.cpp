#include <windows.h>

#include <climits>

#include "platform/shift_jis_text.h"
#include "platform/wide_text.h"

namespace lumenquill {

std::optional<std::string> ShiftJisToUtf8(std::string_view bytes) {
  if (bytes.empty()) return std::string();
  if (bytes.size() > INT_MAX) return std::nullopt;
  const int size = static_cast<int>(bytes.size());
  const int length =
      ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (length == 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
  return Narrow(wide);
}

}  // namespace lumenquill
