#include "platform/shift_jis_text.h"

#include <iconv.h>

namespace lumenquill {

std::optional<std::string> ShiftJisToUtf8(std::string_view bytes) {
  const iconv_t converter = iconv_open("UTF-8", "CP932");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string input(bytes);
  std::string output(bytes.size() * 3 + 4, '\0');
  char* in = input.data();
  size_t in_left = input.size();
  char* out = output.data();
  size_t out_left = output.size();
  const size_t result = iconv(converter, &in, &in_left, &out, &out_left);
  iconv_close(converter);
  if (result == static_cast<size_t>(-1) || in_left != 0) return std::nullopt;
  output.resize(output.size() - out_left);
  return output;
}

}  // namespace lumenquill
