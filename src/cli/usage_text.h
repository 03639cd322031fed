#pragma once

#include <string>

namespace lumenquill {

// The full help that --help prints on standard output.
std::string HelpText();

// The two lines printed on standard error after a usage error.
std::string ShortUsage();

// The line --version prints.
std::string VersionLine();

}  // namespace lumenquill
