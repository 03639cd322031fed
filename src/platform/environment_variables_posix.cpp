#include "platform/environment_variables.h"

#include <cstdlib>

namespace lumenquill {

std::string ExpandEnvironmentVariables(const std::string& text) {
  std::string expanded;
  size_t at = 0;
  for (;;) {
    const size_t open = text.find('%', at);
    const size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) break;
    const char* value = std::getenv(text.substr(open + 1, close - open - 1).c_str());
    expanded += text.substr(at, open - at);
    if (value != nullptr && close > open + 1) {
      expanded += value;
      at = close + 1;
    } else {
      // Not a variable: the first "%" stays, and the second may open the next one.
      expanded += '%';
      at = open + 1;
    }
  }
  return expanded + text.substr(at);
}

}  // namespace lumenquill
