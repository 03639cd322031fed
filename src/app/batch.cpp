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
  ConvertWorkList(work_list, conversion, progress,
                  [&conversion](const std::string& file) { conversion.ConvertFile(file); });
}

void ConvertWorkList(const std::vector<std::string>& work_list, Conversion& conversion,
                     ProgressDisplay& progress,
                     const std::function<void(const std::string&)>& convert_file) {
  conversion.StartBatch();
  for (size_t i = 0; i < work_list.size(); ++i) {
    progress.SetCaption(BatchCaption(i + 1, work_list.size(), work_list[i]));
    convert_file(work_list[i]);
  }
}

}  // namespace lumenquill
