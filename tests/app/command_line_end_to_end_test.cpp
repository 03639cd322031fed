// lumenquill's command-line options, run as a user runs them without a display: what each one
// does to the files written and to the output, over the settings file, which they never change.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/shift_jis_text.h"
#include "platform/utf16_text.h"
#include "program_run.h"

namespace lumenquill {
namespace {

namespace fs = std::filesystem;
using testing::CommandResult;
using testing::ExitStatus;
using ::testing::HasSubstr;
using testing::WorkFolder;

class CommandLineRun : public ::testing::Test {
 protected:
  // Writes the settings file that the runs read.
  void Settings(const std::string& text) { std::ofstream(settings_) << text; }

  // lumenquill with the arguments and the settings file, started through the prefix (further
  // environment variables, a time limit).
  CommandResult Run(const std::string& arguments, const std::string& prefix = "") {
    return testing::RunCommand(
        "LUMENQUILL_INI=" + settings_ + " " + prefix + " " + LUMENQUILL_PROGRAM + " " + arguments,
        work_.path());
  }

  // The text that lumenquill-info --extract writes for the PDF with those options.
  std::string Reference(const std::string& pdf, const std::string& options) {
    const std::string reference = work_.path() + "/reference.txt";
    EXPECT_EQ(testing::RunCommand(std::string(LUMENQUILL_INFO_PROGRAM) + " --extract " + reference +
                                      " " + options + " " + pdf,
                                  work_.path())
                  .status,
              0);
    return testing::ReadWholeFile(reference);
  }

