#pragma once

#include <string>
#include <vector>

namespace lumenquill::testing {

// A file in a fresh temporary folder, removed with its folder when the object goes.
class TempFile {
 public:
  explicit TempFile(const std::string& content, const std::string& name = "test.pdf");
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string folder_;
  std::string path_;
};

std::string ReadWholeFile(const std::string& path);

// Takes the right to write the file away (the read-only attribute on Windows, every write
// permission on Linux).
void MakeReadOnly(const std::string& path);

// The names in the folder that holds path, sorted: what a failed write may not leave behind.
std::vector<std::string> NamesBeside(const std::string& path);

}  // namespace lumenquill::testing
