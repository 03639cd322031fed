#include "ui/start_up.h"

#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "app/batch.h"
#include "app/console_interface.h"
#include "app/conversion.h"
#include "platform/interruption.h"
#include "platform/terminal.h"
#include "ui/escape_key_filter.h"
#include "ui/frm_main.h"
#include "ui/frm_prog.h"
#include "ui/qt_interface.h"

namespace lumenquill {
namespace {

// Exit statuses for scripts.
constexpr int kAllConverted = 0;
constexpr int kSomeNotConverted = 1;
constexpr int kUsageError = 2;

const char* Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

int BatchStatus(bool all_converted) { return all_converted ? kAllConverted : kSomeNotConverted; }

int RunConsole(const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    std::cerr << "Lumenquill: PDFファイルのテキストを抽出します。\n"
                 "usage: lumenquill PDF-file-or-folder...\n";
    return kUsageError;
  }
  ConsoleUserInterface ui(std::cin, std::cout, std::cerr, StandardInputIsTerminal(),
                          StandardErrorIsTerminal());
  Conversion conversion(ui);
  return BatchStatus(RunBatch(arguments, conversion, ui.Progress(), std::cerr));
}

// The window systems to try, each followed by ";": the ones the user named, else the display's
// own. The offscreen platform comes last, which always opens. Ending up offscreen without having
// asked for it tells that no display could be opened, where Qt would otherwise abort.
std::string PlatformsToTry() {
  if (const char* chosen = Variable("QT_QPA_PLATFORM")) return std::string(chosen) + ";";
  std::string platforms;
  if (Variable("WAYLAND_DISPLAY") != nullptr) platforms += "wayland;";
  if (Variable("DISPLAY") != nullptr) platforms += "xcb;";
  return platforms;
}

// Qt's own complaints while it looks for a display that is not there; the program says it
// in one line of its own.
void DropQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

bool DisplayAvailable() {
  return Variable("DISPLAY") != nullptr || Variable("WAYLAND_DISPLAY") != nullptr ||
         Variable("QT_QPA_PLATFORM") != nullptr;
}

int StartUp(int argc, char** argv) {
  InstallInterruptionHandlers();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (!DisplayAvailable()) return RunConsole(arguments);

  std::string platforms = PlatformsToTry();
  const bool offscreen_asked = platforms.find("offscreen") != std::string::npos;
  if (offscreen_asked) {
    platforms.pop_back();  // the last ";"
  } else {
    platforms += "offscreen";
  }
  std::string platform_option = "-platform";
  std::vector<char*> qt_arguments(argv, argv + argc);
  qt_arguments.insert(qt_arguments.begin() + 1, {platform_option.data(), platforms.data()});
  int qt_argument_count = static_cast<int>(qt_arguments.size());
  const QtMessageHandler previous_handler = qInstallMessageHandler(DropQtMessages);
  QApplication application(qt_argument_count, qt_arguments.data());
  qInstallMessageHandler(previous_handler);
  if (!offscreen_asked && QGuiApplication::platformName() == "offscreen") {
    std::cerr << "Lumenquill: 画面を開けないため、コンソールで実行します。\n";
    return RunConsole(arguments);
  }

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
    return BatchStatus(RunBatch(arguments, conversion, progress, std::cerr));
  }
  TfrmProg progress;
  TfrmMain main_window(progress);
  main_window.show();
  QApplication::exec();
  return kAllConverted;
}

}  // namespace lumenquill
