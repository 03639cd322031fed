#include <gtest/gtest.h>
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <filesystem>
#include <fstream>

#include "dialog_driver.h"
#include "platform/wide_text.h"
#include "support/temp_file.h"
#include "win32ui/file_dialogs.h"

namespace lumenquill {
namespace {

// A text of the common dialog asked with one of its CDM_ messages.
std::string DialogText(HWND dialog, UINT message) {
  wchar_t text[MAX_PATH] = {};
  SendMessageW(dialog, message, MAX_PATH, reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

class FileDialogs : public ::testing::Test {
 protected:
  std::string Make(const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(Widen(folder_)) / Widen(name);
    std::ofstream(path, std::ios::binary) << "%PDF";
    return Narrow(path.wstring());
  }

  testing::TempFile anchor_{"", "anchor"};
  std::string folder_ =
      Narrow(std::filesystem::path(Widen(anchor_.path())).parent_path().wstring());
};

// The save dialog opens in the PDF's folder proposing its base name, and adds ".txt".
TEST_F(FileDialogs, SaveDialogProposesThePdfsFolderAndName) {
  testing::DialogDriver driver;
  driver.Then("名前を付けて保存", [this](HWND dialog) {
    EXPECT_EQ(DialogText(dialog, CDM_GETFOLDERPATH), folder_);
    EXPECT_EQ(DialogText(dialog, CDM_GETSPEC), "報告書");
    testing::PostClick(dialog, IDOK);
  });
  EXPECT_EQ(ChooseTextFilePath(nullptr, folder_ + "\\報告書"), folder_ + "\\報告書.txt");
  EXPECT_TRUE(driver.Done());
}

// Several files chosen at once come back as full paths in the dialog's order; Cancel gives
// nothing.
TEST_F(FileDialogs, OpenDialogTakesSeveralFiles) {
  const std::string b = Make("b.pdf");
  const std::string a = Make("a.pdf");
  SetCurrentDirectoryW(Widen(folder_).c_str());
  testing::DialogDriver driver;
  driver.Then("開く", [](HWND dialog) {
    SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13,
                 reinterpret_cast<LPARAM>(L"\"b.pdf\" \"a.pdf\""));
    testing::PostClick(dialog, IDOK);
  });
  driver.Then("開く", [](HWND dialog) { testing::PostClick(dialog, IDCANCEL); });
  EXPECT_EQ(ChoosePdfFiles(nullptr), (std::vector<std::string>{b, a}));
  EXPECT_EQ(ChoosePdfFiles(nullptr), std::nullopt);
  EXPECT_TRUE(driver.Done());
}

}  // namespace
}  // namespace lumenquill