  WorkFolder work_;
  std::string settings_ = work_.path() + "/settings.ini";
};

TEST_F(CommandLineRun, HelpVersionAndUsageErrors) {
  const CommandResult help = Run("--help");
  EXPECT_EQ(help.status, ExitStatus(0));
  EXPECT_THAT(help.out, HasSubstr("使い方: lumenquill"));
  for (const char* option :
       {"--first",         "--last",   "--no-banner", "--eol",          "--no-breaks",
        "--output-dir",    "--stdout", "--overwrite", "--no-overwrite", "--no-open",
        "--newer-formats", "--quiet",  "--jobs",      "--encoding",     "--fold-compatibility",
        "--layout",        "--ruby",   "--recursive", "--version",      "--"}) {
    EXPECT_NE(help.out.find(std::string(option) + " "), std::string::npos) << option;
  }
  EXPECT_EQ(help.err, "");

  const CommandResult version = Run("--version");
  EXPECT_EQ(version.status, ExitStatus(0));
  EXPECT_EQ(version.out, "Lumenquill 1.21\n");

  for (const std::string& arguments :
       std::vector<std::string>{"--bogus a.pdf", "a.pdf --first", "--eol unix a.pdf",
                                "--jobs 0 a.pdf", "--last x a.pdf", "--first 3 --last 1 a.pdf", "",
                                "--no-open", "--output-dir " + work_.path() + "/none a.pdf",
                                "--output-dir " + std::string(LUMENQUILL_PROGRAM) + " a.pdf"}) {
    SCOPED_TRACE(arguments);
    const CommandResult usage = Run(arguments);
    EXPECT_EQ(usage.status, ExitStatus(2));
    EXPECT_EQ(usage.out, "");
    EXPECT_THAT(usage.err, HasSubstr("Lumenquill: "));
    EXPECT_THAT(usage.err, HasSubstr("使い方: lumenquill"));
  }
  EXPECT_THAT(Run("--bogus a.pdf").err, HasSubstr("使い方: lumenquill"));
  EXPECT_FALSE(fs::exists(settings_));  // nothing wrote a settings file
}

// Each option changes the text as the extractor's same option does, over the settings file's
// value, and the settings file stays as it was.
TEST_F(CommandLineRun, OptionsOverTheSettingsFile) {
  const std::string pdf = work_.AddFixture("reportlab-japanese", "a.pdf");
  const std::string settings = "[GroupBox2]\nComboBox1=1\n[GroupBox3]\nCheckBox5=0\nCheckBox7=0\n";
  Settings(settings);
  const std::string text = work_.path() + "/a.txt";
  ASSERT_EQ(Run(pdf).status, ExitStatus(0));
  const std::string plain = testing::ReadWholeFile(text);
  EXPECT_EQ(plain, Reference(pdf, "--eol lf"));

  const std::pair<const char*, const char*> cases[] = {
      {"--no-banner", "--eol lf --no-banner"},
      {"--eol crlf", "--eol crlf"},
      {"--eol cr", "--eol cr"},
      {"--no-breaks", "--eol lf --no-breaks"},
      {"--first 2", "--eol lf --first 2"},
      {"--last 1", "--eol lf --last 1"},
  };
  for (const auto& [option, extractor_option] : cases) {
    SCOPED_TRACE(option);
    const CommandResult run = Run(std::string(option) + " " + pdf);
    EXPECT_EQ(run.status, ExitStatus(0));
    EXPECT_EQ(run.err, "");
    const std::string written = testing::ReadWholeFile(text);
    EXPECT_EQ(written, Reference(pdf, extractor_option));
    EXPECT_NE(written, plain);
  }
  EXPECT_EQ(testing::ReadWholeFile(settings_), settings);

  // A page range is not asked for, where the settings would ask it. As pdftotext reads them,
  // pages past the document read to its last page, and a first page past it gives an empty
  // text, with a note.
  Settings("[GroupBox1]\nCheckBox2=1\n[GroupBox3]\nCheckBox5=0\nCheckBox7=0\n");
  EXPECT_EQ(Run(pdf).status, ExitStatus(1));
  EXPECT_EQ(Run("--last 1 " + pdf).status, ExitStatus(0));
  EXPECT_EQ(testing::ReadWholeFile(text), Reference(pdf, "--last 1"));
  const CommandResult to_the_end = Run("--first 2 --last 99 " + pdf);
  EXPECT_EQ(to_the_end.status, ExitStatus(0));
  EXPECT_EQ(to_the_end.err, "");
  EXPECT_EQ(testing::ReadWholeFile(text), Reference(pdf, "--first 2"));
  const CommandResult beyond = Run("--first 9 " + pdf);
  EXPECT_EQ(beyond.status, ExitStatus(0));
  EXPECT_EQ(beyond.err, "Lumenquill: " + pdf +
                            ": 文書は 2 ページまでのため、9 ページ目からのテキストは空です。\n");
  EXPECT_EQ(testing::ReadWholeFile(text), "");
}

TEST_F(CommandLineRun, OverwriteOpenAndOutputFolder) {
  const std::string pdf = work_.AddFixture("reportlab-latin", "a.pdf");
  const std::string text = work_.path() + "/a.txt";
  Settings("");  // asks before overwriting, opens the result
  std::ofstream(text) << "old";
  const CommandResult kept = Run("--no-overwrite " + pdf);
  EXPECT_EQ(kept.status, ExitStatus(1));
  EXPECT_EQ(kept.err,
            "Lumenquill: " + text + ": このファイルは既に存在するため、上書きしませんでした。\n");
  EXPECT_EQ(testing::ReadWholeFile(text), "old");

  const CommandResult replaced = Run("--overwrite " + pdf);
  EXPECT_EQ(replaced.status, ExitStatus(0));
  EXPECT_EQ(replaced.err, "");
  EXPECT_EQ(replaced.out, text + "\n");  // named for the editor
  EXPECT_EQ(testing::ReadWholeFile(text), Reference(pdf, ""));
  EXPECT_EQ(Run("--overwrite --no-open " + pdf).out, "");
  EXPECT_EQ(Run("--overwrite --quiet " + pdf).out, "");
  EXPECT_EQ(Run("--overwrite --quiet --jobs 2 " + pdf).out, "");

  const std::string out = work_.path() + "/out";
  fs::create_directory(out);
  const CommandResult elsewhere = Run("--output-dir " + out + " " + pdf);
  EXPECT_EQ(elsewhere.status, ExitStatus(0));
  EXPECT_EQ(elsewhere.out, out + "/a.txt\n");
  EXPECT_EQ(testing::ReadWholeFile(out + "/a.txt"), Reference(pdf, ""));

  // Names for the editor that cannot be written make the run fail, with or without jobs.
  for (const std::string jobs : {"", "--jobs 2 "}) {
    const CommandResult unwritten =
        testing::RunCommand("sh -c 'LUMENQUILL_INI=" + settings_ + " " + LUMENQUILL_PROGRAM +
                                " --overwrite " + jobs + pdf + " >/dev/full'",
                            work_.path());
    EXPECT_EQ(unwritten.status, ExitStatus(1)) << jobs;
    EXPECT_THAT(unwritten.err, HasSubstr("標準出力")) << jobs;
  }
}

// --stdout writes what the text files would hold, one PDF after the other, and no file.
TEST_F(CommandLineRun, StandardOutputHoldsTheFiles) {
  const std::string a = work_.AddFixture("reportlab-japanese", "a.pdf");
  const std::string broken = work_.AddFixture("truncated", "b.pdf");
  const std::string c = work_.AddFixture("reportlab-latin", "c.pdf");
  Settings("[GroupBox3]\nCheckBox5=0\n");
  ASSERT_EQ(Run(a + " " + c).status, ExitStatus(0));
  const std::string files = testing::ReadWholeFile(work_.path() + "/a.txt") +
                            testing::ReadWholeFile(work_.path() + "/c.txt");
  fs::remove(work_.path() + "/a.txt");
  fs::remove(work_.path() + "/c.txt");

  const CommandResult run = Run("--stdout " + a + " " + broken + " " + c);
  EXPECT_EQ(run.status, ExitStatus(1));
  EXPECT_EQ(run.out, files);
  EXPECT_EQ(run.err,
            "Lumenquill: " + broken + ": このファイルは破損しているか対応できない形式です。\n");
  EXPECT_THAT(testing::NamesBeside(a), ::testing::ElementsAre("a.pdf", "anchor", "b.pdf", "c.pdf",
                                                              "settings.ini", "stderr", "stdout"));
}

// Several jobs write the same bytes and say the same things in the same order as one job,
// including the editor's limit of ten results per run.
TEST_F(CommandLineRun, JobsGiveTheSameResultAsOne) {
  const std::string pdfs = work_.path() + "/pdfs";
  fs::create_directory(pdfs);
  const char* fixtures[] = {"reportlab-japanese", "reportlab-latin", "cairo-pages",
                            "reportlab-forms"};
  for (int i = 0; i < 12; ++i) {
    work_.AddFixture(fixtures[i % 4],
                     "pdfs/" + std::string(1, static_cast<char>('a' + i)) + ".pdf");
  }
  work_.AddFixture("truncated", "pdfs/f-broken.pdf");
  Settings("[GroupBox3]\nCheckBox7=0\n");

  const auto texts = [&pdfs] {
    std::string all;
    for (char name = 'a'; name < 'a' + 12; ++name) {
      all += testing::ReadWholeFile(pdfs + "/" + std::string(1, name) + ".txt") + "\f";
    }
    return all;
  };
  const CommandResult one = Run("--jobs 1 " + pdfs + " " + work_.path() + "/missing.pdf");
  const std::string one_texts = texts();
  EXPECT_EQ(one.status, ExitStatus(1));
  EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 10);
  for (char name = 'a'; name < 'a' + 12; ++name)
    fs::remove(pdfs + "/" + std::string(1, name) + ".txt");

