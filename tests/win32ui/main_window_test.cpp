#include <gtest/gtest.h>

#include <shlobj.h>

#include <filesystem>
#include <fstream>

#include "dialog_driver.h"
#include "platform/ini_file.h"
#include "platform/wide_text.h"
#include "settings_file.h"
#include "support/shortcut_bytes.h"
#include "support/temp_file.h"
#include "win32ui/main_window.h"
#include "win32ui/resource_ids.h"

namespace lumenquill {
namespace {

using testing::SettingsFile;

// A main window whose conversions are recorded: the file, the progress caption, and whether
// the window was enabled at the time.
class MainWindowTest : public ::testing::Test {
 protected:
  void Create() {
    window_ = std::make_unique<MainWindow>(progress_);
    window_->convert_file = [this](const std::string& file) {
      converted_.push_back(Narrow(std::filesystem::path(Widen(file)).filename().wstring()) + " |" +
                           testing::TextOf(progress_.Handle()) +
                           (IsWindowEnabled(window_->Handle()) ? " enabled" : ""));
      SetAlwaysOnTop(window_->Handle(), false);  // as every conversion does
      return true;
    };
    window_->Show();
  }

  void TearDown() override {
    window_.reset();
    // Destroying a main window ends the message loop; the tests have none to end.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  // Delivers the window's keys and other messages, as the program's loop does.
  void ProcessMessages() {
    MSG message;
    while (window_->Handle() != nullptr && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) break;
      if (window_->TranslateAccelerators(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  void PressKey(WPARAM key) {
    PostMessageW(window_->Handle(), WM_KEYDOWN, key, 1);
    PostMessageW(window_->Handle(), WM_KEYUP, key, 1 | (3u << 30));
    ProcessMessages();
  }

  bool OnTop() const {
    return (GetWindowLongW(window_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  }

  std::string Make(const std::string& name, const std::string& bytes = "%PDF") {
    const std::filesystem::path path = std::filesystem::path(folder_) / Widen(name);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return Narrow(path.wstring());
  }

  testing::TempFile anchor_{"", "anchor"};
  std::string folder_ =
      Narrow(std::filesystem::path(Widen(anchor_.path())).parent_path().wstring());
  ProgressDialog progress_;
  std::unique_ptr<MainWindow> window_;
  std::vector<std::string> converted_;
};

// A drop handle as the shell makes it: the paths in UTF-16, each ended by a null, then a null.
HDROP DropHandle(const std::vector<std::string>& paths) {
  std::wstring list;
  for (const std::string& path : paths) list += Widen(path) + L'\0';
  list += L'\0';
  const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

// First start without settings: caption, place and size, no bars, not on top, no smaller
// than designed; F3 puts it on top, Escape closes it and keeps bounds and switches.
TEST_F(MainWindowTest, FirstStartKeysAndClose) {
  SettingsFile file("");
  Create();
  const HWND window = window_->Handle();
  EXPECT_EQ(testing::TextOf(window), "Lumenquill  v1.21");
  RECT bounds;
  GetWindowRect(window, &bounds);
  EXPECT_EQ(bounds.left, 50);
  EXPECT_EQ(bounds.top, 50);
  EXPECT_EQ(bounds.right - bounds.left, 295);
  EXPECT_EQ(bounds.bottom - bounds.top, 180);
  EXPECT_FALSE(window_->IsChecked(IDM_TOOL_BAR));
  EXPECT_FALSE(OnTop());
  SetWindowPos(window, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(window, &bounds);
  EXPECT_GE(bounds.right - bounds.left, 295);
  EXPECT_GE(bounds.bottom - bounds.top, 180);

  PressKey(VK_F3);
  EXPECT_TRUE(window_->IsChecked(IDM_ON_TOP));
  EXPECT_TRUE(OnTop());
  window_->ToggleStatusBar();
  PressKey(VK_ESCAPE);
  EXPECT_EQ(window_->Handle(), nullptr);
  EXPECT_EQ(ReadProfileString(file.path(), "frmMain", "N12", ""), "1");
  EXPECT_EQ(ReadProfileString(file.path(), "frmMain", "N11", ""), "1");
  EXPECT_EQ(ReadProfileString(file.path(), "frmMain", "N10", ""), "0");
  EXPECT_EQ(ReadProfileString(file.path(), "frmMain", "Left", ""), "50");
  EXPECT_EQ(ReadProfileString(file.path(), "frmMain", "Width", ""), "295");
}

// Saved bounds and switches are applied; a window closed maximised keeps Zoom and the bounds
// it returns to.
TEST_F(MainWindowTest, MaximisedRoundTrip) {
  SettingsFile file(
      "[frmMain]\nLeft=120\nTop=80\nWidth=400\nheight=300\nZoom=1\nN10=1\nN11=1\nN12=0\n");
  Create();
  EXPECT_TRUE(IsZoomed(window_->Handle()));
  EXPECT_TRUE(window_->IsChecked(IDM_TOOL_BAR));
  EXPECT_TRUE(window_->IsChecked(IDM_STATUS_BAR));
  window_->Exit();
  EXPECT_EQ(ReadProfileString(file.path(), "frmMain", "Zoom", ""), "1");
  EXPECT_EQ(ReadProfileString(file.path(), "frmMain", "Left", ""), "120");
  EXPECT_EQ(ReadProfileString(file.path(), "frmMain", "Top", ""), "80");
  EXPECT_EQ(ReadProfileString(file.path(), "frmMain", "Width", ""), "400");
  EXPECT_EQ(ReadProfileString(file.path(), "frmMain", "height", ""), "300");
}

// A drop through WM_DROPFILES: PDF files, a folder's PDF files in name order and a shortcut
// to a PDF file, one batch with counted captions while the window is disabled; it returns to
// the always-on-top layer. A drop without PDF files converts nothing.
TEST_F(MainWindowTest, DropsThroughTheWindowMessage) {
  SettingsFile file("[frmMain]\nN12=1\n");
  Create();
  const std::string a = Make("a.pdf");
  Make("folder/d.pdf");
  Make("folder/c.PDF");
  Make("folder/notes.txt");
  const std::string shortcut = Make("b.lnk", testing::Shortcut(Make("e.pdf")));
  const std::string japanese = Make("日本語.pdf");
  const std::string text = Make("notes.txt", "text");

  SendMessageW(
      window_->Handle(), WM_DROPFILES,
      reinterpret_cast<WPARAM>(DropHandle({a, folder_ + "\\folder", shortcut, japanese, text})), 0);
  EXPECT_EQ(converted_, (std::vector<std::string>{"a.pdf | (1/5) - a.pdf", "c.PDF | (2/5) - c.PDF",
                                                  "d.pdf | (3/5) - d.pdf", "e.pdf | (4/5) - e.pdf",
                                                  "日本語.pdf | (5/5) - 日本語.pdf"}));
  EXPECT_TRUE(IsWindowEnabled(window_->Handle()));
  EXPECT_TRUE(OnTop());

  converted_.clear();
  SendMessageW(window_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropHandle({text})), 0);
  EXPECT_TRUE(converted_.empty());
  EXPECT_TRUE(IsWindowEnabled(window_->Handle()));
}

}  // namespace
}  // namespace lumenquill
