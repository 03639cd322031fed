#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "ui/file_dialogs.h"
#include "ui/progress_dialog.h"
#include "ui/qt_interface.h"

namespace lumenquill {
namespace {

// A save dialog that, instead of waiting for the user, hands the dialog as set up to a look
// and is cancelled.
class LookedAtSaveDialog final : public FileSaveDialog {
 public:
  explicit LookedAtSaveDialog(std::function<void(QFileDialog&)> look)
      : FileSaveDialog(nullptr), look_(std::move(look)) {}

 protected:
  int Run(QFileDialog& dialog) override {
    look_(dialog);
    return QDialog::Rejected;
  }

 private:
  std::function<void(QFileDialog&)> look_;
};

// The save dialog opens in the PDF's folder with the PDF's base name, whatever folder the last
// file dialog was in.
TEST(SaveDialog, OpensInThePdfsFolderWithItsName) {
  QTemporaryDir pdf_folder;
  QTemporaryDir last_folder;
  QString shown_folder;
  QString shown_name;
  LookedAtSaveDialog dialog([&](QFileDialog& shown) {
    shown_folder = shown.directory().absolutePath();
    const auto* name_edit = shown.findChild<QLineEdit*>("fileNameEdit");
    if (name_edit != nullptr) shown_name = name_edit->text();
  });
  dialog.folder = last_folder.path();
  ProgressDialog progress;
  QtUserInterface ui(nullptr, progress, dialog);
  EXPECT_EQ(ui.ChooseSavePath(pdf_folder.filePath("報告書").toStdString()), std::nullopt);
  EXPECT_EQ(shown_folder, pdf_folder.path());
  EXPECT_EQ(shown_name, "報告書");
}

// Qt's own dialog shows every column of the file list and every place of its side bar whole
// once the folder is read, long Japanese type names included.
TEST(SaveDialog, ColumnsFitTheirContents) {
  QTemporaryDir folder;
  for (const char* name : {"報告書.pdf", "報告書.txt", "議事録.pdf"}) {
    QFile(QDir(folder.path()).filePath(name)).open(QIODevice::WriteOnly);
  }
  QDir(folder.path()).mkdir("資料");
  bool looked = false;
  LookedAtSaveDialog dialog([&](QFileDialog& shown) {
    auto* details = shown.findChild<QTreeView*>("treeView");
    auto* model = shown.findChild<QFileSystemModel*>();
    ASSERT_NE(details, nullptr);
    ASSERT_NE(model, nullptr);
    shown.setViewMode(QFileDialog::Detail);
    QSignalSpy read(model, &QFileSystemModel::directoryLoaded);
    shown.show();
    ASSERT_TRUE(QTest::qWaitFor([&] {
      return std::any_of(read.begin(), read.end(), [&](const QList<QVariant>& loaded) {
        return loaded.at(0).toString() == folder.path();
      });
    }));
    looked = true;
    const QAbstractItemView& view = *details;  // where the size hint of a column is public
    for (int column = 1; column < details->header()->count(); ++column) {
      EXPECT_GE(details->columnWidth(column), view.sizeHintForColumn(column)) << column;
    }
    EXPECT_LE(details->header()->length(), details->viewport()->width());
    auto* places = shown.findChild<QListView*>("sidebar");
    ASSERT_NE(places, nullptr);
    const QAbstractItemView& place_view = *places;
    EXPECT_GE(places->viewport()->width(), place_view.sizeHintForColumn(0));
  });
  dialog.folder = folder.path();
  dialog.Execute();
  EXPECT_TRUE(looked);
}

}  // namespace
}  // namespace lumenquill
