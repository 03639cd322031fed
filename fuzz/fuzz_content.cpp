// Interpreting a content buffer with a small fixed set of fonts: a standard, an Identity-H,
// a Shift-JIS, a UCS-2, a vertical and an EUC font, one with a /ToUnicode map, and a TrueType
// font whose map has a range with an array destination.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "reader/memory_stream.h"
#include "reader/document.h"
#include "text/text_extractor.h"

namespace {

lumenquill::FontList MakeFonts() {
  lumenquill::FontList fonts;
  const char* kLabels[][2] = {{"/F1", "WinAnsiEncoding"}, {"/F2", "Identity-H"},
                              {"/F3", "90ms-RKSJ-H"},     {"/F4", "UniJIS-UCS2-H"},
                              {"/F5", "Identity-V"},      {"/F6", "EUC-H"}};
  for (const auto& [name, label] : kLabels) {
    fonts.emplace_back(name, 1).encoding = label;
  }
  lumenquill::FontResource& mapped = fonts.emplace_back("/T1", 2);
  mapped.encoding = "Identity-H";
  mapped.cmap_data = std::make_unique<lumenquill::MemoryStream>(
      "\n\nbegincmap 2 beginbfrange <0000> <00FF> <0020> <20> <7E> <3041> endbfrange endcmap");
  lumenquill::FontResource& simple = fonts.emplace_back("/T2", 3);
  simple.subtype = "TrueType";
  simple.cmap_data = std::make_unique<lumenquill::MemoryStream>(
      "\n\nbegincmap 1 beginbfrange <0041> <0043> [<65E5> <672C> <0041>] endbfrange endcmap");
  return fonts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::unique_ptr<lumenquill::Document> document = lumenquill::Document::OpenStream(
      std::make_unique<lumenquill::MemoryStream>(
          "%PDF-1.4\n1 0 obj\n<< /Pages 2 0 R >>\nendobj\n2 0 obj\n<< /Kids [] >>\nendobj\n"
          "xref\n0 3\n0000000000 65535 f\r\n0000000009 00000 n\r\n0000000043 00000 n\r\n"
          "trailer\n<< /Size 3 /Root 1 0 R >>\nstartxref\n73\n%%EOF\n"),
      "", {});
  static lumenquill::TextExtractor decoder(*document);
  lumenquill::FontList fonts = MakeFonts();
  lumenquill::MemoryStream content(std::string(reinterpret_cast<const char*>(data), size));
  std::string output;
  decoder.DecodeContent(content, output, fonts);
  return 0;
}
