#include "platform/environment_variables.h"

#include <windows.h>

#include "platform/wide_text.h"

namespace lumenquill {

std::string ExpandEnvironmentVariables(const std::string& text) {
  const std::wstring wide = Widen(text);
  const DWORD size = ::ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
  if (size == 0) return text;
  std::wstring expanded(size, L'\0');
  const DWORD written = ::ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), size);
  if (written == 0 || written > size) return text;
  expanded.resize(written - 1);  // the count includes the terminating NUL
  return Narrow(expanded);
}

}  // namespace lumenquill
