#include "win32ui/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "app/batch.h"
#include "app/input_rule.h"
#include "app/settings.h"
#include "platform/file_attributes.h"
#include "platform/settings_location.h"
#include "platform/wide_text.h"
#include "win32ui/drop_panel.h"
#include "win32ui/file_dialogs.h"
#include "win32ui/options_dialog.h"
#include "win32ui/resource_ids.h"

namespace lumenquill {
namespace {

constexpr wchar_t kClassName[] = L"LumenquillMainWindow";
// The status bar's one panel, at 96 DPI.
constexpr int kStatusPanelWidth = 420;

// What the status bar says while the pointer is on a menu item.
const wchar_t* MenuHint(int command) {
  switch (command) {
    case IDM_OPEN:
      return L"PDFファイルを開く";
    case IDM_EXIT:
      return L"アプリケーションの終了";
    case IDM_TOOL_BAR:
      return L"ツールバーを表示/隠す";
    case IDM_STATUS_BAR:
      return L"ステータスバーを表示/隠す";
    case IDM_ON_TOP:
      return L"ウインドウを常に手前にする/しない";
    case IDM_OPTIONS:
      return L"オプション";
    case IDM_README:
      return L"ヘルプファイルを開く";
    case IDM_HOME:
      return L"最新版を入手する";
    default:
      return L"";
  }
}

// The tool buttons, each a menu command with a hint of its own, separated as designed.
struct ToolButton {
  int command;
  int icon;
  const wchar_t* hint;
};
constexpr ToolButton kToolButtons[] = {
    {IDM_OPEN, IDI_TOOL_OPEN, L"ファイルを開く"},
    {IDM_OPTIONS, IDI_TOOL_OPTIONS, L"オプション"},
    {IDM_README, IDI_TOOL_HELP, L"ヘルプファイルを開く"},
    {IDM_HOME, IDI_TOOL_HOME, L"最新版を入手する"},
};

const wchar_t* ToolHint(int command) {
  for (const ToolButton& button : kToolButtons) {
    if (button.command == command) return button.hint;
  }
  return L"";
}

int Scaled(int pixels, HWND window) {
  return MulDiv(pixels, static_cast<int>(GetDpiForWindow(window)), USER_DEFAULT_SCREEN_DPI);
}

void RegisterMainWindowClass(WNDPROC procedure) {
  static const ATOM registered = [procedure] {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    window_class.lpszClassName = kClassName;
    window_class.hIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_LUMENQUILL), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    window_class.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_LUMENQUILL),
                                                         IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), 0));
    return RegisterClassExW(&window_class);
  }();
  (void)registered;
}

// The main window's smallest and default size, in pixels at 96 DPI.
SIZE MinimumSize(HWND window) {
  return {Scaled(kMainWindowWidth, window), Scaled(kMainWindowHeight, window)};
}

}  // namespace

MainWindow::MainWindow(ProgressDialog& progress) : progress_(progress) {
  RegisterMainWindowClass(WindowProc);
  accelerators_ =
      LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_ACCELERATORS));
  CreateWindowExW(0, kClassName, Widen(kMainCaption).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                  GetModuleHandleW(nullptr), this);
  ui_ = std::make_unique<Win32UserInterface>(window_, progress_);
  conversion_ = std::make_unique<Conversion>(*ui_);
  convert_file = [this](const std::string& file) { return conversion_->ConvertFile(file); };
  CreateChildren();
  DragAcceptFiles(window_, TRUE);
  ApplySettings();
}

