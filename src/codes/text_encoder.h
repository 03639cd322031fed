#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumenquill {

// The encodings of the text files.
enum class OutputEncoding { kShiftJIS, kUTF8, kUTF8WithBOM, kUTF16LEWithBOM };

struct TextEncoding {
  OutputEncoding encoding = OutputEncoding::kShiftJIS;
  // The Unicode encodings only: compatibility forms folded as search indexes want them (Kangxi
  // radicals and compatibility ideographs to the unified ideograph, full-width ASCII to ASCII,
  // half-width katakana to full-width, as NFKC folds them).
  bool fold_compatibility_forms = false;
};

// What the encoding of one file's text replaced.
struct Substitutions {
  static constexpr size_t kMaxExamples = 5;
  // Characters the output encoding cannot hold: a space or "?" in Shift-JIS.
  int64_t unrepresentable = 0;
  // Codes no table knows: "?" in Shift-JIS, U+FFFD in the Unicode encodings.
  int64_t unknown = 0;
  // The first distinct characters that were unrepresentable, at most kMaxExamples.
  std::vector<char32_t> examples;

  bool Any() const { return unrepresentable > 0 || unknown > 0; }
};

// Turns extracted text (see codes/extracted_text.h) into the bytes of the output encoding,
// counting what it replaces. One encoder serves one file.
class TextEncoder final {
 public:
  explicit TextEncoder(TextEncoding encoding = {});

  // The bytes a file starts with: the byte order mark of the encodings that have one.
  std::string_view Preamble() const;
  // The extracted text in the output encoding. Shift-JIS, which never takes more bytes than
  // the extracted text, is written over the text itself, the Unicode encodings into a buffer
  // of the encoder: the view holds until the next call or a change of the text.
  // Shift-JIS writes each character as code page 932 converts it, with best fit (a vertical
  // presentation form as the character it presents); a character it has no code for becomes a
  // space, or "?" for a CID, and a code no table knows "?".
  // The Unicode encodings write each character as itself, marks resolved by their tables and
  // vertical presentation forms as the character they present, beyond the Basic Multilingual
  // Plane too (a surrogate pair in UTF-16); a code no table knows becomes U+FFFD. With
  // fold_compatibility_forms a half-width sound mark composes with the kana before it when
  // both come in the same call.
  std::string_view Encode(std::string& extracted);
  // The same, appended to dest.
  void Encode(std::string_view extracted, std::string& dest);

  const Substitutions& substitutions() const { return substitutions_; }

 private:
  // Writes the Shift-JIS of the extracted text over it; returns its length.
  size_t EncodeShiftJIS(char* text, size_t size);
  void CountCIDWithoutCode(uint16_t cid);
  char* PutUnicodeCharacter(char32_t c, uint16_t code, char* out);
  void EncodeUnicode(std::string_view extracted, std::string& dest);
  void CountUnrepresentable(char32_t c);

  TextEncoding encoding_;
  Substitutions substitutions_;
  std::string unicode_buffer_;
};

}  // namespace lumenquill
