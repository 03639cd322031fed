#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "app/settings_table.h"
#include "dialog_driver.h"
#include "settings_file.h"
#include "support/temp_file.h"
#include "win32ui/options_dialog.h"
#include "win32ui/resource_ids.h"

namespace lumenquill {
namespace {

using testing::DialogDriver;
using testing::SettingsFile;

// The settings file as the profile functions leave it, its line ends made LF.
std::string SettingsText(const SettingsFile& file) {
  std::string text = testing::ReadWholeFile(file.path());
  std::erase(text, '\r');
  return text;
}

bool Checked(HWND dialog, int control) {
  return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

int ComboSelection(HWND dialog, int combo = IDC_OPTION_LINE_END) {
  return static_cast<int>(SendDlgItemMessageW(dialog, combo, CB_GETCURSEL, 0, 0));
}

bool Enabled(HWND dialog, int control) { return IsWindowEnabled(GetDlgItem(dialog, control)); }

// Checks or unchecks layout order as a click does, telling the dialog.
void SetLayoutOrder(HWND dialog, bool checked) {
  CheckDlgButton(dialog, IDC_OPTION_LAYOUT_ORDER, checked ? BST_CHECKED : BST_UNCHECKED);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTION_LAYOUT_ORDER, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_OPTION_LAYOUT_ORDER)));
}

// The letters after "&" in the captions of the dialog's controls.
std::multiset<char> AcceleratorLetters(HWND dialog) {
  std::multiset<char> letters;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string text = testing::TextOf(child);
    const size_t amp = text.find('&');
    if (amp != std::string::npos && amp + 1 < text.size()) letters.insert(text[amp + 1]);
  }
  return letters;
}

// A fresh file: the focus on Cancel, distinct Alt keys; OK writes every key in the dialog's
// order with the fallbacks of the settings.
TEST(OptionsDialog, FreshFileAndOk) {
  SettingsFile file("");
  DialogDriver driver;
  driver.Then("オプション", [](HWND dialog) {
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDCANCEL));
    const std::multiset<char> letters = AcceleratorLetters(dialog);
    EXPECT_EQ(letters.size(), 10u);
    EXPECT_EQ(std::set<char>(letters.begin(), letters.end()).size(), 10u);
    EXPECT_EQ(ComboSelection(dialog, IDC_OPTION_ENCODING), 0);
    EXPECT_FALSE(Enabled(dialog, IDC_OPTION_FOLD_COMPATIBILITY));
    EXPECT_EQ(ComboSelection(dialog, IDC_OPTION_RUBY), 0);
    EXPECT_FALSE(Enabled(dialog, IDC_OPTION_RUBY));
    testing::PostClick(dialog, IDOK);
  });
  OptionsDialog().Execute(nullptr);
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(SettingsText(file), testing::kDefaultOptionsText);
}

// Each control shows its own setting and OK writes it back under the same key: with every
// setting set to the other value than its fallback, each control shows that value.
TEST(OptionsDialog, EachControlReadsAndWritesItsSetting) {
  SettingsFile file(testing::kInvertedOptionsText);
  DialogDriver driver;
  driver.Then("オプション", [](HWND dialog) {
    const std::pair<SettingId, int> checks[] = {
        {SettingId::kPageBanners, IDC_OPTION_PAGE_BANNERS},
        {SettingId::kAskPageRange, IDC_OPTION_ASK_PAGE_RANGE},
        {SettingId::kLineBreaks, IDC_OPTION_LINE_BREAKS},
        {SettingId::kNoLineBreaks, IDC_OPTION_NO_LINE_BREAKS},
        {SettingId::kOpenInEditor, IDC_OPTION_OPEN_IN_EDITOR},
        {SettingId::kAskSavePath, IDC_OPTION_ASK_SAVE_PATH},
        {SettingId::kConfirmOverwrite, IDC_OPTION_CONFIRM_OVERWRITE},
        {SettingId::kShowWarnings, IDC_OPTION_SHOW_WARNINGS},
        {SettingId::kNewerFormats, IDC_OPTION_NEWER_FORMATS},
        {SettingId::kFoldCompatibility, IDC_OPTION_FOLD_COMPATIBILITY},
        {SettingId::kLayoutOrder, IDC_OPTION_LAYOUT_ORDER}};
    for (const auto& [id, control] : checks) {
      EXPECT_EQ(Checked(dialog, control), SettingOf(id).fallback != 1) << SettingOf(id).key;
    }
    EXPECT_EQ(ComboSelection(dialog), 2);
    EXPECT_EQ(ComboSelection(dialog, IDC_OPTION_ENCODING), 3);
    EXPECT_TRUE(Enabled(dialog, IDC_OPTION_FOLD_COMPATIBILITY));
    EXPECT_EQ(ComboSelection(dialog, IDC_OPTION_RUBY), 2);
    EXPECT_TRUE(Enabled(dialog, IDC_OPTION_RUBY));
    testing::PostClick(dialog, IDOK);
  });
  OptionsDialog().Execute(nullptr);
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(SettingsText(file), testing::kInvertedOptionsText);
}

