#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "win32ui/page_range_dialog.h"
#include "win32ui/resource_ids.h"

namespace lumenquill {
namespace {

using testing::DialogDriver;

constexpr const char* kTitle = "ページを指定して抽出 - ( a.pdf )";

// OK with an entry that fails a check shows the error box and keeps the dialog open.
void EnterAndExpectError(DialogDriver& driver, const std::string& first, const std::string& last,
                         const std::string& message) {
  driver.Then(kTitle, [first, last](HWND dialog) {
    testing::SetText(dialog, IDC_PAGE_FIRST, first);
    testing::SetText(dialog, IDC_PAGE_LAST, last);
    testing::PostClick(dialog, IDOK);
  });
  driver.Then("Lumenquill", [message](HWND box) {
    EXPECT_EQ(testing::MessageBoxText(box), message);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
}

// The dialog as shown, the checks in their order, and Enter in an edit accepting a reversed
// entry as an ordered range.
TEST(PageRangeDialog, ChecksAndEnter) {
  DialogDriver driver;
  driver.Then(kTitle, [](HWND dialog) {
    EXPECT_EQ(testing::TextOf(GetDlgItem(dialog, IDC_PAGE_VALID_PAGES)), "有効ページ : 1-10");
    EXPECT_EQ(testing::TextOf(GetDlgItem(dialog, IDC_PAGE_FIRST)), "1");
    EXPECT_EQ(testing::TextOf(GetDlgItem(dialog, IDC_PAGE_LAST)), "10");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
  });
  EnterAndExpectError(driver, "0", "5", "ページ番号が小さすぎます。");
  EnterAndExpectError(driver, "3", "11", "ページ番号が大きすぎます。");
  EnterAndExpectError(driver, "2.5", "11", "整数値ではない値が含まれています。");
  EnterAndExpectError(driver, "", "3", "整数値ではない値が含まれています。");
  driver.Then(kTitle, [](HWND dialog) {
    testing::SetText(dialog, IDC_PAGE_FIRST, "7");
    testing::SetText(dialog, IDC_PAGE_LAST, "2");
    const HWND edit = GetDlgItem(dialog, IDC_PAGE_LAST);
    SetFocus(edit);
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(edit, WM_KEYUP, VK_RETURN, 1 | (3u << 30));
  });
  PageRangeDialog dialog(10, " - ( a.pdf )");
  const auto range = dialog.Execute(nullptr);
  EXPECT_TRUE(driver.Done());
  ASSERT_TRUE(range.has_value());
  EXPECT_EQ(range->first, 2);
  EXPECT_EQ(range->last, 7);
}

// Typed letters are dropped, digits and "." kept; closing by the title bar cancels.
TEST(PageRangeDialog, TypingAndClosing) {
  DialogDriver driver;
  driver.Then(kTitle, [](HWND dialog) {
    testing::SetText(dialog, IDC_PAGE_FIRST, "");
    const HWND edit = GetDlgItem(dialog, IDC_PAGE_FIRST);
    for (const char typed : std::string("a5x.2")) PostMessageW(edit, WM_CHAR, typed, 1);
  });
  driver.Then(kTitle, [](HWND dialog) {
    EXPECT_EQ(testing::TextOf(GetDlgItem(dialog, IDC_PAGE_FIRST)), "5.2");
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  PageRangeDialog dialog(4, " - ( a.pdf )");
  EXPECT_FALSE(dialog.Execute(nullptr).has_value());
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(dialog.first_page, -1);
  EXPECT_EQ(dialog.last_page, -1);
}

}  // namespace
}  // namespace lumenquill
