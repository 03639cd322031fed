#pragma once

#include <memory>
#include <string_view>

namespace lumenquill {

// Whether standard input / standard error is a terminal (and not a file or a pipe).
bool StandardInputIsTerminal();
bool StandardErrorIsTerminal();

// Whether keys read from a terminal hold a press of Escape on its own: an Escape byte at the end,
// or followed by another Escape. An Escape followed by other bytes starts the sequence of an
// arrow, function or Alt key, which does not count.
bool HoldsLoneEscape(std::string_view keys);

// While it lives, and when standard input is the terminal of the foreground job, keys typed
// there are read one at a time without echo, so that a press of Escape can be noticed without
// waiting for Enter. The terminal is put back when the watcher goes, and also when a signal
// ends the program.
class TerminalEscapeWatcher final {
 public:
  TerminalEscapeWatcher();
  ~TerminalEscapeWatcher();
  TerminalEscapeWatcher(const TerminalEscapeWatcher&) = delete;
  TerminalEscapeWatcher& operator=(const TerminalEscapeWatcher&) = delete;

  // Reads the keys typed so far and latches the Escape key when they hold a lone Escape.
  void Poll();

 private:
  bool active_ = false;
  struct Saved;
  std::unique_ptr<Saved> saved_;
};

}  // namespace lumenquill