// Values the dialog does not understand leave the design state; Cancel and the close button
// write nothing; OK writes what the dialog shows, including a key typed with Alt.
TEST(OptionsDialog, OddValuesCancelAndClose) {
  const std::string odd =
      "[GroupBox1]\nCheckBox1=2\n[GroupBox2]\nRadioButton1=1\nRadioButton2=1\nComboBox1=9\n"
      "[GroupBox5]\nComboBox2=9\nComboBox3=9\n";
  SettingsFile file(odd);
  DialogDriver driver;
  driver.Then("オプション", [](HWND dialog) {
    EXPECT_TRUE(Checked(dialog, IDC_OPTION_PAGE_BANNERS));
    EXPECT_TRUE(Checked(dialog, IDC_OPTION_NO_LINE_BREAKS));  // checked after the other one
    EXPECT_FALSE(Checked(dialog, IDC_OPTION_LINE_BREAKS));
    EXPECT_EQ(ComboSelection(dialog), -1);
    EXPECT_EQ(ComboSelection(dialog, IDC_OPTION_ENCODING), 0);  // Shift-JIS, as it reads
    EXPECT_EQ(ComboSelection(dialog, IDC_OPTION_RUBY), 0);      // left out, as it reads
    CheckDlgButton(dialog, IDC_OPTION_ASK_PAGE_RANGE, BST_CHECKED);
    testing::PostClick(dialog, IDCANCEL);
  });
  driver.Then("オプション", [](HWND dialog) {
    CheckDlgButton(dialog, IDC_OPTION_ASK_PAGE_RANGE, BST_CHECKED);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  OptionsDialog().Execute(nullptr);
  OptionsDialog().Execute(nullptr);
  EXPECT_EQ(SettingsText(file), odd);

  driver.Then("オプション", [](HWND dialog) {
    SendDlgItemMessageW(dialog, IDC_OPTION_LINE_END, CB_SETCURSEL, 1, 0);
    // UTF-8 chosen as the user chooses it, which enables the folding check box.
    SendDlgItemMessageW(dialog, IDC_OPTION_ENCODING, CB_SETCURSEL, 1, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPTION_ENCODING, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_OPTION_ENCODING)));
    EXPECT_TRUE(Enabled(dialog, IDC_OPTION_FOLD_COMPATIBILITY));
    // Ruby's list follows the layout order check box and keeps the choice made while enabled.
    SetLayoutOrder(dialog, true);
    EXPECT_TRUE(Enabled(dialog, IDC_OPTION_RUBY));
    SendDlgItemMessageW(dialog, IDC_OPTION_RUBY, CB_SETCURSEL, 1, 0);
    SetLayoutOrder(dialog, false);
    EXPECT_FALSE(Enabled(dialog, IDC_OPTION_RUBY));
    // Alt+N, the accelerator of "新しい形式のPDFも読み込む(&N)".
    PostMessageW(dialog, WM_SYSCHAR, 'n', 1 << 29);
  });
  driver.Then("オプション", [](HWND dialog) {
    EXPECT_TRUE(Checked(dialog, IDC_OPTION_NEWER_FORMATS));
    testing::PostClick(dialog, IDOK);
  });
  OptionsDialog().Execute(nullptr);
  EXPECT_TRUE(driver.Done());
  // The encoding's section stays where the file had it.
  EXPECT_EQ(SettingsText(file),
            "[GroupBox1]\nCheckBox1=1\nCheckBox2=0\n[GroupBox2]\nRadioButton1=0\nRadioButton2=1\n"
            "ComboBox1=1\n[GroupBox5]\nComboBox2=1\nComboBox3=1\nCheckBox10=0\nCheckBox11=0\n"
            "[GroupBox3]\nCheckBox5=1\n"
            "CheckBox6=0\nCheckBox7=1\nCheckBox8=1\n[GroupBox4]\nCheckBox9=1\n");
}

}  // namespace
}  // namespace lumenquill
