// Shortcuts written by Windows's own shell link object (IShellLinkW and IPersistFile), read back
// by the program's shortcut reader.

#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/shell_link.h"
#include "platform/wide_text.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

// Saves a shortcut to target at link, as Explorer's "Create shortcut" does.
void MakeShortcut(const std::string& link, const std::string& target) {
  IShellLinkW* shell_link = nullptr;
  ASSERT_EQ(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                               reinterpret_cast<void**>(&shell_link)),
            S_OK);
  EXPECT_EQ(shell_link->SetPath(Widen(target).c_str()), S_OK);
  IPersistFile* file = nullptr;
  ASSERT_EQ(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
  EXPECT_EQ(file->Save(Widen(link).c_str(), TRUE), S_OK);
  file->Release();
  shell_link->Release();
}

class ShortcutsMadeByWindows : public ::testing::Test {
 protected:
  void SetUp() override { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { ::CoUninitialize(); }

  std::string Make(const std::string& name) {
    const std::string path = folder_ + "\\" + name;
    std::filesystem::create_directories(std::filesystem::path(Widen(path)).parent_path());
    std::ofstream(std::filesystem::path(Widen(path)), std::ios::binary) << "%PDF";
    return path;
  }

  testing::TempFile anchor_{"", "anchor"};
  std::string folder_ = anchor_.path().substr(0, anchor_.path().find_last_of("/\\"));
};

// The names are within the system code page: Wine's shell link object writes the path only in
// that code page, where Windows adds the Unicode path the reader also takes.
TEST_F(ShortcutsMadeByWindows, ToFilesAndFolders) {
  const std::string report = Make("書類 ①\\報告.pdf");
  const std::string folder = folder_ + "\\書類 ①";
  MakeShortcut(folder_ + "\\file.lnk", report);
  MakeShortcut(folder_ + "\\folder.lnk", folder);
  EXPECT_EQ(ResolveLink(folder_ + "\\file.lnk"), report);
  EXPECT_EQ(ResolveLink(folder_ + "\\folder.lnk"), folder);
}

}  // namespace
}  // namespace lumenquill
