#pragma once

#include <string>

namespace lumenquill::testing {

// Sets or removes an environment variable of this process (setenv on Linux, _putenv_s on
// Windows).
void SetEnvironment(const std::string& name, const std::string& value);
void UnsetEnvironment(const std::string& name);

}  // namespace lumenquill::testing
