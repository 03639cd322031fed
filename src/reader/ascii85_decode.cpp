#include <cstdint>
#include <string>

#include "reader/bounded_output.h"
#include "reader/stream_filters.h"

namespace lumenquill {
namespace {

constexpr uint32_t kWeights[5] = {85u * 85 * 85 * 85, 85u * 85 * 85, 85u * 85, 85u, 1u};

// The first count bytes of value, most significant first.
std::string BigEndian(uint32_t value, int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>(value >> (24 - 8 * i)));
  return bytes;
}

// Hands the bytes of each group to emit, in order. "z" stands for four zero bytes
// between groups; "~>" ends the data, finishing a partial group; data that ends without "~>"
// keeps its complete groups. Group values wrap at 32 bits. Returns false at an error (a "z"
// inside a group, a "~" without ">"), after emitting the groups before it.
template <typename Emit>
bool DecodeGroups(std::string_view bytes, Emit emit) {
  static const std::string kZeros(4, '\0');
  uint32_t value = 0;
  int count = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == 'z') {
      if (count != 0) return false;
      emit(kZeros);
    } else if (c == '~') {
      if (i + 1 == bytes.size() || bytes[i + 1] != '>') return false;
      if (count > 0) emit(BigEndian(value + kWeights[count - 1], count - 1));
      return true;
    } else if (c >= '!' && c <= 'u') {
      value += static_cast<uint32_t>(c - '!') * kWeights[count];
      if (++count == 5) {
        emit(BigEndian(value, 4));
        value = 0;
        count = 0;
      }
    }
  }
  return true;
}

}  // namespace

// An error anywhere writes nothing at all, so the data is checked whole before it is written.
void DecodeASCII85(std::string_view bytes, MemoryStream& dest) {
  if (!DecodeGroups(bytes, [](std::string_view) {})) return;
  BoundedOutput output(dest, "ASCII85を正常に展開できませんでした。");
  DecodeGroups(bytes, [&output](std::string_view group) { output.Write(group); });
}

}  // namespace lumenquill
