// lumenquill.exe: extracts the text of PDF files into Shift-JIS text files, in windows, or on
// the console that it was started from.

#include "cli/start_up.h"
#include "platform/console_session.h"
#include "win32ui/windows_start_up.h"

int main(int argc, char** argv) {
  return lumenquill::StartUp(lumenquill::ProgramArguments(argc, argv), argv[0],
                             lumenquill::RunInWindows);
}
