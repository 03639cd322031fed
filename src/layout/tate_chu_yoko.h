#pragma once

#include "layout/layout_units.h"
#include "layout/text_lines.h"

namespace lumenquill {

// Moves each short horizontal line set inside a vertical column (縦中横: two digits, "!?")
// into the vertical units, at its place in the column, in the drawing order. The lines are
// those of the units as they were; true when any moved (the lines must then be built anew).
bool MoveTateChuYoko(PageUnits& units, const TextLines& horizontal, const TextLines& vertical);

}  // namespace lumenquill
