// lumenquill without the windows: extracts the text of PDF files into Shift-JIS text files on
// the console.

#include "cli/start_up.h"
#include "platform/console_session.h"

int main(int argc, char** argv) {
  return lumenquill::StartUp(lumenquill::ProgramArguments(argc, argv), argv[0], nullptr);
}
