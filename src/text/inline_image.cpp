#include "text/inline_image.h"

#include <cstdint>
#include <limits>
#include <string>

#include "reader/decimal_text.h"
#include "reader/reading_primitives.h"

namespace lumenquill {
namespace {

struct ImageParameters {
  int32_t width = -1;
  int32_t height = -1;
  int32_t bits_per_component = -1;
  std::string color_space = "/DeviceGray";
  std::string filter;
  bool indexed = false;
};

void ReadImageDictionary(ByteStream& content, ImageParameters& image) {
  std::string token;
  for (;;) {
    ReadToken(content, token);
    if (token == "ID") return;
    if (token == "%") {
      SkipLine(content);
    } else if (token == "/W" || token == "/Width") {
      ReadToken(content, token);
      image.width = ParseDecimal(token).value_or(0);
    } else if (token == "/H" || token == "/Height") {
      ReadToken(content, token);
      image.height = ParseDecimal(token).value_or(0);
    } else if (token == "/BPC" || token == "/BitsPerComponent") {
      ReadToken(content, token);
      image.bits_per_component = ParseDecimal(token).value_or(0);
    } else if (token == "/F" || token == "/Filter") {
      ReadToken(content, image.filter);
      if (image.filter == "[") ReadToken(content, image.filter);
    } else if (token == "/CS" || token == "/ColorSpace") {
      ReadToken(content, image.color_space);
      if (image.color_space == "[") {
        ReadToken(content, image.color_space);
        if (image.color_space == "/I" || image.color_space == "/Indexed") {
          image.indexed = true;
          ReadToken(content, image.color_space);
        }
      }
    }
  }
}

// Products of dimensions taken from the file, held at the int64 maximum instead of
// overflowing; such a length never fits the content and is not skipped.
int64_t Product(int64_t a, int64_t b) {
  if (a != 0 && b > std::numeric_limits<int64_t>::max() / a) {
    return std::numeric_limits<int64_t>::max();
  }
  return a * b;
}

// a / b rounded up: how many units of size b hold a (a row of bits in bytes or 16-bit words).
int64_t WholeUnits(int64_t a, int64_t b) { return (a + b - 1) / b; }

// The byte length of unencoded image data.
int64_t DataLength(const ImageParameters& image) {
  const int64_t width = image.width;
  const int64_t height = image.height;
  const int32_t bits = image.bits_per_component;
  const std::string& space = image.color_space;
  const bool low_bits = bits == 1 || bits == 2 || bits == 4;
  if (!low_bits && bits != 8) return 0;
  const int64_t packed_rows = Product(height, WholeUnits(width, 8));
  if (space == "/DeviceGray" || space == "/G") {
    return low_bits ? packed_rows : Product(width, height);
  }
  if (space == "/DeviceRGB" || space == "/RGB") {
    if (low_bits) return Product(Product(height, 2), WholeUnits(width * bits, 16));
    return image.indexed ? Product(width, height) : Product(3, Product(width, height));
  }
  if (space == "/DeviceCMYK" || space == "/CMYK") {
    return Product(4, low_bits ? packed_rows : Product(width, height));
  }
  return 0;
}

void SkipPast(ByteStream& content, uint8_t end) {
  while (content.ReadByte() != end) {
  }
}

}  // namespace

bool SkipInlineImage(ByteStream& content) {
  ImageParameters image;
  ReadImageDictionary(content, image);
  if (image.filter == "/AHx" || image.filter == "/ASCIIHexDecode") {
    SkipPast(content, '>');
  } else if (image.filter == "/A85" || image.filter == "/ASCII85Decode") {
    SkipPast(content, '~');
    content.ReadByte();
  } else {
    if (image.width < 1 || image.height < 1 || image.bits_per_component < 1) return false;
    while (IsTokenWhiteSpace(content.ReadByte())) {
    }
    content.Move(-1);
    const int64_t length = DataLength(image);
    if (length <= content.Size() - content.Position()) content.Move(length);
  }
  std::string token;
  ReadToken(content, token);
  return token == "EI";
}

}  // namespace lumenquill
