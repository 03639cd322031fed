#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>

#include "open_document.h"
#include "support/pdf_builder.h"
#include "ui/frm_page.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PageRangeDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::Open(document_, testing::SimpleDocument(10));
    dialog_.Analyst = &document_;
    dialog_.ShowError = [this](const QString& message) {
      errors_.push_back(message.toStdString());
    };
    dialog_.show();
  }

  // Enters the two texts and presses OK.
  void Enter(const QString& first, const QString& last) {
    dialog_.Edit1->setText(first);
    dialog_.Edit2->setText(last);
    QTest::mouseClick(dialog_.Button1, Qt::LeftButton);
  }

  TPDFAnalyst document_;
  TfrmPage dialog_;
  std::vector<std::string> errors_;
};

TEST_F(PageRangeDialog, OpensWithTheWholeDocument) {
  EXPECT_EQ(dialog_.Label1->text(), "有効ページ : 1-10");
  EXPECT_EQ(dialog_.Edit1->text(), "1");
  EXPECT_EQ(dialog_.Edit2->text(), "10");
  QTest::mouseClick(dialog_.Button1, Qt::LeftButton);
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_EQ(dialog_.FirstPage, 1);
  EXPECT_EQ(dialog_.LastPage, 10);
}

TEST_F(PageRangeDialog, RangesAreOrdered) {
  Enter("3", "3");
  EXPECT_EQ(dialog_.FirstPage, 3);
  EXPECT_EQ(dialog_.LastPage, 3);
  dialog_.show();
  Enter("7", "2");
  EXPECT_EQ(dialog_.FirstPage, 2);
  EXPECT_EQ(dialog_.LastPage, 7);
  EXPECT_THAT(errors_, IsEmpty());
}

// Each failed check shows its message with a closing period and the dialog stays open.
TEST_F(PageRangeDialog, ChecksInTheirOrder) {
  Enter("0", "3");
  Enter("1", "11");
  Enter("", "3");
  Enter("2.5", "3");
  Enter("x", "11");
  EXPECT_THAT(errors_, ElementsAre("ページ番号が小さすぎます。", "ページ番号が大きすぎます。",
                                   "整数値ではない値が含まれています。",
                                   "整数値ではない値が含まれています。",
                                   "整数値ではない値が含まれています。"));
  EXPECT_TRUE(dialog_.isVisible());
  EXPECT_EQ(dialog_.Edit1->text(), "x");
}

TEST_F(PageRangeDialog, TypedLettersAreDroppedAndEnterRunsTheChecks) {
  dialog_.Edit1->clear();
  QTest::keyClicks(dialog_.Edit1, "a4b.");
  EXPECT_EQ(dialog_.Edit1->text(), "4.");
  QTest::keyClick(dialog_.Edit1, Qt::Key_Backspace);
  QTest::keyClick(dialog_.Edit1, Qt::Key_Return);
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_EQ(dialog_.FirstPage, 4);
  EXPECT_EQ(dialog_.LastPage, 10);
}

// Only typed characters are filtered: the keys that move the focus and edit keep working, and
// the tab order runs OK, first page, last page, Cancel.
TEST_F(PageRangeDialog, FocusAndEditingKeysWork) {
  QLineEdit* first = dialog_.Edit1;
  first->setFocus();
  first->setText("123");
  QTest::keyClick(first, Qt::Key_Home);
  QTest::keyClick(first, Qt::Key_Delete);
  EXPECT_EQ(first->text(), "23");
  QTest::keyClick(first, Qt::Key_End);
  QTest::keyClick(first, Qt::Key_Left);
  QTest::keyClick(first, Qt::Key_Backspace);
  QTest::keyClicks(first, "5");
  EXPECT_EQ(first->text(), "53");
  QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(first, Qt::Key_C, Qt::ControlModifier);

  QTest::keyClick(first, Qt::Key_Tab);
  EXPECT_EQ(dialog_.focusWidget(), dialog_.Edit2);
  EXPECT_EQ(first->text(), "53");
  QTest::keyClick(dialog_.Edit2, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(dialog_.Edit2, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(dialog_.Edit2->text(), "53");
  QTest::keyClick(dialog_.Edit2, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(dialog_.focusWidget(), first);
  QTest::keyClick(first, Qt::Key_Tab);
  QTest::keyClick(dialog_.Edit2, Qt::Key_Tab);
  EXPECT_EQ(dialog_.focusWidget(), dialog_.Button2);
  QTest::keyClick(dialog_.Button2, Qt::Key_Tab);
  EXPECT_EQ(dialog_.focusWidget(), dialog_.Button1);
  QTest::keyClick(dialog_.Button1, Qt::Key_Tab);
  EXPECT_EQ(dialog_.focusWidget(), first);
}

// The Enter that closes the error box is released in the edit; a release without its press
// there runs nothing, so the box does not come straight back.
TEST_F(PageRangeDialog, EnterRunsTheChecksOnlyWhenPressedInTheSameEdit) {
  dialog_.Edit1->setText("0");
  QTest::keyPress(dialog_.Edit1, Qt::Key_Return);
  QTest::keyRelease(dialog_.Edit1, Qt::Key_Return);
  EXPECT_EQ(errors_.size(), 1u);
  QTest::keyRelease(dialog_.Edit1, Qt::Key_Return);
  QTest::keyPress(dialog_.Edit2, Qt::Key_Enter);
  QTest::keyRelease(dialog_.Edit1, Qt::Key_Enter);
  EXPECT_EQ(errors_.size(), 1u);
  EXPECT_TRUE(dialog_.isVisible());
  EXPECT_EQ(dialog_.Edit1->text(), "0");
}

TEST_F(PageRangeDialog, CancelGivesMinusOne) {
  Enter("2", "3");
  dialog_.show();
  QTest::mouseClick(dialog_.Button2, Qt::LeftButton);
  EXPECT_EQ(dialog_.result(), QDialog::Rejected);
  EXPECT_EQ(dialog_.FirstPage, -1);
  EXPECT_EQ(dialog_.LastPage, -1);
}

}  // namespace
}  // namespace lumenquill
