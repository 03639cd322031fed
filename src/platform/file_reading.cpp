#include "platform/file_reading.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/error.h"
#include "platform/path_text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

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

std::string ReadStandardInput(size_t max_bytes) {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);  // the bytes as they are, no CR LF translated
#endif
  std::string bytes;
  char buffer[1 << 16];
  for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) {
    if (count > max_bytes - bytes.size()) {
      throw FileOpenError("standard input is too large", FileOpenError::Cause::kTooLarge);
    }
    bytes.append(buffer, count);
  }
  if (std::ferror(stdin)) throw FileOpenError("standard input cannot be read");
  return bytes;
}

std::string PathFromFolderOf(const std::string& file, const std::string& relative) {
  return PathText(
      (FilesystemPath(file).parent_path() / FilesystemPath(relative)).lexically_normal());
}

}  // namespace lumenquill
