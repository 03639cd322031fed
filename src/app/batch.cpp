#include "app/batch.h"

#include "app/input_rule.h"
#include "app/path_names.h"

namespace lumenquill {

std::string BatchCaption(size_t i, size_t n, const std::string& path) {
  return " (" + std::to_string(i) + "/" + std::to_string(n) + ") - " + FileNamePart(path);
}

void RunBatch(const std::vector<std::string>& arguments, Conversion& conversion,
              ProgressDisplay& progress) {
  std::vector<std::string> work_list;
  for (const std::string& argument : arguments) ApplyInputRule(argument, work_list);
  if (work_list.empty()) return;
  conversion.StartBatch();
  for (size_t i = 0; i < work_list.size(); ++i) {
    progress.SetCaption(BatchCaption(i + 1, work_list.size(), work_list[i]));
    conversion.ConvertFile(work_list[i]);
  }
}

}  // namespace lumenquill
