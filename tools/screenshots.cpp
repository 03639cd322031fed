// Renders each window to a PNG file in the folder given: the main window with its tool bar
// and status bar, the options dialog, the page-range dialog for a ten-page document, the
// progress dialog at 37/100, and, in Qt's Japanese translation, the save dialog and the
// question before an existing text file is replaced. Run by tools/screenshots.sh under Xvfb
// with a window manager, so that the pictures show the title bars.

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"
#include "support/pdf_builder.h"
#include "ui/frm_main.h"
#include "ui/frm_option.h"
#include "ui/frm_page.h"
#include "ui/frm_prog.h"
#include "ui/message_box.h"
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

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QDir out(argc > 1 ? argv[1] : ".");
  lumenquill::InstallQtJapaneseTranslation();

  lumenquill::TfrmProg progress;
  lumenquill::TfrmMain main_window(progress);
  main_window.N10->setChecked(true);
  main_window.N11->setChecked(true);
  main_window.N10Click();
  main_window.N11Click();
  main_window.move(40, 40);
  main_window.resize(360, 240);
  main_window.StatusBar1->showMessage(main_window.PDF1->statusTip());
  Save(main_window, out.filePath("main-window.png"));

  lumenquill::TfrmOption options;
  options.move(40, 40);
  Save(options, out.filePath("options.png"));

  lumenquill::TPDFAnalyst document;
  document.LoadFromStream(
      std::make_unique<lumenquill::MemoryStream>(lumenquill::testing::SimpleDocument(10)));
  lumenquill::TfrmPage page;
  page.Analyst = &document;
  page.setWindowTitle(page.windowTitle() + " - ( report.pdf )");
  page.move(40, 40);
  Save(page, out.filePath("page-range.png"));

  progress.SetCaption(" (2/5) - report.pdf");
  progress.Present();
  progress.ShowProgress(0, 100, 37, false);
  Save(progress, out.filePath("progress.png"));

  QFileDialog save_dialog;
  save_dialog.setAcceptMode(QFileDialog::AcceptSave);
  save_dialog.setNameFilters(lumenquill::NameFilters("テキストファイル|*.txt"));
  save_dialog.setLabelText(QFileDialog::Reject, "キャンセル");
  const QTemporaryDir folder;
  for (const char* name : {"report.pdf", "report.txt", "minutes.pdf"}) {
    QFile(QDir(folder.path()).filePath(name)).open(QIODevice::WriteOnly);
  }
  save_dialog.setDirectory(folder.path());
  save_dialog.selectFile("report.txt");
  save_dialog.setGeometry(40, 60, 620, 400);
  Save(save_dialog, out.filePath("save-dialog.png"));

  const auto question = lumenquill::MakeMessageBox(
      QMessageBox::Warning, "Lumenquill",
      "/home/user/report.txt\r\n指定されたファイルは既に存在します。上書きしますか？",
      QMessageBox::Yes | QMessageBox::No, nullptr);
  question->move(40, 40);
  Save(*question, out.filePath("overwrite-question.png"));
  return 0;
}
