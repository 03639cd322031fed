#include "text/label_conversion.h"

#include <utility>

#include "codes/predefined_conversion.h"
#include "content/font_resource.h"

namespace lumenquill {
namespace {

void CopyShiftJis(std::string_view source, std::string& dest) { dest.append(source); }

const std::pair<std::string_view, StringConverter> kConverters[] = {
    {"", WriteSingleByteText},
    {kStandardEncoding, WriteSingleByteText},
    {kCustomEncoding, WriteSingleByteText},
    {kBuiltInEncoding, WriteSingleByteText},
    {"WinAnsiEncoding", WriteSingleByteText},
    {"MacRomanEncoding", WriteSingleByteText},
    {"MacExpertEncoding", WriteSingleByteText},
    {"StandardEncoding", WriteSingleByteText},
    {"Identity-H", ConvertCIDs},
    {"Identity-V", ConvertCIDs},
    {"83pv-RKSJ-H", Convert83pv},
    {"90pv-RKSJ-H", Convert90pv},
    {"90ms-RKSJ-H", CopyShiftJis},
    {"90ms-RKSJ-V", CopyShiftJis},
    {"90msp-RKSJ-H", CopyShiftJis},
    {"90msp-RKSJ-V", CopyShiftJis},
    {"78ms-RKSJ-H", CopyShiftJis},
    {"78ms-RKSJ-V", CopyShiftJis},
    {"Add-RKSJ-H", CopyShiftJis},
    {"Add-RKSJ-V", CopyShiftJis},
    {"Ext-RKSJ-H", CopyShiftJis},
    {"Ext-RKSJ-V", CopyShiftJis},
    {"EUC-H", ConvertEUC},
    {"EUC-V", ConvertEUC},
    {"H", ConvertJIS},
    {"V", ConvertJIS},
    {"UniJIS-UCS2-H", ConvertUCS2},
    {"UniJIS-UCS2-V", ConvertUCS2},
    {"UniJIS-UCS2-HW-H", ConvertUCS2},
    {"UniJIS-UCS2-HW-V", ConvertUCS2},
};

}  // namespace

StringConverter ConverterForLabel(const std::string& label) {
  for (const auto& [name, converter] : kConverters) {
    if (name == label) return converter;
  }
  return nullptr;
}

}  // namespace lumenquill
