#include "info/failure_line.h"

#include <iostream>
#include <sstream>

#include "app/console_interface.h"
#include "app/conversion.h"
#include "reader/reader_errors.h"

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

void ReportFailure(const std::string& path, const Error& error, const Document* document) {
  const auto* unopened = dynamic_cast<const FileOpenError*>(&error);
  std::string message = unopened != nullptr ? OpenFailureMessage(unopened->cause()) : error.what();
  const auto* refused = dynamic_cast<const LoadError*>(&error);
  const bool needs_newer_formats = document != nullptr
                                       ? document->NeedsNewerFormats()
                                       : refused != nullptr && refused->NeedsNewerFormats();
  if (needs_newer_formats) message += "\r\n" + Console().NewerFormatsHint();
  ReportFailure(path, message);
}

}  // namespace lumenquill
