#pragma once

#include <string>
#include <vector>

namespace lumenquill {

struct FolderEntry {
  std::string name;
  bool is_folder;
};

// The entries of a folder sorted bytewise by name (the order a user sees on Windows), "." and
// ".." left out; empty when the folder cannot be read.
std::vector<FolderEntry> ListFolder(const std::string& folder);

}  // namespace lumenquill
