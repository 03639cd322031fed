#include "info/failure_line.h"

namespace lumenquill {

std::string FailureLine(const std::string& path, const std::string& message) {
  std::string reason = message;
  if (reason.starts_with(path + "\n")) reason.erase(0, path.size() + 1);
  std::string line = path + ": ";
  for (const char c : reason) {
    if (c == '\n') {
      line += ": ";
    } else {
      line += c;
    }
  }
  return line;
}

}  // namespace lumenquill
