#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumenquill {

// One glyph as the content draws it: where it stands on the page and the text it shows.
// Coordinates are in the page's default user space (points, y up), with the text matrix and
// every transformation (cm, form matrices) applied.
struct PlacedGlyph {
  // The glyph's origin: on the baseline at the glyph's left for a horizontal font, at the top
  // centre of the glyph for a vertical one.
  float x = 0;
  float y = 0;
  // From this origin to the next glyph's: the glyph's advance along the writing direction
  // (width or vertical displacement, with character and word spacing and horizontal scaling),
  // before any TJ adjustment.
  float advance_x = 0;
  float advance_y = 0;
  // The font size as drawn: the length on the page of one text-space unit across the writing
  // direction, times the size Tf set.
  float size = 0;
  // The glyph's extracted text (codes/extracted_text.h) in PlacedPage::text.
  uint32_t text_begin = 0;
  uint32_t text_end = 0;
  // Drawn by a vertical font (writing mode 1).
  bool vertical = false;
  // Set by the placer on a glyph drawn by the same string as the glyph before it when both are
  // horizontal, with finite numbers, of one size, on one y and with a vertical advance of +0,
  // each to the bit, and this glyph's text is one ASCII byte: the layout then reads it without
  // testing each of these.
  bool continues_line = false;
};

// Every glyph of one page, in the order the content draws them.
struct PlacedPage {
  std::string text;
  std::vector<PlacedGlyph> glyphs;
};

}  // namespace lumenquill
