#include "text/glyph_placer.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace lumenquill {
namespace {

std::shared_ptr<FontWidths> Widths() { return std::make_shared<FontWidths>(); }

// /F1 a simple font, every code half the size wide but the space a quarter; /F2 an Identity-H
// font with CID 1 half wide; /F3 an Identity-V font whose CID 1 moves half the size down.
FontList TestFonts(float simple_width = 0.5F) {
  FontList fonts;
  FontResource& simple = fonts.emplace_back("/F1", 1);
  simple.subtype = "Type1";
  simple.encoding = "WinAnsiEncoding";
  auto simple_widths = Widths();
  simple_widths->by_code.fill(simple_width);
  simple_widths->by_code[' '] = 0.25F;
  simple.widths = simple_widths;
  FontResource& cid = fonts.emplace_back("/F2", 2);
  cid.subtype = "Type0";
  cid.encoding = "Identity-H";
  auto cid_widths = Widths();
  cid_widths->widths = {{1, 1, 0.5F}};
  cid.widths = cid_widths;
  FontResource& vertical = fonts.emplace_back("/F3", 3);
  vertical.subtype = "Type0";
  vertical.encoding = "Identity-V";
  auto vertical_widths = Widths();
  vertical_widths->verticals = {{1, 1, -0.5F}};
  vertical.widths = vertical_widths;
  return fonts;
}

// Forms by object number, each listed under the name /Fm<number>.
class TestForms : public FormSource {
 public:
  void Add(int32_t n, std::string content, Matrix matrix, const FontList* fonts = nullptr) {
    contents_[n] = std::move(content);
    drawings_[n] = {contents_[n], matrix, fonts, nullptr};
    xobjects.push_back({"/Fm" + std::to_string(n), n, std::nullopt});
  }
  std::optional<FormDrawing> Open(int32_t n) override {
    ++opened;
    const auto found = drawings_.find(n);
    if (found == drawings_.end()) return std::nullopt;
    return found->second;
  }

  ResourceList xobjects;
  int opened = 0;

