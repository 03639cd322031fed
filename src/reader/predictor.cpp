#include "reader/predictor.h"

#include <cstdlib>
#include <string>

#include "reader/reader_errors.h"

namespace lumenquill {
namespace {

constexpr const char* kFailure = "予測符号を展開できませんでした。";
constexpr int32_t kMaxColors = 32;

bool IsPng(int32_t predictor) { return predictor >= 10 && predictor <= 15; }

bool ValidBits(int32_t bits) {
  return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16;
}

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a);
  const int pb = std::abs(p - b);
  const int pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
  return static_cast<uint8_t>(pb <= pc ? b : c);
}

// Reverses one PNG row in place; previous is the decoded row above (zeros for the first).
void UndoPngRow(uint8_t type, size_t pixel_bytes, const std::string& previous, std::string& row) {
  for (size_t i = 0; i < row.size(); ++i) {
    const int left = i >= pixel_bytes ? static_cast<uint8_t>(row[i - pixel_bytes]) : 0;
    const int up = static_cast<uint8_t>(previous[i]);
    const int up_left = i >= pixel_bytes ? static_cast<uint8_t>(previous[i - pixel_bytes]) : 0;
    int add = 0;
    switch (type) {
      case 0:
        break;
      case 1:
        add = left;
        break;
      case 2:
        add = up;
        break;
      case 3:
        add = (left + up) / 2;
        break;
      case 4:
        add = Paeth(left, up, up_left);
        break;
      default:
        throw Error(kFailure);
    }
    row[i] = static_cast<char>(static_cast<uint8_t>(row[i]) + add);
  }
}

// Reverses TIFF horizontal differencing on one row in place: each sample adds the sample of
// the same colour one pixel to its left, modulo 2^bits.
void UndoTiffRow(const FilterParameters& parameters, std::string& row) {
  const int32_t bits = parameters.bits_per_component;
  const auto samples = static_cast<size_t>(parameters.columns) * parameters.colors;
  const uint32_t mask = (bits == 16) ? 0xFFFFu : (1u << bits) - 1;
  auto* bytes = reinterpret_cast<uint8_t*>(row.data());
  const auto get = [&](size_t s) -> uint32_t {
    if (bits == 16) return (uint32_t{bytes[2 * s]} << 8) | bytes[2 * s + 1];
    const size_t bit = s * bits;
    return (bytes[bit / 8] >> (8 - bits - bit % 8)) & mask;
  };
  const auto set = [&](size_t s, uint32_t value) {
    if (bits == 16) {
      bytes[2 * s] = static_cast<uint8_t>(value >> 8);
      bytes[2 * s + 1] = static_cast<uint8_t>(value);
      return;
    }
    const size_t bit = s * bits;
    const int shift = 8 - bits - static_cast<int>(bit % 8);
    bytes[bit / 8] = static_cast<uint8_t>((bytes[bit / 8] & ~(mask << shift)) | (value << shift));
  };
  const size_t whole_samples = row.size() * 8 / bits;
  const size_t count = samples < whole_samples ? samples : whole_samples;
  const auto colors = static_cast<size_t>(parameters.colors);
  for (size_t s = colors; s < count; ++s) set(s, (get(s) + get(s - colors)) & mask);
}

}  // namespace

void UndoPredictor(const FilterParameters& parameters, std::string_view input, MemoryStream& dest) {
  const int32_t predictor = parameters.predictor;
  if (PredictorIsNone(parameters)) {
    dest.Write(input);
    return;
  }
  if ((predictor != 2 && !IsPng(predictor)) || parameters.colors < 1 ||
      parameters.colors > kMaxColors || !ValidBits(parameters.bits_per_component) ||
      parameters.columns < 1) {
    throw Error(kFailure);
  }
  const int64_t row_bits =
      int64_t{parameters.columns} * parameters.colors * parameters.bits_per_component;
  const int64_t row_bytes = (row_bits + 7) / 8;
  // A row longer than the whole input is a damaged /Columns; refusing it bounds the buffers.
  if (row_bytes > static_cast<int64_t>(input.size())) throw Error(kFailure);
  const auto row_size = static_cast<size_t>(row_bytes);
  const size_t pixel_bytes =
      (static_cast<size_t>(parameters.colors) * parameters.bits_per_component + 7) / 8;

  std::string previous(row_size, '\0');
  std::string row;
  size_t at = 0;
  if (predictor == 2) {
    while (at < input.size()) {
      row.assign(input.substr(at, row_size));
      at += row.size();
      UndoTiffRow(parameters, row);
      dest.Write(row);
    }
    return;
  }
  while (at < input.size()) {
    const auto type = static_cast<uint8_t>(input[at++]);
    row.assign(input.substr(at, row_size));
    at += row.size();
    UndoPngRow(type, pixel_bytes, previous, row);
    dest.Write(row);
    previous.replace(0, row.size(), row);
  }
}

int32_t* FilterParameterOf(FilterParameters& parameters, std::string_view key) {
  if (key == "/Predictor") return &parameters.predictor;
  if (key == "/Colors") return &parameters.colors;
  if (key == "/BitsPerComponent") return &parameters.bits_per_component;
  if (key == "/Columns") return &parameters.columns;
  if (key == "/EarlyChange") return &parameters.early_change;
  return nullptr;
}

}  // namespace lumenquill
