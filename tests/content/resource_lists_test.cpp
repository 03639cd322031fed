#include "content/resource_lists.h"

#include <gtest/gtest.h>

#include "reader/reader_errors.h"

namespace lumenquill {
namespace {

TEST(ResourceLists, RefuseIndexesOutsideTheList) {
  TPDFResourceList list;
  list.Add("/F1", 7);
  for (const int32_t index : {1, -1}) {
    try {
      list.GetName(index);
      FAIL() << index;
    } catch (const IndexError& error) {
      EXPECT_EQ(error.what(), "Index値が不正です。[ " + std::to_string(index) + " ]");
    }
    EXPECT_THROW(list.GetObjectNumber(index), IndexError);
  }
}

}  // namespace
}  // namespace lumenquill