 private:
  std::map<int32_t, std::string> contents_;
  std::map<int32_t, FormDrawing> drawings_;
};

PlacedPage Place(const std::string& content, TestForms* forms = nullptr,
                 size_t max_glyphs = GlyphPlacer::kMaxGlyphsPerPage) {
  const FontList fonts = TestFonts();
  PlacedPage page;
  GlyphPlacer placer(page, nullptr, forms, max_glyphs);
  placer.Place(content, fonts, forms ? &forms->xobjects : nullptr);
  return page;
}

std::string TextOf(const PlacedPage& page, const PlacedGlyph& glyph) {
  return page.text.substr(glyph.text_begin, glyph.text_end - glyph.text_begin);
}

void ExpectGlyph(const PlacedGlyph& glyph, float x, float y, float advance_x, float advance_y,
                 float size) {
  EXPECT_FLOAT_EQ(glyph.x, x);
  EXPECT_FLOAT_EQ(glyph.y, y);
  EXPECT_FLOAT_EQ(glyph.advance_x, advance_x);
  EXPECT_FLOAT_EQ(glyph.advance_y, advance_y);
  EXPECT_FLOAT_EQ(glyph.size, size);
}

// The text matrix scales the glyphs, their advances and the Td moves; TJ numbers move the pen
// back (negative: forward) in thousandths of the size; ' and " move to the next line.
TEST(GlyphPlacer, TextMatrixMovesAndArrays) {
  const PlacedPage page = Place(
      "BT /F1 10 Tf 2 0 0 2 100 200 Tm (AB) Tj 0 -1.5 Td (C) Tj ET "
      "BT /F1 10 Tf [(A) -500 (B) 250 (C)] TJ 12 TL (D) ' 1 2 (E) \" ET");
  ASSERT_EQ(page.glyphs.size(), 8U);
  EXPECT_EQ(page.text, "ABCABCDE");
  EXPECT_EQ(TextOf(page, page.glyphs[1]), "B");
  ExpectGlyph(page.glyphs[0], 100, 200, 10, 0, 20);
  ExpectGlyph(page.glyphs[1], 110, 200, 10, 0, 20);
  ExpectGlyph(page.glyphs[2], 100, 197, 10, 0, 20);
  EXPECT_FLOAT_EQ(page.glyphs[3].x, 0);
  EXPECT_FLOAT_EQ(page.glyphs[4].x, 10);
  EXPECT_FLOAT_EQ(page.glyphs[5].x, 12.5F);
  ExpectGlyph(page.glyphs[6], 0, -12, 5, 0, 10);
  ExpectGlyph(page.glyphs[7], 0, -24, 7, 0, 10);  // with 2 of character spacing
}

// cm scales and moves within q and Q, which also restore the font; Tz scales advances, Tc adds
// to every glyph, Tw to the one-byte space only, Ts raises the glyph.
TEST(GlyphPlacer, GraphicsStateAndSpacing) {
  const PlacedPage page = Place(
      "BT /F1 10 Tf ET q 2 0 0 2 10 20 cm BT 5 5 Td (A) Tj /F2 10 Tf ET Q "
      "BT 5 5 Td (B) Tj ET "
      "q BT /F1 10 Tf 50 Tz 1 Tc 2 Tw 3 Ts (A B) Tj ET Q "
      "BT /F2 10 Tf 5 Tw <00200020> Tj ET");
  ASSERT_EQ(page.glyphs.size(), 7U);
  ExpectGlyph(page.glyphs[0], 20, 30, 10, 0, 20);
  ExpectGlyph(page.glyphs[1], 5, 5, 5, 0, 10);  // still /F1 after Q
  ExpectGlyph(page.glyphs[2], 0, 3, 3, 0, 10);
  ExpectGlyph(page.glyphs[3], 3, 3, 2.75F, 0, 10);
  EXPECT_FLOAT_EQ(page.glyphs[4].x, 5.75F);
  ExpectGlyph(page.glyphs[5], 0, 0, 10, 0, 10);  // a two-byte space takes no word spacing
  EXPECT_FLOAT_EQ(page.glyphs[6].x, 10);
}

// A CID font's widths by CID; a vertical font's glyphs stand at their top centre and move down
// by their vertical displacement, and TJ numbers move them down.
TEST(GlyphPlacer, CIDAndVerticalFonts) {
  const PlacedPage page = Place(
      "BT /F2 10 Tf <00010002> Tj ET "
      "BT /F3 10 Tf 1 0 0 1 100 500 Tm <00010002> Tj [<0001> 500 <0001>] TJ ET");
  ASSERT_EQ(page.glyphs.size(), 6U);
  ExpectGlyph(page.glyphs[0], 0, 0, 5, 0, 10);
  ExpectGlyph(page.glyphs[1], 5, 0, 10, 0, 10);
  EXPECT_FALSE(page.glyphs[1].vertical);
  ExpectGlyph(page.glyphs[2], 100, 500, 0, -5, 10);
  ExpectGlyph(page.glyphs[3], 100, 495, 0, -10, 10);
  EXPECT_TRUE(page.glyphs[3].vertical);
  EXPECT_FLOAT_EQ(page.glyphs[4].y, 485);
  EXPECT_FLOAT_EQ(page.glyphs[5].y, 475);
}

// Each glyph of a string after the first is marked as continuing the line when the string runs
// along the page's x axis and its text is ASCII; a turned string and a two-byte font's are not.
TEST(GlyphPlacer, MarksGlyphsContinuingALine) {
  const PlacedPage page = Place(
      "BT /F1 10 Tf (AB C) Tj (AB C) Tj (A) Tj 0 1 -1 0 0 0 Tm (AB) Tj ET "
      "BT /F2 10 Tf <00010001> Tj ET");
  ASSERT_EQ(page.glyphs.size(), 13U);
  std::vector<bool> marks;
  for (size_t k = 4; k < page.glyphs.size(); ++k) marks.push_back(page.glyphs[k].continues_line);
  EXPECT_EQ(marks, (std::vector<bool>{false, true, true, true, false, false, false, false, false}));
}

// A form is drawn where Do draws it, through its matrix and the CTM, with its own fonts; its Q
// cannot undo its parent's q, and a form that draws itself is not entered again.
TEST(GlyphPlacer, FormXObjects) {
  const FontList form_fonts = TestFonts(1.0F);
  TestForms forms;
  forms.Add(7, "Q BT /F1 10 Tf (A) Tj ET /Fm7 Do", Matrix{1, 0, 0, 1, 50, 60}, &form_fonts);
  forms.Add(8, "BT /F1 10 Tf (C) Tj ET", Matrix{});
  const PlacedPage page =
      Place("q 2 0 0 2 0 0 cm /Fm7 Do BT /F1 10 Tf (B) Tj ET Q /Fm8 Do /Fm9 Do", &forms);
  ASSERT_EQ(page.glyphs.size(), 3U);
  EXPECT_EQ(page.text, "ABC");
  ExpectGlyph(page.glyphs[0], 100, 120, 20, 0, 20);
  ExpectGlyph(page.glyphs[1], 0, 0, 10, 0, 20);  // still scaled after the form's Q
  ExpectGlyph(page.glyphs[2], 0, 0, 5, 0, 10);   // the parent's fonts
  EXPECT_EQ(forms.opened, 2);                    // neither /Fm7 within itself nor the unlisted /Fm9
}

// Hostile content: the glyph bound, q nested past its bound, scales that overflow, operands
// that are no numbers, forms nested past the depth bound.
TEST(GlyphPlacer, Bounds) {
  // A string past the bound takes no room for the text of glyphs it cannot place.
  const PlacedPage long_string =
      Place("BT /F1 1 Tf (A) Tj (" + std::string(5000, 'A') + ") Tj ET", nullptr, 1000);
  EXPECT_EQ(long_string.glyphs.size(), 1000U);
  EXPECT_EQ(long_string.text, std::string(1000, 'A'));
  EXPECT_LT(long_string.text.capacity(), 5000U);

  std::string deep;
  for (int k = 0; k < 10'000; ++k) deep += "q 10 0 0 10 0 0 cm ";
  deep += "BT /F1 10 Tf (A) Tj ET ";
  for (int k = 0; k < 10'000; ++k) deep += "Q ";
  deep += "BT /F1 10 Tf 1.2.3 0 0 1 0 0 Tm (B) Tj ET";
  const PlacedPage page = Place(deep);
  ASSERT_EQ(page.glyphs.size(), 1U);  // A, at an infinite scale, is passed over
  ExpectGlyph(page.glyphs[0], 0, 0, 5, 0, 10);

  TestForms forms;
  for (int32_t n = 1; n <= 40; ++n) {
    forms.Add(n, "/Fm" + std::to_string(n + 1) + " Do BT /F1 10 Tf (A) Tj ET", Matrix{});
  }
  EXPECT_EQ(Place("/Fm1 Do", &forms).glyphs.size(), GlyphPlacer::kMaxFormDepth);
}

}  // namespace
}  // namespace lumenquill
