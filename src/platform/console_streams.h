#pragma once

namespace lumenquill {

// Makes std::cout and std::cerr show the program's UTF-8 text correctly where they are a
// console: on Windows, a console's own code page (932 on a Japanese system) would show UTF-8 as
// garbage, so text for a console goes through WriteConsoleW as UTF-16. Redirected to a file or
// a pipe, and on Linux, the streams keep writing the bytes as they are (standard output without
// the C runtime's CR before each LF on Windows).
void UseConsoleForStandardStreams();

}  // namespace lumenquill
