#include "support/environment.h"

#include <stdlib.h>

namespace lumenquill::testing {

#ifdef _WIN32
void SetEnvironment(const std::string& name, const std::string& value) {
  ::_putenv_s(name.c_str(), value.c_str());
}
// An empty value removes the variable on Windows.
void UnsetEnvironment(const std::string& name) { ::_putenv_s(name.c_str(), ""); }
#else
void SetEnvironment(const std::string& name, const std::string& value) {
  ::setenv(name.c_str(), value.c_str(), 1);
}
void UnsetEnvironment(const std::string& name) { ::unsetenv(name.c_str()); }
#endif

}  // namespace lumenquill::testing
