#include "platform/terminal.h"

#include <windows.h>

#include "platform/escape_key.h"

namespace lumenquill {
namespace {

bool IsConsole(DWORD standard_handle) {
  DWORD mode = 0;
  return ::GetConsoleMode(::GetStdHandle(standard_handle), &mode) != 0;
}

}  // namespace

bool StandardInputIsTerminal() { return IsConsole(STD_INPUT_HANDLE); }

bool StandardErrorIsTerminal() { return IsConsole(STD_ERROR_HANDLE); }

// The console delivers keys as events, Escape as its own virtual key: nothing needs to change
// in the console's mode, so nothing needs to be put back.
struct TerminalEscapeWatcher::Saved {};

TerminalEscapeWatcher::TerminalEscapeWatcher() : active_(StandardInputIsTerminal()) {}

TerminalEscapeWatcher::~TerminalEscapeWatcher() = default;

void TerminalEscapeWatcher::Poll() {
  if (!active_) return;
  const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  DWORD waiting = 0;
  while (::GetNumberOfConsoleInputEvents(input, &waiting) && waiting > 0) {
    INPUT_RECORD events[16];
    DWORD count = 0;
    if (!::ReadConsoleInputW(input, events, static_cast<DWORD>(std::size(events)), &count)) return;
    for (DWORD i = 0; i < count; ++i) {
      const INPUT_RECORD& event = events[i];
      if (event.EventType == KEY_EVENT && event.Event.KeyEvent.bKeyDown &&
          event.Event.KeyEvent.wVirtualKeyCode == VK_ESCAPE) {
        LatchEscapeKeyPress();
      }
    }
  }
}

}  // namespace lumenquill
