#pragma once

#include <string>
#include <vector>

#include "layout/layout_options.h"
#include "layout/placed_page.h"

namespace lumenquill {

struct ArrangementOptions {
  std::string new_line = "\r\n";
  RubyHandling ruby = RubyHandling::kDrop;
};

// A box on the page, in default user space (points, y up).
struct LayoutBox {
  float left = 0;
  float bottom = 0;
  float right = 0;
  float top = 0;
};

// One line (horizontal text) or column (vertical text) as the layout read it.
struct ArrangedLine {
  LayoutBox box;
  bool vertical = false;
  bool ruby = false;  // taken as ruby of the line or column beside it
  std::string text;   // extracted text, without the line end
};

// Appends the page's text in reading order to output, as extracted text: horizontal lines top
// to bottom, grouped into columns and blocks read left to right; vertical columns right to
// left, top to bottom within each; ruby as the options say. Lines end with the options' line
// end. Fills lines, when given, with every line and column read, ruby included.
void ArrangePage(const PlacedPage& page, const ArrangementOptions& options, std::string& output,
                 std::vector<ArrangedLine>* lines = nullptr);

}  // namespace lumenquill
