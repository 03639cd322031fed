#pragma once

#include "layout/layout_units.h"
#include "layout/text_lines.h"

namespace lumenquill {

// Moves each short horizontal run set inside a vertical column (縦中横: two digits, "!?", or
// a glyph the producer set upright with a horizontal font) into the vertical units, at its
// place in the column, in the drawing order. vertical holds the lines of the vertical units as
// they were; true when any moved (the lines must then be built anew).
bool MoveTateChuYoko(PageUnits& units, const TextLines& vertical);

}  // namespace lumenquill
