#pragma once

#include <string>
#include <vector>

namespace lumenquill {

struct FolderEntry {
  std::string name;
  bool is_folder;
  // Hidden from the user: the hidden or system attribute on Windows, a name starting with "."
  // on Linux.
  bool is_hidden;
};

// The entries of a folder sorted bytewise by name (UTF-8 on Windows), "." and ".." left out;
// empty when the folder cannot be read.
std::vector<FolderEntry> ListFolder(const std::string& folder);

}  // namespace lumenquill
