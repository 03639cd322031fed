#include "info/font_report.h"

#include <optional>

#include "content/font_decoder.h"
#include "content/page_resource_reader.h"
#include "platform/shift_jis_text.h"
#include "reader/pdf_strings.h"
#include "text/font_cache.h"
#include "text/font_conversion.h"

namespace lumenquill {
namespace {

// Registry-Ordering, or - without /CIDSystemInfo.
std::string CIDSystemInfo(const FontResource& font) {
  if (font.cid_registry.empty() && font.cid_ordering.empty()) return "-";
  return font.cid_registry + '-' + font.cid_ordering;
}

// The number of codes a /ToUnicode program maps, which tells a map that gives every code a
// font shows from one that leaves most of them to the font; nothing without a program.
std::string ToUnicodeCodes(const FontResource& font) {
  if (!font.cmap_data || font.to_unicode != ToUnicodeMap::kProgram) return "";
  return " ToUnicodeCodes=" + std::to_string(ReadFontCMap(font)->MappedCodeCount());
}

void WriteFonts(FontDecoder& decoder, const ResourceList& fonts, const char* indent,
                std::ostream& out) {
  for (const Resource& resource : fonts) {
    FontResource font = decoder.DecodeFont(resource);
    // The characters the extraction reads from the embedded TrueType program on first need,
    // read now: a program whose cmap gives none is no fallback.
    if (font.HasForeignCIDs() && !font.glyph_characters) {
      font.glyph_characters = decoder.ReadGlyphCharacters(font.cid_program);
      if (!font.glyph_characters) font.cid_program = {};
    }
    const std::optional<std::string> name = ShiftJisToUtf8(font.font_name);
    out << indent << "font " << font.name << " obj=" << font.object_number
        << " Subtype=" << font.subtype
        << " FontName=" << (name ? '"' + *name + '"' : HexStringText(font.font_name))
        << " Encoding=" << font.encoding << " Embedded=" << (font.embedded ? "yes" : "no")
        << " FontFileObject=" << font.font_file_object << " Failed=" << (font.failed ? "yes" : "no")
        << " CMapData=" << (font.cmap_data ? font.cmap_data->Size() : 0)
        << " CIDSystemInfo=" << CIDSystemInfo(font) << ToUnicodeCodes(font)
        << " via=" << ConversionName(font) << '\n';
  }
}

}  // namespace

void WriteFontReport(Document& document, std::ostream& out) {
  const ObjectNumberList pages = document.PageObjects();
  PageResourceReader page_reader(document);
  FontDecoder fonts(document);
  for (size_t i = 0; i < pages.size(); ++i) {
    const int32_t page = pages[i];
    out << "page " << i + 1 << ' ' << page << '\n';
    out << "  contents";
    for (const int32_t content : page_reader.ContentObjects(page)) out << ' ' << content;
    out << '\n';
    const PageResources resources = page_reader.ReadPageResources(page);
    WriteFonts(fonts, resources.fonts, "  ", out);
    for (const FormXObject& form : resources.forms) {
      out << "  form " << form.name << " obj=" << form.object_number << '\n';
      WriteFonts(fonts, form.fonts, "    ", out);
    }
  }
}

}  // namespace lumenquill
