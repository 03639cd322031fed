#pragma once

namespace lumenquill {

// A latch for the Escape key: the user interface latches each press of Escape, and a long
// operation asks whether it was pressed since it last asked.

void LatchEscapeKeyPress();
// True when Escape was pressed since the last call; clears the latch.
bool TakeEscapeKeyPress();

}  // namespace lumenquill
