#include "platform/path_text.h"

#include "platform/wide_text.h"

namespace lumenquill {

size_t LastPathSeparator(std::string_view path) { return path.find_last_of("/\\"); }

std::filesystem::path FilesystemPath(const std::string& path) { return Widen(path); }

std::string PathText(const std::filesystem::path& path) { return Narrow(path.native()); }

}  // namespace lumenquill
