#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTreeView>

#include "ui/form_font.h"
#include "ui/page_range_dialog.h"

namespace lumenquill {
namespace {

// A menu, a message box, a file list and a form all draw in one proportional Japanese family.
TEST(FormFont, MenusMessageBoxesAndFileListsShareTheFormsFamily) {
  const QFont saved = QApplication::font();
  UseFormFamilyThroughout();
  PageRangeDialog form;
  const QString family = QFontInfo(form.font()).family();
  if (QFontInfo(form.font()).fixedPitch() ||
      !QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese)) {
    QApplication::setFont(saved);
    GTEST_SKIP() << "no proportional Japanese font is installed";
  }
  QMenu menu;
  QMessageBox box;
  QTreeView file_list;
  EXPECT_EQ(QFontInfo(menu.font()).family().toStdString(), family.toStdString());
  EXPECT_EQ(QFontInfo(box.font()).family().toStdString(), family.toStdString());
  EXPECT_EQ(QFontInfo(file_list.font()).family().toStdString(), family.toStdString());
  QApplication::setFont(saved);
}

}  // namespace
}  // namespace lumenquill
