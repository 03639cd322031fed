#pragma once

#include <string>
#include <string_view>

namespace lumenquill {

// How a file system bounds the length of a name: in bytes (Linux), in UTF-16 units (Windows).
enum class NameUnits { kBytes, kUtf16 };

// The hidden name of a temporary file that will take the place of the file called name, in the
// same folder: "." + the start of name + "." + "XXXXXX", the last six characters for the caller
// to replace by random ones. The name is no longer than name itself (and 8 units when name is
// shorter), so that every name the file system accepts can be written; name is cut between two
// characters, never inside one.
std::string HiddenTemporaryName(std::string_view name, NameUnits units);

}  // namespace lumenquill
