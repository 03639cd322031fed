#include "reader/file_stream.h"

namespace lumenquill {

FileStream::FileStream(const std::string& path)
    : file_(LockedFile::OpenForReading(path)), content_(file_.ReadAll()) {
  Attach(content_.data(), static_cast<int64_t>(content_.size()));
}

void FileStream::Append(std::string_view bytes) {
  content_.append(bytes);
  Attach(content_.data(), static_cast<int64_t>(content_.size()));
}

}  // namespace lumenquill
