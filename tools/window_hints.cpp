// Shows the fixed-size dialogs as the program does, modal, each with the main window as owner
// and without one (the batch conversion's), and the batch's message box, then prints a line
// "name window-id" for each once they are mapped and waits until its standard input closes.
// Run by tools/window_hints.sh under Xvfb with a window manager, which reads the windows'
// properties with xprop.

#include <unistd.h>
#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>

#include "app/settings_file.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/options_dialog.h"
#include "ui/page_range_dialog.h"
#include "ui/progress_dialog.h"
#include "ui/unminimised_dialogs.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  lumenquill::UnminimisedDialogs unminimised_dialogs;
  application.installEventFilter(&unminimised_dialogs);
  const lumenquill::testing::SettingsFile settings("");
  lumenquill::ProgressDialog progress;
  lumenquill::MainWindow main_window(progress);
  main_window.show();
  lumenquill::OptionsDialog owned_options(&main_window);
  lumenquill::PageRangeDialog owned_page_range(&main_window);
  lumenquill::PageRangeDialog batch_page_range;
  const auto batch_message = lumenquill::MakeMessageBox(QMessageBox::Warning, "Lumenquill", "確認",
                                                        QMessageBox::Ok, nullptr);
  const std::pair<const char*, QWidget*> windows[] = {{"main-window", &main_window},
                                                      {"options", &owned_options},
                                                      {"page-range", &owned_page_range},
                                                      {"batch-page-range", &batch_page_range},
                                                      {"batch-message", batch_message.get()}};
  for (const auto& [name, window] : windows) {
    if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->setModal(true);  // as exec shows it
    window->show();
  }
  // The window manager maps and frames the windows in its own time.
  QTimer::singleShot(1000, [&windows] {
    for (const auto& [name, window] : windows) {
      std::printf("%s 0x%llx\n", name, static_cast<unsigned long long>(window->winId()));
    }
    std::fflush(stdout);
  });
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, &application, &QApplication::quit);
  return QApplication::exec();
}
