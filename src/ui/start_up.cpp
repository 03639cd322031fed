#include "ui/start_up.h"

#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "app/batch.h"
#include "app/console_interface.h"
#include "app/conversion.h"
#include "platform/terminal.h"
#include "ui/escape_key_filter.h"
#include "ui/frm_main.h"
#include "ui/frm_prog.h"
#include "ui/qt_interface.h"

namespace lumenquill {
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

int RunConsole(const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    std::cout << "Lumenquill: PDFファイルのテキストを抽出します。\n"
                 "usage: lumenquill PDF-file-or-folder...\n";
    return 0;
  }
  ConsoleUserInterface ui(std::cin, std::cout, std::cerr, StandardInputIsTerminal(),
                          StandardErrorIsTerminal());
  Conversion conversion(ui);
  RunBatch(arguments, conversion, ui.Progress());
  return 0;
}

}  // namespace

bool DisplayAvailable() {
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

int StartUp(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (!DisplayAvailable()) return RunConsole(arguments);

  QApplication application(argc, argv);
  QApplication::setApplicationName("Lumenquill");
  QApplication::setApplicationDisplayName("Lumenquill");
  QApplication::setWindowIcon(QIcon(":/images/lumenquill.svg"));
  EscapeKeyFilter escape_filter;
  application.installEventFilter(&escape_filter);

  if (!arguments.empty()) {
    TfrmProg progress;
    const std::unique_ptr<TSaveDialogEx> save_dialog = TSaveDialogEx::ForTextFiles(nullptr);
    QtUserInterface ui(nullptr, progress, *save_dialog);
    Conversion conversion(ui);
    RunBatch(arguments, conversion, progress);
    return 0;
  }
  TfrmProg progress;
  TfrmMain main_window(progress);
  main_window.show();
  QApplication::exec();
  return 0;
}

}  // namespace lumenquill
