#include "platform/terminal.h"

namespace lumenquill {

bool HoldsLoneEscape(std::string_view keys) {
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == '\x1B' && (i + 1 == keys.size() || keys[i + 1] == '\x1B')) return true;
  }
  return false;
}

}  // namespace lumenquill
