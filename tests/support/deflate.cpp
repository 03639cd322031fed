#include "support/deflate.h"

#include <zlib.h>

namespace lumenquill::testing {

std::string Deflated(std::string_view data) {
  uLongf size = compressBound(data.size());
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size,
            reinterpret_cast<const Bytef*>(data.data()), data.size(), 9);
  out.resize(size);
  return out;
}

}  // namespace lumenquill::testing
