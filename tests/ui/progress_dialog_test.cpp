#include <gtest/gtest.h>

#include <QTest>

#include "platform/escape_key.h"
#include "ui/progress_dialog.h"

namespace lumenquill {
namespace {

TEST(ProgressDialog, ShowsThePositionAndHidesWhenDone) {
  ProgressDialog dialog;
  dialog.SetCaption(" (2/5) - report.pdf");
  dialog.Present();
  EXPECT_EQ(dialog.windowTitle(), " (2/5) - report.pdf");
  EXPECT_EQ(dialog.pos(), QPoint(50, 50));
  dialog.ShowProgress(0, 100, 37, false);
  EXPECT_EQ(dialog.position_label->text(), "37/100");
  EXPECT_EQ(dialog.bar->value(), 37);
  EXPECT_TRUE(dialog.isVisible());
  dialog.ShowProgress(0, 100, 100, true);
  EXPECT_EQ(dialog.position_label->text(), "100/100");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.bar->value(), 0);
}

// The button and the title bar's close button cancel; the dialog stays until the extraction
// has stopped. Escape does not reach the dialog's own reject.
TEST(ProgressDialog, TheButtonAndClosingCancel) {
  ProgressDialog dialog;
  dialog.Present();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.cancelled);
  QTest::mouseClick(dialog.cancel_button, Qt::LeftButton);
  EXPECT_TRUE(dialog.cancelled);
  EXPECT_TRUE(dialog.isVisible());

  dialog.cancelled = false;
  dialog.close();
  EXPECT_TRUE(dialog.cancelled);
  EXPECT_TRUE(dialog.isVisible());
}

// A click waiting in the event queue reaches Cancelled when pending input is processed.
TEST(ProgressDialog, ProcessingPendingInputTakesAQueuedClick) {
  ProgressDialog dialog;
  dialog.Present();
  QMetaObject::invokeMethod(dialog.cancel_button, &QPushButton::click, Qt::QueuedConnection);
  EXPECT_FALSE(dialog.cancelled);
  dialog.ProcessPendingInput();
  EXPECT_TRUE(dialog.cancelled);
}

// An Escape pressed before the extraction does not cancel it.
TEST(ProgressDialog, PresentingForgetsEarlierEscapes) {
  LatchEscapeKeyPress();
  ProgressDialog dialog;
  dialog.Present();
  EXPECT_FALSE(TakeEscapeKeyPress());
}

}  // namespace
}  // namespace lumenquill
