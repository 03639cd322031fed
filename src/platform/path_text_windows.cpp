#include "platform/path_text.h"

#include <windows.h>

#include "platform/wide_text.h"

namespace lumenquill {

size_t LastPathSeparator(std::string_view path) { return path.find_last_of("/\\"); }

std::filesystem::path FilesystemPath(const std::string& path) { return Widen(path); }

std::string PathText(const std::filesystem::path& path) { return Narrow(path.native()); }

std::string SameFileKey(const std::string& path) {
  std::error_code error;
  std::wstring key = std::filesystem::weakly_canonical(FilesystemPath(path), error).native();
  if (error) key = Widen(path);
  ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
  return Narrow(key);
}

}  // namespace lumenquill
