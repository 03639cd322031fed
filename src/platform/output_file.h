#pragma once

#include <string>
#include <string_view>

namespace lumenquill {

// What the commit of an output file does with a file that holds the target's name by then.
enum class ExistingFile {
  // Replaced: the user agreed to replace the file that was there when the name was chosen.
  kReplace,
  // Kept, and the output refused: nothing was there when the name was chosen, so replacing was
  // never agreed; a file that appeared meanwhile (another conversion to the same name) stays.
  kKeep,
};

// A file written whole or not at all. The bytes go to a new temporary file in the target's
// folder: on Linux an unnamed one (O_TMPFILE) where the file system allows, so that nothing is
// left behind even by kill -9; else a hidden one whose name is no longer than the target's.
// Commit writes out what is buffered, closes the file and puts it in place of the target in one
// step that replaces a file of that name or, with ExistingFile::kKeep, fails when there is one
// (Linux: linkat, renameat2 without replacing or link; Windows: MoveFileExW with or without
// replacing, writing through). An OutputFile destroyed without a successful Commit leaves the
// target exactly as it was (the old file, or no file) and no temporary file; so does an
// interruption by a signal (see interruption.h). A new file gets the usual permissions, a
// replaced one keeps its own. A target that is a symbolic link has the file it names replaced,
// except in a world-writable sticky folder (/tmp), where, as the kernel's protected_symlinks
// rule has it, a link is followed only when it belongs to the folder's owner or to this user.
// Raises OutputError with the reason, for the user, when a step fails.
class OutputFile final {
 public:
  OutputFile(const std::string& path, ExistingFile existing);
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
  ExistingFile existing_;
  std::string temporary_;  // its name; empty while the file has none (O_TMPFILE)
  NativeFile file_ = kNoFile;
  std::string pending_;
};

}  // namespace lumenquill
