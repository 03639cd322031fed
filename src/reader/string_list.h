#pragma once

#include <string>
#include <vector>

namespace lumenquill {

// An ordered list of byte strings: names with their slash, or offsets as decimal text.
using StringList = std::vector<std::string>;

}  // namespace lumenquill
