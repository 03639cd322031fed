#include <cstdlib>
#include <string_view>

#include "platform/console_session.h"

namespace lumenquill {
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Qt's platforms that show nothing on a screen: a dialog there waits for an answer that nobody
// can give.
bool NamesPlatformWithoutScreen(std::string_view platform) {
  const std::string_view name = platform.substr(0, platform.find(':'));
  return name == "offscreen" || name == "minimal" || name == "minimalegl";
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool DisplayAvailable() {
  if (IsSet("QT_QPA_PLATFORM")) return !NamesPlatformWithoutScreen(std::getenv("QT_QPA_PLATFORM"));
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

bool StartedFromConsole() { return false; }

void ReleaseOwnConsole() {}

}  // namespace lumenquill
