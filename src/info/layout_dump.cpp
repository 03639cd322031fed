#include "info/layout_dump.h"

#include <cstdio>
#include <iostream>
#include <memory>

#include "app/conversion.h"
#include "codes/text_encoder.h"
#include "info/failure_line.h"
#include "platform/error.h"
#include "reader/document.h"
#include "text/text_extractor.h"

namespace lumenquill {
namespace {

std::string BoxText(const LayoutBox& box) {
  char text[4 * 48 + 8];
  std::snprintf(text, sizeof text, "[%.1f %.1f %.1f %.1f]", box.left, box.bottom, box.right,
                box.top);
  return text;
}

// The UTF-8 text with its control characters spelt out.
std::string OneLine(const std::string& utf8) {
  std::string line;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      line += escape;
    } else {
      line += c;
    }
  }
  return line;
}

}  // namespace

void WriteArrangedLines(int32_t page, const std::vector<ArrangedLine>& lines, std::ostream& out) {
  // The dump is read as UTF-8 whatever the settings' encoding.
  TextEncoder encoder({OutputEncoding::kUTF8});
  std::string utf8;
  for (const ArrangedLine& line : lines) {
    utf8.clear();
    encoder.Encode(line.text, utf8);
    out << "page " << page << "  " << (line.vertical ? 'v' : 'h') << "  " << BoxText(line.box)
        << "  " << (line.ruby ? "ruby" : "text") << "  " << OneLine(utf8) << '\n';
  }
}

int RunLayoutDump(const std::string& path, bool newer_formats) {
  std::unique_ptr<Document> document;
  try {
    document = Document::OpenFile(path, {newer_formats});
    if (document->Encrypted()) {
      ReportFailure(path, kSecuredFileMessage);
      return 1;
    }
    ExtractionOptions options;
    options.layout_order = true;
    ExtractionProgress progress;
    progress.page_arranged = [](int32_t page, const std::vector<ArrangedLine>& lines) {
      WriteArrangedLines(page, lines, std::cout);
    };
    const bool never_cancelled = false;
    // The text itself is not wanted: the lines tell it.
    Extract(
        *document, options, [](std::string_view) {}, never_cancelled, progress);
  } catch (const Error& error) {
    ReportFailure(path, error, document.get());
    return 1;
  }
  std::cout.flush();
  return std::cout ? 0 : 1;
}

}  // namespace lumenquill
