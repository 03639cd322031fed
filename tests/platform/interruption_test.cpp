#include "platform/interruption.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/output_file.h"
#include "platform/terminal.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;

// A signal in the middle of writing a text file: the program ends with 128 + the signal's
// number, and the previous file is as it was, with no temporary file beside it.
TEST(Interruption, LeavesThePreviousFileAndNoTemporaryFile) {
  for (const auto& [signal_number, status] :
       std::vector<std::pair<int, int>>{{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}}) {
    SCOPED_TRACE(signal_number);
    testing::TempFile old("old text", "out.txt");
    EXPECT_EXIT(
        {
          InstallInterruptionHandlers();
          OutputFile output(old.path(), ExistingFile::kReplace);
          output.Write(std::string(300'000, 'x'));
          ::raise(signal_number);
        },
        ::testing::ExitedWithCode(status), "");
    EXPECT_EQ(testing::ReadWholeFile(old.path()), "old text");
    EXPECT_THAT(testing::NamesBeside(old.path()), ElementsAre("out.txt"));
  }
}

// The terminal that watched for Escape is put back in its line mode with echo.
TEST(Interruption, RestoresTheTerminal) {
  int controller = -1;
  int terminal = -1;
  ASSERT_EQ(::openpty(&controller, &terminal, nullptr, nullptr, nullptr), 0);
  EXPECT_EXIT(
      {
        // The terminal of a session of its own, as a shell's foreground job has it.
        ::setsid();
        ::ioctl(terminal, TIOCSCTTY, 0);
        ::dup2(terminal, STDIN_FILENO);
        InstallInterruptionHandlers();
        TerminalEscapeWatcher watcher;
        termios raw{};
        ::tcgetattr(STDIN_FILENO, &raw);
        if ((raw.c_lflag & (ICANON | ECHO)) != 0) ::_exit(1);  // the watcher did not take it
        ::raise(SIGINT);
      },
      ::testing::ExitedWithCode(130), "");
  termios after{};
  ASSERT_EQ(::tcgetattr(terminal, &after), 0);
  EXPECT_EQ(after.c_lflag & (ICANON | ECHO), static_cast<tcflag_t>(ICANON | ECHO));
  ::close(controller);
  ::close(terminal);
}

// Only a lone Escape cancels; arrow, function and Alt keys send sequences that start with one.
TEST(Interruption, EscapeAloneAndInSequences) {
  EXPECT_TRUE(HoldsLoneEscape("\x1B"));
  EXPECT_TRUE(HoldsLoneEscape("ab\x1B"));
  EXPECT_TRUE(HoldsLoneEscape("\x1B\x1B[A"));  // Escape, then an arrow key
  EXPECT_FALSE(HoldsLoneEscape("\x1B[A"));     // up arrow
  EXPECT_FALSE(HoldsLoneEscape("\x1BOP"));     // F1
  EXPECT_FALSE(HoldsLoneEscape("\x1B[15~"));   // F5
  EXPECT_FALSE(HoldsLoneEscape("\x1Bx"));      // Alt+x
  EXPECT_FALSE(HoldsLoneEscape("q"));
}

}  // namespace
}  // namespace lumenquill
