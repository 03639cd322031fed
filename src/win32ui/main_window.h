#pragma once

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/conversion.h"
#include "app/version.h"
#include "win32ui/progress_dialog.h"
#include "win32ui/win32_interface.h"

namespace lumenquill {

// The main window: a drop target for PDF files, folders and shortcuts, with the open command,
// the options, the read-me file and the web page, view switches, and its bounds and switches
// kept in the settings file. Destroying it ends the message loop.
class MainWindow final {
 public:
  // The progress dialog is shared with every conversion started here. The window is created
  // hidden; Show shows it as the settings left it (maximised or not).
  explicit MainWindow(ProgressDialog& progress);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  void Show();
  HWND Handle() const { return window_; }
  // The menu's keys, for the message loop; true when the message was one.
  bool TranslateAccelerators(MSG& message) const;

  // Converts the files of a work list as one batch: the count of loaded files starts at 0,
  // the progress caption counts the entries, the window is disabled meanwhile and returns to
  // the always-on-top layer afterwards when that switch is on.
  void RunWorkList(const std::vector<std::string>& work_list);
  // The drop of these paths: each through the input rule, then one batch.
  void DropPaths(const std::vector<std::string>& paths);

  // The conversion of one file; tests put a recorder here.
  std::function<bool(const std::string&)> convert_file;

  // The menu commands.
  void OpenFiles();
  void Exit();
  void ShowOptions();
  void ToggleToolBar();
  void ToggleStatusBar();
  void ToggleOnTop();
  void OpenReadme();
  void OpenHomePage();

  // Whether a view switch (IDM_TOOL_BAR, IDM_STATUS_BAR, IDM_ON_TOP) is checked.
  bool IsChecked(int command) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void CreateChildren();
  void BuildToolBarImages();
  // The status bar's one panel, at the size of the window's DPI.
  void SizeStatusPanel();
  void ApplySettings();
  void SaveSettings();
  void OnDropFiles(HDROP drop);
  void OnCommand(int command);
  void OnNotify(NMHDR& header);
  void Layout();
  void SetChecked(int command, bool checked);
  void ShowHint(const wchar_t* hint);

  ProgressDialog& progress_;
  HWND window_ = nullptr;
  HWND tool_bar_ = nullptr;
  HWND status_bar_ = nullptr;
  HWND panel_ = nullptr;  // the drop panel with its picture
  HIMAGELIST tool_images_ = nullptr;
  HACCEL accelerators_ = nullptr;
  std::unique_ptr<Win32UserInterface> ui_;
  std::unique_ptr<Conversion> conversion_;
  bool maximised_at_start_ = false;
};

// The caption of the main window.
inline const std::string kMainCaption = std::string("Lumenquill  v") + kProgramVersion;

}  // namespace lumenquill
