#include <algorithm>
#include <cstdint>
#include <memory>

#include "reader/bounded_output.h"
#include "reader/decoded_bytes.h"
#include "reader/stream_filters.h"

namespace lumenquill {
namespace {

constexpr uint32_t kWeights[5] = {85u * 85 * 85 * 85, 85u * 85 * 85, 85u * 85, 85u, 1u};

// The value of a base-85 digit, or a value of 85 or more for any other byte.
constexpr uint32_t Digit(unsigned char c) { return static_cast<uint32_t>(c) - '!'; }

// The decoded bytes, written into a buffer of room bytes. A group that does not fit any more is
// counted as an overflow instead; the data is still read to its end for errors.
class GroupWriter {
 public:
  explicit GroupWriter(size_t room)
      : buffer_(std::make_unique_for_overwrite<char[]>(room)), end_(buffer_.get() + room) {}

  // The first count bytes of value, most significant first.
  void Write(uint32_t value, int count) {
    if (end_ - next_ < count) {
      overflow_ = true;
      return;
    }
    for (int i = 0; i < count; ++i) *next_++ = static_cast<char>(value >> (24 - 8 * i));
  }

  std::string_view Bytes() const {
    return {buffer_.get(), static_cast<size_t>(next_ - buffer_.get())};
  }
  bool Overflow() const { return overflow_; }

 private:
  std::unique_ptr<char[]> buffer_;
  char* const end_;
  char* next_ = buffer_.get();
  bool overflow_ = false;
};

// Decodes the groups of bytes in order. "z" stands for four zero bytes between groups; "~>"
// ends the data, finishing a partial group; data that ends without "~>" keeps its complete
// groups. Every other byte outside the digits is skipped. Group values wrap at 32 bits.
// Returns false at an error (a "z" inside a group, a "~" without ">").
bool DecodeGroups(std::string_view bytes, GroupWriter& output) {
  const auto* next = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = next + bytes.size();
  uint32_t value = 0;
  int count = 0;
  while (next < end) {
    // Most groups are five digits in a row: decode those at once.
    if (count == 0 && end - next >= 5) {
      const uint32_t d0 = Digit(next[0]), d1 = Digit(next[1]), d2 = Digit(next[2]),
                     d3 = Digit(next[3]), d4 = Digit(next[4]);
      if (d0 < 85 && d1 < 85 && d2 < 85 && d3 < 85 && d4 < 85) {
        const uint32_t group =
            d0 * kWeights[0] + d1 * kWeights[1] + d2 * kWeights[2] + d3 * kWeights[3] + d4;
        output.Write(group, 4);
        next += 5;
        continue;
      }
    }
    const unsigned char c = *next++;
    if (Digit(c) < 85) {
      value += Digit(c) * kWeights[count];
      if (++count == 5) {
        output.Write(value, 4);
        value = 0;
        count = 0;
      }
    } else if (c == 'z') {
      if (count != 0) return false;
      output.Write(0, 4);
    } else if (c == '~') {
      if (next == end || *next != '>') return false;
      if (count > 0) output.Write(value + kWeights[count - 1], count - 1);
      return true;
    }
  }
  return true;
}

}  // namespace

// An error anywhere writes nothing at all, so the data is decoded whole before it is written.
void DecodeASCII85(std::string_view bytes, MemoryStream& dest) {
  // Each byte gives four bytes at most (a "z"); the output stops at the bound. Whole groups of
  // four fill the bound exactly, so what was written before an overflow is the bound's worth.
  static_assert(kMaxInflatedSize % 4 == 0);
  const size_t room = std::min(bytes.size() * 4, static_cast<size_t>(kMaxInflatedSize));
  // The buffer counts against the thread's bound on decoded bytes. The share is held here, not
  // in the writer: a writer whose address no other code sees keeps its position in a register
  // through the decoding loop.
  DecodedBytes share;
  share.Add(static_cast<int64_t>(room));
  GroupWriter output(room);
  if (!DecodeGroups(bytes, output)) return;
  dest.Write(output.Bytes());
  if (output.Overflow()) throw Error("ASCII85を正常に展開できませんでした。");
}

}  // namespace lumenquill
