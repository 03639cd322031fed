// The built programs, run as a user runs them: lumenquill on a folder of fixture PDFs, with a
// settings file and no display, writes the same text files as lumenquill-info --extract.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "program_run.h"
#include "support/failing_disk.h"
#include "support/pdf_builder.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

using testing::CommandResult;
using testing::ExitStatus;
using testing::RunCommand;

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
  EXPECT_EQ(run.status, ExitStatus(1));  // the truncated file was not converted
  // The Latin letters and the dash of one file are beyond Shift-JIS: converted, with a warning.
  EXPECT_EQ(run.err, "Lumenquill: " + pdfs +
                         "/reportlab-winansi-ascii85.pdf: 置き換えた文字があります: "
                         "文字コードで表せない文字 3 個 (U+00E9 é、U+00EF ï、U+2013 –)\n"
                         "Lumenquill: " +
                         pdfs + "/truncated.pdf: このファイルは破損しているか対応できない形式です。\n");
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

// The exit status tells scripts whether everything named was converted.
TEST(EndToEnd, ExitStatusAndMessages) {
  testing::TempFile anchor("", "anchor");
  const std::string work = fs::path(anchor.path()).parent_path().string();
  const std::string program = LUMENQUILL_PROGRAM;
  const CommandResult usage = RunCommand(program, work);
  EXPECT_EQ(usage.status, ExitStatus(2));
  EXPECT_NE(usage.err.find("使い方: lumenquill"), std::string::npos);

  fs::copy_file(std::string(LUMENQUILL_TEST_DATA_DIR) + "/reportlab-latin.pdf", work + "/a.pdf");
  std::ofstream(work + "/notes.txt") << "text";
  std::ofstream(work + "/settings.ini") << "[GroupBox3]\nCheckBox5=0\nCheckBox7=0\n";
  const std::string settings = "LUMENQUILL_INI=" + work + "/settings.ini ";
  EXPECT_EQ(RunCommand(settings + program + " " + work + "/a.pdf", work).status, ExitStatus(0));

  const CommandResult ignored = RunCommand(
      settings + program + " " + work + "/missing.pdf " + work + "/notes.txt " + work + "/a.pdf",
      work);
  EXPECT_EQ(ignored.status, ExitStatus(1));
  EXPECT_EQ(ignored.err, "Lumenquill: " + work + "/missing.pdf: ファイルが見つかりません。\n" +
                             "Lumenquill: " + work + "/notes.txt: PDFファイルではありません。\n");

  // Asked whether to overwrite, with no terminal to answer: No, so not converted.
  std::ofstream(work + "/settings.ini") << "[GroupBox3]\nCheckBox5=0\n";
  EXPECT_EQ(RunCommand(settings + program + " " + work + "/a.pdf", work).status, ExitStatus(1));
}

// A display that is named but cannot be opened: one line says so (unless --quiet), and the
// console converts. The program built without the windows pays no heed to a display.
TEST(EndToEnd, AnUnopenableDisplayFallsBackToTheConsole) {
  testing::TempFile anchor("", "anchor");
  const std::string work = fs::path(anchor.path()).parent_path().string();
  fs::copy_file(std::string(LUMENQUILL_TEST_DATA_DIR) + "/reportlab-latin.pdf", work + "/a.pdf");
  std::ofstream(work + "/settings.ini") << "[GroupBox3]\nCheckBox5=0\n";
#ifdef LUMENQUILL_PROGRAM_HAS_WINDOWS
  const std::string note = "Lumenquill: 画面を開けないため、コンソールで実行します。\n";
#else
  const std::string note;
#endif
  for (const std::string display :
       {"DISPLAY=:987", "QT_QPA_PLATFORM=xcb", "QT_QPA_PLATFORM=none"}) {
    for (const std::string quiet : {"", " --quiet"}) {
      SCOPED_TRACE(display + quiet);
      fs::remove(work + "/a.txt");
      const CommandResult run = RunCommand(display + " LUMENQUILL_INI=" + work + "/settings.ini " +
                                               LUMENQUILL_PROGRAM + quiet + " " + work + "/a.pdf",
                                           work);
      EXPECT_EQ(run.status, ExitStatus(0));
      EXPECT_EQ(run.err, quiet.empty() ? note : "");
      EXPECT_TRUE(fs::exists(work + "/a.txt"));
    }
  }
}

