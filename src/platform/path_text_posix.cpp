#include "platform/path_text.h"

namespace lumenquill {

size_t LastPathSeparator(std::string_view path) { return path.rfind('/'); }

std::filesystem::path FilesystemPath(const std::string& path) { return path; }

std::string PathText(const std::filesystem::path& path) { return path.string(); }

}  // namespace lumenquill
