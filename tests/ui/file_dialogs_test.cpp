#include <gtest/gtest.h>

#include <functional>

#include <QLineEdit>
#include <QTemporaryDir>

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

}  // namespace
}  // namespace lumenquill
