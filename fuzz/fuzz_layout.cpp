// Placing the glyphs of a content buffer and reading them in layout order, with a simple, an
// Identity-H and an Identity-V font with widths, and two forms: one drawing the input itself
// (which draws the forms again), one scaling it by a large matrix. As the page's streams do in
// the extraction, the forms hand out a bounded number of bytes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "layout/page_arrangement.h"
#include "text/glyph_placer.h"

namespace {

lumenquill::FontList MakeFonts() {
  lumenquill::FontList fonts;
  const char* kFonts[][3] = {{"/F1", "Type1", "WinAnsiEncoding"},
                             {"/F2", "Type0", "Identity-H"},
                             {"/F3", "Type0", "Identity-V"}};
  for (const auto& [name, subtype, encoding] : kFonts) {
    lumenquill::FontResource& font = fonts.emplace_back(name, 1);
    font.subtype = subtype;
    font.encoding = encoding;
    auto widths = std::make_shared<lumenquill::FontWidths>();
    widths->by_code.fill(0.5F);
    widths->widths = {{1, 100, 0.5F}, {200, 60000, 2.0F}};
    widths->verticals = {{1, 100, -0.5F}};
    font.widths = widths;
  }
  return fonts;
}

class InputForms : public lumenquill::FormSource {
 public:
  explicit InputForms(std::string_view content) : content_(content) {}
  std::optional<lumenquill::FormDrawing> Open(int32_t n) override {
    if (content_.size() > bytes_left_) return std::nullopt;
    bytes_left_ -= content_.size();
    if (n == 1) return lumenquill::FormDrawing{content_, {0.5, 0, 0, 0.5, 10, 10}};
    return lumenquill::FormDrawing{content_, {1e30, 0, 0, 1e30, 0, 0}};
  }
  lumenquill::ResourceList xobjects{{"/Fm1", 1, std::nullopt}, {"/Fm2", 2, std::nullopt}};

 private:
  std::string_view content_;
  size_t bytes_left_ = size_t{1} << 20;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const lumenquill::FontList fonts = MakeFonts();
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  InputForms forms(content);
  lumenquill::PlacedPage page;
  {
    lumenquill::GlyphPlacer placer(page, nullptr, &forms);
    placer.Place(content, fonts, &forms.xobjects);
  }
  std::string output;
  std::vector<lumenquill::ArrangedLine> lines;
  lumenquill::ArrangePage(page, {}, output, &lines);
  return 0;
}
