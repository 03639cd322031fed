#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "app/user_interface.h"

namespace lumenquill {

// The checks of the page-range entry, in their order: both texts whole decimal numbers, both at
// least 1, both at most the page count. The range (ordered) or the failure's message.
std::variant<PageRange, std::string> CheckPageRange(const std::string& first_text,
                                                    const std::string& last_text,
                                                    int32_t page_count);

// A message as the application's error display shows it: with "." appended when its last
// byte sorts after "." and it does not already end with "。".
std::string WithClosingPeriod(const std::string& message);

}  // namespace lumenquill
