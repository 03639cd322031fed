#pragma once

#include <signal.h>
#include <termios.h>

namespace lumenquill {

// What an interruption (SIGINT, SIGTERM, SIGHUP) leaves behind. Once the handlers are
// installed, a signal removes the temporary file being written, if any, puts the terminal back
// as it was, if its settings were changed, and ends the program with 128 + the signal number
// (130 for SIGINT, 143 for SIGTERM). A signal can come at any instruction, so the handler
// uses only what was registered here beforehand and calls only async-signal-safe functions.
// SIGXFSZ is ignored, so that exceeding the file-size limit is a write error like any other.
void InstallInterruptionHandlers();

// Blocks the interruption signals while it lives (and then restores the mask it found), so
// that creating or renaming a file and registering it happen as one step.
class InterruptionsHeld final {
 public:
  InterruptionsHeld();
  ~InterruptionsHeld();
  InterruptionsHeld(const InterruptionsHeld&) = delete;
  InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

 private:
  sigset_t previous_;
};

// The temporary file that an interruption removes; nullptr forgets it. A path longer than the
// handler's buffer is not registered and raises nothing (the file is then left behind).
void RegisterTemporaryFile(const char* path);

// The terminal settings that an interruption restores on standard input; nullptr forgets them.
void RegisterTerminalSettings(const termios* settings);

}  // namespace lumenquill
