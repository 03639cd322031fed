#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/folder_listing.h"
#include "platform/settings_location.h"
#include "support/environment.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

using testing::SetEnvironment;
using testing::UnsetEnvironment;

TEST(FolderListing, ANameStartingWithADotIsHidden) {
  testing::TempFile file("", ".hidden.pdf");
  const std::string folder = std::filesystem::path(file.path()).parent_path().string();
  std::ofstream(folder + "/shown.pdf") << "";
  const std::vector<FolderEntry> entries = ListFolder(folder);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_TRUE(entries[0].is_hidden);
  EXPECT_FALSE(entries[1].is_hidden);
}

TEST(SettingsLocation, TheEnvironmentNamesTheFile) {
  SetEnvironment("LUMENQUILL_INI", "/tmp/chosen.ini");
  EXPECT_EQ(SettingsFilePath(), "/tmp/chosen.ini");
  UnsetEnvironment("LUMENQUILL_INI");
  // The test program lies in a writable folder of the build tree: its settings lie beside it.
  EXPECT_EQ(SettingsFilePath(),
            ExecutablePath().substr(0, ExecutablePath().rfind('/')) + "/platform_tests.ini");
}

// A prefix in a temporary folder: PREFIX/bin for the programs, XDG_CONFIG_HOME set to
// PREFIX/config while the object lives.
class Prefix {
 public:
  Prefix() : file_("", "marker") {
    root_ = std::filesystem::path(file_.path()).parent_path();
    std::filesystem::create_directory(root_ / "bin");
    const char* old = std::getenv("XDG_CONFIG_HOME");
    old_config_ = old ? std::optional<std::string>(old) : std::nullopt;
    SetEnvironment("XDG_CONFIG_HOME", (root_ / "config").c_str());
  }
  ~Prefix() {
    std::error_code error;
    std::filesystem::remove_all(root_ / "bin", error);
    std::filesystem::remove_all(root_ / "share", error);
    std::filesystem::remove_all(root_ / "config", error);
    if (old_config_) {
      SetEnvironment("XDG_CONFIG_HOME", old_config_->c_str());
    } else {
      UnsetEnvironment("XDG_CONFIG_HOME");
    }
  }
  std::string operator/(const std::string& name) const { return (root_ / name).string(); }
  void Install() const { std::filesystem::create_directories(root_ / "share" / "lumenquill"); }

 private:
  testing::TempFile file_;
  std::filesystem::path root_;
  std::optional<std::string> old_config_;
};

// An uninstalled program keeps its settings beside it, unless its folder may not be written:
// one that does not exist, or one it is told is read-only (as root is told for a read-only file
// system).
TEST(SettingsLocation, BesideAProgramOutsideAnInstallationWhenItsFolderMayBeWritten) {
  Prefix prefix;
  EXPECT_EQ(SettingsFilePathFor(prefix / "bin/lumenquill"), prefix / "bin/lumenquill.ini");
  EXPECT_FALSE(std::filesystem::exists(prefix / "config"));
  EXPECT_EQ(SettingsFilePathFor(prefix / "bin/lumenquill", true), prefix / "bin/lumenquill.ini");
  EXPECT_EQ(SettingsFilePathFor(prefix / "bin/lumenquill", false),
            prefix / "config/lumenquill/lumenquill.ini");
  EXPECT_EQ(SettingsFilePathFor(prefix / "gone/lumenquill"),
            prefix / "config/lumenquill/lumenquill.ini");
}

// An installed program keeps its settings in the user's config folder, unless a settings file
// lies beside it. Only writing a setting creates the folder: a run that writes none leaves
// nothing behind.
TEST(SettingsLocation, InTheUsersConfigFolderForAnInstalledProgram) {
  Prefix prefix;
  prefix.Install();
  EXPECT_EQ(SettingsFilePathFor(prefix / "bin/lumenquill"),
            prefix / "config/lumenquill/lumenquill.ini");
  EXPECT_FALSE(std::filesystem::exists(prefix / "config"));
  std::ofstream(prefix / "bin/lumenquill.ini") << "[GroupBox1]\n";
  EXPECT_EQ(SettingsFilePathFor(prefix / "bin/lumenquill"), prefix / "bin/lumenquill.ini");
}

TEST(SettingsLocation, UnderHomeWithoutXdgConfigHome) {
  Prefix prefix;
  prefix.Install();
  UnsetEnvironment("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::string old_home = home ? home : "";
  SetEnvironment("HOME", (prefix / "home").c_str());
  const std::string chosen = SettingsFilePathFor(prefix / "bin/lumenquill");
  SetEnvironment("HOME", old_home.c_str());
  EXPECT_EQ(chosen, prefix / "home/.config/lumenquill/lumenquill.ini");
  std::filesystem::remove_all(prefix / "home");
}

TEST(ReadmeLocation, BesideTheProgramFirstThenTheInstalledOne) {
  Prefix prefix;
  EXPECT_EQ(ReadmeFilePathFor(prefix / "bin/lumenquill"), prefix / "bin/readme.txt");
  prefix.Install();
  std::ofstream(prefix / "share/lumenquill/readme.txt") << "installed";
  EXPECT_EQ(ReadmeFilePathFor(prefix / "bin/lumenquill"), prefix / "share/lumenquill/readme.txt");
  std::ofstream(prefix / "bin/readme.txt") << "beside";
  EXPECT_EQ(ReadmeFilePathFor(prefix / "bin/lumenquill"), prefix / "bin/readme.txt");
}

}  // namespace
}  // namespace lumenquill