// A FIFO or a device among the PDF files is refused at once; the batch goes on.
TEST(EndToEnd, OnlyRegularFilesAreRead) {
  testing::TempFile anchor("", "anchor");
  const std::string work = fs::path(anchor.path()).parent_path().string();
  fs::create_directory(work + "/pdfs");
  ASSERT_EQ(::mkfifo((work + "/pdfs/a-fifo.pdf").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", work + "/pdfs/b-zero.pdf");
  fs::copy_file(std::string(LUMENQUILL_TEST_DATA_DIR) + "/reportlab-latin.pdf",
                work + "/pdfs/c.pdf");
  const CommandResult run =
      RunCommand("timeout 60 " + std::string(LUMENQUILL_PROGRAM) + " " + work + "/pdfs", work);
  EXPECT_EQ(run.status, ExitStatus(1));
  EXPECT_EQ(run.err, "Lumenquill: " + work +
                         "/pdfs/a-fifo.pdf: 通常のファイルではないため読み込めません。\n" +
                         "Lumenquill: " + work +
                         "/pdfs/b-zero.pdf: 通常のファイルではないため読み込めません。\n");
  EXPECT_TRUE(fs::exists(work + "/pdfs/c.txt"));
}

// A text file that cannot be written, on a full disk or in a read-only folder: a message that
// names it, status 1, the previous text file untouched and nothing left beside it.
TEST(EndToEnd, OutputThatCannotBeWritten) {
  testing::TempFile anchor("", "anchor");
  const std::string work = fs::path(anchor.path()).parent_path().string();
  std::ofstream(work + "/settings.ini") << "[GroupBox3]\nCheckBox5=0\nCheckBox7=0\nCheckBox8=0\n";
  const std::string command =
      "LUMENQUILL_INI=" + work + "/settings.ini " + std::string(LUMENQUILL_PROGRAM) + " ";

  const std::string disk = work + "/disk";
  {
    testing::SmallDisk small(disk, 48 * 1024);
    if (!small.ok()) GTEST_SKIP() << "no tmpfs can be mounted here";
    std::ofstream(disk + "/long.pdf", std::ios::binary) << testing::LongTextDocument(200, 1000);
    std::ofstream(disk + "/long.txt") << "old text";
    const CommandResult full = RunCommand(command + disk + "/long.pdf", work);
    EXPECT_EQ(full.status, ExitStatus(1));
    EXPECT_EQ(full.err,
              "Lumenquill: " + disk +
                  "/long.txt: ディスクの空き容量が不足しているため、テキストファイルを保存"
                  "できませんでした。\n");
    EXPECT_EQ(testing::ReadWholeFile(disk + "/long.txt"), "old text");
    EXPECT_THAT(testing::NamesBeside(disk + "/long.pdf"), ElementsAre("long.pdf", "long.txt"));
  }

  const std::string folder = work + "/read-only";
  fs::create_directory(folder);
  fs::copy_file(std::string(LUMENQUILL_TEST_DATA_DIR) + "/reportlab-latin.pdf", folder + "/a.pdf");
  testing::ReadOnlyFolder read_only(folder);
  ASSERT_TRUE(read_only.ok());
  const CommandResult denied = RunCommand(command + folder + "/a.pdf", work);
  EXPECT_EQ(denied.status, ExitStatus(1));
  EXPECT_NE(denied.err.find(folder + "/a.txt: "), std::string::npos) << denied.err;
  EXPECT_THAT(testing::NamesBeside(folder + "/a.pdf"), ElementsAre("a.pdf"));
}

// SIGTERM in the middle of a long extraction, by one process or by a job's child process: status
// 143, the previous text file untouched, no temporary file left (a job's child is ended with
// the program, and removes its file as it goes).
// True while a process holds open a temporary file of the folder: an unnamed one
// ("folder/#inode (deleted)" in /proc), or a hidden one where the file system has none.
bool TemporaryFileOpenIn(const std::string& folder) {
  std::error_code error;
  for (auto process = fs::directory_iterator("/proc", error); process != fs::directory_iterator();
       process.increment(error)) {
    for (auto fd = fs::directory_iterator(process->path() / "fd", error);
         !error && fd != fs::directory_iterator(); fd.increment(error)) {
      const fs::path file = fs::read_symlink(fd->path(), error);
      if (file.parent_path() == folder && !file.filename().empty() &&
          (file.filename().string()[0] == '#' || file.filename().string()[0] == '.')) {
        return true;
      }
    }
    error.clear();  // a process that ended, or whose files are not ours to see
  }
  return false;
}

TEST(EndToEnd, ASignalLeavesThePreviousFile) {
  testing::TempFile anchor("", "anchor");
  const std::string work = fs::path(anchor.path()).parent_path().string();
  std::ofstream(work + "/settings.ini") << "[GroupBox3]\nCheckBox5=0\nCheckBox7=0\n";
  std::ofstream(work + "/long.pdf", std::ios::binary) << testing::LongTextDocument(20'000, 200);
  const std::string pdf = work + "/long.pdf";
  const auto writing = [&] { return TemporaryFileOpenIn(work); };

  for (const char* jobs : {"1", "2"}) {
    SCOPED_TRACE(jobs);
    std::ofstream(work + "/long.txt") << "old text";
    const pid_t child = ::fork();
    if (child == 0) {
      ::setenv("LUMENQUILL_INI", (work + "/settings.ini").c_str(), 1);
      ::unsetenv("DISPLAY");
      ::unsetenv("WAYLAND_DISPLAY");
      ::unsetenv("QT_QPA_PLATFORM");
      ::execl(LUMENQUILL_PROGRAM, LUMENQUILL_PROGRAM, "--jobs", jobs, pdf.c_str(), nullptr);
      ::_exit(127);
    }
    // The temporary file shows that the extraction is under way.
    for (int i = 0; i < 30'000 && !writing(); ++i) ::usleep(1000);
    EXPECT_TRUE(writing());
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, ExitStatus(143));
    for (int i = 0; i < 10'000 && writing(); ++i) ::usleep(1000);
    EXPECT_EQ(testing::ReadWholeFile(work + "/long.txt"), "old text");
    EXPECT_THAT(testing::NamesBeside(pdf),
                ElementsAre("anchor", "long.pdf", "long.txt", "settings.ini"));
  }
}

}  // namespace
}  // namespace lumenquill
