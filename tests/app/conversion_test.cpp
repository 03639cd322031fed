#include "app/conversion.h"

#ifndef _WIN32
#include <fcntl.h>
#endif
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/batch.h"
#include "app/console_interface.h"
#include "platform/escape_key.h"
#include "platform/locked_file.h"
#include "recording_interface.h"
#include "settings_file.h"
#ifndef _WIN32
#include "support/failing_disk.h"
#endif
#include "support/pdf_builder.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using testing::RecordingInterface;
using testing::SettingsFile;
using ::testing::StartsWith;

// A two-page document whose pages show "one" and "two", with the version in its header.
std::string TwoPages(const std::string& version = "1.4") {
  return testing::PagesShowing({"BT (one) Tj ET", "BT (two) Tj ET"}).Version(version).Build();
}

#ifndef _WIN32
// Holds a write lock on the file, as another program writing it would; close the result to
// release it.
int HoldWriteLock(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  EXPECT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
  return fd;
}

#endif

class ConversionTest : public ::testing::Test {
 protected:
  // A PDF named name.pdf in the test folder; returns its path.
  std::string AddFile(const std::string& name, const std::string& bytes) {
    const std::string path = folder_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::string TextOf(const std::string& pdf) {
    return testing::ReadWholeFile(pdf.substr(0, pdf.size() - 4) + ".txt");
  }

  testing::TempFile anchor_{"", "anchor"};
  std::string folder_ = std::filesystem::path(anchor_.path()).parent_path().string();
  RecordingInterface ui_;
  Conversion conversion_{ui_};
};

TEST_F(ConversionTest, ConvertsWithTheDefaults) {
  SettingsFile settings("[GroupBox1]\nCheckBox1=0\n");
  const std::string pdf = AddFile("a.pdf", TwoPages());
  EXPECT_TRUE(conversion_.ConvertFile(pdf));
  EXPECT_EQ(TextOf(pdf), "onetwo");
  EXPECT_EQ(conversion_.open_count, 1);
  EXPECT_THAT(ui_.events, ElementsAre("not on top", "present", "done 100",
                                      "open " + folder_ + "/a.txt", "hide"));
}

TEST_F(ConversionTest, DamagedAndSecuredFiles) {
  const std::string damaged = AddFile("bad.pdf", "not a pdf");
  const std::string secured = AddFile(
      "secured.pdf", testing::PagesShowing({""}).Trailer("/Root 1 0 R /Encrypt 9 0 R").Build());
  {
    SettingsFile warnings_on("");
    EXPECT_FALSE(conversion_.ConvertFile(damaged));
    EXPECT_FALSE(conversion_.ConvertFile(secured));
  }
  EXPECT_THAT(
      ui_.events,
      ElementsAre("message Lumenquill error: " + damaged + "\r\n" +
                      "このファイルは破損しているか対応できない形式です。",
                  "message Lumenquill error: " + secured + "\r\n" +
                      "セキュリティが設定されているPDFファイルからはテキストを抽出できません。"));
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/secured.txt"));
  EXPECT_EQ(conversion_.open_count, 0);

  ui_.events.clear();
  SettingsFile warnings_off("[GroupBox3]\nCheckBox8=0\n");
  EXPECT_FALSE(conversion_.ConvertFile(damaged));
  EXPECT_FALSE(conversion_.ConvertFile(secured));
  EXPECT_TRUE(ui_.events.empty());
}

// A PDF 1.7 file that is otherwise 1.4 is read when the settings file or the run's option says
// so. Refused, its message gets a line saying how to turn reading newer files on, which a file
// refused for another reason does not get.
TEST_F(ConversionTest, NewerFormatsSwitch) {
  constexpr const char* kQuiet = "[GroupBox1]\nCheckBox1=0\n[GroupBox3]\nCheckBox5=0\n";
  const std::string newer = AddFile("newer.pdf", TwoPages("1.7"));
  const std::string damaged = AddFile("bad.pdf", "%PDF-1.4\nno end marker");
  const auto encrypted = [this](const std::string& name) {
    return AddFile(name + ".pdf", testing::ReadWholeFile(std::string(LUMENQUILL_TEST_DATA_DIR) +
                                                         "/encrypted/" + name + ".pdf"));
  };
  // Encrypted with an empty user password: the switch opens it. With extraction forbidden:
  // it never does, so no line is added.
  const std::string rc4 = encrypted("rc4-40");
  const std::string forbidden = encrypted("rc4-40-no-extract");
  {
    SettingsFile off(std::string(kQuiet) + "[GroupBox4]\nCheckBox9=0\n");
    EXPECT_FALSE(conversion_.ConvertFile(newer));
    EXPECT_FALSE(conversion_.ConvertFile(damaged));
    EXPECT_FALSE(conversion_.ConvertFile(rc4));
    EXPECT_FALSE(conversion_.ConvertFile(forbidden));
  }
  const std::string hint =
      "\r\nオプションの「新しい形式のPDFも読み込む」をオンにすると読み込める場合があります。";
  const std::string secured =
      "セキュリティが設定されているPDFファイルからはテキストを抽出できません。";
  EXPECT_THAT(ui_.events,
              ElementsAre("message Lumenquill error: " + newer + "\r\n" +
                              "このファイルは破損しているか対応できない形式です。" + hint,
                          "message Lumenquill error: " + damaged + "\r\n" +
                              "このファイルは破損しているか対応できない形式です。",
                          "message Lumenquill error: " + rc4 + "\r\n" + secured + hint,
                          "message Lumenquill error: " + forbidden + "\r\n" + secured));
  EXPECT_EQ(conversion_.open_count, 0);
  ui_.events.clear();
  {
    SettingsFile on(std::string(kQuiet) + "[GroupBox4]\nCheckBox9=1\n");
    EXPECT_TRUE(conversion_.ConvertFile(newer));
    EXPECT_EQ(TextOf(newer), "onetwo");
    EXPECT_TRUE(conversion_.ConvertFile(rc4));
    EXPECT_FALSE(TextOf(rc4).empty());
    EXPECT_FALSE(conversion_.ConvertFile(forbidden));
  }
  EXPECT_THAT(ui_.events,
              ::testing::Contains("message Lumenquill error: " + forbidden + "\r\n" + secured));

  // On the console the line names the command line's option, which turns reading on alone.
  std::filesystem::remove(folder_ + "/newer.txt");
  SettingsFile off(kQuiet);
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  ConsoleUserInterface console(in, out, err, false, false);
  EXPECT_FALSE(Conversion(console).ConvertFile(newer));
  EXPECT_EQ(err.str(), "Lumenquill: " + newer +
                           ": このファイルは破損しているか対応できない形式です。 "
                           "--newer-formats オプションを付けると読み込める場合があります。\n");
  RunOptions newer_formats;
  newer_formats.newer_formats = true;
  EXPECT_TRUE(Conversion(console, newer_formats).ConvertFile(newer));
  EXPECT_EQ(TextOf(newer), "onetwo");
}

#ifndef _WIN32
// A PDF that cannot be read is told apart from a damaged one, and nothing waits on it.
TEST_F(ConversionTest, FilesThatCannotBeRead) {
  SettingsFile settings("");
  const std::string locked = AddFile("locked.pdf", TwoPages());
  const int holder = HoldWriteLock(locked);
  const std::string fifo = folder_ + "/fifo.pdf";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const std::string device = folder_ + "/zero.pdf";
  std::filesystem::create_symlink("/dev/zero", device);
  const std::string huge = AddFile("huge.pdf", "%PDF-1.4\n");
  std::filesystem::resize_file(huge, (int64_t{1} << 30) + 1);  // sparse: takes no disk
  for (const std::string& pdf : {locked, fifo, device, huge}) {
    EXPECT_FALSE(conversion_.ConvertFile(pdf));
  }
  ::close(holder);
  EXPECT_THAT(ui_.events,
              ElementsAre("message Lumenquill error: " + locked + "\r\n" +
                              "このファイルは他のプロセスが使用中のため読み込めません。",
                          "message Lumenquill error: " + fifo + "\r\n" +
                              "通常のファイルではないため読み込めません。",
                          "message Lumenquill error: " + device + "\r\n" +
                              "通常のファイルではないため読み込めません。",
                          "message Lumenquill error: " + huge + "\r\n" +
                              "ファイルが大きすぎるため読み込めません。(上限 1 GiB)"));
}

// A text file that cannot be written is reported even with warnings off, and the previous
// text file is left as it was.
TEST_F(ConversionTest, LostOutputIsAlwaysReported) {
  SettingsFile settings("[GroupBox3]\nCheckBox5=0\nCheckBox7=0\nCheckBox8=0\n");
  const std::string pdf = AddFile("a.pdf", TwoPages());
  std::ofstream(folder_ + "/a.txt") << "keep me";
  const int holder = HoldWriteLock(folder_ + "/a.txt");
  EXPECT_FALSE(conversion_.ConvertFile(pdf));
  ::close(holder);
  EXPECT_THAT(ui_.events, ElementsAre("not on top", "present", "hide",
                                      "message Lumenquill error: " + folder_ + "/a.txt\r\n" +
                                          "このファイルは使用中です。別名で保存してください。"));
  ui_.events.clear();
  {
    testing::FileSizeLimit full_disk(0);
    EXPECT_FALSE(conversion_.ConvertFile(pdf));
  }
  EXPECT_EQ(TextOf(pdf), "keep me");
  EXPECT_THAT(ui_.events,
              ElementsAre("not on top", "present", "done 100", "hide",
                          StartsWith("message Lumenquill error: " + folder_ + "/a.txt\r\n" +
                                     "テキストファイルを保存できませんでした。")));
  EXPECT_THAT(testing::NamesBeside(pdf), ElementsAre("a.pdf", "a.txt", "anchor"));
}

#endif
TEST_F(ConversionTest, OverwriteQuestion) {
  const std::string pdf = AddFile("a.pdf", TwoPages());
  std::ofstream(folder_ + "/a.txt") << "keep me";
  {
    SettingsFile settings("[GroupBox3]\nCheckBox5=0\n");
    EXPECT_FALSE(conversion_.ConvertFile(pdf));
    EXPECT_EQ(TextOf(pdf), "keep me");
    EXPECT_THAT(ui_.events, ElementsAre("not on top",
                                        "ask Lumenquill: " + folder_ + "/a.txt\r\n" +
                                            "指定されたファイルは既に存在します。上書きしますか？",
                                        "hide"));
    ui_.answer_yes = true;
    EXPECT_TRUE(conversion_.ConvertFile(pdf));
    EXPECT_NE(TextOf(pdf), "keep me");
  }
  ui_.answer_yes = false;
  ui_.events.clear();
  std::ofstream(folder_ + "/a.txt") << "replace me";
  SettingsFile no_question("[GroupBox3]\nCheckBox5=0\nCheckBox7=0\n");
  conversion_.ConvertFile(pdf);
  EXPECT_NE(TextOf(pdf), "replace me");
  EXPECT_THAT(ui_.events, ElementsAre("not on top", "present", "done 100", "hide"));
}

TEST_F(ConversionTest, PageRangeChosenOrCancelled) {
  SettingsFile settings("[GroupBox1]\nCheckBox1=0\nCheckBox2=1\n[GroupBox3]\nCheckBox5=0\n");
  const std::string pdf = AddFile("a.pdf", TwoPages());
  EXPECT_FALSE(conversion_.ConvertFile(pdf));
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/a.txt"));
  EXPECT_THAT(ui_.events, ElementsAre("not on top", "range - ( a.pdf ) of 2", "hide"));
  EXPECT_EQ(conversion_.open_count, 1);  // counted at loading

  ui_.page_range = PageRange{2, 2};
  conversion_.ConvertFile(pdf);
  EXPECT_EQ(TextOf(pdf), "two");
}

TEST_F(ConversionTest, SavePathChosenOrCancelled) {
  SettingsFile settings("[GroupBox1]\nCheckBox1=0\n[GroupBox3]\nCheckBox6=1\n");
  const std::string pdf = AddFile("report.pdf", TwoPages());
  std::ofstream(folder_ + "/report.txt") << "existing";
  conversion_.ConvertFile(pdf);
  EXPECT_THAT(ui_.events, ElementsAre("not on top", "save " + folder_ + "/report", "hide"));

  ui_.events.clear();
  ui_.save_path = folder_ + "/elsewhere.txt";
  conversion_.ConvertFile(pdf);
  EXPECT_EQ(testing::ReadWholeFile(folder_ + "/elsewhere.txt"), "onetwo");
  EXPECT_EQ(TextOf(pdf), "existing");  // the program's own question is not asked here
  EXPECT_THAT(ui_.events, ElementsAre("not on top", "save " + folder_ + "/report", "present",
                                      "done 100", "open " + folder_ + "/elsewhere.txt", "hide"));
}

// A cancelled file is named on the diagnostics, whether its text went to a file or to the
// text output.
TEST_F(ConversionTest, CancelKeepsThePreviousFileOpensNothingAndNamesTheFile) {
  SettingsFile settings("[GroupBox3]\nCheckBox7=0\n");
  const std::string pdf = AddFile("a.pdf", TwoPages());
  std::ofstream(folder_ + "/a.txt") << "keep me";
  ui_.cancel_on_progress = true;
  EXPECT_FALSE(conversion_.ConvertFile(pdf));
  EXPECT_EQ(TextOf(pdf), "keep me");
  EXPECT_THAT(ui_.events, ElementsAre("not on top", "present", "done 100", "hide"));
  std::ostringstream text;
  EXPECT_FALSE(Conversion(ui_, {}, &text).ConvertFile(pdf));
  EXPECT_EQ(text.str(), "");
  EXPECT_EQ(ui_.diagnostics.str(),
            "Lumenquill: " + pdf + ": 中止しました\n" + "Lumenquill: " + pdf + ": 中止しました\n");
}

// A name that was free when it was chosen is never put over a file that appeared during the
// extraction (another conversion to the same name): that file stays, and this one is reported
// as not converted. A file that existed and whose replacing was agreed is replaced.
TEST_F(ConversionTest, AFileThatAppearedMeanwhileIsKept) {
  SettingsFile settings("[GroupBox3]\nCheckBox5=0\n");
  const std::string pdf = AddFile("a.pdf", TwoPages());
  ui_.on_progress = [this] { std::ofstream(folder_ + "/a.txt") << "the other text"; };
  EXPECT_FALSE(conversion_.ConvertFile(pdf));
  EXPECT_EQ(TextOf(pdf), "the other text");
  EXPECT_THAT(
      ui_.events,
      ElementsAre("not on top", "present", "done 100", "hide",
                  "message Lumenquill error: " + folder_ + "/a.txt\r\n" +
                      "変換の間に同じ名前のファイルが作られたため、上書きしませんでした。"));
  EXPECT_THAT(testing::NamesBeside(pdf), ElementsAre("a.pdf", "a.txt", "anchor"));

  ui_.answer_yes = true;
  EXPECT_TRUE(conversion_.ConvertFile(pdf));
  EXPECT_EQ(TextOf(pdf), "\r\n" + std::string(70, '-') + " Page 1\r\n\r\none\r\n\r\n" +
                             std::string(70, '-') + " Page 2\r\n\r\ntwo");
}

// A cancel seen while the forms of a page are interpreted stops before the page's progress
// report.
TEST_F(ConversionTest, CancelBetweenFormsWritesNothingAndOpensNothing) {
  SettingsFile settings("");
  const std::string path = AddFile(
      "a.pdf",
      testing::PagesShowing({"/Fm Do BT (page) Tj ET"},
                            "/Font << /F1 3 0 R >> /XObject << /Fm 6 0 R >>")
          .Stream(6, "/Subtype /Form /Resources << /Font << /F1 3 0 R >> >>", "BT (form) Tj ET")
          .Build());
  ui_.cancel_on_pending_input = true;
  EXPECT_FALSE(conversion_.ConvertFile(path));
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/a.txt"));
  EXPECT_THAT(ui_.events, ElementsAre("not on top", "present", "done 100", "hide"));
}

// The text file holds exactly what the extraction hands its sink, whatever the layout.
TEST_F(ConversionTest, TheFileHoldsWhatTheExtractionHandsOver) {
  const std::unique_ptr<Document> opened = Document::OpenFile(AddFile("a.pdf", TwoPages()), {});
  Document& document = *opened;
  ExtractionOptions options;
  for (const char* new_line : {"\r\n", "\n"}) {
    options.new_line = new_line;
    options.page_banners = !options.page_banners;
    options.pages = PageRange{2, 2};
    std::string handed;
    const bool cancel = false;
    ASSERT_TRUE(Extract(
        document, options, [&handed](std::string_view part) { handed += part; }, cancel));
    ASSERT_TRUE(
        conversion_.WriteTextFile(document, options, {folder_ + "/a.txt", ExistingFile::kReplace}));
    EXPECT_EQ(TextOf(folder_ + "/a.pdf"), handed);
    EXPECT_NE(handed, "");
  }
}

// An output file that may not be written is refused before any page is read, with its own
// reason: held by another process, not a file (a folder, a FIFO), no permission, read-only.
TEST_F(ConversionTest, RefusesAnOutputFileThatMayNotBeWrittenWithItsReason) {
  const std::unique_ptr<Document> opened = Document::OpenFile(AddFile("a.pdf", TwoPages()), {});
  Document& document = *opened;
  const std::string text = folder_ + "/a.txt";
  std::ofstream(text) << "old content";
  const auto refusal = [&](const std::string& path) -> std::string {
    try {
      conversion_.WriteTextFile(document, {}, {path, ExistingFile::kReplace});
      return "written";
    } catch (const OutputError& error) {
      EXPECT_EQ(error.path(), path);
      return error.what();
    }
  };
  {
    const LockedFile held = LockedFile::OpenForReading(text);
    EXPECT_EQ(refusal(text), "このファイルは使用中です。別名で保存してください。");
  }
  std::filesystem::create_directory(folder_ + "/folder.txt");
  EXPECT_EQ(refusal(folder_ + "/folder.txt"),
            "通常のファイルではないため、テキストファイルを保存できませんでした。");
#ifndef _WIN32
  ASSERT_EQ(::mkfifo((folder_ + "/fifo.txt").c_str(), 0644), 0);
  EXPECT_EQ(refusal(folder_ + "/fifo.txt"),
            "通常のファイルではないため、テキストファイルを保存できませんでした。");
  if (::geteuid() == 0) {
    // Another user's file: a root-owned one, tried by a process that gave up root.
    EXPECT_EXIT(
        {
          if (::setuid(65534) != 0) ::_exit(2);
          std::cerr << refusal(text);
          ::_exit(0);
        },
        ::testing::ExitedWithCode(0),
        "書き込みの権限がないため、テキストファイルを保存できませんでした。");
  }
#endif
  testing::MakeReadOnly(text);
  EXPECT_EQ(refusal(text), "指定されたファイルは読み込み専用です。上書き出来ません。");
  EXPECT_EQ(testing::ReadWholeFile(text), "old content");
}

// Escape pressed during the extraction cancels it as the display's cancel does: the previous
// text stays, and the latch is taken.
TEST_F(ConversionTest, EscapeCancelsAndKeepsThePreviousFile) {
  const std::unique_ptr<Document> opened = Document::OpenFile(AddFile("a.pdf", TwoPages()), {});
  Document& document = *opened;
  std::ofstream(folder_ + "/a.txt") << "old content";
  TakeEscapeKeyPress();
  ui_.on_progress = [] { LatchEscapeKeyPress(); };
  EXPECT_FALSE(
      conversion_.WriteTextFile(document, {}, {folder_ + "/a.txt", ExistingFile::kReplace}));
  EXPECT_TRUE(ui_.cancelled);
  EXPECT_FALSE(TakeEscapeKeyPress());
  EXPECT_EQ(TextOf(folder_ + "/a.pdf"), "old content");
  EXPECT_THAT(testing::NamesBeside(folder_ + "/a.txt"), ElementsAre("a.pdf", "a.txt", "anchor"));
}

#ifndef _WIN32
// A disk that fills up at the last write: the error names the file, and the previous text
// stays with nothing beside it.
TEST_F(ConversionTest, AWriteFailingAtTheEndLeavesThePreviousFile) {
  const std::unique_ptr<Document> opened = Document::OpenFile(AddFile("a.pdf", TwoPages()), {});
  Document& document = *opened;
  std::ofstream(folder_ + "/a.txt") << "old content";
  testing::FileSizeLimit disk(100);
  try {
    conversion_.WriteTextFile(document, {}, {folder_ + "/a.txt", ExistingFile::kReplace});
    ADD_FAILURE();
  } catch (const OutputError& error) {
    EXPECT_EQ(error.path(), folder_ + "/a.txt");
  }
  EXPECT_EQ(TextOf(folder_ + "/a.pdf"), "old content");
  EXPECT_THAT(testing::NamesBeside(folder_ + "/a.txt"), ElementsAre("a.pdf", "a.txt", "anchor"));
}

#endif
// Results open in the editor for the first ten loaded files of a batch only.
TEST_F(ConversionTest, EditorLimitPerBatch) {
  const std::string pdf = AddFile("a.pdf", TwoPages());
  const auto opened = [this] {
    return std::count_if(ui_.events.begin(), ui_.events.end(),
                         [](const std::string& event) { return event.starts_with("open "); });
  };
  {
    SettingsFile no_question("[GroupBox3]\nCheckBox7=0\n");
    conversion_.StartBatch();
    for (int i = 0; i < 11; ++i) conversion_.ConvertFile(pdf);
    EXPECT_EQ(opened(), 10);
    ui_.events.clear();
    conversion_.StartBatch();
    for (int i = 0; i < 6; ++i) conversion_.ConvertFile(pdf);
    EXPECT_EQ(opened(), 6);
  }
}

// A file whose encoding replaced characters is warned of once, when warnings are shown: the
// windows gather the files of a batch into one message at its end, at most twenty of them by
// name; the console says so at once, one line per file. Nothing replaced, nothing said.
TEST_F(ConversionTest, ReplacedCharactersWarnedOfPerBatchOrPerFile) {
  Substitutions replaced;
  replaced.unrepresentable = 3;
  replaced.unknown = 2;
  replaced.examples = {0x20B9F, 0x1F600, 0x202E};  // the last would turn the line around
  Substitutions unknown_only;
  unknown_only.unknown = 1;
  const auto warn_of = [this](const Substitutions& substitutions) {
    return [this, &substitutions](const std::string& pdf) {
      conversion_.WarnOfReplacedCharacters(pdf, substitutions);
      return true;
    };
  };
  const std::string counts =
      "文字コードで表せない文字 3 個 (U+20B9F 𠮟、U+1F600 😀、U+202E)、変換表にない文字コード 2 個";
  std::istringstream no_input;
  std::ostringstream out;
  std::ostringstream err;
  ConsoleUserInterface console(no_input, out, err, false, false);
  Conversion on_console(console);
  const std::string line = "Lumenquill: /d/a.pdf: 置き換えた文字があります: " + counts + "\n";
  {
    SettingsFile warnings_on("");
    ConvertWorkList({"/d/a.pdf"}, conversion_, ui_, warn_of(replaced));
    ConvertWorkList({"/d/b.pdf"}, conversion_, ui_, warn_of(Substitutions{}));
    ConvertWorkList({"/d/c.pdf", "/d/e.pdf"}, conversion_, ui_, warn_of(unknown_only));
    const std::string header =
        "message Lumenquill: 次のファイルのテキストでは、一部の文字を置き換えました。";
    EXPECT_THAT(
        ui_.events,
        ElementsAre("caption (1/1) - a.pdf", header + "\r\n\r\n/d/a.pdf\r\n" + counts,
                    "caption (1/1) - b.pdf", "caption (1/2) - c.pdf", "caption (2/2) - e.pdf",
                    header + "\r\n\r\n/d/c.pdf\r\n変換表にない文字コード 1 個" +
                        "\r\n\r\n/d/e.pdf\r\n変換表にない文字コード 1 個"));
    ui_.events.clear();
    const std::vector<std::string> many(25, "/d/many.pdf");
    ConvertWorkList(many, conversion_, ui_, warn_of(unknown_only));
    const std::string& message = ui_.events.back();
    EXPECT_EQ(std::count(message.begin(), message.end(), '/'), 2 * 20) << message;
    EXPECT_TRUE(
        message.ends_with("/d/many.pdf\r\n変換表にない文字コード 1 個\r\n\r\nほか 5 個のファイル"));

    on_console.StartBatch();
    on_console.WarnOfReplacedCharacters("/d/a.pdf", replaced);
    on_console.WarnOfReplacedCharacters("/d/b.pdf", Substitutions{});
    EXPECT_EQ(err.str(), line);
    on_console.EndBatch();
    EXPECT_EQ(err.str(), line);
  }
  SettingsFile warnings_off("[GroupBox3]\nCheckBox8=0\n");
  ui_.events.clear();
  ConvertWorkList({"/d/a.pdf"}, conversion_, ui_, warn_of(replaced));
  on_console.WarnOfReplacedCharacters("/d/a.pdf", replaced);
  EXPECT_THAT(ui_.events, ElementsAre("caption (1/1) - a.pdf"));
  EXPECT_EQ(err.str(), line);
}

}  // namespace
}  // namespace lumenquill
