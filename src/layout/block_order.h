#pragma once

#include <cstdint>
#include <vector>

#include "layout/text_lines.h"

namespace lumenquill {

// The reading order of lines of one writing direction (the frame of layout_units.h): the page
// is cut recursively at its gaps. Columns of running text side by side are read one after the
// other (first to last along the writing direction); otherwise bands separated by the widest
// gaps across the lines (a heading, table rows) are read first to last, and what stands side
// by side within a band (table cells) along the writing direction. ids are indices into lines;
// they are returned in reading order. O(n log n).
std::vector<uint32_t> BlockOrder(const std::vector<TextLine>& lines, std::vector<uint32_t> ids);

}  // namespace lumenquill
