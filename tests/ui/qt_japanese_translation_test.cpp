#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>

#include "ui/qt_japanese_translation.h"

namespace lumenquill {
namespace {

// With Qt's Japanese translation installed, the standard buttons of a message box and the
// file list's type of a folder read Japanese whatever the locale.
TEST(QtJapaneseTranslation, MessageBoxButtonsAndFolderTypeReadJapanese) {
  const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm";
  if (!QFileInfo::exists(file)) GTEST_SKIP() << "Qt's Japanese translation is not installed";
  QTranslator* translator = InstallQtJapaneseTranslation();
  ASSERT_NE(translator, nullptr);
  QMessageBox box(QMessageBox::Warning, "Lumenquill", "上書きしますか?",
                  QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "はい(&Y)");
  EXPECT_EQ(box.button(QMessageBox::No)->text(), "いいえ(&N)");
  EXPECT_EQ(QFileIconProvider().type(QFileInfo(QDir::tempPath())), "フォルダ");
  QCoreApplication::removeTranslator(translator);
  delete translator;
}

}  // namespace
}  // namespace lumenquill
