// Renders each window to a PNG file in the folder given: the main window with its tool bar
// and status bar, the options dialog, the page-range dialog for a ten-page document, and the
// progress dialog at 37/100. Run by tools/screenshots.sh under Xvfb.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"
#include "support/pdf_builder.h"
#include "ui/frm_main.h"
#include "ui/frm_option.h"
#include "ui/frm_page.h"
#include "ui/frm_prog.h"

namespace {

// The window with its frame as the screen shows it.
void Save(QWidget& window, const QString& path) {
  window.show();
  window.raise();
  for (int i = 0; i < 20; ++i) QApplication::processEvents();
  QApplication::processEvents();
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
  return 0;
}
