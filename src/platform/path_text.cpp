#include "platform/path_text.h"

namespace lumenquill {

std::string WithTrailingSeparator(const std::string& folder) {
  if (!folder.empty() && IsPathSeparator(folder.back())) return folder;
  return folder + kPathSeparator;
}

}  // namespace lumenquill
