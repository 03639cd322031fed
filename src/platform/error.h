#pragma once

#include <stdexcept>
#include <string>

namespace lumenquill {

// Base of every error the program raises on purpose. The message is the text shown to the
// user (UTF-8; in Japanese for the checks of a document).
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file could not be opened for reading. The cause lets the front end tell the user more
// than "damaged" when the file itself was never read.
class FileOpenError : public Error {
 public:
  enum class Cause {
    kOther,
    kNotFound,
    kNoPermission,
    kLocked,      // another process holds a lock that denies readers
    kNotRegular,  // a folder, FIFO, device or socket
    kTooLarge,
  };

  FileOpenError(const std::string& message, Cause cause = Cause::kOther)
      : Error(message), cause_(cause) {}

  Cause cause() const { return cause_; }

 private:
  Cause cause_;
};

// A text file could not be written: the text is lost, whatever else went well. The message is
// the reason, for the user; path() is the file that was to be written.
class OutputError : public Error {
 public:
  OutputError(std::string path, const std::string& reason)
      : Error(reason), path_(std::move(path)) {}

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace lumenquill
