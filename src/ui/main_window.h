#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include "app/conversion.h"
#include "app/version.h"
#include "ui/file_dialogs.h"
#include "ui/progress_dialog.h"
#include "ui/qt_interface.h"

namespace lumenquill {

// The main window: a drop target for PDF files, folders and shortcuts, with the open
// command, the options, the read-me file and the web page, view switches, and its bounds and
// switches kept in the settings file.
class MainWindow final : public QMainWindow {
 public:
  // The progress dialog is shared with every conversion started here.
  MainWindow(ProgressDialog& progress, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Converts the files of a work list as one batch: the count of loaded files starts at 0,
  // the progress caption counts the entries, the window is disabled meanwhile and returns to
  // the always-on-top layer afterwards when that switch is on.
  void RunWorkList(const std::vector<std::string>& work_list);
  // The drop of these paths: each through the input rule, then one batch.
  void DropPaths(const std::vector<std::string>& paths);

  // The conversion of one file; tests put a recorder here.
  std::function<bool(const std::string&)> convert_file;

  void OpenFiles();
  void Exit() { close(); }
  void ShowOptions();
  void ToggleToolBar();
  void ToggleStatusBar();
  void ToggleOnTop();
  void OpenReadme();
  void OpenHomePage();

  QToolBar* tool_bar;
  QStatusBar* status_bar;
  QFrame* drop_panel;
  QLabel* drop_image;
  QMenu* file_menu;
  QAction* open_action;
  QAction* exit_action;
  QMenu* view_menu;
  QAction* tool_bar_action;
  QAction* status_bar_action;
  QAction* on_top_action;
  QAction* options_action;
  QMenu* help_menu;
  QAction* readme_action;
  QAction* home_action;
  std::unique_ptr<FileOpenDialog> open_dialog;
  std::unique_ptr<FileSaveDialog> save_dialog;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Remembers the frame of the normal state, which the bounds written while maximised need.
  void moveEvent(QMoveEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void ApplySettings();
  void SaveSettings();
  // The widths of the window frame around the client area, as the window stands.
  QMargins FrameMargins() const;

  ProgressDialog& progress_;
  std::unique_ptr<QtUserInterface> ui_;
  std::unique_ptr<Conversion> conversion_;
  QMargins normal_frame_;
};

// The caption of the main window.
inline const std::string kMainCaption = std::string("Lumenquill  v") + kProgramVersion;

}  // namespace lumenquill
