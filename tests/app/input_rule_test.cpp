#include "app/input_rule.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/batch.h"
#include "app/shell_link.h"
#include "platform/path_text.h"
#include "support/environment.h"
#include "support/shortcut_bytes.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using testing::EnvironmentShortcut;
using ::testing::IsEmpty;
using testing::NetworkShortcut;
using testing::Shortcut;

class InputRule : public ::testing::Test {
 protected:
  // The path of name (with "/" between its folders) in the test folder, as this system writes it.
  std::string Path(std::string name) const {
    std::replace(name.begin(), name.end(), '/', kPathSeparator);
    return folder_ + kPathSeparator + name;
  }

  std::string Make(const std::string& name, const std::string& bytes = "%PDF") {
    const std::string path = Path(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::vector<std::string> WorkList(const std::vector<std::string>& paths) {
    std::vector<std::string> list;
    for (const std::string& path : paths) ApplyInputRule(path, list);
    return list;
  }

  testing::TempFile anchor_{"", "anchor"};
  std::string folder_ = std::filesystem::path(anchor_.path()).parent_path().string();
};

TEST_F(InputRule, FilesByExtension) {
  const std::string upper = Make("docs/A.PDF");
  const std::string notes = Make("docs/notes.txt");
  EXPECT_THAT(WorkList({upper, notes, upper, folder_ + "/missing.pdf"}), ElementsAre(upper, upper));
}

// What became of each path, for the command line to tell the user.
TEST_F(InputRule, Outcomes) {
  std::vector<std::string> list;
  EXPECT_EQ(ApplyInputRule(Make("a.pdf"), list), InputOutcome::kTaken);
  EXPECT_EQ(ApplyInputRule(folder_, list), InputOutcome::kTaken);
  EXPECT_EQ(ApplyInputRule(folder_ + "/missing.pdf", list), InputOutcome::kMissing);
#ifndef _WIN32
  const std::string dangling = folder_ + "/dangling.pdf";
  std::filesystem::create_symlink(folder_ + "/gone.pdf", dangling);
  EXPECT_EQ(ApplyInputRule(dangling, list), InputOutcome::kMissing);
#endif
  EXPECT_EQ(ApplyInputRule(Make("notes.txt"), list), InputOutcome::kNotPdf);
  EXPECT_EQ(ApplyInputRule(Make("bad.lnk", "junk"), list), InputOutcome::kUnreadableShortcut);
}

TEST_F(InputRule, FoldersWithoutRecursionOrHiddenFiles) {
  const std::string b = Make("docs/b.pdf");
  const std::string a = Make("docs/a.Pdf");
  const std::string hidden = Make("docs/.hidden.pdf");
  Make("docs/old/c.pdf");
  Make("docs/folder.pdf/d.pdf");
  const std::string docs = Path("docs");
  EXPECT_THAT(WorkList({docs}), ElementsAre(a, b));
  EXPECT_THAT(WorkList({docs + kPathSeparator}), ElementsAre(a, b));
  EXPECT_THAT(WorkList({hidden}), ElementsAre(hidden));  // named directly, it is taken
}

// On the command line "-" is standard input and a named file is a PDF by its content too; a
// recursive walk takes each folder's entries in name order, a subfolder's where its name sorts.
TEST_F(InputRule, CommandLineRule) {
  const lumenquill::InputRule named{.named_on_command_line = true};
  const std::string scan = Make("docs/scan.dat", std::string(1000, ' ') + "%PDF-1.4");
  Make("docs/late.dat", std::string(1024, ' ') + "%PDF-1.4");
  const std::string a = Make("docs/a.pdf");
  const std::string c = Make("docs/sub/c.pdf");
  const std::string d = Make("docs/sub/deeper/d.pdf");
  const std::string z = Make("docs/z.pdf");
  std::vector<std::string> list;
  EXPECT_EQ(ApplyInputRule(scan, list, named), InputOutcome::kTaken);
  EXPECT_EQ(ApplyInputRule(Path("docs/late.dat"), list, named), InputOutcome::kNotPdf);
  EXPECT_EQ(ApplyInputRule(scan, list), InputOutcome::kNotPdf);  // dropped on the window
  EXPECT_EQ(ApplyInputRule("-", list, named), InputOutcome::kTaken);
  EXPECT_EQ(ApplyInputRule(Path("docs"), list,
                           lumenquill::InputRule{.named_on_command_line = true, .recursive = true}),
            InputOutcome::kTaken);
  EXPECT_THAT(list, ElementsAre(scan, "-", a, c, d, z));
  std::filesystem::create_directories(Path("empty/folder.pdf"));
  EXPECT_EQ(ApplyInputRule(Path("empty"), list, named), InputOutcome::kNoPdfInFolder);
}

TEST_F(InputRule, Shortcuts) {
  const std::string report = Make("docs/report.pdf");
  Make("docs/other.pdf");
  const std::string to_file = Make("links/report.lnk", Shortcut(report));
  const std::string to_folder = Make("links/docs.lnk", Shortcut(Path("docs")));
  // Made on Windows and copied with its target: the relative path finds it.
  const std::string copied =
      Make("docs/copied.LNK", Shortcut("C:\\Users\\me\\Docs\\report.pdf", ".\\report.pdf"));
  const std::string to_shortcut = Make("links/again.lnk", Shortcut(to_file));
  const std::string damaged = Make("links/damaged.lnk", Shortcut(report).substr(0, 90));
  EXPECT_THAT(WorkList({to_file}), ElementsAre(report));
  EXPECT_THAT(WorkList({to_folder}), ElementsAre(Path("docs/other.pdf"), report));
  EXPECT_THAT(WorkList({copied}), ElementsAre(report));
  EXPECT_THAT(WorkList({to_shortcut, damaged}), IsEmpty());
  EXPECT_EQ(ResolveLink(damaged), "");
  EXPECT_EQ(ResolveLink(report), report);
  EXPECT_EQ(ResolveLink(Make("junk.lnk", std::string(200, '\x4C'))), "");
}

// A shortcut to a network share names the share's path, and one to a path under a profile
// folder finds it through the environment.
TEST_F(InputRule, NetworkAndEnvironmentShortcuts) {
  const std::string report = Make("docs/report.pdf");
  EXPECT_EQ(
      ResolveLink(Make("share.lnk", NetworkShortcut("\\\\server\\share", "docs\\a.pdf"))),
      kPathSeparator == '\\' ? "\\\\server\\share\\docs\\a.pdf" : "//server/share/docs/a.pdf");
  testing::SetEnvironment("LUMENQUILL_TEST_DOCS", Path("docs"));
  EXPECT_EQ(
      ResolveLink(Make("profile.lnk", EnvironmentShortcut("%LUMENQUILL_TEST_DOCS%\\report.pdf"))),
      report);
  testing::UnsetEnvironment("LUMENQUILL_TEST_DOCS");
}

// A base path written in Shift-JIS names the UTF-8 path of this system.
TEST_F(InputRule, ShiftJisShortcutPaths) {
  const std::string japanese = Make("書類/報告.pdf");
  const std::string base_sjis = Path("\x8F\x91\x97\xDE/\x95\xF1\x8D\x90.pdf");
  EXPECT_EQ(ResolveLink(Make("j.lnk", Shortcut(base_sjis))), japanese);
}

TEST(Batch, CaptionsCountEveryEntry) {
  EXPECT_EQ(BatchCaption(2, 5, "/docs/report.pdf"), " (2/5) - report.pdf");
}

}  // namespace
}  // namespace lumenquill
