#pragma once

#include <string>

namespace lumenquill {

// The system's own text for a Windows error code (GetLastError), in the user's language, as
// UTF-8 without the line end; the code in decimal when the system has no text for it.
std::string SystemErrorText(unsigned long error_code);

}  // namespace lumenquill
