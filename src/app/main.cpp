// lumenquill: converts the PDF files, folders and shortcuts named on the command line to
// Shift-JIS text files, one after the other, and ends.

#include <iostream>
#include <string>
#include <vector>

#include "app/batch.h"
#include "app/console_interface.h"
#include "app/conversion.h"
#include "platform/terminal.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.empty()) {
    std::cout << "Lumenquill: PDFファイルのテキストを抽出します。\n"
                 "usage: lumenquill PDF-file-or-folder...\n";
    return 0;
  }
  lumenquill::ConsoleUserInterface ui(std::cin, std::cout, std::cerr,
                                      lumenquill::StandardInputIsTerminal(),
                                      lumenquill::StandardErrorIsTerminal());
  lumenquill::Conversion conversion(ui);
  lumenquill::RunBatch(arguments, conversion, ui.Progress());
  return 0;
}
