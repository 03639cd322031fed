#include "text/page_placement.h"

#include <exception>
#include <unordered_map>

#include "platform/error.h"
#include "text/glyph_placer.h"

namespace lumenquill {
namespace {

// Opens the forms of one page for the placer: their decoded bytes from the page's streams,
// their fonts decoded once for the page. A reading error is kept for the caller, since the
// placer takes any error in a buffer as the buffer's end.
class PageForms final : public FormSource {
 public:
  PageForms(const PageSources& sources, const std::function<void()>& form_done)
      : sources_(sources), form_done_(form_done) {}

  std::optional<FormDrawing> Open(int32_t n) override {
    if (failure_) return std::nullopt;
    try {
      return OpenForm(n);
    } catch (const Error&) {
      failure_ = std::current_exception();
      return std::nullopt;
    }
  }

  void RethrowFailure() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  std::optional<FormDrawing> OpenForm(int32_t n) {
    const std::optional<PageResourceReader::FormDetails> details = sources_.resources.FormOf(n);
    if (!details) return std::nullopt;
    const std::string* content = sources_.streams.Take(n, StreamRole::kForm);
    if (form_done_) form_done_();
    if (content == nullptr) return std::nullopt;
    const auto& m = details->matrix;
    FormDrawing form{*content, Matrix{m[0], m[1], m[2], m[3], m[4], m[5]}, nullptr, nullptr};
    if (!details->has_resources) return form;
    form.xobjects = details->xobjects;
    if (!details->fonts->empty()) {
      auto [fonts, added] = fonts_.try_emplace(n);
      if (added) sources_.fonts.DecodeFonts(*details->fonts, fonts->second);
      form.fonts = &fonts->second;
    }
    return form;
  }

  const PageSources& sources_;
  const std::function<void()>& form_done_;
  std::unordered_map<int32_t, FontList> fonts_;
  std::exception_ptr failure_;
};

}  // namespace

PlacedPage PlacePage(const PageResources& page, std::string_view content,
                     const PageSources& sources, const std::function<void()>& form_done) {
  PlacedPage placed;
  FontList fonts;
  sources.fonts.DecodeFonts(page.fonts, fonts);
  PageForms forms(sources, form_done);
  {
    GlyphPlacer placer(placed, &sources.fonts, &forms);
    placer.Place(content, fonts, &page.xobjects);
  }
  forms.RethrowFailure();
  return placed;
}

}  // namespace lumenquill
