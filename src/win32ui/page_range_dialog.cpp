#include "win32ui/page_range_dialog.h"

#include <commctrl.h>

#include <variant>

#include "app/page_range_check.h"
#include "platform/wide_text.h"
#include "win32ui/resource_ids.h"
#include "win32ui/window_text.h"

namespace lumenquill {
namespace {

// Typed characters that an edit lets through: "." and the digits, and the control characters
// (Backspace, Ctrl+C, Ctrl+V...) that edit rather than type.
bool IsAcceptedCharacter(WPARAM character) {
  return character < 0x20 || character == '.' || (character >= '0' && character <= '9');
}

}  // namespace

std::optional<PageRange> PageRangeDialog::Execute(HWND owner) {
  const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PAGE),
                                         owner, DialogProc, reinterpret_cast<LPARAM>(this));
  if (result != IDOK) return std::nullopt;
  return PageRange{first_page, last_page};
}

INT_PTR CALLBACK PageRangeDialog::DialogProc(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    auto* self = reinterpret_cast<PageRangeDialog*>(lparam);
    self->window_ = window;
    for (const int edit : {IDC_PAGE_FIRST, IDC_PAGE_LAST}) {
      SetWindowSubclass(GetDlgItem(window, edit), EditProc, 0, reinterpret_cast<DWORD_PTR>(self));
    }
    self->ShowPageCount();
    return FALSE;  // ShowPageCount put the focus on OK
  }
  auto* self = reinterpret_cast<PageRangeDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr || message != WM_COMMAND) return FALSE;
  if (LOWORD(wparam) == IDOK) {
    self->Confirm();
    return TRUE;
  }
  if (LOWORD(wparam) == IDCANCEL) {  // the button, Escape and the title bar's close button
    self->Cancel();
    return TRUE;
  }
  return FALSE;
}

LRESULT CALLBACK PageRangeDialog::EditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<PageRangeDialog*>(data);
  switch (message) {
    case WM_GETDLGCODE:
      // Enter goes to the edit rather than to the dialog's default button.
      if (lparam != 0 && reinterpret_cast<const MSG*>(lparam)->wParam == VK_RETURN) {
        return DLGC_WANTMESSAGE;
      }
      break;
    case WM_KEYDOWN:
      if (wparam == VK_RETURN) {
        self->enter_pressed_in_ = edit;
        return 0;
      }
      break;
    case WM_KEYUP:
      if (wparam == VK_RETURN) {
        const bool pressed_here = self->enter_pressed_in_ == edit;
        self->enter_pressed_in_ = nullptr;
        if (pressed_here) self->Confirm();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wparam == '\r' || !IsAcceptedCharacter(wparam)) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, EditProc, 0);
      break;
  }
  return DefSubclassProc(edit, message, wparam, lparam);
}

void PageRangeDialog::ShowPageCount() {
  SetWindowTextUtf8(window_, WindowText(window_) + caption_suffix_);
  SetWindowTextUtf8(GetDlgItem(window_, IDC_PAGE_VALID_PAGES),
                    "有効ページ : 1-" + std::to_string(page_count_));
  SetWindowTextUtf8(GetDlgItem(window_, IDC_PAGE_FIRST), "1");
  SetWindowTextUtf8(GetDlgItem(window_, IDC_PAGE_LAST), std::to_string(page_count_));
  SetFocus(GetDlgItem(window_, IDOK));
}

void PageRangeDialog::Confirm() {
  const auto checked = CheckPageRange(WindowText(GetDlgItem(window_, IDC_PAGE_FIRST)),
                                      WindowText(GetDlgItem(window_, IDC_PAGE_LAST)), page_count_);
  if (const auto* message = std::get_if<std::string>(&checked)) {
    // The application's error display; the dialog stays open with the user's entry.
    MessageBoxW(window_, Widen(WithClosingPeriod(*message)).c_str(), L"Lumenquill",
                MB_OK | MB_ICONERROR);
    return;
  }
  first_page = std::get<PageRange>(checked).first;
  last_page = std::get<PageRange>(checked).last;
  EndDialog(window_, IDOK);
}

void PageRangeDialog::Cancel() {
  first_page = -1;
  last_page = -1;
  EndDialog(window_, IDCANCEL);
}

}  // namespace lumenquill
