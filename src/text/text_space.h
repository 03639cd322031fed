#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace lumenquill {

struct GlyphFont;

// An affine map [a b c d e f]: (x, y) goes to (a x + c y + e, b x + d y + f).
struct Matrix {
  double a = 1;
  double b = 0;
  double c = 0;
  double d = 1;
  double e = 0;
  double f = 0;

  // This map followed by next.
  Matrix Then(const Matrix& next) const {
    return {a * next.a + b * next.c,          a * next.b + b * next.d,
            c * next.a + d * next.c,          c * next.b + d * next.d,
            e * next.a + f * next.c + next.e, e * next.b + f * next.d + next.f};
  }
  // This map after a move by (x, y) in its own space.
  void Translate(double x, double y) {
    e += x * a + y * c;
    f += x * b + y * d;
  }
  double X(double x, double y) const { return a * x + c * y + e; }
  double Y(double x, double y) const { return b * x + d * y + f; }
  // The map of a vector (the translation left out).
  double VectorX(double x, double y) const { return a * x + c * y; }
  double VectorY(double x, double y) const { return b * x + d * y; }
};

// The graphics state as far as placing glyphs cares: what q saves and Q restores.
struct TextGraphicsState {
  Matrix ctm;
  double char_spacing = 0;          // Tc
  double word_spacing = 0;          // Tw
  double horizontal_scale = 1;      // Tz / 100
  double leading = 0;               // TL
  double rise = 0;                  // Ts
  double font_size = 0;             // Tf's size
  const GlyphFont* font = nullptr;  // the font Tf selected; none before any
};

// Where the glyphs of one string stand on the page and how each moves the pen. Within a string
// only the translations of the text matrix and of its map to the page change, so every product
// of the glyph arithmetic that involves the rest (the matrices' a b c d, the rise, the spacing,
// the horizontal scale) is worked out once per string. A product with a zero coordinate is kept
// as a product (for an infinite or NaN entry it is no zero), and each sum is formed from the
// same terms as the full map forms it, so every coordinate is the same to the bit as that of
// Matrix::X, Y, VectorX, VectorY and Translate applied glyph by glyph.
class StringPen final {
 public:
  // to_page is the text matrix followed by the CTM; horizontally the pen moves along x scaled
  // by horizontal_scale, vertically down (advances are negative) along y.
  StringPen(const Matrix& text_matrix, const Matrix& to_page, const TextGraphicsState& state,
            bool vertical)
      : page_(to_page), text_(text_matrix) {
    // An advance moves by (step, 0) horizontally, by (0, step) vertically; a product with one
    // is the advance itself.
    step_scale_ = vertical ? 1 : state.horizontal_scale;
    page_move_ = Column(to_page, vertical);
    text_move_ = Column(text_matrix, vertical);
    // The origin is (0, rise) in text space.
    origin_x_ = to_page.a * 0 + to_page.c * state.rise;
    origin_y_ = to_page.b * 0 + to_page.d * state.rise;
    font_size_ = state.font_size;
    spacing_ = state.char_spacing + 0;
    space_spacing_ = state.char_spacing + state.word_spacing;
  }

  // The glyph's origin and advance on the page for its width (in text-space units before
  // spacing and scaling; word spacing when it is the one-byte code 32); the pen moves past it.
  struct Step {
    double x, y, advance_x, advance_y;
  };
  Step Advance(double width, bool space) {
    const double advance = width * font_size_ + (space ? space_spacing_ : spacing_);
    const double step = advance * step_scale_;
    const Step placed{origin_x_ + page_.e, origin_y_ + page_.f,
                      step * page_move_.x + page_move_.zero_x,
                      step * page_move_.y + page_move_.zero_y};
    page_.e += placed.advance_x;
    page_.f += placed.advance_y;
    text_.e += step * text_move_.x + text_move_.zero_x;
    text_.f += step * text_move_.y + text_move_.zero_y;
    return placed;
  }

  const Matrix& TextMatrix() const { return text_; }

  // Whether every advance on the page is +0 along y, to the bit: the pen moves along the page's
  // x axis (a finite step times +0 is a zero, and a zero plus +0 is +0).
  bool AdvancesAlongX() const {
    return std::bit_cast<uint64_t>(page_move_.y) == 0 &&
           std::bit_cast<uint64_t>(page_move_.zero_y) == 0;
  }

 private:
  // The column of a matrix that a step multiplies, and the products of the other with zero.
  struct Move {
    double x, y, zero_x, zero_y;
  };
  static Move Column(const Matrix& m, bool vertical) {
    return vertical ? Move{m.c, m.d, 0 * m.a, 0 * m.b} : Move{m.a, m.b, 0 * m.c, 0 * m.d};
  }

  Matrix page_;
  Matrix text_;
  double step_scale_;
  Move page_move_;
  Move text_move_;
  double origin_x_;
  double origin_y_;
  double font_size_;
  double spacing_;
  double space_spacing_;
};

}  // namespace lumenquill
