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
    ADD_FAILURE() << std::get<UsageError>(parsed).Message;
    return {};
  }
  return *line;
}

std::string ErrorOf(const std::vector<std::string>& arguments) {
  const auto parsed = ParseCommandLine(arguments);
  const auto* error = std::get_if<UsageError>(&parsed);
  return error != nullptr ? error->Message : "(understood)";
}

TEST(CommandLine, EachOptionSetsItsSetting) {
  const CommandLine line = Parsed({"--first", "2", "a.pdf", "--last", "5", "--no-banner", "--eol",
                                   "lf", "--no-breaks", "--output-dir", "out", "--no-overwrite",
                                   "--no-open", "--newer-formats", "--quiet", "--jobs", "3", "b"});
  EXPECT_EQ(line.Request, CommandLine::Action::kConvert);
  EXPECT_EQ(line.Options.FirstPage, 2);
  EXPECT_EQ(line.Options.LastPage, 5);
  EXPECT_EQ(line.Options.PageBanner, false);
  EXPECT_EQ(line.Options.NewLine, "\n");
  EXPECT_EQ(line.Options.LineBreaks, false);
  EXPECT_EQ(line.Options.OutputFolder, "out");
  EXPECT_EQ(line.Options.Overwrite, false);
  EXPECT_EQ(line.Options.OpenInEditor, false);
  EXPECT_EQ(line.Options.NewerFormats, true);
  EXPECT_TRUE(line.Quiet);
  EXPECT_EQ(line.Jobs, 3);
  EXPECT_FALSE(line.ToStandardOutput);
  EXPECT_THAT(line.Files, ElementsAre("a.pdf", "b"));
}

// Without options every setting is left to the settings file.
TEST(CommandLine, NothingSetByDefault) {
  const CommandLine line = Parsed({"a.pdf"});
  EXPECT_FALSE(line.Options.HasPageRange());
  EXPECT_FALSE(line.Options.PageBanner || line.Options.NewLine || line.Options.LineBreaks ||
               line.Options.OutputFolder || line.Options.Overwrite || line.Options.OpenInEditor ||
               line.Options.NewerFormats);
  EXPECT_FALSE(line.Quiet || line.ToStandardOutput);
  EXPECT_EQ(line.Jobs, 1);
}

TEST(CommandLine, ValuesAndLaterOptionsWin) {
  EXPECT_EQ(Parsed({"--eol", "crlf"}).Options.NewLine, "\r\n");
  EXPECT_EQ(Parsed({"--eol", "cr"}).Options.NewLine, "\r");
  EXPECT_EQ(Parsed({"--no-overwrite", "--overwrite"}).Options.Overwrite, true);
  EXPECT_EQ(Parsed({"-j", "2", "--jobs", "4"}).Jobs, 4);
  EXPECT_TRUE(Parsed({"--stdout", "x.pdf"}).ToStandardOutput);
  EXPECT_TRUE(Parsed({"-q"}).Quiet);
}

// After "--", and "-" alone, are files; an option's value may start with "-" only for the
// output folder, where it is a name.
TEST(CommandLine, FilesThatLookLikeOptions) {
  EXPECT_THAT(Parsed({"--no-open", "--", "--stdout", "-q", "a.pdf"}).Files,
              ElementsAre("--stdout", "-q", "a.pdf"));
  EXPECT_THAT(Parsed({"--stdout", "-"}).Files, ElementsAre("-"));
  EXPECT_EQ(Parsed({"--output-dir", "-out", "a"}).Options.OutputFolder, "-out");
}

