#include "platform/file_reading.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/path_text.h"

namespace lumenquill {

std::string ReadFileStart(const std::string& path, size_t max_bytes) {
  std::ifstream in(FilesystemPath(path), std::ios::binary | std::ios::ate);
  const std::streamsize size =
      std::min<std::streamsize>(in.tellg(), static_cast<std::streamsize>(max_bytes));
  std::string data(static_cast<size_t>(std::max<std::streamsize>(size, 0)), '\0');
  in.seekg(0);
  in.read(data.data(), static_cast<std::streamsize>(data.size()));
  data.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return data;
}

std::string PathFromFolderOf(const std::string& file, const std::string& relative) {
  return PathText(
      (FilesystemPath(file).parent_path() / FilesystemPath(relative)).lexically_normal());
}

}  // namespace lumenquill
