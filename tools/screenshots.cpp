// Renders each window to a PNG file in the folder given: the main window with its tool bar
// and status bar, the options dialog, the page-range dialog for a ten-page document, the
// progress dialog at 37/100, and, in Qt's Japanese translation, the save dialog and the
// question before an existing text file is replaced. Run by tools/screenshots.sh under Xvfb
// with a window manager, so that the pictures show the title bars.

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "ui/file_dialogs.h"
#include "ui/form_font.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/options_dialog.h"
#include "ui/page_range_dialog.h"
#include "ui/progress_dialog.h"
#include "ui/qt_japanese_translation.h"

namespace {

// The window with its frame as the screen shows it.
void Save(QWidget& window, const QString& path) {
  window.show();
  window.raise();
  // The window manager frames and maps the window, and the window paints, in their own time.
  QEventLoop settle;
  QTimer::singleShot(500, &settle, &QEventLoop::quit);
  settle.exec();
  const QRect frame = window.frameGeometry();
  QPixmap shot =
      window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  if (shot.isNull() || shot.width() < 10) shot = window.grab();
  shot.save(path);
  window.hide();
}

// The conversions' save dialog as the program sets it up, pictured instead of waiting for the
// user.
class PicturedSaveDialog final : public lumenquill::FileSaveDialog {
 public:
  explicit PicturedSaveDialog(QString path) : FileSaveDialog(nullptr), path_(std::move(path)) {
    UseForTextFiles();
  }

 protected:
  int Run(QFileDialog& dialog) override {
    dialog.move(40, 60);
    Save(dialog, path_);
    return QDialog::Rejected;
  }

 private:
  QString path_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QDir out(argc > 1 ? argv[1] : ".");
  lumenquill::InstallQtJapaneseTranslation();
  lumenquill::UseFormFamilyThroughout();

  lumenquill::ProgressDialog progress;
  lumenquill::MainWindow main_window(progress);
  main_window.tool_bar_action->setChecked(true);
  main_window.status_bar_action->setChecked(true);
  main_window.ToggleToolBar();
  main_window.ToggleStatusBar();
  main_window.move(40, 40);
  main_window.resize(360, 240);
  main_window.status_bar->showMessage(main_window.open_action->statusTip());
  Save(main_window, out.filePath("main-window.png"));

  lumenquill::OptionsDialog options;
  options.move(40, 40);
  Save(options, out.filePath("options.png"));

  lumenquill::PageRangeDialog page;
  page.page_count = 10;
  page.AppendToTitle(" - ( report.pdf )");
  page.move(40, 40);
  Save(page, out.filePath("page-range.png"));

  progress.SetCaption(" (2/5) - report.pdf");
  progress.Present();
  progress.ShowProgress(0, 100, 37, false);
  Save(progress, out.filePath("progress.png"));

  const QTemporaryDir folder;
  for (const char* name : {"report.pdf", "report.txt", "minutes.pdf"}) {
    QFile(QDir(folder.path()).filePath(name)).open(QIODevice::WriteOnly);
  }
  PicturedSaveDialog save_dialog(out.filePath("save-dialog.png"));
  save_dialog.folder = folder.path();
  save_dialog.file_name = "report";
  save_dialog.Execute();

  const auto question = lumenquill::MakeMessageBox(
      QMessageBox::Warning, "Lumenquill",
      "/home/user/report.txt\r\n指定されたファイルは既に存在します。上書きしますか？",
      QMessageBox::Yes | QMessageBox::No, nullptr);
  question->move(40, 40);
  Save(*question, out.filePath("overwrite-question.png"));
  return 0;
}
