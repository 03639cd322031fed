#pragma once

#include <string>
#include <string_view>

namespace lumenquill {

// A file written whole or not at all. The bytes go to a new hidden temporary file in the
// target's folder; Commit writes out what is buffered, closes the file and renames it over the
// target (on Windows with MoveFileExW, replacing and writing through), checking each step. An
// OutputFile destroyed without a successful Commit removes its temporary file and leaves the target
// exactly as it was (the old file, or no file); so does an interruption by a signal (see
// interruption.h). A new file gets the usual permissions, a replaced one keeps its own; a target
// that is a symbolic link has the file it names replaced. Raises OutputError with the reason, for
// the user, when a step fails.
class OutputFile final {
 public:
  explicit OutputFile(const std::string& path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(std::string_view bytes);
  // Puts the complete file in place of the target; later writes are refused.
  void Commit();

 private:
  void Flush();
#ifdef _WIN32
  using NativeFile = void*;         // a HANDLE
  using ErrorCode = unsigned long;  // GetLastError's
  static constexpr NativeFile kNoFile = nullptr;
#else
  using NativeFile = int;  // a file descriptor
  using ErrorCode = int;   // errno's
  static constexpr NativeFile kNoFile = -1;
#endif
  [[noreturn]] void Fail(ErrorCode error);
  void Discard();

  std::string path_;    // as the caller named it, for messages
  std::string target_;  // the file that is replaced
  std::string temporary_;
  NativeFile file_ = kNoFile;
  std::string pending_;
};

}  // namespace lumenquill
