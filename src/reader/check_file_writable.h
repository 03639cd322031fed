#pragma once

#include <string>

namespace lumenquill {

// Returns when an output file of this name may be written: it does not exist, or it is a regular
// file that is neither read-only, nor barred to this user, nor locked by another process.
// Otherwise raises FileCreateError with its cause, whose message is the name, LF and the reason.
// The file itself is never created or changed.
void CheckFileWritable(const std::string& file_name);

}  // namespace lumenquill
