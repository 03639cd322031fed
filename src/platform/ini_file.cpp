#include "platform/ini_file.h"

namespace lumenquill {

std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& fallback) {
  return FindProfileValue(path, section, key).value_or(fallback);
}

}  // namespace lumenquill
