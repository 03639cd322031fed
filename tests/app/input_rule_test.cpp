#include "app/input_rule.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/batch.h"
#include "app/shell_link.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

void PutLE(std::string& bytes, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
}

// The bytes of a Shell Link (".lnk") file with link information holding the local base path
// (in the ANSI code page) and, when given, a relative path in UTF-16 (ASCII here).
std::string Shortcut(const std::string& base_path, const std::string& relative_path = "") {
  std::string link;
  PutLE(link, 0x4C, 4);
  link += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
  const uint32_t flags = 0x02 | 0x80 | (relative_path.empty() ? 0 : 0x08);
  PutLE(link, flags, 4);
  link.append(76 - link.size(), '\0');

  std::string volume;
  PutLE(volume, 0x11, 4);  // size
  PutLE(volume, 3, 4);     // fixed drive
  PutLE(volume, 0x1234, 4);
  PutLE(volume, 0x10, 4);  // label offset
  volume.push_back('\0');
  const uint32_t header_size = 0x1C;
  const uint32_t base_offset = header_size + static_cast<uint32_t>(volume.size());
  const uint32_t suffix_offset = base_offset + static_cast<uint32_t>(base_path.size()) + 1;
  const uint32_t info_size = suffix_offset + 1;
  PutLE(link, info_size, 4);
  PutLE(link, header_size, 4);
  PutLE(link, 1, 4);  // volume ID and local base path
  PutLE(link, header_size, 4);
  PutLE(link, base_offset, 4);
  PutLE(link, 0, 4);
  PutLE(link, suffix_offset, 4);
  link += volume + base_path + '\0' + '\0';

  if (!relative_path.empty()) {
    PutLE(link, static_cast<uint32_t>(relative_path.size()), 2);
    for (const char c : relative_path) PutLE(link, static_cast<unsigned char>(c), 2);
  }
  return link;
}

class InputRule : public ::testing::Test {
 protected:
  std::string Make(const std::string& name, const std::string& bytes = "%PDF") {
    const std::string path = folder_ + "/" + name;
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

TEST_F(InputRule, FoldersWithoutRecursionOrHiddenFiles) {
  const std::string b = Make("docs/b.pdf");
  const std::string a = Make("docs/a.Pdf");
  const std::string hidden = Make("docs/.hidden.pdf");
  Make("docs/old/c.pdf");
  Make("docs/folder.pdf/d.pdf");
  const std::string docs = folder_ + "/docs";
  EXPECT_THAT(WorkList({docs}), ElementsAre(a, b));
  EXPECT_THAT(WorkList({docs + "/"}), ElementsAre(a, b));
  EXPECT_THAT(WorkList({hidden}), ElementsAre(hidden));  // named directly, it is taken
}

TEST_F(InputRule, Shortcuts) {
  const std::string report = Make("docs/report.pdf");
  Make("docs/other.pdf");
  const std::string to_file = Make("links/report.lnk", Shortcut(report));
  const std::string to_folder = Make("links/docs.lnk", Shortcut(folder_ + "/docs"));
  // Made on Windows and copied with its target: the relative path finds it.
  const std::string copied =
      Make("docs/copied.LNK", Shortcut("C:\\Users\\me\\Docs\\report.pdf", ".\\report.pdf"));
  const std::string to_shortcut = Make("links/again.lnk", Shortcut(to_file));
  const std::string damaged = Make("links/damaged.lnk", Shortcut(report).substr(0, 90));
  EXPECT_THAT(WorkList({to_file}), ElementsAre(report));
  EXPECT_THAT(WorkList({to_folder}), ElementsAre(folder_ + "/docs/other.pdf", report));
  EXPECT_THAT(WorkList({copied}), ElementsAre(report));
  EXPECT_THAT(WorkList({to_shortcut, damaged}), IsEmpty());
  EXPECT_EQ(ResolveLink(damaged), "");
  EXPECT_EQ(ResolveLink(report), report);
  EXPECT_EQ(ResolveLink(Make("junk.lnk", std::string(200, '\x4C'))), "");
}

// A base path written in Shift-JIS names the UTF-8 path of this system.
TEST_F(InputRule, ShiftJisShortcutPaths) {
  const std::string japanese = Make("書類/報告.pdf");
  std::string base_sjis = folder_ + "/\x8F\x91\x97\xDE/\x95\xF1\x8D\x90.pdf";
  EXPECT_EQ(ResolveLink(Make("j.lnk", Shortcut(base_sjis))), japanese);
}

TEST(Batch, CaptionsCountEveryEntry) {
  EXPECT_EQ(BatchCaption(2, 5, "/docs/report.pdf"), " (2/5) - report.pdf");
}

}  // namespace
}  // namespace lumenquill
