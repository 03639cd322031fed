#pragma once

#include <stdexcept>
#include <string>

namespace lumenquill {

// Base of every error the program raises on purpose. The message is the text shown to the
// user (UTF-8, Japanese for the specified checks).
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file could not be opened for reading.
class FileOpenError : public Error {
 public:
  using Error::Error;
};

}  // namespace lumenquill
