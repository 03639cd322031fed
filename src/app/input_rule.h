#pragma once

#include <string>
#include <vector>

namespace lumenquill {

// What the input rule made of one path.
enum class InputOutcome {
  kTaken,              // a PDF file, or a folder (whatever it held)
  kMissing,            // nothing of that name, or a link that leads nowhere
  kNotPdf,             // a file without the extension ".pdf"
  kUnreadableShortcut  // a ".lnk" file that could not be read
};

// Turns one path into PDF paths appended to the work list: a shortcut is resolved first; an
// existing file with the extension ".pdf" (any case) is taken; an existing folder gives the
// PDF files that lie directly in it; anything else is ignored, and the outcome says why. The
// list may hold a path twice.
InputOutcome ApplyInputRule(const std::string& path, std::vector<std::string>& work_list);

// Appends the PDF files directly in the folder, in name order, passing over folders and hidden
// files. The folder may end with "/" or not.
void AddFolderPDFFiles(const std::string& folder, std::vector<std::string>& list);

}  // namespace lumenquill
