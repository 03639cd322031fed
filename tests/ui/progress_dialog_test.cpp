#include <gtest/gtest.h>

#include <QTest>

#include "platform/escape_key.h"
#include "ui/frm_prog.h"

namespace lumenquill {
namespace {

TEST(ProgressDialog, ShowsThePositionAndHidesWhenDone) {
  TfrmProg dialog;
  dialog.SetCaption(" (2/5) - report.pdf");
  dialog.Present();
  EXPECT_EQ(dialog.windowTitle(), " (2/5) - report.pdf");
  EXPECT_EQ(dialog.pos(), QPoint(50, 50));
  dialog.ShowProgress(0, 100, 37, false);
  EXPECT_EQ(dialog.Label1->text(), "37/100");
  EXPECT_EQ(dialog.ProgressBar1->value(), 37);
  EXPECT_TRUE(dialog.isVisible());
  dialog.ShowProgress(0, 100, 100, true);
  EXPECT_EQ(dialog.Label1->text(), "100/100");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.ProgressBar1->value(), 0);
}

TEST(ProgressDialog, ClosingDoesNothingAndTheButtonCancels) {
  TfrmProg dialog;
  dialog.Present();
  dialog.close();
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.Cancelled);
  QTest::mouseClick(dialog.Button1, Qt::LeftButton);
  EXPECT_TRUE(dialog.Cancelled);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.Button1->text(), "中止(&N)");
}

// A click waiting in the event queue reaches Cancelled when pending input is processed.
TEST(ProgressDialog, ProcessingPendingInputTakesAQueuedClick) {
  TfrmProg dialog;
  dialog.Present();
  QMetaObject::invokeMethod(dialog.Button1, &QPushButton::click, Qt::QueuedConnection);
  EXPECT_FALSE(dialog.Cancelled);
  dialog.ProcessPendingInput();
  EXPECT_TRUE(dialog.Cancelled);
}

// An Escape pressed before the extraction does not cancel it.
TEST(ProgressDialog, PresentingForgetsEarlierEscapes) {
  LatchEscapeKeyPress();
  TfrmProg dialog;
  dialog.Present();
  EXPECT_FALSE(TakeEscapeKeyPress());
}

}  // namespace
}  // namespace lumenquill
