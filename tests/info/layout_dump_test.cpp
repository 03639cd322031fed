#include "info/layout_dump.h"

#include <gtest/gtest.h>

#include <sstream>

#include "codes/extracted_text.h"

namespace lumenquill {
namespace {

// One line each: direction, box to a tenth of a point, ruby or not, and the extracted text in
// UTF-8 with its marks resolved and its control characters spelt out.
TEST(LayoutDump, OneLinePerArrangedLine) {
  std::string base = "本文";
  AppendCP932Character(0x8CA0, base);  // 権
  AppendUnknownCode(base);
  const std::vector<ArrangedLine> lines = {
      {{72, 700.24f, 540.1f, 712.3f}, false, false, base},
      {{513, 600, 519.04f, 700}, true, true, "けんり"},
      {{-1, 0, 1e6f, 2}, false, false, "a\tb\r\n"},
  };
  std::ostringstream out;
  WriteArrangedLines(12, lines, out);
  EXPECT_EQ(out.str(),
            "page 12  h  [72.0 700.2 540.1 712.3]  text  本文権\xEF\xBF\xBD\n"
            "page 12  v  [513.0 600.0 519.0 700.0]  ruby  けんり\n"
            "page 12  h  [-1.0 0.0 1000000.0 2.0]  text  a\\x09b\\x0D\\x0A\n");
}

}  // namespace
}  // namespace lumenquill
