#include "codes/unicode_text.h"

namespace lumenquill {
namespace {

uint32_t ByteAt(std::string_view bytes, size_t i) { return static_cast<uint8_t>(bytes[i]); }

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

void ConvertUTF16(std::string_view source, std::string& dest) {
  for (size_t i = 0; i + 1 < source.size(); i += 2) {
    const uint32_t unit = ByteAt(source, i) << 8 | ByteAt(source, i + 1);
    const uint32_t next =
        i + 3 < source.size() ? ByteAt(source, i + 2) << 8 | ByteAt(source, i + 3) : 0;
    if (IsHighSurrogate(unit) && IsLowSurrogate(next)) {
      AppendUnicodeCharacter(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), dest);
      i += 2;
    } else {
      AppendUnicodeCharacter(unit, dest);  // a lone surrogate gives U+FFFD
    }
  }
}

void ConvertUTF8(std::string_view source, std::string& dest) {
  for (size_t i = 0; i < source.size();) {
    const uint32_t lead = ByteAt(source, i);
    const size_t length = lead < 0x80    ? 1
                          : lead >= 0xF0 ? 4
                          : lead >= 0xE0 ? 3
                          : lead >= 0xC0 ? 2
                                         : 0;
    if (length == 0) {  // a continuation byte without its lead
      AppendExtracted(kReplacementCharacter, dest);
      ++i;
      continue;
    }
    if (i + length > source.size()) return;
    uint32_t code_point = length == 1 ? lead : lead & (0x3F >> (length - 1));
    bool valid = true;
    for (size_t k = 1; k < length; ++k) {
      const uint32_t next = ByteAt(source, i + k);
      valid = valid && (next & 0xC0) == 0x80;
      code_point = code_point << 6 | (next & 0x3F);
    }
    if (valid) {
      AppendUnicodeCharacter(code_point, dest);
      i += length;
    } else {
      AppendExtracted(kReplacementCharacter, dest);
      ++i;
    }
  }
}

void ConvertUTF32(std::string_view source, std::string& dest) {
  for (size_t i = 0; i + 3 < source.size(); i += 4) {
    AppendUnicodeCharacter(ByteAt(source, i) << 24 | ByteAt(source, i + 1) << 16 |
                               ByteAt(source, i + 2) << 8 | ByteAt(source, i + 3),
                           dest);
  }
}

}  // namespace lumenquill
