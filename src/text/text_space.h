#pragma once

#include <cmath>

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

}  // namespace lumenquill
