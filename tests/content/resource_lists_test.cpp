#include "content/resource_lists.h"

#include <gtest/gtest.h>

#include "reader/reader_errors.h"

namespace lumenquill {
namespace {

TEST(ResourceLists, KeepInsertionOrderAndDuplicates) {
  TPDFResourceList list;
  list.Add("/F1", 7);
  list.Add("/F1", 9);
  list.Add("/F2", -1).DictionaryOffset = 40;
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.GetName(0), "/F1");
  EXPECT_EQ(list.GetObjectNumber(0), 7);
  EXPECT_EQ(list.GetObjectNumber(1), 9);
  EXPECT_EQ(list.Item(2).DictionaryOffset, 40);
}

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

TEST(PageResource, StartsEmptyAndOwnsItsForms) {
  TPageResourceList pages;
  TPageResource& page = pages.Add();
  for (const TPDFResourceList* list :
       {&page.Fonts, &page.XObjects, &page.ColorSpaces, &page.ExtGStates, &page.Patterns,
        &page.Properties, &page.Shadings}) {
    EXPECT_EQ(list->Count(), 0);
  }
  TPageChildResourceList& form = page.AddChild("/Fm0", 12);
  form.Resources.Fonts.Add("/F9", 13);
  EXPECT_EQ(page.ChildCount(), 1);
  EXPECT_EQ(&page.GetChild(0), &form);
  EXPECT_EQ(page.GetChild(0).Resources.Fonts.GetName(0), "/F9");
  EXPECT_EQ(form.Resources.ChildCount(), 0);
  EXPECT_EQ(&pages.GetItem(0), &page);
  EXPECT_THROW(page.GetChild(1), IndexError);
  EXPECT_THROW(pages.GetItem(-1), IndexError);
}

}  // namespace
}  // namespace lumenquill
