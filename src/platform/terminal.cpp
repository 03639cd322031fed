#include "platform/terminal.h"

#include <unistd.h>

namespace lumenquill {

bool StandardInputIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace lumenquill
