#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>

#include "ui/page_range_dialog.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PageRangeDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_.page_count = 10;
    dialog_.show_error = [this](const QString& message) {
      errors_.push_back(message.toStdString());
    };
    dialog_.show();
  }

  // Enters the two texts and presses OK.
  void Enter(const QString& first, const QString& last) {
    dialog_.first_edit->setText(first);
    dialog_.last_edit->setText(last);
    QTest::mouseClick(dialog_.ok_button, Qt::LeftButton);
  }

  PageRangeDialog dialog_;
  std::vector<std::string> errors_;
};

// It opens with the whole document, on the first page selected, and Enter there is OK.
TEST_F(PageRangeDialogTest, OpensWithTheWholeDocumentOnTheFirstPage) {
  EXPECT_EQ(dialog_.valid_pages->text(), "有効ページ : 1-10");
  EXPECT_EQ(dialog_.first_edit->text(), "1");
  EXPECT_EQ(dialog_.last_edit->text(), "10");
  EXPECT_EQ(dialog_.focusWidget(), dialog_.first_edit);
  EXPECT_EQ(dialog_.first_edit->selectedText(), "1");
  QTest::keyClick(dialog_.first_edit, Qt::Key_Return);
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_EQ(dialog_.first_page, 1);
  EXPECT_EQ(dialog_.last_page, 10);
}

TEST_F(PageRangeDialogTest, RangesAreOrdered) {
  Enter("3", "3");
  EXPECT_EQ(dialog_.first_page, 3);
  EXPECT_EQ(dialog_.last_page, 3);
  dialog_.show();
  Enter("7", "2");
  EXPECT_EQ(dialog_.first_page, 2);
  EXPECT_EQ(dialog_.last_page, 7);
  EXPECT_THAT(errors_, IsEmpty());
}

// Each failed check shows its message with a closing period and the dialog stays open.
TEST_F(PageRangeDialogTest, ChecksInTheirOrder) {
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
  EXPECT_EQ(dialog_.first_edit->text(), "x");
}

TEST_F(PageRangeDialogTest, TypedLettersAreDroppedAndEnterRunsTheChecks) {
  dialog_.first_edit->clear();
  QTest::keyClicks(dialog_.first_edit, "a4b.");
  EXPECT_EQ(dialog_.first_edit->text(), "4.");
  QTest::keyClick(dialog_.first_edit, Qt::Key_Backspace);
  QTest::keyClick(dialog_.first_edit, Qt::Key_Return);
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_EQ(dialog_.first_page, 4);
  EXPECT_EQ(dialog_.last_page, 10);
}

// Only typed characters are filtered: the keys that move the focus and edit keep working, and
// the tab order runs OK, first page, last page, Cancel.
TEST_F(PageRangeDialogTest, FocusAndEditingKeysWork) {
  QLineEdit* first = dialog_.first_edit;
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
  EXPECT_EQ(dialog_.focusWidget(), dialog_.last_edit);
  EXPECT_EQ(first->text(), "53");
  QTest::keyClick(dialog_.last_edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(dialog_.last_edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(dialog_.last_edit->text(), "53");
  QTest::keyClick(dialog_.last_edit, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(dialog_.focusWidget(), first);
  QTest::keyClick(first, Qt::Key_Tab);
  QTest::keyClick(dialog_.last_edit, Qt::Key_Tab);
  EXPECT_EQ(dialog_.focusWidget(), dialog_.cancel_button);
  QTest::keyClick(dialog_.cancel_button, Qt::Key_Tab);
  EXPECT_EQ(dialog_.focusWidget(), dialog_.ok_button);
  QTest::keyClick(dialog_.ok_button, Qt::Key_Tab);
  EXPECT_EQ(dialog_.focusWidget(), first);
}

// The Enter that closes the error box is released in the edit; a release without its press
// there runs nothing, so the box does not come straight back.
TEST_F(PageRangeDialogTest, EnterRunsTheChecksOnlyWhenPressedInTheSameEdit) {
  dialog_.first_edit->setText("0");
  QTest::keyPress(dialog_.first_edit, Qt::Key_Return);
  QTest::keyRelease(dialog_.first_edit, Qt::Key_Return);
  EXPECT_EQ(errors_.size(), 1u);
  QTest::keyRelease(dialog_.first_edit, Qt::Key_Return);
  QTest::keyPress(dialog_.last_edit, Qt::Key_Enter);
  QTest::keyRelease(dialog_.first_edit, Qt::Key_Enter);
  EXPECT_EQ(errors_.size(), 1u);
  EXPECT_TRUE(dialog_.isVisible());
  EXPECT_EQ(dialog_.first_edit->text(), "0");
}

// A usual file name shows whole in the title; a long one loses its middle, keeping both ends,
// so that the title fits the title bar. OK and Cancel sit at the right edge.
TEST_F(PageRangeDialogTest, TitleShowsTheFileNameWhereItFits) {
  dialog_.AppendToTitle(" - ( reportlab-latin.pdf )");
  EXPECT_EQ(dialog_.windowTitle(), "ページを指定して抽出 - ( reportlab-latin.pdf )");
  dialog_.AppendToTitle(" - ( " + QString("議事録").repeated(20) + "-final.pdf )");
  const QString title = dialog_.windowTitle();
  EXPECT_TRUE(title.startsWith("ページを指定して抽出 - ( 議事録")) << title.toStdString();
  EXPECT_TRUE(title.endsWith("-final.pdf )")) << title.toStdString();
  EXPECT_TRUE(title.contains(QChar(0x2026)));
  QFont title_font = dialog_.font();
  title_font.setBold(true);
  // Room is left for the title bar's icon and buttons.
  EXPECT_LE(QFontMetrics(title_font).horizontalAdvance(title), dialog_.width() - 80);
  const QRect ok = dialog_.ok_button->geometry();
  const QRect cancel = dialog_.cancel_button->geometry();
  EXPECT_LT(ok.right(), cancel.left());
  EXPECT_EQ(ok.top(), cancel.top());
  EXPECT_GE(dialog_.width() - 1 - cancel.right(), 4);
  EXPECT_LE(dialog_.width() - 1 - cancel.right(), 16);
}

TEST_F(PageRangeDialogTest, CancelGivesMinusOne) {
  Enter("2", "3");
  dialog_.show();
  QTest::mouseClick(dialog_.cancel_button, Qt::LeftButton);
  EXPECT_EQ(dialog_.result(), QDialog::Rejected);
  EXPECT_EQ(dialog_.first_page, -1);
  EXPECT_EQ(dialog_.last_page, -1);
}

}  // namespace
}  // namespace lumenquill
