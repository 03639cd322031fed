#include "codes/text_encoder.h"

#include <algorithm>
#include <stdexcept>

#include "codes/code_tables.h"
#include "codes/extracted_text.h"
#include "codes/predefined_conversion.h"

namespace lumenquill {

TextEncoder::TextEncoder(TextEncoding encoding) : encoding_(encoding) {}

std::string_view TextEncoder::Preamble() const {
  switch (encoding_.encoding) {
    case OutputEncoding::kUTF8WithBOM:
      return "\xEF\xBB\xBF";
    case OutputEncoding::kUTF16LEWithBOM:
      return "\xFF\xFE";
    case OutputEncoding::kShiftJIS:
    case OutputEncoding::kUTF8:
      break;
  }
  return {};
}

void TextEncoder::Encode(std::string_view extracted, std::string& dest) {
  if (encoding_.encoding != OutputEncoding::kShiftJIS) {
    throw std::logic_error("the Unicode encodings are not built yet");
  }
  EncodeShiftJIS(extracted, dest);
}

void TextEncoder::CountUnrepresentable(char32_t c) {
  ++substitutions_.unrepresentable;
  std::vector<char32_t>& examples = substitutions_.examples;
  if (examples.size() < Substitutions::kMaxExamples &&
      std::find(examples.begin(), examples.end(), c) == examples.end()) {
    examples.push_back(c);
  }
}

void TextEncoder::EncodeShiftJIS(std::string_view extracted, std::string& dest) {
  dest.reserve(dest.size() + extracted.size());
  size_t i = 0;
  while (i < extracted.size()) {
    // ASCII is itself in code page 932: a run of it is copied as it stands.
    size_t run_end = i;
    while (run_end < extracted.size() && static_cast<uint8_t>(extracted[run_end]) < 0x80) {
      ++run_end;
    }
    if (run_end > i) {
      dest.append(extracted.data() + i, run_end - i);
      i = run_end;
      if (i == extracted.size()) break;
    }
    const char32_t c = NextExtracted(extracted, i);
    if (c >= kUnknownCode) {
      ++substitutions_.unknown;
      dest.push_back('?');
    } else if (c >= kAdobeJapan1) {
      const uint16_t cid = static_cast<uint16_t>(c - kAdobeJapan1);
      if (CIDToSJIS(cid) == kUnknownCharacter) ++substitutions_.unknown;
      AppendCID(cid, dest);
    } else if (c >= kCP932Code) {
      const uint16_t code = static_cast<uint16_t>(c - kCP932Code);
      if (code > 0xFF) dest.push_back(static_cast<char>(code >> 8));
      dest.push_back(static_cast<char>(code & 0xFF));
    } else if (c > 0xFFFF) {
      CountUnrepresentable(c);
      dest.push_back(' ');
    } else {
      const uint16_t code = CP932CodeForUCS2Unit(static_cast<uint16_t>(c));
      if (code == ' ' && c != ' ') CountUnrepresentable(c);
      AppendCP932Code(code, dest);
    }
  }
}

}  // namespace lumenquill
