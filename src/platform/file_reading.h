#pragma once

#include <cstddef>
#include <string>

namespace lumenquill {

// The first max_bytes bytes of a file, or the whole of a shorter one; empty when the file
// cannot be read.
std::string ReadFileStart(const std::string& path, size_t max_bytes);

// All of standard input, as bytes; raises FileOpenError (too large) when it holds more than
// max_bytes, having read no more than that.
std::string ReadStandardInput(size_t max_bytes);

// The path that relative names when taken from the folder of file, with "." and ".." resolved
// as text, without looking at the disk.
std::string PathFromFolderOf(const std::string& file, const std::string& relative);

}  // namespace lumenquill
