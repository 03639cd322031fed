#include "app/page_range_check.h"

#include <algorithm>

#include "reader/decimal_text.h"

namespace lumenquill {

std::variant<PageRange, std::string> CheckPageRange(const std::string& first_text,
                                                    const std::string& last_text,
                                                    int32_t page_count) {
  const std::optional<int32_t> first = ParseDecimal(first_text);
  const std::optional<int32_t> last = ParseDecimal(last_text);
  if (!first || !last) return std::string("整数値ではない値が含まれています。");
  if (*first < 1 || *last < 1) return std::string("ページ番号が小さすぎます。");
  if (*first > page_count || *last > page_count) return std::string("ページ番号が大きすぎます。");
  return PageRange{std::min(*first, *last), std::max(*first, *last)};
}

PageRange PagesFromOptions(std::optional<int32_t> first, std::optional<int32_t> last,
                           int32_t page_count) {
  return PageRange{first.value_or(1), std::min(last.value_or(page_count), page_count)};
}

std::string EmptyRangeNote(const PageRange& range, int32_t page_count) {
  return "文書は " + std::to_string(page_count) + " ページまでのため、" +
         std::to_string(range.first) + " ページ目からのテキストは空です。";
}

std::string WithClosingPeriod(const std::string& message) {
  if (message.ends_with("。")) return message;
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

}  // namespace lumenquill
