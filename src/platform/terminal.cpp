#include "platform/terminal.h"

#include <termios.h>
#include <unistd.h>

#include "platform/escape_key.h"

namespace lumenquill {

bool StandardInputIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

struct TerminalEscapeWatcher::Saved {
  termios settings;
};

TerminalEscapeWatcher::TerminalEscapeWatcher() {
  if (!StandardInputIsTerminal()) return;
  saved_ = std::make_unique<Saved>();
  if (::tcgetattr(STDIN_FILENO, &saved_->settings) != 0) return;
  termios raw = saved_->settings;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  raw.c_cc[VMIN] = 0;
  raw.c_cc[VTIME] = 0;
  active_ = ::tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
}

TerminalEscapeWatcher::~TerminalEscapeWatcher() {
  if (active_) ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_->settings);
}

void TerminalEscapeWatcher::Poll() {
  if (!active_) return;
  char keys[64];
  ssize_t count = 0;
  while ((count = ::read(STDIN_FILENO, keys, sizeof keys)) > 0) {
    for (ssize_t i = 0; i < count; ++i) {
      if (keys[i] == '\x1B') LatchEscapeKeyPress();
    }
  }
}

}  // namespace lumenquill
