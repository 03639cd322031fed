#include "platform/path_text.h"

namespace lumenquill {

size_t LastPathSeparator(std::string_view path) { return path.rfind('/'); }

std::filesystem::path FilesystemPath(const std::string& path) { return path; }

std::string PathText(const std::filesystem::path& path) { return path.string(); }

std::string SameFileKey(const std::string& path) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  return error ? path : canonical.string();
}

}  // namespace lumenquill
