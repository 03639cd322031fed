#include "platform/folder_listing.h"

#include <windows.h>

#include <algorithm>

#include "platform/path_text.h"
#include "platform/wide_text.h"

namespace lumenquill {

std::vector<FolderEntry> ListFolder(const std::string& folder) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAW found;
  const HANDLE search =
      ::FindFirstFileExW(WindowsPath(WithTrailingSeparator(folder) + "*").c_str(), FindExInfoBasic,
                         &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const DWORD attributes = found.dwFileAttributes;
    entries.push_back({Narrow(name), (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0,
                       (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

}  // namespace lumenquill
