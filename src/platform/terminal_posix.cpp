#include "platform/terminal.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "platform/escape_key.h"
#include "platform/interruption.h"

namespace lumenquill {
namespace {

constexpr char kEscape = '\x1B';

// How long a terminal may take to send the rest of a key's escape sequence. The bytes of one
// sequence are written together, so they arrive well within this; a person pressing Escape
// and then another key takes far longer.
constexpr int kSequenceMilliseconds = 30;

// Whether input is waiting, within the time given.
bool InputWaiting(int milliseconds) {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  return ::poll(&input, 1, milliseconds) > 0;
}

// Appends what can be read from the terminal without waiting. The poll comes first because a
// terminal put back in line mode (by a shell after Ctrl-Z) would make read wait for a line.
void ReadAvailable(std::string& keys) {
  char buffer[64];
  ssize_t count = 0;
  while (InputWaiting(0) && (count = ::read(STDIN_FILENO, buffer, sizeof buffer)) > 0) {
    keys.append(buffer, static_cast<size_t>(count));
  }
}

// Only the foreground job may change the terminal; a job in the background would be stopped.
bool InForeground() { return ::tcgetpgrp(STDIN_FILENO) == ::getpgrp(); }

}  // namespace

bool StandardInputIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

struct TerminalEscapeWatcher::Saved {
  termios settings;
  termios raw;
};

TerminalEscapeWatcher::TerminalEscapeWatcher() {
  if (!StandardInputIsTerminal() || !InForeground()) return;
  saved_ = std::make_unique<Saved>();
  if (::tcgetattr(STDIN_FILENO, &saved_->settings) != 0) return;
  saved_->raw = saved_->settings;
  saved_->raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  saved_->raw.c_cc[VMIN] = 0;
  saved_->raw.c_cc[VTIME] = 0;
  RegisterTerminalSettings(&saved_->settings);
  active_ = ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_->raw) == 0;
  if (!active_) RegisterTerminalSettings(nullptr);
}

TerminalEscapeWatcher::~TerminalEscapeWatcher() {
  if (!active_) return;
  // A job in the background has the shell's own settings on its terminal already.
  if (InForeground()) ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_->settings);
  RegisterTerminalSettings(nullptr);
}

void TerminalEscapeWatcher::Poll() {
  if (!active_) return;
  // After Ctrl-Z and fg the shell has put the terminal back in line mode: take it again.
  termios now{};
  if (InForeground() && ::tcgetattr(STDIN_FILENO, &now) == 0 && (now.c_lflag & ICANON) != 0) {
    ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_->raw);
  }
  std::string keys;
  ReadAvailable(keys);
  // An Escape at the end of what has arrived may be the start of an arrow or function key's
  // sequence: wait briefly for the rest before deciding.
  if (!keys.empty() && keys.back() == kEscape && InputWaiting(kSequenceMilliseconds)) {
    ReadAvailable(keys);
  }
  if (HoldsLoneEscape(keys)) LatchEscapeKeyPress();
}

}  // namespace lumenquill
