#include "platform/wide_text.h"

#include <windows.h>

#include <climits>

#include "platform/utf16_text.h"

namespace lumenquill {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return {};
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(
      static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string Narrow(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

namespace {

std::wstring WithBackslashes(const std::string& path) {
  std::wstring wide = Widen(path);
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return wide;
}

std::wstring FullPathOf(const std::wstring& path) {
  const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  full.resize(::GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
  return full;
}

// The prefix turns off the system's own clean-up of the path, so it goes on a full path only.
std::wstring WithLongPathPrefix(const std::wstring& full) {
  if (full.size() < MAX_PATH - 12 || full.starts_with(L"\\\\?\\")) return full;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace

std::wstring WindowsPath(const std::string& path) {
  std::wstring wide = WithBackslashes(path);
  if (wide.size() < MAX_PATH - 12) return wide;
  return WithLongPathPrefix(FullPathOf(wide));
}

std::wstring FullWindowsPath(const std::string& path) {
  return WithLongPathPrefix(FullPathOf(WithBackslashes(path)));
}

}  // namespace lumenquill
