#include "codes/text_encoder.h"

#include <algorithm>
#include <cstring>

#include "codes/code_tables.h"
#include "codes/extracted_text.h"

namespace lumenquill {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// The end of the run of ASCII bytes from i on.
size_t EndOfASCII(std::string_view text, size_t i) {
  while (i < text.size() && static_cast<uint8_t>(text[i]) < 0x80) ++i;
  return i;
}

constexpr uint64_t kHighBits = 0x8080808080808080;

// The value of a three-byte sequence at text (a lead byte 1110xxxx and two continuation bytes
// 10xxxxxx), or 0. The converters write only well-formed UTF-8, so the value is taken as it
// stands: whatever it is, it indexes the 65,536 entries of a table.
char32_t ThreeByteCharacter(const uint8_t* text, size_t available) {
  if (available < 3 || (text[0] & 0xF0) != 0xE0 || (text[1] & 0xC0) != 0x80 ||
      (text[2] & 0xC0) != 0x80) {
    return 0;
  }
  return (text[0] & 0x0Fu) << 12 | (text[1] & 0x3Fu) << 6 | (text[2] & 0x3Fu);
}

bool IsMark(char32_t c) { return c >= kCP932Code; }

// The Unicode character of an extracted code point: a mark as its table gives it (kNoCharacter
// when the table does not know the code), a vertical presentation form as the character it
// presents.
char32_t UnicodeCharacter(char32_t c) {
  return IsMark(c) ? UnmarkedCharacter(c) : PresentedCharacter(c);
}

bool IsKana(char32_t c) { return c >= 0x3040 && c <= 0x30FF; }

// The character as NFKC folds a compatibility form. A kana takes the sound mark that follows
// it (ｶﾞ gives ガ, as NFKC composes them): i then moves past the mark.
char32_t FoldCompatibilityForm(char32_t c, std::string_view extracted, size_t& i) {
  c = FoldedCompatibilityForm(c);
  if (IsKana(c) && i < extracted.size() && static_cast<uint8_t>(extracted[i]) >= 0x80) {
    size_t after_mark = i;
    const char32_t mark =
        FoldedCompatibilityForm(UnicodeCharacter(NextExtracted(extracted, after_mark)));
    const char32_t composed = ComposedWithSoundMark(c, mark);
    if (composed != kNoCharacter) {
      i = after_mark;
      return composed;
    }
  }
  return c;
}

void AppendUTF16LE(char32_t c, std::string& dest) {
  const auto append_unit = [&dest](char32_t unit) {
    const char bytes[] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    dest.append(bytes, 2);
  };
  if (c < 0x10000) {
    append_unit(c);
  } else {
    append_unit(0xD800 | (c - 0x10000) >> 10);
    append_unit(0xDC00 | (c & 0x3FF));
  }
}

// Writes a code page 932 code: two bytes above 0xFF, none for 0 (what converts to nothing),
// else one.
char* PutCP932Code(uint16_t code, char* out) {
  if (code > 0xFF) *out++ = static_cast<char>(code >> 8);
  if (code != 0) *out++ = static_cast<char>(code & 0xFF);
  return out;
}

// The variation selectors beyond the BMP (U+E0100-E01EF) choose a glyph of the character
// before them; Shift-JIS writes nothing for them, as for those within it.
bool IsVariationSelectorSupplement(char32_t c) { return c >= 0xE0100 && c <= 0xE01EF; }

}  // namespace

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

std::string_view TextEncoder::Encode(std::string& extracted) {
  if (encoding_.encoding == OutputEncoding::kShiftJIS) {
    return {extracted.data(), EncodeShiftJIS(extracted.data(), extracted.size())};
  }
  unicode_buffer_.clear();
  EncodeUnicode(extracted, unicode_buffer_);
  return unicode_buffer_;
}

void TextEncoder::Encode(std::string_view extracted, std::string& dest) {
  if (encoding_.encoding == OutputEncoding::kShiftJIS) {
    std::string text(extracted);
    dest.append(Encode(text));
  } else {
    EncodeUnicode(extracted, dest);
  }
}

void TextEncoder::CountUnrepresentable(char32_t c) {
  ++substitutions_.unrepresentable;
  std::vector<char32_t>& examples = substitutions_.examples;
  if (examples.size() < Substitutions::kMaxExamples &&
      std::find(examples.begin(), examples.end(), c) == examples.end()) {
    examples.push_back(c);
  }
}