  const CommandResult several = Run("--jobs 3 " + pdfs + " " + work_.path() + "/missing.pdf");
  EXPECT_EQ(several.status, one.status);
  EXPECT_EQ(several.out, one.out);
  EXPECT_EQ(several.err, one.err);
  EXPECT_EQ(texts(), one_texts);

  EXPECT_EQ(Run("-j 4 --stdout " + pdfs).out, Run("--stdout " + pdfs).out);
}

// Two files that write one text file: with several jobs the first in the list is still
// converted first, and the second finds its text in place, as with one job.
TEST_F(CommandLineRun, JobsKeepTheOrderOfFilesWithOneTextFile) {
  for (const char* folder : {"/d1", "/d2", "/out"}) fs::create_directory(work_.path() + folder);
  const std::string first = work_.AddFixture("reportlab-japanese", "d1/x.pdf");
  const std::string second = work_.AddFixture("cairo-pages", "d2/x.pdf");
  const std::string text = work_.path() + "/out/x.txt";
  const std::string arguments =
      " --no-overwrite --output-dir " + work_.path() + "/out " + first + " " + second;
  const CommandResult one = Run("--jobs 1" + arguments);
  const std::string one_text = testing::ReadWholeFile(text);
  fs::remove(text);
  const CommandResult two = Run("--jobs 2" + arguments);
  EXPECT_EQ(one.status, ExitStatus(1));
  EXPECT_EQ(two.status, one.status);
  EXPECT_EQ(two.err, one.err);
  EXPECT_EQ(one_text, Reference(first, ""));
  EXPECT_EQ(testing::ReadWholeFile(text), one_text);
}

#ifdef LUMENQUILL_PROGRAM_HAS_WINDOWS
// In the windows the options apply as on the console: here no question is asked, which would
// wait for a click. --stdout runs on the console even with a display.
TEST_F(CommandLineRun, OptionsInTheWindows) {
  const std::string pdf = work_.AddFixture("reportlab-japanese", "a.pdf");
  const std::string text = work_.path() + "/a.txt";
  Settings("[GroupBox1]\nCheckBox2=1\n");  // asks for the page range and before overwriting
  std::ofstream(text) << "old";
  const std::string display = "QT_QPA_PLATFORM=xcb timeout 60 xvfb-run -a";
  const CommandResult run =
      Run("--overwrite --no-open --eol lf --no-banner --last 1 " + pdf, display);
  EXPECT_EQ(run.status, ExitStatus(0));
  EXPECT_EQ(run.err.find("Lumenquill"), std::string::npos) << run.err;  // Qt's own notes only
  EXPECT_EQ(testing::ReadWholeFile(text), Reference(pdf, "--eol lf --no-banner --last 1"));

  const CommandResult piped = Run("--stdout --first 2 " + pdf, display);
  EXPECT_EQ(piped.status, ExitStatus(0));
  EXPECT_EQ(piped.out, Reference(pdf, "--first 2"));
}
#endif

// Nothing waits for an answer that cannot come: on Qt's platforms without a screen the console
// asks (and, without a terminal, answers No); a settings file that is a FIFO is not read.
TEST_F(CommandLineRun, NothingWaitsForever) {
  const std::string pdf = work_.AddFixture("reportlab-latin", "a.pdf");
  Settings("[GroupBox1]\nCheckBox2=1\n");  // asks for the page range
  for (const std::string platform : {"offscreen", "minimal"}) {
    SCOPED_TRACE(platform);
    const CommandResult run = Run(pdf, "QT_QPA_PLATFORM=" + platform + " timeout 60");
    EXPECT_EQ(run.status, ExitStatus(1));
    EXPECT_THAT(run.err, HasSubstr("(端末がないため答えられません)"));
  }
  fs::remove(settings_);
  ASSERT_EQ(::mkfifo(settings_.c_str(), 0600), 0);
  const CommandResult fifo = Run("--stdout " + pdf, "timeout 60");
  EXPECT_EQ(fifo.status, ExitStatus(0));
  EXPECT_EQ(fifo.out, Reference(pdf, ""));
}

// "-" reads a PDF from standard input, into standard output or stdin.txt of the output folder;
// a file named on the command line is a PDF by its content, whatever its name; a folder still
// takes "*.pdf" only.
TEST_F(CommandLineRun, StandardInputAndFilesByContent) {
  const std::string pdf = work_.AddFixture("reportlab-latin", "a.pdf");
  Settings("[GroupBox3]\nCheckBox5=0\n");
  const auto piped = [&](const std::string& arguments) {
    return testing::RunCommand("sh -c 'LUMENQUILL_INI=" + settings_ + " " + LUMENQUILL_PROGRAM +
                                   " " + arguments + " < " + pdf + "'",
                               work_.path());
  };
  const CommandResult out = piped("--stdout -");
  EXPECT_EQ(out.status, ExitStatus(0));
  EXPECT_EQ(out.out, Reference(pdf, ""));
  EXPECT_EQ(piped("-j2 --stdout " + pdf + " -").out, out.out + out.out);
  fs::create_directory(work_.path() + "/out");
  EXPECT_EQ(piped("- --output-dir=" + work_.path() + "/out").status, ExitStatus(0));
  EXPECT_EQ(testing::ReadWholeFile(work_.path() + "/out/stdin.txt"), Reference(pdf, ""));
  const CommandResult nowhere = piped("-");
  EXPECT_EQ(nowhere.status, ExitStatus(2));
  EXPECT_THAT(nowhere.err, HasSubstr("--stdout か --output-dir"));

  fs::create_directory(work_.path() + "/d");
  const std::string scan = work_.AddFixture("reportlab-latin", "d/scan.dat");
  std::ofstream(work_.path() + "/d/notes.dat") << "not a PDF";
  const CommandResult named = Run(scan + " " + work_.path() + "/d/notes.dat");
  EXPECT_EQ(named.status, ExitStatus(1));
  EXPECT_EQ(named.err,
            "Lumenquill: " + work_.path() + "/d/notes.dat: PDFファイルではありません。\n");
  EXPECT_EQ(testing::ReadWholeFile(work_.path() + "/d/scan.txt"), Reference(pdf, ""));
  const CommandResult folder = Run(work_.path() + "/d");
  EXPECT_EQ(folder.status, ExitStatus(1));
  EXPECT_EQ(folder.err, "Lumenquill: " + work_.path() + "/d: PDFファイルがありません。\n");
}

// --recursive takes the PDF files of subfolders at every level, in name order, passing over
// hidden names and links to folders (which could loop); a folder without one is told.
TEST_F(CommandLineRun, RecursiveFolders) {
  const std::string d = work_.path() + "/d";
  for (const char* folder : {"d", "d/b", "d/b/e", "d/.hidden", "d/empty"}) {
    fs::create_directory(work_.path() + "/" + folder);
  }
  for (const char* file :
       {"d/a.pdf", "d/b/c.pdf", "d/b/e/f.pdf", "d/b/.g.pdf", "d/.hidden/h.pdf", "d/c.pdf"}) {
    work_.AddFixture("reportlab-latin", file);
  }
  fs::create_directory_symlink(d, d + "/b/loop");
  Settings("[GroupBox3]\nCheckBox7=0\n");  // each result named on standard output
  const CommandResult flat = Run(d);
  EXPECT_EQ(flat.status, ExitStatus(0));
  EXPECT_EQ(flat.out, d + "/a.txt\n" + d + "/c.txt\n");
  for (const std::string option : {"-r", "--recursive"}) {
    SCOPED_TRACE(option);
    const CommandResult deep = Run(option + " " + d);
    EXPECT_EQ(deep.status, ExitStatus(0));
    EXPECT_EQ(deep.out, d + "/a.txt\n" + d + "/b/c.txt\n" + d + "/b/e/f.txt\n" + d + "/c.txt\n");
  }
  EXPECT_TRUE(fs::exists(d + "/b/e/f.txt"));
  EXPECT_FALSE(fs::exists(d + "/.hidden/h.txt") || fs::exists(d + "/b/.g.txt"));
  const CommandResult empty = Run("-r " + d + "/empty " + d + "/b/e");
  EXPECT_EQ(empty.status, ExitStatus(1));
  EXPECT_EQ(empty.err, "Lumenquill: " + d + "/empty: PDFファイルがありません。\n");
}

// A PDF 1.7 file that is otherwise 1.4: refused with a line naming --newer-formats, in this
// process or in child processes, and read with that option, by lumenquill and lumenquill-info.
TEST_F(CommandLineRun, NewerFormatsOption) {
  const std::string original = work_.AddFixture("reportlab-latin", "original.pdf");
  const std::string pdf = work_.AddFixture("reportlab-latin", "newer.pdf");
  {
    std::fstream file(pdf, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(7);  // the minor version of "%PDF-1.4"
    file.put('7');
  }
  const std::string text = work_.path() + "/newer.txt";
  Settings("[GroupBox3]\nCheckBox5=0\n");
  for (const std::string jobs : {"", "--jobs 2 "}) {
    SCOPED_TRACE(jobs);
    const CommandResult refused = Run(jobs + pdf);
    EXPECT_EQ(refused.status, ExitStatus(1));
    EXPECT_EQ(refused.err, "Lumenquill: " + pdf +
                               ": このファイルは破損しているか対応できない形式です。 "
                               "--newer-formats オプションを付けると読み込める場合があります。\n");
  }
  EXPECT_FALSE(fs::exists(text));
  const CommandResult converted = Run("--newer-formats " + pdf);
  EXPECT_EQ(converted.status, ExitStatus(0));
  EXPECT_EQ(converted.err, "");
  EXPECT_EQ(testing::ReadWholeFile(text), Reference(original, ""));
  // lumenquill-info takes the option before any other, or among those of --extract.
  EXPECT_EQ(Reference(pdf, "--newer-formats"), Reference(original, ""));
  const std::string info = LUMENQUILL_INFO_PROGRAM;
  const CommandResult info_refused = testing::RunCommand(info + " " + pdf, work_.path());
  EXPECT_EQ(info_refused.status, ExitStatus(1));
  EXPECT_THAT(info_refused.err, ::testing::StartsWith("lumenquill-info: " + pdf + ": "));
  EXPECT_THAT(info_refused.err,
              HasSubstr("。 --newer-formats オプションを付けると読み込める場合があります。\n"));
  for (const std::string command :
       {" --newer-formats ", " --newer-formats --fonts ", " --newer-formats --object 1 ",
        " --fonts --newer-formats ", " --newer-formats --object=1 "}) {
    SCOPED_TRACE(command);
    EXPECT_EQ(testing::RunCommand(info + command + pdf, work_.path()).status, ExitStatus(0));
  }
  // After "--" it is a file's name.
  EXPECT_EQ(testing::RunCommand(info + " -- --newer-formats", work_.path()).err,
            "lumenquill-info: --newer-formats: ファイルが見つかりません。\n");
  // A file whose author forbade extracting its text stays secured, and says so.
  const std::string secured =
      std::string(LUMENQUILL_TEST_DATA_DIR) + "/encrypted/rc4-128-no-extract.pdf";
  const std::string out = work_.path() + "/secured.txt";
  const CommandResult refused =
      testing::RunCommand(info + " --newer-formats --extract " + out + " " + secured, work_.path());
  EXPECT_EQ(refused.status, ExitStatus(1));
  EXPECT_EQ(refused.err, "lumenquill-info: " + secured +
                             ": セキュリティが設定されているPDFファイルからはテキストを抽出"
                             "できません。\n");
  EXPECT_FALSE(fs::exists(out));
}

// The encodings of the text, from the option or the settings file: the Unicode ones keep the
// character that Shift-JIS cannot hold, and the run in Shift-JIS warns of it (lumenquill-info
// always), the exit status unchanged.
TEST_F(CommandLineRun, EncodingsAndTheWarningOfReplacedCharacters) {
  const std::string pdf = std::string(LUMENQUILL_TEST_DATA_DIR) + "/fonttools-cidfonttype2.pdf";
  const std::string shift_jis =
      testing::ReadWholeFile(std::string(LUMENQUILL_TEST_DATA_DIR) + "/fonttools-cidfonttype2.txt");
  std::string utf8 = ShiftJisToUtf8(shift_jis).value_or("");
  const size_t space = utf8.find("(Identity)  る");
  ASSERT_NE(space, std::string::npos);
  utf8.replace(space, std::string("(Identity)  ").size(), "(Identity) 𠮟");

  const CommandResult plain = Run("--encoding utf-8 --stdout " + pdf);
  EXPECT_EQ(plain.status, ExitStatus(0));
  EXPECT_EQ(plain.out, utf8);
  EXPECT_EQ(plain.err, "");
  EXPECT_EQ(Run("--encoding=utf-8-bom --stdout " + pdf).out, "\xEF\xBB\xBF" + utf8);
  const std::string utf16 = Run("--encoding utf-16 --stdout " + pdf).out;
  ASSERT_TRUE(utf16.starts_with("\xFF\xFE") && utf16.size() % 2 == 0);
  std::u16string units;
  for (size_t i = 2; i < utf16.size(); i += 2) {
    units.push_back(static_cast<char16_t>(static_cast<uint8_t>(utf16[i]) |
                                          static_cast<uint8_t>(utf16[i + 1]) << 8));
  }
  EXPECT_EQ(Utf16ToUtf8(units), utf8);
  Settings("[GroupBox5]\nComboBox2=1\n");
  EXPECT_EQ(Run("--stdout " + pdf).out, utf8);

  const std::string warning =
      ": 置き換えた文字があります: 文字コードで表せない文字 1 個 (U+20B9F 𠮟)\n";
  const CommandResult replaced = Run("--encoding sjis --stdout " + pdf);
  EXPECT_EQ(replaced.status, ExitStatus(0));
  EXPECT_EQ(replaced.out, shift_jis);
  EXPECT_EQ(replaced.err, "Lumenquill: " + pdf + warning);
  Settings("[GroupBox3]\nCheckBox8=0\n");
  EXPECT_EQ(Run("--stdout " + pdf).err, "");
  const CommandResult info = testing::RunCommand(
      std::string(LUMENQUILL_INFO_PROGRAM) + " --extract " + work_.path() + "/out.txt " + pdf,
      work_.path());
  EXPECT_EQ(info.status, ExitStatus(0));
  EXPECT_EQ(info.err, "lumenquill-info: " + pdf + warning);
  EXPECT_EQ(testing::ReadWholeFile(work_.path() + "/out.txt"), shift_jis);
}

// Layout order and ruby from the options or the settings file reach the extraction, and
// lumenquill-info --layout-dump lists the columns and ruby of a vertical page.
TEST_F(CommandLineRun, LayoutOrderRubyAndTheLayoutDump) {
  const std::string pdf =
      std::string(LUMENQUILL_TEST_DATA_DIR) + "/layout/lualatex-vertical-ruby.pdf";
  const std::string options = "--no-banner --encoding utf-8 --eol lf --stdout ";
  EXPECT_THAT(Run(options + pdf).out, HasSubstr("けんり\n権利と\n"));
  EXPECT_THAT(Run(options + "--layout " + pdf).out, HasSubstr("\n権利と条約。\n"));
  const CommandResult bracketed = Run(options + "--layout --ruby bracket " + pdf);
  EXPECT_EQ(bracketed.status, ExitStatus(0));
  EXPECT_THAT(bracketed.out, HasSubstr("\n権利《けんり》と条約《じょうやく》。\n"));
  Settings("[GroupBox5]\nCheckBox11=1\nComboBox3=1\n");
  EXPECT_EQ(Run(options + pdf).out, bracketed.out);

  const CommandResult dump = testing::RunCommand(
      std::string(LUMENQUILL_INFO_PROGRAM) + " --layout-dump " + pdf, work_.path());
  EXPECT_EQ(dump.status, ExitStatus(0));
  EXPECT_THAT(dump.out, HasSubstr("  text  権利と条約。\npage 1  v  ["));
  EXPECT_THAT(dump.out, HasSubstr("]  ruby  けんり\n"));
}

// lumenquill-info: help and version, usage errors with status 2, a failure naming its file once.
TEST_F(CommandLineRun, DiagnosticToolCommandLine) {
  const std::string info = LUMENQUILL_INFO_PROGRAM;
  const CommandResult help = testing::RunCommand(info + " --help", work_.path());
  EXPECT_EQ(help.status, ExitStatus(0));
  EXPECT_THAT(help.out, HasSubstr("--fonts FILE..."));
  EXPECT_THAT(help.out, HasSubstr("--layout-dump FILE "));
  EXPECT_EQ(testing::RunCommand(info + " --version", work_.path()).out,
            "lumenquill-info (Lumenquill 1.21)\n");

  for (const std::string arguments :
       {"", "--fonts", "--fonts --colour a.pdf", "--object 1", "--object x a.pdf", "--extract",
        "--layout-dump", "--layout-dump a.pdf b.pdf", "--extract o.txt --ruby x a.pdf"}) {
    SCOPED_TRACE(arguments);
    const CommandResult usage = testing::RunCommand(info + " " + arguments, work_.path());
    EXPECT_EQ(usage.status, ExitStatus(2));
    EXPECT_THAT(usage.err, HasSubstr("使い方: lumenquill-info"));
  }

  const std::string missing = work_.path() + "/missing.pdf";
  for (const std::string command :
       {" ", " --fonts ", " --object 1 ", " --extract out.txt ", " --layout-dump "}) {
    SCOPED_TRACE(command);
    const CommandResult failed = testing::RunCommand(info + command + missing, work_.path());
    EXPECT_EQ(failed.status, ExitStatus(1));
    EXPECT_EQ(failed.err, "lumenquill-info: " + missing + ": ファイルが見つかりません。\n");
  }
  // A file named like an option, after "--".
  EXPECT_EQ(testing::RunCommand(info + " -- --fonts", work_.path()).err,
            "lumenquill-info: --fonts: ファイルが見つかりません。\n");
  const std::string pdf = std::string(LUMENQUILL_TEST_DATA_DIR) + "/reportlab-latin.pdf";
  const CommandResult no_object = testing::RunCommand(info + " --object 999 " + pdf, work_.path());
  EXPECT_EQ(no_object.status, ExitStatus(1));
  EXPECT_THAT(no_object.err, HasSubstr("lumenquill-info: " + pdf +
                                       ": このファイルにオブジェクト 999 はありません。"));

  // As lumenquill reads them, pages past the three read to the last, a first page past them
  // gives an empty text with a note; page 0 and a reversed range are usage errors.
  const std::string out = work_.path() + "/range.txt";
  const std::string all = Reference(pdf, "");
  const auto extract = [&](const std::string& range) {
    return testing::RunCommand(info + " --extract=" + out + " " + range + " " + pdf, work_.path());
  };
  EXPECT_EQ(extract("--last=4").status, ExitStatus(0));
  EXPECT_EQ(testing::ReadWholeFile(out), all);
  const CommandResult beyond = extract("--first 9");
  EXPECT_EQ(beyond.status, ExitStatus(0));
  EXPECT_EQ(beyond.err, "lumenquill-info: " + pdf +
                            ": 文書は 3 ページまでのため、9 ページ目からのテキストは空です。\n");
  EXPECT_EQ(testing::ReadWholeFile(out), "");
  EXPECT_EQ(extract("--first 0").status, ExitStatus(2));
  EXPECT_EQ(extract("--first 3 --last 1").status, ExitStatus(2));
}

}  // namespace
}  // namespace lumenquill
