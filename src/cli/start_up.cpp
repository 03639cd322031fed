#include "cli/start_up.h"

#include <cstdlib>
#include <iostream>
#include <variant>

#include "app/batch.h"
#include "cli/command_line.h"
#include "cli/console_batch.h"
#include "cli/usage_text.h"
#include "platform/console_session.h"
#include "platform/console_streams.h"
#include "platform/interruption.h"

namespace lumenquill {

namespace {

// Parses the command line and does what it asks; the exit status.
int RunCommandLine(const std::vector<std::string>& arguments, const char* program,
                   WindowsRunner windows) {
  const auto parsed = ParseCommandLine(arguments);
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    std::cerr << "Lumenquill: " << error->message << '\n' << ShortUsage();
    return kExitUsageError;
  }
  const CommandLine& line = std::get<CommandLine>(parsed);
  if (line.request != CommandLine::Action::kConvert) {
    std::cout << (line.request == CommandLine::Action::kHelp ? HelpText() : VersionLine())
              << std::flush;
    return std::cout ? kExitAllConverted : kExitSomeNotConverted;
  }

  InstallInterruptionHandlers();
  const bool files_on_console = !line.files.empty() && StartedFromConsole();
  if (windows != nullptr && DisplayAvailable() && !line.to_standard_output && !files_on_console) {
    ReleaseOwnConsole();
    if (const std::optional<int> status = windows(line.options, line.files, program)) {
      return *status;
    }
    if (!line.quiet) std::cerr << "Lumenquill: 画面を開けないため、コンソールで実行します。\n";
  }
  return RunConsoleBatch(line, std::cin, std::cout, std::cerr);
}

}  // namespace

const char* EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

int StartUp(const std::vector<std::string>& arguments, const char* program, WindowsRunner windows) {
  UseConsoleForStandardStreams();
  try {
    return RunCommandLine(arguments, program, windows);
  } catch (const std::exception& error) {
    // A fault of the program rather than of a file: told, never passed over.
    std::cout.flush();
    std::cerr << "Lumenquill: " << error.what() << '\n';
    return kExitSomeNotConverted;
  }
}

}  // namespace lumenquill
