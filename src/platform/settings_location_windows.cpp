#include <windows.h>

#include <shlobj.h>

#include "platform/settings_location.h"
#include "platform/wide_text.h"

namespace lumenquill {

std::string ExecutablePath() {
  static const std::string executable = [] {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD length =
          ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (length == 0) return std::string();
      if (length < path.size()) return Narrow(std::wstring_view(path.data(), length));
      path.resize(path.size() * 2);
    }
  }();
  return executable;
}

// The folder's access rights decide (Program Files may be read by everyone and written by
// administrators only): the test is to create a file there, which is removed at once.
bool FolderMayBeWritten(const std::string& folder) {
  const std::wstring probe = WindowsPath(folder + "\\.lumenquill-write-test");
  const HANDLE handle = ::CreateFileW(
      probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_EXISTS;
  ::CloseHandle(handle);
  return true;
}

std::string UserSettingsFolder() {
  PWSTR roaming = nullptr;
  std::string folder;
  if (::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &roaming) == S_OK) {
    folder = Narrow(roaming) + "\\Lumenquill";
  }
  ::CoTaskMemFree(roaming);
  return folder;
}

}  // namespace lumenquill
