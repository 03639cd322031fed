#pragma once

#include <memory>

namespace lumenquill {

// Whether standard input / standard error is a terminal (and not a file or a pipe).
bool StandardInputIsTerminal();
bool StandardErrorIsTerminal();

// While it lives, and when standard input is a terminal, keys typed there are read one at a
// time without echo, so that a press of Escape can be noticed without waiting for Enter.
class TerminalEscapeWatcher final {
 public:
  TerminalEscapeWatcher();
  ~TerminalEscapeWatcher();
  TerminalEscapeWatcher(const TerminalEscapeWatcher&) = delete;
  TerminalEscapeWatcher& operator=(const TerminalEscapeWatcher&) = delete;

  // Reads the keys typed so far and latches the Escape key when one of them was Escape.
  void Poll();

 private:
  bool active_ = false;
  struct Saved;
  std::unique_ptr<Saved> saved_;
};

}  // namespace lumenquill
