#include "text/text_extractor.h"

#include <utility>

#include "content/decodable_document.h"
#include "content/font_decoder.h"
#include "content/page_resource_reader.h"
#include "platform/mul_div.h"
#include "reader/decoded_bytes.h"
#include "reader/reader_errors.h"
#include "text/content_interpreter.h"
#include "text/font_cache.h"
#include "text/page_placement.h"
#include "text/page_streams.h"

namespace lumenquill {
namespace {

constexpr const char* kBannerRule =
    "----------------------------------------------------------------------";

// Whether any font stands in the page's resources or in those of a form it reaches.
bool HasFonts(const PageResources& resources) {
  if (!resources.fonts.empty()) return true;
  for (const FormXObject& form : resources.forms) {
    if (!form.fonts.empty()) return true;
  }
  return false;
}

// The banner before page n: the first page of the range starts with one line break, every
// later one with two.
std::string PageBanner(int32_t page, bool first, const std::string& new_line) {
  std::string banner = first ? new_line : new_line + new_line;
  banner += kBannerRule;
  banner += " Page " + std::to_string(page);
  banner += new_line + new_line;
  return banner;
}

// Tells how far the range is done after page.
void ReportPage(int32_t page, const PageRange& range, const ExtractionProgress& progress) {
  // A range that ends at page 1 is done after that page (no division by zero).
  const int32_t percent = range.last > 1 ? MulDiv(page - 1, 100, range.last - 1) : 100;
  if (progress.page_done) progress.page_done(percent);
}

}  // namespace

TextExtractor::TextExtractor(Document& document, ExtractionOptions options)
    : options(std::move(options)),
      document_(CheckDecodable(document)),
      encoder_(this->options.encoding) {}

int64_t TextExtractor::DecodeContent(MemoryStream& content, std::string& output,
                                     FontList& fonts) const {
  return Interpret(content, output, fonts, nullptr);
}

int64_t TextExtractor::Interpret(MemoryStream& content, std::string& output, FontList& fonts,
                                 FontCache* cache) const {
  const size_t before = output.size();
  const InterpreterOptions interpreter_options{options.line_threshold, options.new_line,
                                               static_cast<uint8_t>(options.line_breaks ? 1 : 0)};
  ContentInterpreter interpreter(interpreter_options, fonts, cache);
  interpreter.Run(content, output);
  return static_cast<int64_t>(output.size() - before);
}

bool TextExtractor::Run(const TextSink& sink, const bool& cancel,
                        const ExtractionProgress& progress) {
  // Runs on every way out: the final report.
  struct Finish {
    const ExtractionProgress& progress;
    ~Finish() {
      if (progress.finished) progress.finished();
    }
  } finish{progress};
  return ExtractPages(sink, cancel, progress);
}

bool TextExtractor::ExtractPages(const TextSink& sink, const bool& cancel,
                                 const ExtractionProgress& progress) {
  const ObjectNumberList pages = document_.PageObjects();
  const int32_t page_count = static_cast<int32_t>(pages.size());
  const PageRange range = options.pages.value_or(PageRange{1, page_count});
  if (range.first < 1 || range.last > page_count) {
    throw Error("ページ番号の指定が不正です。");
  }

  PageResourceReader resources_reader(document_);
  FontDecoder font_decoder(document_);
  FontCache font_cache(font_decoder);
  FontList fonts;
  MemoryStream content;
  PageStreams page_streams(resources_reader);
  std::string text;
  // Every piece of text reaches the sink through the encoder.
  const auto hand_over = [&](std::string& extracted) { sink(encoder_.Encode(extracted)); };

  // Appends the decoded bytes of a stream to the content to interpret, between line breaks so
  // that no token of one stream runs into the next; false, with nothing appended, when the copy
  // would pass the thread's bound on decoded bytes (the rest of the page is then passed over,
  // as past the page's bound).
  const auto append_content = [&content](const std::string& decoded) {
    try {
      content.Write("\n\n");
      content.Write(decoded);
      content.Write("\n\n");
    } catch (const DecodedBytesError&) {
      return false;
    }
    return true;
  };
  // Appends the page's content streams, in order, up to the page's bounds.
  const auto append_page_content = [&](int32_t page_object) {
    for (const int32_t object : resources_reader.ContentObjects(page_object)) {
      const std::string* decoded = page_streams.Take(object, StreamRole::kContent);
      if (decoded == nullptr || !append_content(*decoded)) break;
    }
  };
  // The page's content through the glyph placer and the arrangement, its forms drawn where Do
  // draws them.
  const PageSources sources{resources_reader, page_streams, font_cache};
  const ArrangementOptions arrangement{options.new_line, options.ruby};
  PlacedPage placed;
  const auto arrange = [&](int32_t page, int32_t page_object, const PageResources& resources) {
    append_page_content(page_object);
    PlacePage(resources, content.Bytes(), sources, progress.form_done, placed);
    content.Clear();
    std::vector<ArrangedLine> lines;
    ArrangePage(placed, arrangement, text, progress.page_arranged ? &lines : nullptr);
    hand_over(text);
    text.clear();
    if (progress.page_arranged) progress.page_arranged(page, lines);
  };
  const auto interpret = [&] {
    content.SetPosition(0);
    Interpret(content, text, fonts, &font_cache);
    hand_over(text);
    text.clear();
    content.Clear();
  };

  if (!encoder_.Preamble().empty()) sink(encoder_.Preamble());
  for (int32_t page = range.first; page <= range.last; ++page) {
    if (options.page_banners) {
      std::string banner = PageBanner(page, page == range.first, options.new_line);
      hand_over(banner);
    }
    const int32_t page_object = pages[static_cast<size_t>(page - 1)];
    const PageResources resources = resources_reader.ReadPageResources(page_object);
    page_streams.StartPage();

    if (options.layout_order) {
      if (!HasFonts(resources)) continue;  // no text, no progress report
      arrange(page, page_object, resources);
      ReportPage(page, range, progress);
      if (cancel) return false;
      continue;
    }

    // Form XObjects with fonts of their own come first, each on its own.
    for (const FormXObject& form : resources.forms) {
      if (form.fonts.empty()) continue;
      const std::string* decoded = page_streams.Take(form.object_number, StreamRole::kForm);
      if (decoded == nullptr || !append_content(*decoded)) break;
      font_cache.DecodeFonts(form.fonts, fonts);
      interpret();
      if (progress.form_done) progress.form_done();
      if (cancel) return false;
    }

    if (resources.fonts.empty()) continue;  // no text, no progress report
    append_page_content(page_object);
    font_cache.DecodeFonts(resources.fonts, fonts);
    interpret();
    ReportPage(page, range, progress);
    if (cancel) return false;
  }
  return true;
}

bool Extract(Document& document, const ExtractionOptions& options, const TextSink& sink,
             const bool& cancel, const ExtractionProgress& progress, Substitutions* substitutions) {
  TextExtractor extractor(document, options);
  const bool finished = extractor.Run(sink, cancel, progress);
  if (substitutions != nullptr) *substitutions = extractor.substitutions();
  return finished;
}

}  // namespace lumenquill
