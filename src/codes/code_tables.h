#pragma once

#include <cstdint>

#include "codes/extracted_text.h"

namespace lumenquill {

// What a code converts to when nothing converts it: the byte "?".
inline constexpr uint16_t kUnknownCharacter = '?';

// The code tables: each a function of a 16-bit input; an input no entry covers gives
// kUnknownCharacter.
// Each is a flat array built once from its generated ranges, so a lookup is one index.

// CID to Shift-JIS code (a single byte when the high byte is 0).
uint16_t CIDToSJIS(uint16_t cid);
// EUC-JP code (one byte, or lead × 256 + trail) to CID.
uint16_t EUCToCID(uint16_t code);
// JIS X 0208 code (row × 256 + cell) to CID.
uint16_t JISToCID(uint16_t code);
// 83pv-RKSJ and 90pv-RKSJ codes (one byte, or lead × 256 + trail) to CID.
uint16_t RKSJ83pvToCID(uint16_t code);
uint16_t RKSJ90pvToCID(uint16_t code);

// A UCS-2 unit as code page 932 converts it, with best fit: the Shift-JIS code (a single byte
// when below 0x100), 0 for a unit that converts to nothing, kUnknownCharacter for one it cannot
// convert.
uint16_t UnicodeToCP932(uint16_t unit);
// The flat table UnicodeToCP932 looks up, indexed by the unit: for loops that convert text
// character by character.
const uint16_t* UnicodeToCP932Table();

// The tables to Unicode give kNoCharacter (U+FFFF, a noncharacter) for an input they do not
// know.
inline constexpr char32_t kNoCharacter = 0xFFFF;

// A code page 932 code (one byte when below 0x100, else lead × 256 + trail) as Windows
// decodes it.
char32_t CP932ToUnicode(uint16_t code);
// The character of an Adobe-Japan1 CID: for a CID that CIDToSJIS gives a code, the character
// of that code, so that Shift-JIS and Unicode output agree; a vertical form's CID gives the
// character it presents.
char32_t AdobeJapan1ToUnicode(uint16_t cid);

// The Unicode character of an extracted code point (codes/extracted_text.h): a mark as its
// table gives it, kNoCharacter for an unknown code or one the table does not know; any other
// code point itself.
inline char32_t UnmarkedCharacter(char32_t c) {
  if (c < kCP932Code) return c;
  if (c >= kUnknownCode) return kNoCharacter;
  if (c >= kAdobeJapan1) return AdobeJapan1ToUnicode(static_cast<uint16_t>(c - kAdobeJapan1));
  return CP932ToUnicode(static_cast<uint16_t>(c - kCP932Code));
}

// The character a vertical presentation form (U+FE10-FE19, U+FE30-FE4F) presents; any other
// character, and a form that presents none, itself.
char32_t PresentedCharacter(char32_t c);
// The character NFKC folds a compatibility form to: radicals and compatibility ideographs to
// the unified ideograph, full-width ASCII to ASCII, half-width katakana to full-width (its
// sound marks to the combining U+3099 and U+309A); any other character itself.
char32_t FoldedCompatibilityForm(char32_t c);
// The kana with the combining sound mark (U+3099 or U+309A) composed in, as NFC composes it;
// kNoCharacter when the two do not compose.
char32_t ComposedWithSoundMark(char32_t kana, char32_t mark);

}  // namespace lumenquill
