#include "app/path_names.h"

#include "platform/ascii_case.h"
#include "platform/path_text.h"

namespace lumenquill {

std::string FileNamePart(const std::string& path) {
  const size_t slash = LastPathSeparator(path);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtensionOf(const std::string& path) {
  const std::string name = FileNamePart(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string WithExtension(const std::string& path, const std::string& extension) {
  return path.substr(0, path.size() - ExtensionOf(path).size()) + extension;
}

bool HasExtension(const std::string& path, const std::string& extension) {
  return EqualsIgnoringAsciiCase(ExtensionOf(path), extension);
}

}  // namespace lumenquill
