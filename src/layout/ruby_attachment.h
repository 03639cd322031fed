#pragma once

#include <cstdint>
#include <vector>

#include "layout/layout_units.h"
#include "layout/text_lines.h"

namespace lumenquill {

// A line of ruby and the last base character it reads: unit `last` of the base line (counted
// from the line's first unit).
struct RubyAttachment {
  uint32_t base = 0;
  uint32_t ruby = 0;
  uint32_t last = 0;
};

// The lines that are ruby: set at most kRubySizeRatio of the size of a line right below them
// (right beside, for columns: the frame of layout_units.h puts both "above"), over its
// characters. Sorted by base line, then by the last base character read.
std::vector<RubyAttachment> FindRuby(const std::vector<LayoutUnit>& units, const TextLines& lines);

}  // namespace lumenquill
