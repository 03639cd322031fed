#include "text/label_conversion.h"

#include <utility>

#include "codes/predefined_cmaps.h"
#include "codes/predefined_conversion.h"
#include "codes/unicode_text.h"
#include "content/font_resource.h"

namespace lumenquill {
namespace {

// Labels with conversions of their own; the other predefined CMaps of Adobe-Japan1 that map
// codes to CIDs go through their generated tables.
const std::pair<std::string_view, StringConverter> kConverters[] = {
    {"", WriteSingleByteText},
    {kStandardEncoding, WriteSingleByteText},
    {kCustomEncoding, WriteSingleByteText},
    {kBuiltInEncoding, WriteSingleByteText},
    {"WinAnsiEncoding", WriteSingleByteText},
    {"MacRomanEncoding", WriteSingleByteText},
    {"MacExpertEncoding", WriteSingleByteText},
    {"PDFDocEncoding", WriteSingleByteText},
    {"StandardEncoding", WriteSingleByteText},
    {"Identity-H", ConvertCIDs},
    {"Identity-V", ConvertCIDs},
    {"83pv-RKSJ-H", Convert83pv},
    {"90pv-RKSJ-H", Convert90pv},
    {"90ms-RKSJ-H", ConvertShiftJIS},
    {"90ms-RKSJ-V", ConvertShiftJIS},
    {"90msp-RKSJ-H", ConvertShiftJIS},
    {"90msp-RKSJ-V", ConvertShiftJIS},
    {"78ms-RKSJ-H", ConvertShiftJIS},
    {"78ms-RKSJ-V", ConvertShiftJIS},
    {"Add-RKSJ-H", ConvertShiftJIS},
    {"Add-RKSJ-V", ConvertShiftJIS},
    {"Ext-RKSJ-H", ConvertShiftJIS},
    {"Ext-RKSJ-V", ConvertShiftJIS},
    {"EUC-H", ConvertEUC},
    {"EUC-V", ConvertEUC},
    {"H", ConvertJIS},
    {"V", ConvertJIS},
    {"UniJIS-UCS2-H", ConvertUCS2},
    {"UniJIS-UCS2-V", ConvertUCS2},
    {"UniJIS-UCS2-HW-H", ConvertUCS2},
    {"UniJIS-UCS2-HW-V", ConvertUCS2},
    {"UniJISPro-UCS2-V", ConvertUCS2},
    {"UniJISPro-UCS2-HW-V", ConvertUCS2},
    {"UniJISPro-UTF8-V", ConvertUTF8},
    {"UniJIS-UTF16-H", ConvertUTF16},
    {"UniJIS-UTF16-V", ConvertUTF16},
    {"UniJIS2004-UTF16-H", ConvertUTF16},
    {"UniJIS2004-UTF16-V", ConvertUTF16},
    {"UniJIS-UTF8-H", ConvertUTF8},
    {"UniJIS-UTF8-V", ConvertUTF8},
    {"UniJIS2004-UTF8-H", ConvertUTF8},
    {"UniJIS2004-UTF8-V", ConvertUTF8},
    {"UniJIS-UTF32-H", ConvertUTF32},
    {"UniJIS-UTF32-V", ConvertUTF32},
    {"UniJIS2004-UTF32-H", ConvertUTF32},
    {"UniJIS2004-UTF32-V", ConvertUTF32},
    {"UniJISX0213-UTF32-H", ConvertUTF32},
    {"UniJISX0213-UTF32-V", ConvertUTF32},
    {"UniJISX02132004-UTF32-H", ConvertUTF32},
    {"UniJISX02132004-UTF32-V", ConvertUTF32},
};

}  // namespace

StringConverter ConverterForLabel(const std::string& label) {
  for (const auto& [name, converter] : kConverters) {
    if (name == label) return converter;
  }
  return PredefinedCMapConverter(label);
}

}  // namespace lumenquill
