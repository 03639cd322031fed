#include "platform/console_streams.h"

namespace lumenquill {

// A terminal shows the bytes in its own encoding, which is the user's business.
void UseConsoleForStandardStreams() {}

}  // namespace lumenquill
