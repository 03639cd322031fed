#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "app/user_interface.h"

namespace lumenquill {

// The checks of the page-range entry, in their order: both texts whole decimal numbers, both at
// least 1, both at most the page count. The range (ordered) or the failure's message.
std::variant<PageRange, std::string> CheckPageRange(const std::string& first_text,
                                                    const std::string& last_text,
                                                    int32_t page_count);

// The pages that --first and --last (at least 1, first not after last) give in a document of
// page_count pages. As pdftotext reads --last, a page past the end stands for the last page; a
// first page past the end gives an empty range (first after last), which extracts no text.
PageRange PagesFromOptions(std::optional<int32_t> first, std::optional<int32_t> last,
                           int32_t page_count);

// The note for a range that PagesFromOptions left empty because the document ends before it.
std::string EmptyRangeNote(const PageRange& range, int32_t page_count);

// A message as the application's error display shows it: with "." appended when its last
// byte sorts after "." and it does not already end with "。".
std::string WithClosingPeriod(const std::string& message);

}  // namespace lumenquill
