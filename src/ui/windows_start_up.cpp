#include "ui/windows_start_up.h"

#include <QApplication>
#include <iostream>

#include "app/batch.h"
#include "app/conversion.h"
#include "cli/start_up.h"
#include "ui/escape_key_filter.h"
#include "ui/form_font.h"
#include "ui/main_window.h"
#include "ui/progress_dialog.h"
#include "ui/qt_interface.h"
#include "ui/qt_japanese_translation.h"
#include "ui/unminimised_dialogs.h"

namespace lumenquill {
namespace {

// The window systems to try, each followed by ";": the ones the user named, else the display's
// own. The offscreen platform comes last, which always opens. Ending up offscreen without having
// asked for it tells that no display could be opened, where Qt would otherwise abort.
std::string PlatformsToTry() {
  if (const char* chosen = EnvironmentValue("QT_QPA_PLATFORM")) return std::string(chosen) + ";";
  std::string platforms;
  if (EnvironmentValue("WAYLAND_DISPLAY") != nullptr) platforms += "wayland;";
  if (EnvironmentValue("DISPLAY") != nullptr) platforms += "xcb;";
  return platforms;
}

// Qt's own complaints while it looks for a display that is not there; the program says it
// in one line of its own.
void DropQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

std::optional<int> RunInWindows(const RunOptions& options, const std::vector<std::string>& files,
                                const char* program) {
  std::string platforms = PlatformsToTry();
  const bool offscreen_asked = platforms.find("offscreen") != std::string::npos;
  if (offscreen_asked) {
    platforms.pop_back();  // the last ";"
  } else {
    platforms += "offscreen";
  }
  std::string program_name = program;
  std::string platform_option = "-platform";
  std::vector<char*> qt_arguments = {program_name.data(), platform_option.data(), platforms.data(),
                                     nullptr};
  int qt_argument_count = 3;
  const QtMessageHandler previous_handler = qInstallMessageHandler(DropQtMessages);
  QApplication application(qt_argument_count, qt_arguments.data());
  qInstallMessageHandler(previous_handler);
  if (!offscreen_asked && QGuiApplication::platformName() == "offscreen") return std::nullopt;

  QApplication::setApplicationName("Lumenquill");
  // No display name: Qt would append it to every title bar, and the titles are the captions.
  InstallQtJapaneseTranslation();
  UseFormFamilyThroughout();
  QApplication::setWindowIcon(QIcon(":/images/lumenquill.svg"));
  EscapeKeyFilter escape_filter;
  application.installEventFilter(&escape_filter);
  UnminimisedDialogs unminimised_dialogs;
  application.installEventFilter(&unminimised_dialogs);

  if (!files.empty()) {
    ProgressDialog progress;
    const std::unique_ptr<FileSaveDialog> save_dialog = FileSaveDialog::ForTextFiles(nullptr);
    QtUserInterface ui(nullptr, progress, *save_dialog);
    Conversion conversion(ui, options);
    return BatchExitStatus(RunBatch(files, conversion, progress, std::cerr));
  }
  ProgressDialog progress;
  MainWindow main_window(progress);
  main_window.show();
  QApplication::exec();
  return kExitAllConverted;
}

}  // namespace lumenquill
