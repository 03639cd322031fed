// lumenquill-info: prints what the reader sees in PDF files, for users who want to know why a
// file fails and for tests.
//
//   lumenquill-info FILE...            the document summary and page list of each file
//   lumenquill-info --fonts FILE...    each page's contents, fonts and form XObjects
//   lumenquill-info --object N FILE    object N as copied, and its stream decoded
//   lumenquill-info --extract OUT.txt [options] FILE   the text of FILE, as the product
//                                      writes it (see extract_command.h)
//
// A file that fails prints its path and the message of the failing check on standard error;
// the exit status is 1 when any file failed.

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "info/document_report.h"
#include "info/extract_command.h"
#include "info/font_report.h"
#include "info/object_report.h"
#include "platform/interruption.h"
#include "reader/decimal_text.h"
#include "reader/pdf_analyst.h"

namespace {

constexpr const char* kUsage =
    "usage: lumenquill-info FILE...\n"
    "       lumenquill-info --fonts FILE...\n"
    "       lumenquill-info --object N FILE\n"
    "       lumenquill-info --extract OUT.txt [--first N] [--last M] [--no-banner]\n"
    "                       [--eol crlf|lf|cr] [--no-breaks] FILE\n";

int Fail(const std::string& path, const std::exception& error) {
  std::cerr << path << ": " << error.what() << '\n';
  return 1;
}

using Report = void (*)(lumenquill::TPDFAnalyst&, std::ostream&);

int ReportDocuments(Report report, const std::vector<std::string>& paths) {
  int status = 0;
  for (const std::string& path : paths) {
    try {
      lumenquill::TPDFAnalyst reader;
      reader.LoadFromFile(path);
      std::cout << "file: " << path << '\n';
      report(reader, std::cout);
    } catch (const std::exception& error) {
      std::cout.flush();
      status = Fail(path, error);
    }
  }
  return status;
}

int ReportObject(const std::string& number, const std::string& path) {
  const int32_t n = lumenquill::DecimalToInt(number, -1);
  if (n < 0) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    lumenquill::TPDFAnalyst reader;
    reader.LoadFromFile(path);
    lumenquill::WriteObjectReport(reader, n, std::cout);
    return 0;
  } catch (const std::exception& error) {
    std::cout.flush();
    return Fail(path, error);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  lumenquill::InstallInterruptionHandlers();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  if (args[0] == "--object") {
    if (args.size() != 3) {
      std::cerr << kUsage;
      return 2;
    }
    return ReportObject(args[1], args[2]);
  }
  if (args[0] == "--extract") return lumenquill::RunExtractCommand({args.begin() + 1, args.end()});
  if (args[0] == "--fonts") {
    return ReportDocuments(lumenquill::WriteFontReport, {args.begin() + 1, args.end()});
  }
  return ReportDocuments(lumenquill::WriteDocumentReport, args);
}
