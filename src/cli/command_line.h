#pragma once

#include <string>
#include <variant>
#include <vector>

#include "app/run_options.h"

namespace lumenquill {

// What lumenquill was asked to do.
struct CommandLine {
  enum class Action { kConvert, kHelp, kVersion };

  Action request = Action::kConvert;
  RunOptions options;
  bool to_standard_output = false;  // --stdout
  bool quiet = false;               // --quiet
  int jobs = 1;                     // --jobs
  std::vector<std::string> files;
};

// Why the arguments could not be understood, for the user.
struct UsageError {
  std::string message;
};

// Reads the arguments (without the program's name). Options and files may come in any order;
// after "--" every argument is a file. A value follows its option or is joined to it
// ("--jobs=2"), and short options may be bundled ("-qj2", "-j2"). --help or --version wins over
// the rest of the line.
std::variant<CommandLine, UsageError> ParseCommandLine(const std::vector<std::string>& arguments);

// The same reading with the page range and layout options alone (--first, --last, --eol,
// --no-banner, --no-breaks, --encoding, --fold-compatibility, --layout, --ruby); any other
// option is refused as unknown.
std::variant<CommandLine, UsageError> ParseLayoutOptions(const std::vector<std::string>& arguments);

}  // namespace lumenquill
