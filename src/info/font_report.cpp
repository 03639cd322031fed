#include "info/font_report.h"

#include <cstdio>
#include <optional>

#include "content/pdf_font_decoder.h"
#include "content/pdf_stream_decoder.h"
#include "platform/shift_jis_text.h"
#include "reader/decimal_text.h"
#include "text/font_conversion.h"

namespace lumenquill {
namespace {

std::string Hexadecimal(std::string_view bytes) {
  std::string text;
  char digits[3];
  for (const unsigned char byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", byte);
    text += digits;
  }
  return text;
}

// Registry-Ordering, or - without /CIDSystemInfo.
std::string CIDSystemInfo(const TPDFFontResource& font) {
  if (font.CIDRegistry.empty() && font.CIDOrdering.empty()) return "-";
  return font.CIDRegistry + '-' + font.CIDOrdering;
}

void WriteFonts(TPDFFontDecoder& decoder, const TPDFResourceList& fonts, const char* indent,
                std::ostream& out) {
  for (int32_t i = 0; i < fonts.Count(); ++i) {
    const auto font = decoder.DecodeFont(fonts.Item(i));
    const std::optional<std::string> name = ShiftJisToUtf8(font->FontName);
    out << indent << "font " << font->Name << " obj=" << font->ObjectNumber
        << " Subtype=" << font->Subtype
        << " FontName=" << (name ? '"' + *name + '"' : '<' + Hexadecimal(font->FontName) + '>')
        << " Encoding=" << font->Encoding << " Embedded=" << (font->Embedded ? "yes" : "no")
        << " FontFileObject=" << font->FontFileObject << " Failed=" << (font->Failed ? "yes" : "no")
        << " CMapData=" << (font->CMapData ? font->CMapData->Size() : 0)
        << " CIDSystemInfo=" << CIDSystemInfo(*font) << " via=" << ConversionName(*font) << '\n';
  }
}

}  // namespace

void WriteFontReport(TPDFAnalyst& reader, std::ostream& out) {
  StringList pages;
  reader.GetPageObjects(pages);
  TPDFStreamDecoder streams(&reader);
  TPDFFontDecoder fonts(&reader);
  for (size_t i = 0; i < pages.size(); ++i) {
    const int32_t page = ParseDecimal(pages[i]).value_or(-1);
    out << "page " << i + 1 << ' ' << page << '\n';
    StringList contents;
    streams.GetContentObjects(page, contents);
    out << "  contents";
    for (const std::string& content : contents) out << ' ' << content;
    out << '\n';
    const TPageResource& resources = streams.ReadPageResource(page);
    WriteFonts(fonts, resources.Fonts, "  ", out);
    for (int32_t c = 0; c < resources.ChildCount(); ++c) {
      const TPageChildResourceList& form = resources.GetChild(c);
      out << "  form " << form.Name << " obj=" << form.ObjectNumber << '\n';
      WriteFonts(fonts, form.Resources.Fonts, "    ", out);
    }
  }
}

}  // namespace lumenquill
