#include "app/input_rule.h"

#include "app/path_names.h"
#include "app/shell_link.h"
#include "platform/file_attributes.h"
#include "platform/folder_listing.h"
#include "platform/path_text.h"

namespace lumenquill {

InputOutcome ApplyInputRule(const std::string& path, std::vector<std::string>& work_list) {
  const std::string target = ResolveLink(path);
  if (target.empty()) return InputOutcome::kUnreadableShortcut;
  if (IsFolder(target)) {
    AddFolderPDFFiles(target, work_list);
    return InputOutcome::kTaken;
  }
  if (!FileExists(target)) return InputOutcome::kMissing;
  if (!HasExtension(target, ".pdf")) return InputOutcome::kNotPdf;
  work_list.push_back(target);
  return InputOutcome::kTaken;
}

void AddFolderPDFFiles(const std::string& folder, std::vector<std::string>& list) {
  const std::string prefix = WithTrailingSeparator(folder);
  for (const FolderEntry& entry : ListFolder(prefix)) {
    if (entry.is_folder || entry.is_hidden) continue;
    if (HasExtension(entry.name, ".pdf")) list.push_back(prefix + entry.name);
  }
}

}  // namespace lumenquill
