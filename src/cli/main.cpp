// lumenquill without the windows: extracts the text of PDF files into Shift-JIS text files on
// the console.

#include "cli/start_up.h"

int main(int argc, char** argv) { return lumenquill::StartUp(argc, argv, nullptr); }
