#pragma once

#include <string>
#include <vector>

namespace lumenquill {

// Turns one path into PDF paths appended to the work list: a shortcut is resolved first; an
// existing file with the extension ".pdf" (any case) is taken; an existing folder gives the
// PDF files that lie directly in it; anything else is ignored. The list may hold a path twice.
void ApplyInputRule(const std::string& path, std::vector<std::string>& work_list);

// Appends the PDF files directly in the folder, in name order, passing over folders and hidden
// files. The folder may end with "/" or not.
void AddFolderPDFFiles(const std::string& folder, std::vector<std::string>& list);

}  // namespace lumenquill
