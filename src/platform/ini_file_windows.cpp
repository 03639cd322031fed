#include "platform/ini_file.h"

#include <windows.h>

#include <filesystem>

#include "platform/path_text.h"
#include "platform/wide_text.h"

namespace lumenquill {
namespace {

// Whether the path names a file that may be read as settings, or nothing (a file to create): a
// folder or a device is left alone, as on Linux only regular files are read.
bool MayHoldSettings(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES ||
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

}  // namespace

std::optional<std::string> FindProfileValue(const std::string& path, const std::string& section,
                                            const std::string& key) {
  const std::wstring file = FullWindowsPath(path);
  if (!MayHoldSettings(file)) return std::nullopt;
  // Values are short (numbers, in practice); a longer one is cut at the buffer's end, as the
  // profile functions do. A default that no file holds tells a missing key.
  constexpr wchar_t kMissing[] = L"\x1\x2missing";
  wchar_t value[1024];
  ::GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), kMissing, value,
                             static_cast<DWORD>(std::size(value)), file.c_str());
  if (std::wstring_view(value) == kMissing) return std::nullopt;
  return Narrow(value);
}

void WriteProfileValue(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) {
  const std::wstring file = FullWindowsPath(path);
  if (!MayHoldSettings(file)) return;
  // The profile function creates the file but not its folder.
  std::error_code error;
  std::filesystem::create_directories(FilesystemPath(path).parent_path(), error);
  ::WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str(),
                               file.c_str());
}

}  // namespace lumenquill
