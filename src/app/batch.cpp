#include "app/batch.h"

#include "app/input_rule.h"
#include "app/path_names.h"

namespace lumenquill {

std::string BatchCaption(size_t i, size_t n, const std::string& path) {
  return " (" + std::to_string(i) + "/" + std::to_string(n) + ") - " + FileNamePart(path);
}

bool CollectWorkList(const std::vector<std::string>& arguments, bool recursive,
                     std::vector<std::string>& work_list, std::ostream& diagnostics) {
  const InputRule rule{.named_on_command_line = true, .recursive = recursive};
  bool all_taken = true;
  for (const std::string& argument : arguments) {
    const InputOutcome outcome = ApplyInputRule(argument, work_list, rule);
    if (outcome == InputOutcome::kTaken) continue;
    all_taken = false;
    diagnostics << "Lumenquill: " << argument << ": " << IgnoredInputMessage(outcome) << '\n'
                << std::flush;
  }
  return all_taken;
}

bool RunBatch(const std::vector<std::string>& arguments, Conversion& conversion,
              ProgressDisplay& progress, std::ostream& diagnostics) {
  std::vector<std::string> work_list;
  const bool all_taken =
      CollectWorkList(arguments, conversion.Options().recursive, work_list, diagnostics);
  if (work_list.empty()) return all_taken;
  const bool all_converted = ConvertWorkList(
      work_list, conversion, progress,
      [&conversion](const std::string& file) { return conversion.ConvertFile(file); });
  return all_taken && all_converted;
}

bool ConvertWorkList(const std::vector<std::string>& work_list, Conversion& conversion,
                     ProgressDisplay& progress,
                     const std::function<bool(const std::string&)>& convert_file) {
  conversion.StartBatch();
  bool all_converted = true;
  for (size_t i = 0; i < work_list.size(); ++i) {
    progress.SetCaption(BatchCaption(i + 1, work_list.size(), work_list[i]));
    all_converted = convert_file(work_list[i]) && all_converted;
  }
  conversion.EndBatch();
  return all_converted;
}

}  // namespace lumenquill
