#include "win32ui/win32_interface.h"

#include <shellapi.h>

#include "platform/wide_text.h"
#include "win32ui/file_dialogs.h"
#include "win32ui/page_range_dialog.h"

namespace lumenquill {

void SetAlwaysOnTop(HWND window, bool on_top) {
  SetWindowPos(window, on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void Win32UserInterface::ShowMessage(const std::string& caption, const std::string& text,
                                     MessageIcon icon) {
  MessageBoxW(owner_, Widen(text).c_str(), Widen(caption).c_str(),
              MB_OK | (icon == MessageIcon::kError ? MB_ICONERROR : MB_ICONWARNING));
}

bool Win32UserInterface::AskYesNo(const std::string& caption, const std::string& text) {
  return MessageBoxW(owner_, Widen(text).c_str(), Widen(caption).c_str(),
                     MB_YESNO | MB_ICONWARNING) == IDYES;
}

std::optional<PageRange> Win32UserInterface::ChoosePageRange(int32_t page_count,
                                                             const std::string& caption_suffix) {
  return PageRangeDialog(page_count, caption_suffix).Execute(owner_);
}

std::optional<std::string> Win32UserInterface::ChooseSavePath(const std::string& proposed_path) {
  return ChooseTextFilePath(owner_, proposed_path);
}

// In batch mode there is no owner window to take out.
void Win32UserInterface::LeaveAlwaysOnTop() {
  if (owner_ != nullptr) SetAlwaysOnTop(owner_, false);
}

void Win32UserInterface::OpenInApplication(const std::string& path) {
  ShellExecuteW(nullptr, L"open", Widen(path).c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace lumenquill
