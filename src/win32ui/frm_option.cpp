#include "win32ui/frm_option.h"

#include <commctrl.h>

#include <string>
#include <string_view>

#include "platform/ini_file.h"
#include "platform/settings_location.h"
#include "win32ui/resource_ids.h"

namespace lumenquill {
namespace {

// A stored control: its identifier, its group box's name (the section) and its own (the key).
// Listed in the order in which the dialog's controls are visited, which is the order in which
// OK writes them.
struct StoredControl {
  int id;
  const char* section;
  const char* key;
};

constexpr StoredControl kStoredControls[] = {
    {IDC_OPTION_CHECKBOX1, "GroupBox1", "CheckBox1"},
    {IDC_OPTION_CHECKBOX2, "GroupBox1", "CheckBox2"},
    {IDC_OPTION_RADIOBUTTON1, "GroupBox2", "RadioButton1"},
    {IDC_OPTION_RADIOBUTTON2, "GroupBox2", "RadioButton2"},
    {IDC_OPTION_COMBOBOX1, "GroupBox2", "ComboBox1"},
    {IDC_OPTION_CHECKBOX5, "GroupBox3", "CheckBox5"},
    {IDC_OPTION_CHECKBOX6, "GroupBox3", "CheckBox6"},
    {IDC_OPTION_CHECKBOX7, "GroupBox3", "CheckBox7"},
    {IDC_OPTION_CHECKBOX8, "GroupBox3", "CheckBox8"},
    {IDC_OPTION_CHECKBOX9, "GroupBox4", "CheckBox9"},
};

// Checked at design time; every other check box and radio button starts unchecked.
constexpr int kCheckedAtDesign[] = {IDC_OPTION_CHECKBOX1, IDC_OPTION_RADIOBUTTON1,
                                    IDC_OPTION_CHECKBOX5, IDC_OPTION_CHECKBOX7,
                                    IDC_OPTION_CHECKBOX8};

constexpr const wchar_t* kLineEndItems[] = {L"CR+LF", L"LF", L"CR"};

bool IsComboBox(HWND control) {
  wchar_t class_name[32] = {};
  GetClassNameW(control, class_name, 32);
  return std::wstring_view(class_name) == WC_COMBOBOXW;
}

bool IsRadioButton(HWND control) {
  const auto type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON;
}

// Checking a radio button unchecks the other radio buttons of its group box.
void SetChecked(HWND dialog, const StoredControl& control, bool checked) {
  if (checked && IsRadioButton(GetDlgItem(dialog, control.id))) {
    for (const StoredControl& other : kStoredControls) {
      if (std::string_view(other.section) == control.section &&
          IsRadioButton(GetDlgItem(dialog, other.id))) {
        CheckDlgButton(dialog, other.id, BST_UNCHECKED);
      }
    }
  }
  CheckDlgButton(dialog, control.id, checked ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace

void TfrmOption::Execute(HWND owner) {
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_OPTIONS), owner, DialogProc, 0);
}

INT_PTR CALLBACK TfrmOption::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) {
    FormCreate(window);
    LoadControls(window);
    SetFocus(GetDlgItem(window, IDCANCEL));
    return FALSE;  // the focus is set
  }
  if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
    if (LOWORD(wparam) == IDOK) SaveControls(window);
    EndDialog(window, LOWORD(wparam));
    return TRUE;
  }
  return FALSE;
}

// The design-time states: the combo box's items, none of them selected, and the checks.
void TfrmOption::FormCreate(HWND dialog) {
  for (const wchar_t* item : kLineEndItems) {
    SendDlgItemMessageW(dialog, IDC_OPTION_COMBOBOX1, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(item));
  }
  SendDlgItemMessageW(dialog, IDC_OPTION_COMBOBOX1, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  for (const int id : kCheckedAtDesign) CheckDlgButton(dialog, id, BST_CHECKED);
}

// A flag other than 0 or 1, or an index that names no item, leaves the control as it is; a
// missing combo box key selects the first item.
void TfrmOption::LoadControls(HWND dialog) {
  const std::string file = SettingsFilePath();
  for (const StoredControl& control : kStoredControls) {
    const HWND item = GetDlgItem(dialog, control.id);
    if (IsComboBox(item)) {
      const int32_t index = ReadProfileInt(file, control.section, control.key, 0);
      const auto count = SendMessageW(item, CB_GETCOUNT, 0, 0);
      if (index >= 0 && index < count && index <= 255) {
        SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      }
    } else {
      const int32_t value = ReadProfileInt(file, control.section, control.key, -1);
      if (value == 0 || value == 1) SetChecked(dialog, control, value == 1);
    }
  }
}

void TfrmOption::SaveControls(HWND dialog) {
  const std::string file = SettingsFilePath();
  for (const StoredControl& control : kStoredControls) {
    const HWND item = GetDlgItem(dialog, control.id);
    const std::string value =
        IsComboBox(item) ? std::to_string(static_cast<int>(SendMessageW(item, CB_GETCURSEL, 0, 0)))
                         : (IsDlgButtonChecked(dialog, control.id) == BST_CHECKED ? "1" : "0");
    WriteProfileValue(file, control.section, control.key, value);
  }
}

}  // namespace lumenquill
