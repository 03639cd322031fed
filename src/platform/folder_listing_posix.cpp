#include "platform/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace lumenquill {

std::vector<FolderEntry> ListFolder(const std::string& folder) {
  std::vector<FolderEntry> entries;
  DIR* directory = ::opendir(folder.c_str());
  if (directory == nullptr) return entries;
  while (const dirent* entry = ::readdir(directory)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    struct stat info {};
    const std::string path = folder + "/" + entry->d_name;
    const bool is_folder = ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    const bool is_link = ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    entries.push_back({entry->d_name, is_folder, entry->d_name[0] == '.', is_link});
  }
  ::closedir(directory);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

}  // namespace lumenquill
