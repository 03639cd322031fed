#pragma once

#include <string>
#include <vector>

namespace lumenquill {

// The argument that stands for standard input, read as one PDF file.
inline constexpr const char* kStandardInputArgument = "-";

// What the input rule made of one path.
enum class InputOutcome {
  kTaken,               // a PDF file, or a folder that gave at least one
  kMissing,             // nothing of that name, or a link that leads nowhere
  kNotPdf,              // a file without the extension ".pdf" (nor, named, the content of one)
  kUnreadableShortcut,  // a ".lnk" file that could not be read
  kNoPdfInFolder        // a folder that gave no PDF file
};

// Where the paths come from, which widens the rule.
struct InputRule {
  // Named on the command line: "-" is standard input, and a file named there is a PDF file by
  // its content too ("%PDF-" within its first 1024 bytes), whatever its extension.
  bool named_on_command_line = false;
  // A folder gives the PDF files of its subfolders too.
  bool recursive = false;
};

// Turns one path into PDF paths appended to the work list: a shortcut is resolved first; an
// existing file with the extension ".pdf" (any case) is taken; an existing folder gives the
// PDF files that lie in it; anything else is ignored, and the outcome says why. The list may
// hold a path twice.
InputOutcome ApplyInputRule(const std::string& path, std::vector<std::string>& work_list,
                            const InputRule& rule = {});

// Why a path gave no PDF file, as a sentence for the user; empty for kTaken.
const char* IgnoredInputMessage(InputOutcome outcome);

// Whether the input rule could take a PDF file from the path by its name alone: a PDF file, a
// shortcut or a folder; what a drag holds is judged so while it moves.
bool MayGivePdfFiles(const std::string& path);

// Appends the PDF files in the folder (in its subfolders too when recursive, without following
// links to folders), passing over hidden files and folders. The entries of a folder are taken in
// name order, each subfolder's PDF files where its name sorts. The folder may end with "/" or
// not.
void AddFolderPDFFiles(const std::string& folder, std::vector<std::string>& list,
                       bool recursive = false);

}  // namespace lumenquill
