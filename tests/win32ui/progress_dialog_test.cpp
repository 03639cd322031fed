#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "dialog_driver.h"
#include "win32ui/progress_dialog.h"
#include "win32ui/resource_ids.h"

namespace lumenquill {
namespace {

int BarPosition(const ProgressDialog& progress) {
  return static_cast<int>(
      SendDlgItemMessageW(progress.Handle(), IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
}

std::string Label(const ProgressDialog& progress) {
  return testing::TextOf(GetDlgItem(progress.Handle(), IDC_PROGRESS_POSITION));
}

// Shown at 50, 50 with the batch caption; the position as "position/max"; hidden with an empty
// bar when done.
TEST(ProgressDialog, ShowsAndHides) {
  ProgressDialog progress;
  EXPECT_FALSE(IsWindowVisible(progress.Handle()));
  progress.SetCaption(" (2/5) - report.pdf");
  progress.Present();
  EXPECT_TRUE(IsWindowVisible(progress.Handle()));
  RECT bounds;
  GetWindowRect(progress.Handle(), &bounds);
  EXPECT_EQ(bounds.left, 50);
  EXPECT_EQ(bounds.top, 50);
  EXPECT_EQ(testing::TextOf(progress.Handle()), " (2/5) - report.pdf");
  progress.ShowProgress(0, 100, 37, false);
  EXPECT_EQ(BarPosition(progress), 37);
  EXPECT_EQ(Label(progress), "37/100");
  progress.ShowProgress(0, 100, 100, true);
  EXPECT_EQ(Label(progress), "100/100");
  EXPECT_EQ(BarPosition(progress), 0);
  EXPECT_FALSE(IsWindowVisible(progress.Handle()));
  EXPECT_FALSE(progress.cancelled);
}

// The button, Escape in the dialog and the close button each ask to stop, at the next look at
// the waiting input; nothing else does.
TEST(ProgressDialog, CancelRequests) {
  ProgressDialog progress;
  progress.Present();
  const HWND window = progress.Handle();
  const std::function<void()> requests[] = {
      [window] { testing::PostClick(window, IDC_PROGRESS_CANCEL); },
      [window] { PostMessageW(GetDlgItem(window, IDC_PROGRESS_CANCEL), WM_KEYDOWN, VK_ESCAPE, 1); },
      [window] { PostMessageW(window, WM_CLOSE, 0, 0); },
  };
  for (const auto& request : requests) {
    progress.cancelled = false;
    progress.ShowProgress(0, 100, 10, false);
    EXPECT_FALSE(progress.cancelled);
    request();
    progress.ShowProgress(0, 100, 20, false);
    EXPECT_TRUE(progress.cancelled);
  }
}

}  // namespace
}  // namespace lumenquill
