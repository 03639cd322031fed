#pragma once

#include <stdexcept>
#include <string>

#include "platform/error.h"

namespace lumenquill {

// A read past the end of a byte stream.
class ReadError : public Error {
 public:
  ReadError() : Error("ストリームの読み込みに失敗しました。") {}
};

// A failed check of the file structure. NeedsNewerFormats() tells that the file was refused
// for a reason that reading the newer formats lifts (its version, a cross-reference stream).
class LoadError : public Error {
 public:
  explicit LoadError(const std::string& message, bool needs_newer_formats = false)
      : Error(message), needs_newer_formats_(needs_newer_formats) {}

  bool NeedsNewerFormats() const { return needs_newer_formats_; }

 private:
  bool needs_newer_formats_;
};

// An object offset that does not hold the expected object ("オブジェクトIDが不正です。").
class ObjectIdError : public Error {
 public:
  ObjectIdError() : Error("オブジェクトIDが不正です。") {}
};

// An index outside the bounds of a list or table: a fault of the program, not of the file, so
// it is no Error and `catch (const Error&)` does not take it for a damaged file.
class IndexError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// An output file that may not be written, and why.
class FileCreateError : public Error {
 public:
  enum class Cause { kNotRegular, kReadOnly, kNoPermission, kInUse };

  FileCreateError(const std::string& message, Cause cause) : Error(message), cause_(cause) {}

  Cause cause() const { return cause_; }

 private:
  Cause cause_;
};

}  // namespace lumenquill
