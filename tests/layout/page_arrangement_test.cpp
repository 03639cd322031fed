#include "layout/page_arrangement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "codes/extracted_text.h"

namespace lumenquill {
namespace {

// Builds a placed page glyph by glyph: each UTF-8 character of a string is one glyph, drawn
// in the order of the calls. ASCII glyphs are half their size wide, others a full size.
class PageBuilder {
 public:
  // A horizontal run from its first baseline origin; returns the x past its end.
  float Line(const std::string& text, float x, float y, float size) {
    for (size_t i = 0; i < text.size();) {
      const size_t begin = i;
      const char32_t c = NextExtracted(text, i);
      const float width = c < 0x80 ? size / 2 : size;
      Add(text.substr(begin, i - begin), x, y, width, 0, size, false);
      page_.glyphs.back().continues_line = mark_lines_ && begin > 0 && c < 0x80;
      x += width;
    }
    return x;
  }
  // Marks each ASCII glyph of a later Line after its first as continuing the line, as the
  // placer marks the glyphs of a string.
  void MarkLines() { mark_lines_ = true; }
  // A vertical run (vertical font) from the top centre of its first glyph.
  void Column(const std::string& text, float x, float y, float size) {
    for (size_t i = 0; i < text.size();) {
      const size_t begin = i;
      NextExtracted(text, i);
      Add(text.substr(begin, i - begin), x, y, 0, -size, size, true);
      y -= size;
    }
  }
  void Add(const std::string& text, float x, float y, float advance_x, float advance_y, float size,
           bool vertical) {
    PlacedGlyph glyph{
        x, y, advance_x, advance_y, size, static_cast<uint32_t>(page_.text.size()), 0, vertical};
    page_.text += text;
    glyph.text_end = static_cast<uint32_t>(page_.text.size());
    page_.glyphs.push_back(glyph);
  }
  std::string Arrange(RubyHandling ruby = RubyHandling::kDrop,
                      std::vector<ArrangedLine>* lines = nullptr) const {
    std::string output;
    ArrangePage(page_, {"\n", ruby}, output, lines);
    return output;
  }

