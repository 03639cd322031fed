#include "cli/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "cli/start_up.h"
#include "support/environment.h"

namespace lumenquill {
namespace {

using testing::SetEnvironment;

using ::testing::ElementsAre;
using ::testing::HasSubstr;

CommandLine Parsed(const std::vector<std::string>& arguments) {
  const auto parsed = ParseCommandLine(arguments);
  const auto* line = std::get_if<CommandLine>(&parsed);
  if (line == nullptr) {
    ADD_FAILURE() << std::get<UsageError>(parsed).message;
    return {};
  }
  return *line;
}

std::string ErrorOf(const std::vector<std::string>& arguments) {
  const auto parsed = ParseCommandLine(arguments);
  const auto* error = std::get_if<UsageError>(&parsed);
  return error != nullptr ? error->message : "(understood)";
}

TEST(CommandLine, EachOptionSetsItsSetting) {
  const CommandLine line = Parsed({"--first",
                                   "2",
                                   "a.pdf",
                                   "--last",
                                   "5",
                                   "--no-banner",
                                   "--eol",
                                   "lf",
                                   "--no-breaks",
                                   "--output-dir",
                                   "out",
                                   "--no-overwrite",
                                   "--no-open",
                                   "--newer-formats",
                                   "--quiet",
                                   "--jobs",
                                   "3",
                                   "b",
                                   "--encoding",
                                   "utf-8-bom",
                                   "--fold-compatibility",
                                   "--layout",
                                   "--ruby",
                                   "as-drawn"});
  EXPECT_EQ(line.request, CommandLine::Action::kConvert);
  EXPECT_EQ(line.options.first_page, 2);
  EXPECT_EQ(line.options.last_page, 5);
  EXPECT_EQ(line.options.page_banner, false);
  EXPECT_EQ(line.options.new_line, "\n");
  EXPECT_EQ(line.options.line_breaks, false);
  EXPECT_EQ(line.options.output_folder, "out");
  EXPECT_EQ(line.options.overwrite, false);
  EXPECT_EQ(line.options.open_in_editor, false);
  EXPECT_EQ(line.options.newer_formats, true);
  EXPECT_EQ(line.options.encoding, OutputEncoding::kUTF8WithBOM);
  EXPECT_EQ(line.options.fold_compatibility, true);
  EXPECT_EQ(line.options.layout_order, true);
  EXPECT_EQ(line.options.ruby, RubyHandling::kAsDrawn);
  EXPECT_TRUE(line.quiet);
  EXPECT_EQ(line.jobs, 3);
  EXPECT_FALSE(line.to_standard_output);
  EXPECT_THAT(line.files, ElementsAre("a.pdf", "b"));
}

// Without options every setting is left to the settings file.
TEST(CommandLine, NothingSetByDefault) {
  const CommandLine line = Parsed({"a.pdf"});
  EXPECT_FALSE(line.options.HasPageRange());
  EXPECT_FALSE(line.options.page_banner || line.options.new_line || line.options.line_breaks ||
               line.options.output_folder || line.options.overwrite ||
               line.options.open_in_editor || line.options.newer_formats || line.options.encoding ||
               line.options.fold_compatibility || line.options.layout_order || line.options.ruby);
  EXPECT_FALSE(line.quiet || line.to_standard_output);
  EXPECT_EQ(line.jobs, 1);
}

TEST(CommandLine, ValuesAndLaterOptionsWin) {
  EXPECT_EQ(Parsed({"--eol", "crlf"}).options.new_line, "\r\n");
  EXPECT_EQ(Parsed({"--eol", "cr"}).options.new_line, "\r");
  EXPECT_EQ(Parsed({"--encoding=sjis"}).options.encoding, OutputEncoding::kShiftJIS);
  EXPECT_EQ(Parsed({"--encoding", "utf-8"}).options.encoding, OutputEncoding::kUTF8);
  EXPECT_EQ(Parsed({"--encoding", "utf-16"}).options.encoding, OutputEncoding::kUTF16LEWithBOM);
  EXPECT_EQ(Parsed({"--ruby=drop"}).options.ruby, RubyHandling::kDrop);
  EXPECT_EQ(Parsed({"--ruby", "bracket"}).options.ruby, RubyHandling::kBracket);
  // Both reach the extraction, over what the settings file gave.
  ExtractionOptions extraction;
  ApplyRunOptions(Parsed({"--layout", "--ruby", "bracket"}).options, extraction);
  EXPECT_TRUE(extraction.layout_order);
  EXPECT_EQ(extraction.ruby, RubyHandling::kBracket);
  EXPECT_EQ(Parsed({"--no-overwrite", "--overwrite"}).options.overwrite, true);
  EXPECT_EQ(Parsed({"-j", "2", "--jobs", "4"}).jobs, 4);
  EXPECT_TRUE(Parsed({"--stdout", "x.pdf"}).to_standard_output);
  EXPECT_TRUE(Parsed({"-q"}).quiet);
}

// After "--", and "-" alone, are files; an option's value may start with "-" only for the
// output folder, where it is a name.
TEST(CommandLine, FilesThatLookLikeOptions) {
  EXPECT_THAT(Parsed({"--no-open", "--", "--stdout", "-q", "a.pdf"}).files,
              ElementsAre("--stdout", "-q", "a.pdf"));
  EXPECT_THAT(Parsed({"--stdout", "-"}).files, ElementsAre("-"));
  EXPECT_EQ(Parsed({"--output-dir", "-out", "a"}).options.output_folder, "-out");
}

// Values joined with "=", short options bundled and values joined to them, as getopt_long
// reads them; "--" and a value that looks like an option still hold.
TEST(CommandLine, OptionSpellings) {
  const CommandLine joined =
      Parsed({"--first=2", "a.pdf", "--eol=lf", "--output-dir=-o=x", "--jobs=3", "--last=4"});
  EXPECT_EQ(joined.options.first_page, 2);
  EXPECT_EQ(joined.options.last_page, 4);
  EXPECT_EQ(joined.options.new_line, "\n");
  EXPECT_EQ(joined.options.output_folder, "-o=x");
  EXPECT_EQ(joined.jobs, 3);
  EXPECT_THAT(joined.files, ElementsAre("a.pdf"));
  for (const std::vector<std::string>& bundle : std::vector<std::vector<std::string>>{
           {"-qj2"}, {"-q", "-j2"}, {"-qj", "2"}, {"-q", "-j", "2"}}) {
    const CommandLine line = Parsed(bundle);
    EXPECT_TRUE(line.quiet);
    EXPECT_EQ(line.jobs, 2);
    EXPECT_TRUE(line.files.empty());
  }
  EXPECT_EQ(Parsed({"-qh"}).request, CommandLine::Action::kHelp);
  EXPECT_THAT(Parsed({"--", "-qj2", "--jobs=2"}).files, ElementsAre("-qj2", "--jobs=2"));
  EXPECT_THAT(Parsed({"--output-dir", "-qj2"}).files, ElementsAre());
  EXPECT_THAT(ErrorOf({"--quiet=1"}), HasSubstr("--quiet には値を指定できません"));
  EXPECT_THAT(ErrorOf({"-qx"}), HasSubstr("-qx"));
  EXPECT_THAT(ErrorOf({"-j0"}), HasSubstr("-j の値が正しくありません"));
  EXPECT_THAT(ErrorOf({"--jobs=", "a.pdf"}), HasSubstr("--jobs の値が正しくありません"));
  EXPECT_THAT(ErrorOf({"-qj"}), HasSubstr("-j の値がありません"));
}

TEST(CommandLine, HelpAndVersionWinOverTheRest) {
  EXPECT_EQ(Parsed({"a.pdf", "--help", "--version"}).request, CommandLine::Action::kHelp);
  EXPECT_EQ(Parsed({"-h"}).request, CommandLine::Action::kHelp);
  EXPECT_EQ(Parsed({"--version", "a.pdf"}).request, CommandLine::Action::kVersion);
  EXPECT_EQ(Parsed({"--", "--help"}).request, CommandLine::Action::kConvert);
}

TEST(CommandLine, UsageErrors) {
  EXPECT_THAT(ErrorOf({"--colour"}), HasSubstr("--colour"));
  EXPECT_THAT(ErrorOf({"-x", "a.pdf"}), HasSubstr("-x"));
  EXPECT_THAT(ErrorOf({"a.pdf", "--first"}), HasSubstr("--first の値がありません"));
  EXPECT_THAT(ErrorOf({"--eol"}), HasSubstr("--eol"));
  EXPECT_THAT(ErrorOf({"--eol", "crlf\n"}), HasSubstr("crlf、lf、cr"));
  EXPECT_THAT(ErrorOf({"--eol", "LF"}), HasSubstr("'LF'"));
  for (const char* encoding : {"UTF-8", "utf8", "shift-jis", "utf-16be", ""}) {
    EXPECT_THAT(ErrorOf({"--encoding", encoding, "a.pdf"}),
                HasSubstr("--encoding の値が正しくありません: '" + std::string(encoding) + "'"));
  }
  EXPECT_THAT(ErrorOf({"a.pdf", "--encoding"}), HasSubstr("--encoding の値がありません"));
  EXPECT_THAT(ErrorOf({"--fold-compatibility=1"}), HasSubstr("--fold-compatibility"));
  for (const char* ruby : {"Drop", "brackets", "as_drawn", ""}) {
    EXPECT_THAT(ErrorOf({"--ruby", ruby, "a.pdf"}),
                HasSubstr("--ruby の値が正しくありません: '" + std::string(ruby) + "'"));
  }
  EXPECT_THAT(ErrorOf({"--layout=1"}), HasSubstr("--layout"));
  for (const char* page : {"0", "-1", "two", "1.5", "", "99999999999"}) {
    EXPECT_THAT(ErrorOf({"--first", page, "a.pdf"}), HasSubstr("--first の値が正しくありません"))
        << page;
    EXPECT_THAT(ErrorOf({"--last", page, "a.pdf"}), HasSubstr("--last")) << page;
  }
  for (const char* jobs : {"0", "257", "many", ""}) {
    EXPECT_THAT(ErrorOf({"--jobs", jobs, "a.pdf"}), HasSubstr("--jobs")) << jobs;
  }
  EXPECT_EQ(Parsed({"--jobs", "256"}).jobs, 256);
  EXPECT_THAT(ErrorOf({"--output-dir", ""}), HasSubstr("--output-dir"));
  EXPECT_THAT(ErrorOf({"--first", "3", "--last", "2", "a.pdf"}), HasSubstr("--first"));
  EXPECT_EQ(Parsed({"--first", "2", "--last", "2"}).options.last_page, 2);
  EXPECT_THAT(ErrorOf({"--stdout", "--output-dir", "o", "a.pdf"}), HasSubstr("--stdout"));
}

// An exception that escapes the run is reported and fails the run rather than aborting it.
TEST(StartUp, AFaultOfTheProgramIsReported) {
  SetEnvironment("QT_QPA_PLATFORM", "xcb");  // so that the windows are tried
  const WindowsRunner failing_windows = [](const RunOptions&, const std::vector<std::string>&,
                                           const char*) -> std::optional<int> {
    throw std::logic_error("broken invariant");
  };
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(StartUp({}, "lumenquill", failing_windows), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Lumenquill: broken invariant\n");
}

}  // namespace
}  // namespace lumenquill
