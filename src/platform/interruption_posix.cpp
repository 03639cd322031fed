#include "platform/interruption.h"

#include <limits.h>
#include <unistd.h>

#include <cstring>

namespace lumenquill {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Written only with the signals blocked, read only by the handler.
char temporary_file[PATH_MAX];
volatile sig_atomic_t temporary_file_set = 0;
termios terminal_settings;
volatile sig_atomic_t terminal_settings_set = 0;

void OnInterruption(int signal_number) {
  if (temporary_file_set) ::unlink(temporary_file);
  // A job sent to the background meanwhile leaves the terminal to the shell (and changing it
  // would stop the job).
  if (terminal_settings_set && ::tcgetpgrp(STDIN_FILENO) == ::getpgrp()) {
    ::tcsetattr(STDIN_FILENO, TCSANOW, &terminal_settings);
  }
  ::_exit(128 + signal_number);
}

sigset_t InterruptionSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (const int signal_number : kSignals) sigaddset(&signals, signal_number);
  return signals;
}

}  // namespace

void InstallInterruptionHandlers() {
  struct sigaction action {};
  action.sa_handler = OnInterruption;
  action.sa_mask = InterruptionSignals();
  for (const int signal_number : kSignals) ::sigaction(signal_number, &action, nullptr);
  // A write past the file-size limit then fails with EFBIG, which is reported, instead of
  // ending the program in the middle of a file.
  ::signal(SIGXFSZ, SIG_IGN);
}

InterruptionsHeld::InterruptionsHeld() {
  const sigset_t signals = InterruptionSignals();
  ::sigprocmask(SIG_BLOCK, &signals, &previous_);
}

InterruptionsHeld::~InterruptionsHeld() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }

void RegisterTemporaryFile(const char* path) {
  InterruptionsHeld held;
  temporary_file_set = 0;
  if (path == nullptr || std::strlen(path) >= sizeof temporary_file) return;
  std::strcpy(temporary_file, path);
  temporary_file_set = 1;
}

void RegisterTerminalSettings(const termios* settings) {
  InterruptionsHeld held;
  terminal_settings_set = 0;
  if (settings == nullptr) return;
  terminal_settings = *settings;
  terminal_settings_set = 1;
}

}  // namespace lumenquill