 private:
  PlacedPage page_;
  bool mark_lines_ = false;
};

// Lines come from the baselines whatever the drawing order; superscripts and subscripts stay
// in their line; pieces of a line drawn out of order join in place, also glyph by glyph (narrow
// ones stepping back) and overlapping, glyphs at one place in their drawing order.
TEST(PageArrangement, LinesFromBaselines) {
  PageBuilder page;
  float x = page.Line("H", 72, 680, 10);
  x = page.Line("2", x, 677, 6);
  page.Line("O", x, 680, 10);
  page.Line("world", 100, 660, 10);
  x = page.Line("E=mc", 72, 700, 10);
  page.Line("2", x, 704, 6);
  page.Line("hello", 72, 660, 10);
  page.Line("a", 72, 640, 10);
  page.Line("c", 82, 640, 10);
  page.Line("b", 77, 640, 10);
  page.Line("B", 77, 640, 10);
  page.Add("l", 72, 620, 2, 0, 10, false);
  page.Add("i", 70, 620, 2, 0, 10, false);
  page.Add("t", 74, 620, 5, 0, 10, false);
  EXPECT_EQ(page.Arrange(), "E=mc2\nH2O\nhello world\nabBc\nilt\n");
}

// Glyphs marked as continuing the line read as they do unmarked, also in a run whose first
// glyph, white, makes no unit (its second glyph does not join the unit before) and in a line
// that ruby attaches to, read glyph by glyph.
TEST(PageArrangement, MarkedGlyphsReadAsUnmarked) {
  const auto arrange = [](bool marked) {
    PageBuilder page;
    if (marked) page.MarkLines();
    const float x = page.Line("Top", 72, 700, 10);
    page.Line(" line", x, 680, 10);
    page.Line("ab  cd", 72, 660, 10);
    page.Line("abこの権利を", 72, 600, 20);
    page.Line("けん", 136, 618, 6);
    page.Line("り", 159, 618, 6);
    return page.Arrange(RubyHandling::kBracket);
  };
  EXPECT_EQ(arrange(false), "Top\nline\nab cd\nabこの権《けん》利《り》を\n");
  EXPECT_EQ(arrange(true), arrange(false));
}

// A heading over two columns, drawn row by row across both: the heading, then each column.
TEST(PageArrangement, ColumnsUnderAHeading) {
  PageBuilder page;
  page.Line("A heading that spans both of the columns", 72, 760, 14);
  const std::string left[] = {"the first column starts", "and it goes on down to",
                              "its very last line here"};
  const std::string right[] = {"then the second column", "reads after the first one",
                               "and ends the page there"};
  for (int row = 0; row < 3; ++row) {
    page.Line(left[row], 72, 730 - 12 * row, 10);
    page.Line(right[row], 72 + 150, 730 - 12 * row, 10);
  }
  EXPECT_EQ(page.Arrange(),
            "A heading that spans both of the columns\nthe first column starts\n"
            "and it goes on down to\nits very last line here\nthen the second column\n"
            "reads after the first one\nand ends the page there\n");
}

// A table drawn column by column reads row by row, cells left to right on one line, also with
// its rows set solid (their glyphs' bodies touch).
TEST(PageArrangement, TableRows) {
  PageBuilder page;
  const char* cells[3][3] = {{"Name", "Age", "Town"}, {"Ann", "31", "Leeds"}, {"Bob", "4", "York"}};
  for (int column = 0; column < 3; ++column) {
    for (int row = 0; row < 3; ++row)
      page.Line(cells[row][column], 72 + 60 * column, 700 - 10 * row, 10);
  }
  EXPECT_EQ(page.Arrange(), "Name Age Town\nAnn 31 Leeds\nBob 4 York\n");
}

// Vertical columns read right to left, top to bottom, whether drawn by a vertical font or
// stacked glyph by glyph with a horizontal one (also a lone glyph); a short horizontal run
// inside a column (縦中横) stays in its place.
TEST(PageArrangement, VerticalColumns) {
  PageBuilder page;
  page.Column("左の列", 300, 700, 10);
  page.Line("第", 315, 692, 10);
  page.Line("12", 315, 682, 10);
  page.Column("回", 320, 680, 10);
  for (int k = 0; k < 3; ++k)
    page.Line(std::string("右の列").substr(3 * k, 3), 335, 692 - 10 * k, 10);
  std::vector<ArrangedLine> lines;
  EXPECT_EQ(page.Arrange(RubyHandling::kDrop, &lines), "右の列\n第12回\n左の列\n");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(lines[1].vertical);
  EXPECT_FLOAT_EQ(lines[1].box.top, 700);
  EXPECT_FLOAT_EQ(lines[1].box.bottom, 670);
}

// A gap wider than a fraction of the size is a space between Latin glyphs, not between
// Japanese ones (also when given as code page 932 codes), and between the two only when wider;
// a space glyph counts as its gap only; kerning makes no space.
TEST(PageArrangement, Spaces) {
  PageBuilder page;
  float x = page.Line("two", 72, 700, 10);
  x = page.Line(" ", x, 700, 10);
  x = page.Line("words", x, 700, 10);
  page.Line("gap", x + 3, 700, 10);
  x = page.Line("ke", 72, 680, 10);
  page.Line("rn", x + 0.5f, 680, 10);
  x = page.Line("日本", 72, 660, 10);
  std::string codes;
  AppendCP932Character(0x93FA, codes);  // 日
  AppendCP932Character(0x967B, codes);  // 本
  x = page.Line(codes, x + 5, 660, 10);
  x = page.Line("語", x + 5, 660, 10);
  page.Line("PDF", x + 2, 660, 10);
  // Space glyphs write a space only where there is room for one, and one however many.
  x = page.Line("no", 72, 640, 10);
  page.Add(" ", x, 640, 0.5f, 0, 10, false);
  x = page.Line("room", x + 0.5f, 640, 10);
  x = page.Line("  ", x, 640, 10);
  page.Line("one", x, 640, 10);
  EXPECT_EQ(page.Arrange(), "two words gap\nkern\n日本" + codes + "語PDF\nnoroom one\n");
}

// Ruby, small text right above its base characters (right of them in a column): dropped,
// after them in 《》 (each ruby after its own base), or kept as a line of its own.
TEST(PageArrangement, Ruby) {
  PageBuilder page;
  page.Line("この権利を", 72, 700, 20);
  page.Line("けん", 116, 718, 6);
  page.Line("り", 139, 718, 6);
  page.Column("権利です", 300, 700, 10);
  page.Column("けんり", 307.5f, 700, 5);
  std::vector<ArrangedLine> lines;
  EXPECT_EQ(page.Arrange(RubyHandling::kDrop, &lines), "この権利を\n権利です\n");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_TRUE(lines[1].ruby && lines[2].ruby && lines[4].ruby);
  EXPECT_TRUE(lines[4].vertical);
  EXPECT_EQ(page.Arrange(RubyHandling::kBracket), "この権《けん》利《り》を\n権利《けんり》です\n");
  EXPECT_EQ(page.Arrange(RubyHandling::kAsDrawn), "けん り\nこの権利を\nけんり\n権利です\n");
}

// Hostile pages: a great many glyphs at one point or on one baseline, glyphs with coordinates
// that are not finite or huge, text ranges outside the page's text. Everything readable is
// read, in bounded time, once.
TEST(PageArrangement, HostilePage) {
  constexpr int kGlyphs = 200000;
  PageBuilder page;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float infinity = std::numeric_limits<float>::infinity();
  for (int k = 0; k < kGlyphs; ++k) {
    page.Add("a", 100, 100, 0, 0, 10, k % 2 == 0);
    page.Add("b", static_cast<float>(k % 977) * 7, 200, 5, 0, 10, false);
    page.Add("c", 3e38f, -3e38f, 3e38f, -3e38f, 3e38f, k % 3 == 0);
  }
  page.Add("x", nan, 0, 0, 0, 10, false);
  page.Add("x", 0, infinity, 0, 0, 10, false);
  page.Add("x", 0, 0, 0, 0, nan, true);
  std::string output = page.Arrange(RubyHandling::kBracket);
  EXPECT_EQ(std::count(output.begin(), output.end(), 'a'), kGlyphs);
  EXPECT_EQ(std::count(output.begin(), output.end(), 'b'), kGlyphs);
  EXPECT_EQ(std::count(output.begin(), output.end(), 'c'), kGlyphs);
  EXPECT_EQ(output.find('x'), std::string::npos);
}

}  // namespace
}  // namespace lumenquill
