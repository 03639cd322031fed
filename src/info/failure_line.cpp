#include "info/failure_line.h"

#include <iostream>
#include <sstream>

#include "app/console_interface.h"
#include "app/conversion.h"

namespace lumenquill {
namespace {

// lumenquill's console interface, for its wording and its way of showing a message.
ConsoleUserInterface& Console() {
  static std::istringstream no_input;
  static ConsoleUserInterface console(no_input, std::cout, std::cerr, false, false);
  return console;
}

}  // namespace

void ReportFailure(const std::string& path, const std::string& message) {
  std::cout.flush();
  Console().ShowMessage("lumenquill-info", path + "\r\n" + message, MessageIcon::kError);
}

void ReportFailure(const std::string& path, const Error& error, bool needs_newer_formats) {
  const auto* unopened = dynamic_cast<const FileOpenError*>(&error);
  std::string message = unopened != nullptr ? OpenFailureMessage(unopened->cause()) : error.what();
  if (needs_newer_formats) message += "\r\n" + Console().NewerFormatsHint();
  ReportFailure(path, message);
}

void ReportFailure(const std::string& path, const Error& error, const TPDFAnalyst& reader) {
  ReportFailure(path, error, reader.NeedsNewerFormats());
}

}  // namespace lumenquill
