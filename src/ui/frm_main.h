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
#include "ui/dialog_ex.h"
#include "ui/frm_prog.h"
#include "ui/qt_interface.h"

namespace lumenquill {

// The main window: a drop target for PDF files, folders and shortcuts, with the open
// command, the options, the read-me file and the web page, view switches, and its bounds and
// switches kept in the settings file.
class TfrmMain final : public QMainWindow {
 public:
  // The progress dialog is shared with every conversion started here.
  TfrmMain(TfrmProg& progress, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // Converts the files of a work list as one batch: the count of loaded files starts at 0,
  // the progress caption counts the entries, the window is disabled meanwhile and returns to
  // the always-on-top layer afterwards when that switch is on.
  void RunWorkList(const std::vector<std::string>& work_list);
  // The drop of these paths: each through the input rule, then one batch.
  void DropPaths(const std::vector<std::string>& paths);

  // The conversion of one file; tests put a recorder here.
  std::function<bool(const std::string&)> ConvertFile;

  void ToolButton1Click();
  void Exit1Click() { close(); }
  void N7Click();
  void N10Click();
  void N11Click();
  void N12Click();
  void Contents1Click();
  void GoHomeClick();

  QToolBar* ToolBar1;
  QStatusBar* StatusBar1;
  QFrame* Panel1;
  QLabel* Image1;
  QMenu* File1;
  QAction* PDF1;
  QAction* Exit1;
  QMenu* Show1;
  QAction* N10;
  QAction* N11;
  QAction* N12;
  QAction* N7;
  QMenu* Help1;
  QAction* Contents1;
  QAction* GoHome;
  std::unique_ptr<TOpenDialogEx> OpenDialog;
  std::unique_ptr<TSaveDialogEx> SaveDialog;

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
  void FormCreate();
  void FormClose();
  // The widths of the window frame around the client area, as the window stands.
  QMargins FrameMargins() const;

  TfrmProg& progress_;
  std::unique_ptr<QtUserInterface> ui_;
  std::unique_ptr<Conversion> conversion_;
  QMargins normal_frame_;
};

// The caption of the main window.
inline const std::string kMainCaption = std::string("Lumenquill  v") + kProgramVersion;

}  // namespace lumenquill
