#include "platform/ini_file.h"

#include <windows.h>

#include <filesystem>

#include "platform/path_text.h"
#include "platform/wide_text.h"

namespace lumenquill {
std::optional<std::string> FindProfileValue(const std::string& path, const std::string& section,
                                            const std::string& key) {
  // Values are short (numbers, in practice); a longer one is cut at the buffer's end, as the
  // profile functions do. A default that no file holds tells a missing key.
  constexpr wchar_t kMissing[] = L"\x1\x2missing";
  wchar_t value[1024];
  ::GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), kMissing, value,
                             static_cast<DWORD>(std::size(value)), FullWindowsPath(path).c_str());
  if (std::wstring_view(value) == kMissing) return std::nullopt;
  return Narrow(value);
}

void WriteProfileValue(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) {
  // The profile function creates the file but not its folder.
  std::error_code error;
  std::filesystem::create_directories(FilesystemPath(path).parent_path(), error);
  ::WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str(),
                               FullWindowsPath(path).c_str());
}

}  // namespace lumenquill