MainWindow::~MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void MainWindow::Show() {
  ShowWindow(window_, maximised_at_start_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  UpdateWindow(window_);
}

bool MainWindow::TranslateAccelerators(MSG& message) const {
  // Only keys meant for this window: Escape in another window must not close it.
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  return TranslateAcceleratorW(window_, accelerators_, &message) != 0;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<NMHDR*>(lparam));
      return 0;
    case WM_MENUSELECT:
      // The menu closing, a popup or a separator says nothing.
      ShowHint((HIWORD(wparam) & (MF_POPUP | MF_SEPARATOR)) != 0 || lparam == 0
                   ? L""
                   : MenuHint(LOWORD(wparam)));
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_GETMINMAXINFO: {
      const SIZE minimum = MinimumSize(window_);
      reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = {minimum.cx, minimum.cy};
      return 0;
    }
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      BuildToolBarImages();
      SizeStatusPanel();
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_CLOSE:
      SaveSettings();
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      if (tool_images_ != nullptr) ImageList_Destroy(tool_images_);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

void MainWindow::CreateChildren() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  tool_bar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                              WS_CHILD | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | TBSTYLE_TOOLTIPS, 0,
                              0, 0, 0, window_, nullptr, instance, nullptr);
  SendMessageW(tool_bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  BuildToolBarImages();
  std::vector<TBBUTTON> buttons;
  for (size_t i = 0; i < std::size(kToolButtons); ++i) {
    buttons.push_back(
        {static_cast<int>(i), kToolButtons[i].command, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0});
    buttons.push_back({8, 0, 0, BTNS_SEP, {}, 0, 0});
  }
  SendMessageW(tool_bar_, TB_ADDBUTTONS, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));

  status_bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD, 0, 0, 0, 0, window_,
                                nullptr, instance, nullptr);
  SizeStatusPanel();

  panel_ = CreateDropPanel(window_);
}

// The tool buttons' pictures at the size of the window's DPI (16 pixels at 96 DPI).
void MainWindow::BuildToolBarImages() {
  const int size = Scaled(16, window_);
  const HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 4, 0);
  for (const ToolButton& button : kToolButtons) {
    const auto icon = static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(button.icon), IMAGE_ICON, size, size, 0));
    ImageList_AddIcon(images, icon);
    DestroyIcon(icon);
  }
  SendMessageW(tool_bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  if (tool_images_ != nullptr) ImageList_Destroy(tool_images_);
  tool_images_ = images;
  SendMessageW(tool_bar_, TB_AUTOSIZE, 0, 0);
}

void MainWindow::SizeStatusPanel() {
  int panel_edge = Scaled(kStatusPanelWidth, window_);
  SendMessageW(status_bar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&panel_edge));
}

