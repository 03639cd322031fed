#pragma once

namespace lumenquill {

// The program's version, shown in the main window's title and by --version.
inline constexpr const char* kProgramVersion = "1.21";

}  // namespace lumenquill