// Values joined with "=", short options bundled and values joined to them, as getopt_long
// reads them; "--" and a value that looks like an option still hold.
TEST(CommandLine, OptionSpellings) {
  const CommandLine joined =
      Parsed({"--first=2", "a.pdf", "--eol=lf", "--output-dir=-o=x", "--jobs=3", "--last=4"});
  EXPECT_EQ(joined.Options.FirstPage, 2);
  EXPECT_EQ(joined.Options.LastPage, 4);
  EXPECT_EQ(joined.Options.NewLine, "\n");
  EXPECT_EQ(joined.Options.OutputFolder, "-o=x");
  EXPECT_EQ(joined.Jobs, 3);
  EXPECT_THAT(joined.Files, ElementsAre("a.pdf"));
  for (const std::vector<std::string>& bundle : std::vector<std::vector<std::string>>{
           {"-qj2"}, {"-q", "-j2"}, {"-qj", "2"}, {"-q", "-j", "2"}}) {
    const CommandLine line = Parsed(bundle);
    EXPECT_TRUE(line.Quiet);
    EXPECT_EQ(line.Jobs, 2);
    EXPECT_TRUE(line.Files.empty());
  }
  EXPECT_EQ(Parsed({"-qh"}).Request, CommandLine::Action::kHelp);
  EXPECT_THAT(Parsed({"--", "-qj2", "--jobs=2"}).Files, ElementsAre("-qj2", "--jobs=2"));
  EXPECT_THAT(Parsed({"--output-dir", "-qj2"}).Files, ElementsAre());
  EXPECT_THAT(ErrorOf({"--quiet=1"}), HasSubstr("--quiet には値を指定できません"));
  EXPECT_THAT(ErrorOf({"-qx"}), HasSubstr("-qx"));
  EXPECT_THAT(ErrorOf({"-j0"}), HasSubstr("-j の値が正しくありません"));
  EXPECT_THAT(ErrorOf({"--jobs=", "a.pdf"}), HasSubstr("--jobs の値が正しくありません"));
  EXPECT_THAT(ErrorOf({"-qj"}), HasSubstr("-j の値がありません"));
}

TEST(CommandLine, HelpAndVersionWinOverTheRest) {
  EXPECT_EQ(Parsed({"a.pdf", "--help", "--version"}).Request, CommandLine::Action::kHelp);
  EXPECT_EQ(Parsed({"-h"}).Request, CommandLine::Action::kHelp);
  EXPECT_EQ(Parsed({"--version", "a.pdf"}).Request, CommandLine::Action::kVersion);
  EXPECT_EQ(Parsed({"--", "--help"}).Request, CommandLine::Action::kConvert);
}

TEST(CommandLine, UsageErrors) {
  EXPECT_THAT(ErrorOf({"--colour"}), HasSubstr("--colour"));
  EXPECT_THAT(ErrorOf({"-x", "a.pdf"}), HasSubstr("-x"));
  EXPECT_THAT(ErrorOf({"a.pdf", "--first"}), HasSubstr("--first の値がありません"));
  EXPECT_THAT(ErrorOf({"--eol"}), HasSubstr("--eol"));
  EXPECT_THAT(ErrorOf({"--eol", "crlf\n"}), HasSubstr("crlf、lf、cr"));
  EXPECT_THAT(ErrorOf({"--eol", "LF"}), HasSubstr("'LF'"));
  for (const char* page : {"0", "-1", "two", "1.5", "", "99999999999"}) {
    EXPECT_THAT(ErrorOf({"--first", page, "a.pdf"}), HasSubstr("--first の値が正しくありません"))
        << page;
    EXPECT_THAT(ErrorOf({"--last", page, "a.pdf"}), HasSubstr("--last")) << page;
  }
  for (const char* jobs : {"0", "257", "many", ""}) {
    EXPECT_THAT(ErrorOf({"--jobs", jobs, "a.pdf"}), HasSubstr("--jobs")) << jobs;
  }
  EXPECT_EQ(Parsed({"--jobs", "256"}).Jobs, 256);
  EXPECT_THAT(ErrorOf({"--output-dir", ""}), HasSubstr("--output-dir"));
  EXPECT_THAT(ErrorOf({"--first", "3", "--last", "2", "a.pdf"}), HasSubstr("--first"));
  EXPECT_EQ(Parsed({"--first", "2", "--last", "2"}).Options.LastPage, 2);
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
