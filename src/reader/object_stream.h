#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lumenquill {

// One object of an object stream: its number and where its body lies in the decoded data.
struct PackedObject {
  int32_t number = 0;
  size_t begin = 0;
  size_t size = 0;
};

// The objects of the decoded data of an object stream with the given /N and /First, in the
// order of its header: each body runs from its offset (counted from /First) to the next
// object's offset, the last one to the end of the data. Raises LoadError for a count the
// header bytes cannot hold or past kMaxObjectCount, a /First outside the data, a header that is not
// count pairs of non-negative integers, and offsets that do not increase or lie outside the data.
std::vector<PackedObject> SplitObjectStream(std::string_view data, int32_t count, int32_t first);

}  // namespace lumenquill
