// lumenquill: extracts the text of PDF files into Shift-JIS text files.

#include "ui/start_up.h"

int main(int argc, char** argv) { return lumenquill::StartUp(argc, argv); }
