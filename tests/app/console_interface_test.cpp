#include "app/console_interface.h"

#include <gtest/gtest.h>

#include <sstream>

namespace lumenquill {
namespace {

struct Console {
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  ConsoleUserInterface ui;
  Console(const std::string& typed, bool interactive)
      : in(typed), ui(in, out, err, interactive, false) {}
};

TEST(ConsoleInterface, MessagesAreLinesOnTheErrorStream) {
  Console console("", false);
  console.ui.ShowMessage("Lumenquill",
                         "/docs/a.pdf\r\nこのファイルは破損しているか対応できない形式です。",
                         MessageIcon::kError);
  EXPECT_EQ(console.err.str(),
            "Lumenquill: /docs/a.pdf: このファイルは破損しているか対応できない形式です。\n");
  console.ui.OpenInApplication("/docs/a.txt");
  EXPECT_EQ(console.out.str(), "/docs/a.txt\n");
}

TEST(ConsoleInterface, WithoutATerminalQuestionsAreDeclined) {
  Console console("y\n1-2\nname\n", false);
  EXPECT_FALSE(console.ui.AskYesNo("Lumenquill", "a.txt\r\nquestion"));
  EXPECT_FALSE(console.ui.ChoosePageRange(3, " - ( a.pdf )"));
  EXPECT_FALSE(console.ui.ChooseSavePath("/docs/a"));
  const std::string no_terminal = "(端末がないため答えられません)\n";
  EXPECT_EQ(
      console.err.str(),
      "Lumenquill: a.txt: question [y/N] " + no_terminal +
          "ページを指定して抽出 - ( a.pdf ): 抽出するページ範囲を入力してください (有効ページ : "
          "1-3) [1-3] " +
          no_terminal + "保存先 [/docs/a.txt] " + no_terminal);
}

TEST(ConsoleInterface, QuestionsOnATerminal) {
  Console yes("y\n", true);
  EXPECT_TRUE(yes.ui.AskYesNo("Lumenquill", "a.txt\r\nquestion"));
  EXPECT_EQ(yes.err.str(), "Lumenquill: a.txt: question [y/N] ");
  Console no("\n", true);
  EXPECT_FALSE(no.ui.AskYesNo("Lumenquill", "a.txt"));
}

// A failed check shows its message (no second full stop after "。") and asks again.
TEST(ConsoleInterface, PageRangeWithItsChecks) {
  Console console("x 2\n0 3\n11 2\n7-2\n", true);
  const std::optional<PageRange> range = console.ui.ChoosePageRange(10, " - ( a.pdf )");
  ASSERT_TRUE(range);
  EXPECT_EQ(range->first, 2);
  EXPECT_EQ(range->last, 7);
  const std::string err = console.err.str();
  EXPECT_NE(err.find("Lumenquill: 整数値ではない値が含まれています。\n"), std::string::npos);
  EXPECT_NE(err.find("Lumenquill: ページ番号が小さすぎます。\n"), std::string::npos);
  EXPECT_NE(err.find("Lumenquill: ページ番号が大きすぎます。\n"), std::string::npos);

  Console whole("\n", true);
  const std::optional<PageRange> all = whole.ui.ChoosePageRange(10, "");
  ASSERT_TRUE(all);
  EXPECT_EQ(all->first, 1);
  EXPECT_EQ(all->last, 10);
  Console cancelled("", true);
  EXPECT_FALSE(cancelled.ui.ChoosePageRange(10, ""));
}

TEST(ConsoleInterface, SavePath) {
  Console proposed("\n", true);
  EXPECT_EQ(proposed.ui.ChooseSavePath("/no/such/folder/report"), "/no/such/folder/report.txt");
  Console typed("/no/such/out\n", true);
  EXPECT_EQ(typed.ui.ChooseSavePath("/docs/report"), "/no/such/out.txt");
}

TEST(ConsoleInterface, ProgressWithoutATerminalDrawsNothing) {
  std::ostringstream err;
  ConsoleProgress progress(err, false, false);
  progress.SetCaption(" (1/1) - a.pdf");
  progress.Present();
  progress.ShowProgress(0, 100, 37, false);
  progress.ShowProgress(0, 100, 100, true);
  EXPECT_EQ(err.str(), "");

  ConsoleProgress bar(err, true, false);
  bar.SetCaption(" (1/1) - a.pdf");
  bar.ShowProgress(0, 100, 50, false);
  EXPECT_EQ(err.str(), "\r (1/1) - a.pdf [##########          ] 50/100");
  // The same state again draws nothing; a new one, or the bar after it was hidden, draws.
  bar.ShowProgress(0, 100, 50, false);
  EXPECT_EQ(err.str(), "\r (1/1) - a.pdf [##########          ] 50/100");
  bar.ShowProgress(0, 100, 51, false);
  bar.ShowProgress(0, 100, 100, true);
  bar.ShowProgress(0, 100, 51, false);
  EXPECT_EQ(err.str(),
            "\r (1/1) - a.pdf [##########          ] 50/100"
            "\r (1/1) - a.pdf [##########          ] 51/100\r\033[K"
            "\r (1/1) - a.pdf [##########          ] 51/100");
}

}  // namespace
}  // namespace lumenquill
