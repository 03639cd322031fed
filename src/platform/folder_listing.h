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
  // A symbolic link (on Windows a reparse point: a link or a junction), which a walk through
  // subfolders does not follow, so that a link to a folder above cannot make it loop.
  bool is_link;
};

// The entries of a folder sorted bytewise by name (UTF-8 on Windows), "." and ".." left out;
// empty when the folder cannot be read.
std::vector<FolderEntry> ListFolder(const std::string& folder);

}  // namespace lumenquill
