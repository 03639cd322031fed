#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codes/text_encoder.h"
#include "content/font_resource.h"
#include "layout/layout_options.h"
#include "layout/page_arrangement.h"
#include "reader/document.h"
#include "reader/memory_stream.h"

namespace lumenquill {

class FontCache;

// Pages first to last, 1-based and inclusive.
struct PageRange {
  int32_t first;
  int32_t last;
};

// How the text of a document is laid out.
struct ExtractionOptions {
  // A rule with the page number before each page.
  bool page_banners = true;
  std::string new_line = "\r\n";
  // Line breaks from text positioning, by the writing direction of the font; none when off.
  bool line_breaks = true;
  // The least coordinate difference that makes a new line; a text-positioning move of this
  // size is about a third of a line of 12-point text, well above rounding noise.
  int32_t line_threshold = 5;
  // Every page when not set.
  std::optional<PageRange> pages;
  // The bytes the text is handed over in.
  TextEncoding encoding;
  // Each page's text read in the order of its layout (where its glyphs stand) rather than in
  // the order the content draws them; line_breaks and line_threshold then play no part.
  bool layout_order = false;
  // What becomes of ruby in layout order.
  RubyHandling ruby = RubyHandling::kDrop;
};

// Receives the text as it is produced, in order.
using TextSink = std::function<void(std::string_view)>;

// What an extraction tells as it goes; each call may be left empty.
struct ExtractionProgress {
  // After each page with text: how far the range is done, 0 to 100.
  std::function<void(int32_t percent)> page_done;
  // After each form XObject, so that input waiting for the front end (a cancel click, Escape)
  // is seen within a long page and not only at the report after it.
  std::function<void()> form_done;
  // Once, however the extraction ends.
  std::function<void()> finished;
  // In layout order, after each page: the lines and columns its layout read.
  std::function<void(int32_t page, const std::vector<ArrangedLine>& lines)> page_arranged;
};

// Turns an opened document into text, page by page, handing it to a sink in the encoding of the
// options (the byte order mark first, when it has one). Touches no file: where the text goes is
// the caller's business.
class TextExtractor final {
 public:
  // Raises "対応できない形式です。" for a secured document.
  explicit TextExtractor(Document& document, ExtractionOptions options = {});

  // Hands the text of the pages to the sink in the output encoding: the encoding's preamble
  // first, then per page the banner, the forms with fonts of their own and the page's content
  // (up to kMaxContentPerPage bytes of them). Stops after a page or a
  // form once cancel is set (by a progress call, say) and returns false. Raises
  // "ページ番号の指定が不正です。" for a range outside the document, and the reading errors of
  // the document.
  bool Run(const TextSink& sink, const bool& cancel, const ExtractionProgress& progress = {});
  // What the encoding replaced in the text handed over so far.
  const Substitutions& substitutions() const { return encoder_.substitutions(); }

  // Interprets one decoded content buffer, from its position up to "endobj" or its end,
  // appending the text of its strings to output with the fonts given, as extracted text
  // (codes/extracted_text.h), before any output encoding. Returns the number of bytes
  // appended. Raises nothing.
  int64_t DecodeContent(MemoryStream& content, std::string& output, FontList& fonts) const;

  ExtractionOptions options;

 private:
  bool ExtractPages(const TextSink& sink, const bool& cancel, const ExtractionProgress& progress);
  int64_t Interpret(MemoryStream& content, std::string& output, FontList& fonts,
                    FontCache* cache) const;

  Document& document_;
  TextEncoder encoder_;
};

// The text of the document with these options into the sink; false when cancelled. Tells what
// the encoding replaced when substitutions is given.
bool Extract(Document& document, const ExtractionOptions& options, const TextSink& sink,
             const bool& cancel, const ExtractionProgress& progress = {},
             Substitutions* substitutions = nullptr);

}  // namespace lumenquill
