#pragma once

#include <string>
#include <string_view>

namespace lumenquill {

// A file created (or emptied) for writing, held under a write lock (no other writer, no reader
// that locks) until it is closed. Writes are buffered; Close flushes them. Raises Error with
// the system's reason when the file cannot be created or written.
class OutputFile final {
 public:
  explicit OutputFile(const std::string& path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(std::string_view bytes);
  // Flushes and closes; later writes are refused.
  void Close();

 private:
  void Flush();

  std::string path_;
  int fd_ = -1;
  std::string pending_;
};

}  // namespace lumenquill
