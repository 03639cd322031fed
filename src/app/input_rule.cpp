#include "app/input_rule.h"

#include <filesystem>

#include "app/path_names.h"
#include "app/shell_link.h"
#include "platform/file_attributes.h"
#include "platform/file_reading.h"
#include "platform/folder_listing.h"
#include "platform/path_text.h"

namespace lumenquill {
namespace {

// Whether a regular file holds the header of a PDF file near its start, where readers look for
// it. A FIFO or a device is never opened: reading it could wait forever.
bool HoldsPdfHeader(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(FilesystemPath(path), error)) return false;
  return ReadFileStart(path, 1024).find("%PDF-") != std::string::npos;
}

}  // namespace

InputOutcome ApplyInputRule(const std::string& path, std::vector<std::string>& work_list,
                            const InputRule& rule) {
  if (rule.named_on_command_line && path == kStandardInputArgument) {
    work_list.push_back(path);
    return InputOutcome::kTaken;
  }
  const std::string target = ResolveLink(path);
  if (target.empty()) return InputOutcome::kUnreadableShortcut;
  if (IsFolder(target)) {
    const size_t found_before = work_list.size();
    AddFolderPDFFiles(target, work_list, rule.recursive);
    return work_list.size() > found_before ? InputOutcome::kTaken : InputOutcome::kNoPdfInFolder;
  }
  if (!FileExists(target)) return InputOutcome::kMissing;
  if (!HasExtension(target, ".pdf") && !(rule.named_on_command_line && HoldsPdfHeader(target))) {
    return InputOutcome::kNotPdf;
  }
  work_list.push_back(target);
  return InputOutcome::kTaken;
}

const char* IgnoredInputMessage(InputOutcome outcome) {
  switch (outcome) {
    case InputOutcome::kMissing:
      return "ファイルが見つかりません。";
    case InputOutcome::kNotPdf:
      return "PDFファイルではありません。";
    case InputOutcome::kUnreadableShortcut:
      return "ショートカットを読み込めません。";
    case InputOutcome::kNoPdfInFolder:
      return "PDFファイルがありません。";
    case InputOutcome::kTaken:
      break;
  }
  return "";
}

bool MayGivePdfFiles(const std::string& path) {
  return HasExtension(path, ".pdf") || HasExtension(path, ".lnk") || IsFolder(path);
}

void AddFolderPDFFiles(const std::string& folder, std::vector<std::string>& list, bool recursive) {
  const std::string prefix = WithTrailingSeparator(folder);
  for (const FolderEntry& entry : ListFolder(prefix)) {
    if (entry.is_hidden) continue;
    if (entry.is_folder) {
      if (recursive && !entry.is_link) AddFolderPDFFiles(prefix + entry.name, list, true);
    } else if (HasExtension(entry.name, ".pdf")) {
      list.push_back(prefix + entry.name);
    }
  }
}

}  // namespace lumenquill
