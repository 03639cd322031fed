#include "win32ui/options_dialog.h"

#include <string>

#include "app/settings_table.h"
#include "platform/wide_text.h"
#include "win32ui/resource_ids.h"

namespace lumenquill {
namespace {

// The control of each option setting, in the table's order.
constexpr int kControlIds[] = {
    IDC_OPTION_PAGE_BANNERS,  IDC_OPTION_ASK_PAGE_RANGE,
    IDC_OPTION_LINE_BREAKS,   IDC_OPTION_NO_LINE_BREAKS,
    IDC_OPTION_LINE_END,      IDC_OPTION_OPEN_IN_EDITOR,
    IDC_OPTION_ASK_SAVE_PATH, IDC_OPTION_CONFIRM_OVERWRITE,
    IDC_OPTION_SHOW_WARNINGS, IDC_OPTION_NEWER_FORMATS,
    IDC_OPTION_ENCODING,      IDC_OPTION_FOLD_COMPATIBILITY,
    IDC_OPTION_LAYOUT_ORDER,  IDC_OPTION_RUBY,
};
static_assert(std::size(kControlIds) == kOptionSettings.size());

// The radio buttons of the line-break pair; checking one unchecks the other.
bool IsLineBreakButton(int id) {
  return id == IDC_OPTION_LINE_BREAKS || id == IDC_OPTION_NO_LINE_BREAKS;
}

void SetChecked(HWND dialog, int id, bool checked) {
  if (checked && IsLineBreakButton(id)) {
    CheckDlgButton(dialog, IDC_OPTION_LINE_BREAKS, BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_OPTION_NO_LINE_BREAKS, BST_UNCHECKED);
  }
  CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

template <size_t N, typename Item>
void AddItems(HWND dialog, int id, const Item (&items)[N]) {
  for (const Item& item : items) {
    const std::wstring text = Widen(item.item);
    SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

// Folding applies to the Unicode encodings only: the check box is enabled with them alone.
void EnableFolding(HWND dialog) {
  const auto encoding = SendDlgItemMessageW(dialog, IDC_OPTION_ENCODING, CB_GETCURSEL, 0, 0);
  EnableWindow(GetDlgItem(dialog, IDC_OPTION_FOLD_COMPATIBILITY), encoding > 0);
}

// Ruby is found in layout order alone: its list is enabled with it, and keeps its value.
void EnableRuby(HWND dialog) {
  EnableWindow(GetDlgItem(dialog, IDC_OPTION_RUBY),
               IsDlgButtonChecked(dialog, IDC_OPTION_LAYOUT_ORDER) == BST_CHECKED);
}

}  // namespace

void OptionsDialog::Execute(HWND owner) {
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_OPTIONS), owner, DialogProc, 0);
}

INT_PTR CALLBACK OptionsDialog::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SetInitialStates(window);
    LoadControls(window);
    EnableFolding(window);
    EnableRuby(window);
    SetFocus(GetDlgItem(window, IDCANCEL));
    return FALSE;  // the focus is set
  }
  if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
    if (LOWORD(wparam) == IDOK) SaveControls(window);
    EndDialog(window, LOWORD(wparam));
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wparam) == IDC_OPTION_ENCODING &&
      HIWORD(wparam) == CBN_SELCHANGE) {
    EnableFolding(window);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wparam) == IDC_OPTION_LAYOUT_ORDER &&
      HIWORD(wparam) == BN_CLICKED) {
    EnableRuby(window);
    return TRUE;
  }
  return FALSE;
}

void OptionsDialog::SetInitialStates(HWND dialog) {
  AddItems(dialog, IDC_OPTION_LINE_END, kLineEnds);
  SendDlgItemMessageW(dialog, IDC_OPTION_LINE_END, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  // Shift-JIS, also for a value that names no item.
  AddItems(dialog, IDC_OPTION_ENCODING, kEncodings);
  SendDlgItemMessageW(dialog, IDC_OPTION_ENCODING, CB_SETCURSEL, 0, 0);
  // Leaving ruby out, also for a value that names no item.
  AddItems(dialog, IDC_OPTION_RUBY, kRubyChoices);
  SendDlgItemMessageW(dialog, IDC_OPTION_RUBY, CB_SETCURSEL, 0, 0);
  for (size_t i = 0; i < kOptionSettings.size(); ++i) {
    if (kOptionSettings[i].type == SettingType::kFlag && kOptionSettings[i].fallback == 1) {
      CheckDlgButton(dialog, kControlIds[i], BST_CHECKED);
    }
  }
}

void OptionsDialog::LoadControls(HWND dialog) {
  for (size_t i = 0; i < kOptionSettings.size(); ++i) {
    const Setting& setting = kOptionSettings[i];
    if (setting.type == SettingType::kIndex) {
      const int32_t index = ReadSetting(setting);
      const auto count = SendDlgItemMessageW(dialog, kControlIds[i], CB_GETCOUNT, 0, 0);
      if (index >= 0 && index < count) {
        SendDlgItemMessageW(dialog, kControlIds[i], CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      }
    } else {
      const int32_t value = ReadSettingOr(setting, -1);
      if (value == 0 || value == 1) SetChecked(dialog, kControlIds[i], value == 1);
    }
  }
}

void OptionsDialog::SaveControls(HWND dialog) {
  for (size_t i = 0; i < kOptionSettings.size(); ++i) {
    const int id = kControlIds[i];
    const bool is_index = kOptionSettings[i].type == SettingType::kIndex;
    WriteSetting(kOptionSettings[i],
                 is_index
                     ? static_cast<int32_t>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0))
                     : (IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0));
  }
}

}  // namespace lumenquill