size_t TextEncoder::EncodeShiftJIS(char* text, size_t size) {
  // Each character takes no more bytes in Shift-JIS than it took in the text, so the output
  // never overtakes what is still to be read.
  const std::string_view extracted(text, size);
  const auto* in = reinterpret_cast<const uint8_t*>(text);
  char* out = text;
  const uint16_t* const unicode_to_cp932 = UnicodeToCP932Table();
  size_t i = 0;
  while (i < size) {
    if (in[i] < 0x80) {
      // ASCII is itself in code page 932: a run of it is copied, eight bytes at a time where
      // it can be.
      uint64_t eight = 0;
      while (size - i >= 8 && (std::memcpy(&eight, in + i, 8), (eight & kHighBits) == 0)) {
        std::memcpy(out, &eight, 8);
        out += 8;
        i += 8;
      }
      while (i < size && in[i] < 0x80) *out++ = static_cast<char>(in[i++]);
      continue;
    }
    // Nearly all Japanese text is in the three-byte part of the BMP: a run of it is read
    // inline.
    if (const char32_t c = ThreeByteCharacter(in + i, size - i); c != 0) {
      i += 3;
      out = PutUnicodeCharacter(c, unicode_to_cp932[c], out);
      continue;
    }
    const char32_t c = NextExtracted(extracted, i);
    if (c <= 0xFFFF) {
      out = PutUnicodeCharacter(c, unicode_to_cp932[c], out);
    } else if (!IsMark(c)) {
      if (!IsVariationSelectorSupplement(c)) {
        CountUnrepresentable(c);
        *out++ = ' ';
      }
    } else if (c < kAdobeJapan1) {  // written as it came, even 0
      const auto code = static_cast<uint16_t>(c - kCP932Code);
      if (CP932ToUnicode(code) == kNoCharacter) ++substitutions_.unknown;
      if (code > 0xFF) *out++ = static_cast<char>(code >> 8);
      *out++ = static_cast<char>(code & 0xFF);
    } else if (c < kUnknownCode) {
      // CIDToSJIS gives one byte or a lead byte's two, as any code page 932 code.
      const auto cid = static_cast<uint16_t>(c - kAdobeJapan1);
      const uint16_t code = CIDToSJIS(cid);
      if (code == kUnknownCharacter) CountCIDWithoutCode(cid);
      out = PutCP932Code(code, out);
    } else {
      ++substitutions_.unknown;
      *out++ = '?';
    }
  }
  return static_cast<size_t>(out - text);
}

// Writes a character of the BMP by its code page 932 code; one without a code (c is not "?"
// itself) becomes a space.
char* TextEncoder::PutUnicodeCharacter(char32_t c, uint16_t code, char* out) {
  if (code == kUnknownCharacter) {
    CountUnrepresentable(c);
    code = ' ';
  }
  return PutCP932Code(code, out);
}

// A CID that CIDToSJIS gives "?" for: "?" itself, a character Shift-JIS cannot hold, or a CID
// no table knows.
void TextEncoder::CountCIDWithoutCode(uint16_t cid) {
  const char32_t c = AdobeJapan1ToUnicode(cid);
  if (c == kNoCharacter) {
    ++substitutions_.unknown;
  } else if (c != '?') {
    CountUnrepresentable(c);
  }
}

void TextEncoder::EncodeUnicode(std::string_view extracted, std::string& dest) {
  const bool utf16 = encoding_.encoding == OutputEncoding::kUTF16LEWithBOM;
  dest.reserve(dest.size() + extracted.size() * (utf16 ? 2 : 1));
  size_t i = 0;
  while (i < extracted.size()) {
    const size_t run_end = EndOfASCII(extracted, i);
    if (utf16) {
      for (; i < run_end; ++i) {
        dest.push_back(extracted[i]);
        dest.push_back('\0');
      }
    } else {
      dest.append(extracted, i, run_end - i);
      i = run_end;
    }
    if (i == extracted.size()) break;
    const char32_t code_point = NextExtracted(extracted, i);
    char32_t c = UnicodeCharacter(code_point);
    if (IsMark(code_point) && c == kNoCharacter) {
      ++substitutions_.unknown;
      c = kReplacementCharacter;
    } else if (encoding_.fold_compatibility_forms) {
      c = FoldCompatibilityForm(c, extracted, i);
    }
    if (utf16) {
      AppendUTF16LE(c, dest);
    } else {
      AppendExtracted(c, dest);
    }
  }
}

}  // namespace lumenquill
