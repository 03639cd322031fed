#include "codes/predefined_conversion.h"

#include <cstdint>

#include "codes/code_helpers.h"
#include "codes/code_tables.h"
#include "codes/extracted_text.h"
#include "codes/unicode_text.h"

namespace lumenquill {
namespace {

uint8_t ByteAt(std::string_view bytes, size_t i) { return static_cast<uint8_t>(bytes[i]); }

// Codes of one or two bytes: a lead byte takes the next byte with it. A lead byte that ends
// the string has no trail and is not a character: it is dropped.
template <typename IsLeadByte, typename ToCID>
void ConvertMixedBytes(std::string_view source, std::string& dest, IsLeadByte is_lead,
                       ToCID to_cid) {
  dest.reserve(dest.size() + source.size() * 4);
  for (size_t i = 0; i < source.size(); ++i) {
    const uint8_t byte = ByteAt(source, i);
    if (!is_lead(byte)) {
      AppendAdobeJapan1CID(to_cid(byte), dest);
    } else if (i + 1 < source.size()) {
      AppendAdobeJapan1CID(to_cid(BigEndianAt(source, i)), dest);
      ++i;
    }
  }
}

bool IsRKSJLeadByte(uint8_t byte) {
  return byte == 0x7F || (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsCP932LeadByte(uint8_t byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace

void WriteSingleByteText(std::string_view source, std::string& dest) {
  dest.reserve(dest.size() + source.size());
  for (const char c : source) dest.push_back(c >= 0x20 && c <= 0x7E ? c : ' ');
}

void ConvertCIDs(std::string_view source, std::string& dest) {
  dest.reserve(dest.size() + source.size() * 2);
  for (size_t i = 0; i + 1 < source.size(); i += 2) {
    AppendAdobeJapan1CID(BigEndianAt(source, i), dest);
  }
}

void WriteUnknownCIDs(std::string_view source, std::string& dest) {
  for (size_t i = 0; i + 1 < source.size(); i += 2) AppendUnknownCode(dest);
}

void ConvertShiftJIS(std::string_view source, std::string& dest) {
  dest.reserve(dest.size() + source.size() * 2);
  for (size_t i = 0; i < source.size(); ++i) {
    const uint8_t byte = ByteAt(source, i);
    if (byte < 0x80) {
      dest.push_back(static_cast<char>(byte));
    } else if (IsCP932LeadByte(byte) && i + 1 < source.size()) {
      AppendCP932Character(BigEndianAt(source, i), dest);
      ++i;
    } else {
      AppendCP932Character(byte, dest);
    }
  }
}

void ConvertEUC(std::string_view source, std::string& dest) {
  ConvertMixedBytes(
      source, dest, [](uint8_t byte) { return byte >= 0x7F; }, EUCToCID);
}

void ConvertJIS(std::string_view source, std::string& dest) {
  dest.reserve(dest.size() + source.size() * 2);
  for (size_t i = 0; i + 1 < source.size(); i += 2) {
    AppendAdobeJapan1CID(JISToCID(BigEndianAt(source, i)), dest);
  }
}

void Convert83pv(std::string_view source, std::string& dest) {
  ConvertMixedBytes(source, dest, IsRKSJLeadByte, RKSJ83pvToCID);
}

void Convert90pv(std::string_view source, std::string& dest) {
  ConvertMixedBytes(source, dest, IsRKSJLeadByte, RKSJ90pvToCID);
}

void ConvertUCS2(std::string_view source, std::string& dest) { WriteUCS2Text(source, dest); }

void WriteUCS2Text(std::string_view data, std::string& dest) {
  dest.reserve(dest.size() + data.size() * 3 / 2);
  for (size_t i = 0; i + 1 < data.size(); i += 2) {
    AppendUnicodeCharacter(BigEndianAt(data, i), dest);
  }
}

}  // namespace lumenquill
