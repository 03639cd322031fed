#pragma once

namespace lumenquill {

// The program's version, shown in the main window's title and by --version: the project's
// version in CMakeLists.txt.
inline constexpr const char* kProgramVersion = LUMENQUILL_VERSION;

}  // namespace lumenquill
