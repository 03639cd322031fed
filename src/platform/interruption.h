#pragma once

#ifndef _WIN32
#include <signal.h>
#include <termios.h>
#endif

namespace lumenquill {

// What an interruption leaves behind. Once the handlers are installed, an interruption removes
// the temporary file being written, if any, puts the terminal back as it was, if its settings
// were changed, and ends the program. On Linux the interruptions are SIGINT, SIGTERM and SIGHUP,
// and the status is 128 + the signal number (130 for SIGINT, 143 for SIGTERM); a signal can come
// at any instruction, so the handler uses only what was registered here beforehand and calls
// only async-signal-safe functions. SIGXFSZ is ignored, so that exceeding the file-size limit is
// a write error like any other. On Windows they are the console's Ctrl+C and Ctrl+Break (status
// 130) and its closing, the user's logging off and the system's shutting down (status 129),
// which the system reports on a thread of their own.
void InstallInterruptionHandlers();

// Holds the interruptions back while it lives, so that creating or renaming a file and
// registering it happen as one step: on Linux by blocking the signals (and then restoring the
// mask it found), on Windows by a lock that the handler takes too.
class InterruptionsHeld final {
 public:
  InterruptionsHeld();
  ~InterruptionsHeld();
  InterruptionsHeld(const InterruptionsHeld&) = delete;
  InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

#ifndef _WIN32
 private:
  sigset_t previous_;
#endif
};

// The temporary file that an interruption removes; nullptr forgets it. On Windows each thread
// has its own (the conversions of --jobs run on threads there). A path longer than the
// handler's buffer is not registered and raises nothing (the file is then left behind).
void RegisterTemporaryFile(const char* path);

#ifndef _WIN32
// The terminal settings that an interruption restores on standard input; nullptr forgets them.
void RegisterTerminalSettings(const termios* settings);
#endif

}  // namespace lumenquill
