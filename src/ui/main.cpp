// lumenquill: extracts the text of PDF files into Shift-JIS text files, in windows when a
// display can be opened and on the console otherwise.

#include "cli/start_up.h"
#include "platform/console_session.h"
#include "ui/windows_start_up.h"

int main(int argc, char** argv) {
  return lumenquill::StartUp(lumenquill::ProgramArguments(argc, argv), argv[0],
                             lumenquill::RunInWindows);
}
