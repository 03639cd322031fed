#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>

#include "ui/unminimised_dialogs.h"

namespace lumenquill {
namespace {

// A modal dialog that gets minimised comes straight back; other windows stay minimised.
TEST(UnminimisedDialogs, ModalDialogsComeBackOthersStayMinimised) {
  UnminimisedDialogs filter;
  qApp->installEventFilter(&filter);
  QDialog modal;
  modal.setModal(true);
  QDialog modeless;
  for (QDialog* dialog : {&modal, &modeless}) {
    dialog->show();
    dialog->setWindowState(Qt::WindowMinimized);
  }
  EXPECT_FALSE(modal.isMinimized());
  EXPECT_TRUE(modal.isVisible());
  EXPECT_TRUE(modeless.isMinimized());
  qApp->removeEventFilter(&filter);
}

}  // namespace
}  // namespace lumenquill
