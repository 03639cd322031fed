#pragma once

#include <string>

namespace lumenquill {

// The line that tells why a file failed, "path: message", naming the file once: a message that
// starts with the path on a line of its own (as the errors of opening a file do) loses that
// line, and the message's further lines are joined with ": ".
std::string FailureLine(const std::string& path, const std::string& message);

}  // namespace lumenquill