// Bounds and switches from the settings file, applied as they stand (no smaller than the
// smallest size).
void MainWindow::ApplySettings() {
  const MainWindowSettings settings = ReadMainWindowSettings();
  const SIZE minimum = MinimumSize(window_);
  SetWindowPos(window_, nullptr, settings.left, settings.top,
               std::max<int>(settings.width, minimum.cx),
               std::max<int>(settings.height, minimum.cy), SWP_NOZORDER | SWP_NOACTIVATE);
  maximised_at_start_ = settings.maximised;
  SetChecked(IDM_TOOL_BAR, settings.tool_bar);
  SetChecked(IDM_STATUS_BAR, settings.status_bar);
  SetChecked(IDM_ON_TOP, settings.on_top);
  if (settings.on_top) {
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  Layout();
}

// A maximised window records Zoom and the bounds it returns to when restored.
void MainWindow::SaveSettings() {
  MainWindowSettings settings;
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  GetWindowPlacement(window_, &placement);
  settings.maximised = IsZoomed(window_) != 0;
  // The normal bounds are in the coordinates of the monitor's work area; Left and Top are the
  // screen's, as SetWindowPos takes them.
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& normal = placement.rcNormalPosition;
  settings.left = normal.left + monitor.rcWork.left - monitor.rcMonitor.left;
  settings.top = normal.top + monitor.rcWork.top - monitor.rcMonitor.top;
  settings.width = normal.right - normal.left;
  settings.height = normal.bottom - normal.top;
  settings.tool_bar = IsChecked(IDM_TOOL_BAR);
  settings.status_bar = IsChecked(IDM_STATUS_BAR);
  settings.on_top = IsChecked(IDM_ON_TOP);
  WriteMainWindowSettings(settings);
}

void MainWindow::Layout() {
  RECT client;
  GetClientRect(window_, &client);
  int top = 0;
  int bottom = client.bottom;
  if (IsChecked(IDM_TOOL_BAR)) {
    SendMessageW(tool_bar_, TB_AUTOSIZE, 0, 0);
    RECT bar;
    GetWindowRect(tool_bar_, &bar);
    top = bar.bottom - bar.top;
  }
  if (IsChecked(IDM_STATUS_BAR)) {
    SendMessageW(status_bar_, WM_SIZE, 0, 0);
    RECT bar;
    GetWindowRect(status_bar_, &bar);
    bottom -= bar.bottom - bar.top;
  }
  ShowWindow(tool_bar_, IsChecked(IDM_TOOL_BAR) ? SW_SHOW : SW_HIDE);
  ShowWindow(status_bar_, IsChecked(IDM_STATUS_BAR) ? SW_SHOW : SW_HIDE);
  MoveWindow(panel_, 0, top, client.right, std::max(bottom - top, 0), TRUE);
}

bool MainWindow::IsChecked(int command) const {
  return (GetMenuState(GetMenu(window_), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MainWindow::SetChecked(int command, bool checked) {
  CheckMenuItem(GetMenu(window_), command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindow::ShowHint(const wchar_t* hint) {
  SendMessageW(status_bar_, SB_SETTEXTW, SBT_NOBORDERS, reinterpret_cast<LPARAM>(hint));
}

void MainWindow::OnCommand(int command) {
  switch (command) {
    case IDM_OPEN:
      OpenFiles();
      break;
    case IDM_EXIT:
      Exit();
      break;
    case IDM_TOOL_BAR:
      ToggleToolBar();
      break;
    case IDM_STATUS_BAR:
      ToggleStatusBar();
      break;
    case IDM_ON_TOP:
      ToggleOnTop();
      break;
    case IDM_OPTIONS:
      ShowOptions();
      break;
    case IDM_README:
      OpenReadme();
      break;
    case IDM_HOME:
      OpenHomePage();
      break;
  }
}

// The tool buttons' tooltips, and their hints in the status bar while the pointer is on them.
void MainWindow::OnNotify(NMHDR& header) {
  if (header.code == TTN_GETDISPINFOW) {
    auto& tip = reinterpret_cast<NMTTDISPINFOW&>(header);
    tip.lpszText = const_cast<wchar_t*>(ToolHint(static_cast<int>(header.idFrom)));
  } else if (header.code == TBN_HOTITEMCHANGE && header.hwndFrom == tool_bar_) {
    const auto& change = reinterpret_cast<const NMTBHOTITEM&>(header);
    ShowHint((change.dwFlags & HICF_LEAVING) != 0 ? L"" : ToolHint(change.idNew));
  }
}

void MainWindow::OnDropFiles(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(Narrow(path));
  }
  DragFinish(drop);
  DropPaths(paths);
}

void MainWindow::DropPaths(const std::vector<std::string>& paths) {
  std::vector<std::string> work_list;
  for (const std::string& path : paths) ApplyInputRule(path, work_list);
  RunWorkList(work_list);
}

void MainWindow::RunWorkList(const std::vector<std::string>& work_list) {
  EnableWindow(window_, FALSE);
  struct EnableAtEnd {
    HWND window;
    ~EnableAtEnd() { EnableWindow(window, TRUE); }
  } enable_at_end{window_};
  ConvertWorkList(work_list, *conversion_, progress_, convert_file);
  if (IsChecked(IDM_ON_TOP)) SetAlwaysOnTop(window_, true);
}

// The chosen files that exist, in the dialog's order; no extension test, no shortcuts.
void MainWindow::OpenFiles() {
  const auto chosen = ChoosePdfFiles(window_);
  if (!chosen) return;
  std::vector<std::string> work_list;
  for (const std::string& path : *chosen) {
    if (FileExists(path)) work_list.push_back(path);
  }
  RunWorkList(work_list);
}

void MainWindow::Exit() { SendMessageW(window_, WM_CLOSE, 0, 0); }

void MainWindow::ShowOptions() { OptionsDialog().Execute(window_); }

void MainWindow::ToggleToolBar() {
  SetChecked(IDM_TOOL_BAR, !IsChecked(IDM_TOOL_BAR));
  Layout();
}

void MainWindow::ToggleStatusBar() {
  SetChecked(IDM_STATUS_BAR, !IsChecked(IDM_STATUS_BAR));
  Layout();
}

void MainWindow::ToggleOnTop() {
  SetChecked(IDM_ON_TOP, !IsChecked(IDM_ON_TOP));
  SetAlwaysOnTop(window_, IsChecked(IDM_ON_TOP));
}

void MainWindow::OpenReadme() {
  ShellExecuteW(window_, L"open", Widen(ReadmeFilePathFor(ExecutablePath())).c_str(), nullptr,
                nullptr, SW_SHOW);
}

void MainWindow::OpenHomePage() {
  ShellExecuteW(window_, L"open", Widen(LUMENQUILL_HOME_URL).c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace lumenquill
