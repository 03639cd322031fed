#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "reader/predictor.h"
#include "reader/string_list.h"

namespace lumenquill {

// The longest chain of filters decoded.
constexpr size_t kMaxFilters = 4;

// The filters of a stream in the order they are applied, each with its /DecodeParms.
struct FilterChain {
  FilterChain() = default;
  // The filters named, each with the default parameters.
  explicit FilterChain(StringList filter_names)
      : names(std::move(filter_names)), parameters(names.size()) {}

  StringList names;                          // with their slash
  std::vector<FilterParameters> parameters;  // one for each name
};

}  // namespace lumenquill
