#pragma once

#include <string>
#include <string_view>

namespace lumenquill::testing {

// The data compressed in the zlib format, as a /FlateDecode stream holds it.
std::string Deflated(std::string_view data);

}  // namespace lumenquill::testing
