#pragma once

#include <string>

#include "platform/locked_file.h"
#include "reader/byte_stream.h"

namespace lumenquill {

// The whole of a file, read into memory once when it is opened. The file stays open with a
// read lock (other writers denied) for as long as the stream lives. Raises FileOpenError when
// the file cannot be opened.
class FileStream final : public ByteStream {
 public:
  explicit FileStream(const std::string& path);
  void Append(std::string_view bytes) override;

 private:
  LockedFile file_;
  std::string content_;
};

}  // namespace lumenquill
