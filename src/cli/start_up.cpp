#include "cli/start_up.h"

#include <cstdlib>
#include <iostream>
#include <variant>

#include "app/batch.h"
#include "cli/command_line.h"
#include "cli/console_batch.h"
#include "cli/usage_text.h"
#include "platform/interruption.h"

namespace lumenquill {

namespace {

// Whether windows can be shown: DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set.
bool DisplayAvailable() {
  return EnvironmentValue("DISPLAY") != nullptr || EnvironmentValue("WAYLAND_DISPLAY") != nullptr ||
         EnvironmentValue("QT_QPA_PLATFORM") != nullptr;
}

// Parses the command line and does what it asks; the exit status.
int RunCommandLine(int argc, char** argv, WindowsRunner windows) {
  const auto parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    std::cerr << "Lumenquill: " << error->Message << '\n' << ShortUsage();
    return kExitUsageError;
  }
  const CommandLine& line = std::get<CommandLine>(parsed);
  if (line.Request != CommandLine::Action::kConvert) {
    std::cout << (line.Request == CommandLine::Action::kHelp ? HelpText() : VersionLine())
              << std::flush;
    return std::cout ? kExitAllConverted : kExitSomeNotConverted;
  }

  InstallInterruptionHandlers();
  if (windows != nullptr && DisplayAvailable() && !line.ToStandardOutput) {
    if (const std::optional<int> status = windows(line.Options, line.Files, argv[0])) {
      return *status;
    }
    if (!line.Quiet) std::cerr << "Lumenquill: 画面を開けないため、コンソールで実行します。\n";
  }
  return RunConsoleBatch(line, std::cin, std::cout, std::cerr);
}

}  // namespace

const char* EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

int StartUp(int argc, char** argv, WindowsRunner windows) {
  try {
    return RunCommandLine(argc, argv, windows);
  } catch (const std::exception& error) {
    // A fault of the program rather than of a file: told, never passed over.
    std::cout.flush();
    std::cerr << "Lumenquill: " << error.what() << '\n';
    return kExitSomeNotConverted;
  }
}

}  // namespace lumenquill
