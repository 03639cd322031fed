#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/conversion.h"
#include "app/path_names.h"
#include "dialog_driver.h"
#include "platform/wide_text.h"
#include "settings_file.h"
#include "support/temp_file.h"
#include "win32ui/resource_ids.h"
#include "win32ui/win32_interface.h"

namespace lumenquill {
namespace {

using testing::SettingsFile;

// A conversion through the windows' user interface of a four-page document whose text file
// already exists.
class Win32Conversion : public ::testing::Test {
 protected:
  void WriteOldText() {
    std::ofstream(std::filesystem::path(Widen(text_)), std::ios::binary) << "old";
  }

  testing::TempFile pdf_{
      testing::ReadWholeFile(std::string(LUMENQUILL_TEST_DATA_DIR) + "/cairo-pages.pdf"), "a.pdf"};
  std::string text_ = WithExtension(pdf_.path(), ".txt");
  ProgressDialog progress_;
  Win32UserInterface ui_{nullptr, progress_};
  Conversion conversion_{ui_};
};

// No to the overwrite question, and a cancel of the extraction by the progress dialog's button,
// both leave the old text file as it was, and nothing beside it.
TEST_F(Win32Conversion, DecliningAndCancellingKeepTheOldTextFile) {
  WriteOldText();
  {
    SettingsFile settings("[GroupBox3]\nCheckBox5=0\nCheckBox7=1\n");
    testing::DialogDriver driver;
    driver.Then("Lumenquill", [this](HWND box) {
      EXPECT_EQ(testing::MessageBoxText(box),
                text_ + "\r\n指定されたファイルは既に存在します。上書きしますか？");
      PostMessageW(box, WM_COMMAND, IDNO, 0);
    });
    EXPECT_FALSE(conversion_.ConvertFile(pdf_.path()));
    EXPECT_TRUE(driver.Done());
  }
  {
    SettingsFile settings("[GroupBox3]\nCheckBox5=0\nCheckBox7=0\n");
    // Seen at the first progress report, after the first page.
    testing::PostClick(progress_.Handle(), IDC_PROGRESS_CANCEL);
    EXPECT_FALSE(conversion_.ConvertFile(pdf_.path()));
    EXPECT_TRUE(progress_.cancelled);
    EXPECT_FALSE(IsWindowVisible(progress_.Handle()));
  }
  EXPECT_EQ(testing::ReadWholeFile(text_), "old");
  EXPECT_EQ(testing::NamesBeside(pdf_.path()), (std::vector<std::string>{"a.pdf", "a.txt"}));
}

}  // namespace
}  // namespace lumenquill
