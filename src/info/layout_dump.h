#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "layout/page_arrangement.h"

namespace lumenquill {

// Writes each line or column the layout read on a page, one to a line:
//   page 1  h  [72.0 700.2 540.1 712.3]  text  本文
// the page number, h (horizontal line) or v (vertical column), the box (left bottom right top,
// in points), ruby or text, and the text in UTF-8. Control characters of the text are written
// as \xNN, so that each line of the layout stays one line of the dump.
void WriteArrangedLines(int32_t page, const std::vector<ArrangedLine>& lines, std::ostream& out);

// lumenquill-info --layout-dump FILE: reads FILE in layout order and writes every page's lines
// and columns to standard output. Returns the exit status: 0 done, 1 when the file fails to
// open, is secured, the extraction raises or the output cannot be written (told on standard
// error). With newer_formats the reader also opens newer files.
int RunLayoutDump(const std::string& path, bool newer_formats);

}  // namespace lumenquill
