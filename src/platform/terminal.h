#pragma once

namespace lumenquill {

// Whether standard input / standard error is a terminal (and not a file or a pipe).
bool StandardInputIsTerminal();
bool StandardErrorIsTerminal();

}  // namespace lumenquill
