// The built programs, run as a user runs them: lumenquill on a folder of fixture PDFs, with a
// settings file and no display, writes the same text files as lumenquill-info --extract.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/temp_file.h"

namespace lumenquill {
namespace {

namespace fs = std::filesystem;

struct CommandResult {
  int status;
  std::string out;
  std::string err;
};

// Runs a shell command line without a display and with standard input from /dev/null.
CommandResult RunCommand(const std::string& command, const std::string& folder) {
  const std::string out = folder + "/stdout";
  const std::string err = folder + "/stderr";
  const int status = std::system(("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                  command + " </dev/null >" + out + " 2>" + err)
                                     .c_str());
  return {status, testing::ReadWholeFile(out), testing::ReadWholeFile(err)};
}

TEST(EndToEnd, ConvertsAFolderLikeTheDiagnosticTool) {
  testing::TempFile anchor("", "anchor");
  const std::string work = fs::path(anchor.path()).parent_path().string();
  const std::string pdfs = work + "/pdfs";
  fs::create_directory(pdfs);
  const std::vector<std::string> names = {"reportlab-cid-cmaps", "ghostscript-identity-h",
                                          "reportlab-forms", "reportlab-winansi-ascii85"};
  for (const std::string& name : names) {
    fs::copy_file(std::string(LUMENQUILL_TEST_DATA_DIR) + "/" + name + ".pdf",
                  pdfs + "/" + name + ".pdf");
  }
  fs::copy_file(std::string(LUMENQUILL_TEST_DATA_DIR) + "/truncated.pdf", pdfs + "/truncated.pdf");
  std::ofstream(work + "/settings.ini") << "[GroupBox2]\nComboBox1=1\n";

  const CommandResult run = RunCommand(
      "LUMENQUILL_INI=" + work + "/settings.ini " + LUMENQUILL_PROGRAM + " " + pdfs, work);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "Lumenquill: " + pdfs +
                         "/truncated.pdf: このファイルは破損しているか対応できない形式です。\n");
  std::string opened;
  for (const std::string& name : {names[1], names[0], names[2], names[3]}) {
    opened += pdfs + "/" + name + ".txt\n";  // in name order
  }
  EXPECT_EQ(run.out, opened);

  for (const std::string& name : names) {
    const std::string reference = work + "/" + name + ".txt";
    ASSERT_EQ(RunCommand(std::string(LUMENQUILL_INFO_PROGRAM) + " --extract " + reference +
                             " --eol lf " + pdfs + "/" + name + ".pdf",
                         work)
                  .status,
              0);
    EXPECT_EQ(testing::ReadWholeFile(pdfs + "/" + name + ".txt"), testing::ReadWholeFile(reference))
        << name;
  }
}

TEST(EndToEnd, WithoutArgumentsItPrintsUsageAndWithoutPdfsNothing) {
  testing::TempFile anchor("", "anchor");
  const std::string work = fs::path(anchor.path()).parent_path().string();
  const CommandResult usage = RunCommand(LUMENQUILL_PROGRAM, work);
  EXPECT_EQ(usage.status, 0);
  EXPECT_NE(usage.out.find("usage"), std::string::npos);
  const CommandResult nothing =
      RunCommand(std::string(LUMENQUILL_PROGRAM) + " " + work + "/missing.pdf", work);
  EXPECT_EQ(nothing.status, 0);
  EXPECT_EQ(nothing.out + nothing.err, "");
}

}  // namespace
}  // namespace lumenquill
