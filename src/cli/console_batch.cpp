#include "cli/console_batch.h"

#include <sstream>

#include "app/batch.h"
#include "app/console_interface.h"
#include "app/conversion.h"
#include "cli/parallel_jobs.h"
#include "cli/usage_text.h"
#include "platform/error.h"
#include "platform/file_attributes.h"
#include "platform/path_text.h"
#include "platform/terminal.h"

namespace lumenquill {
namespace {

// The run's options on the console, where a result opened in the editor is a line that names
// it on the output: --quiet leaves those lines out too.
RunOptions ConsoleOptions(const CommandLine& line) {
  RunOptions options = line.options;
  if (line.quiet) options.open_in_editor = false;
  return options;
}

// Converts one file of the work list in a worker process, everything it says held in the report.
JobReport ConvertInWorker(const CommandLine& line, const std::string& file) {
  std::istringstream no_input;
  std::ostringstream text;
  std::ostringstream messages;
  std::ostringstream opened;
  ConsoleUserInterface ui(no_input, opened, messages, false, false);
  Conversion conversion(ui, ConsoleOptions(line), line.to_standard_output ? &text : nullptr);
  JobReport report;
  report.converted = conversion.ConvertFile(file);
  report.loaded = conversion.open_count > 0;
  report.text = text.str();
  report.messages = messages.str();
  report.opened = opened.str();
  return report;
}

// The text file each file of the work list would write, as a key of JobSchedule: files that
// would write one text file are converted one after the other, in the order of the list.
// Nothing with --stdout, where no file is written.
std::vector<std::string> TargetKeys(const CommandLine& line,
                                    const std::vector<std::string>& work_list) {
  std::vector<std::string> keys(work_list.size());
  if (line.to_standard_output) return keys;
  for (size_t i = 0; i < work_list.size(); ++i) {
    keys[i] = SameFileKey(DefaultTextPath(work_list[i], line.options));
  }
  return keys;
}

// The work list converted by line.jobs worker processes; the editor's limit counts the files
// that loaded in the order of the list, as one process counts them.
bool ConvertInParallel(const CommandLine& line, const std::vector<std::string>& work_list,
                       std::ostream& out, std::ostream& err) {
  bool all_converted = true;
  int32_t loaded = 0;
  RunJobs(
      TargetKeys(line, work_list), line.jobs,
      [&](size_t i) { return ConvertInWorker(line, work_list[i]); },
      [&](size_t i, const JobReport* report) {
        if (report == nullptr) {
          err << "Lumenquill: " << work_list[i] << ": 変換中に処理が異常終了しました。\n"
              << std::flush;
          all_converted = false;
          return;
        }
        if (report->loaded) ++loaded;
        err << report->messages << std::flush;
        out << report->text;
        if (loaded <= Conversion::kMaxOpenWindows) out << report->opened;
        out << std::flush;
        all_converted = report->converted && all_converted;
      });
  if (line.to_standard_output && !out) {
    err << "Lumenquill: 標準出力: テキストを書き込めませんでした。\n" << std::flush;
    return false;
  }
  return all_converted;
}

// Converts the command line's files in this process or in line.jobs worker processes; the
// batch's exit status.
int ConvertAll(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err) {
  if (line.jobs == 1) {
    ConsoleUserInterface ui(in, out, err, StandardInputIsTerminal(),
                            !line.quiet && StandardErrorIsTerminal());
    Conversion conversion(ui, ConsoleOptions(line), line.to_standard_output ? &out : nullptr);
    return BatchExitStatus(RunBatch(line.files, conversion, ui.Progress(), err));
  }
  std::vector<std::string> work_list;
  const bool all_taken = CollectWorkList(line.files, line.options.recursive, work_list, err);
  try {
    return BatchExitStatus(ConvertInParallel(line, work_list, out, err) && all_taken);
  } catch (const Error& error) {
    err << "Lumenquill: 並列の変換を始められません: " << error.what() << '\n';
    return kExitSomeNotConverted;
  }
}

}  // namespace

int RunConsoleBatch(const CommandLine& line, std::istream& in, std::ostream& out,
                    std::ostream& err) {
  if (line.files.empty()) {
    err << "Lumenquill: PDFファイルまたはフォルダを指定してください。\n" << ShortUsage();
    return kExitUsageError;
  }
  if (const auto& folder = line.options.output_folder; folder && !IsFolder(*folder)) {
    err << "Lumenquill: " << *folder << ": "
        << (FileExists(*folder) ? "出力先がフォルダではありません。"
                                : "出力先のフォルダが見つかりません。")
        << '\n'
        << ShortUsage();
    return kExitUsageError;
  }
  const int status = ConvertAll(line, in, out, err);
  // The names of the results are the console's way of opening them: a failure to write them
  // is a failure of the run. (The text itself on standard output is checked as it is written.)
  if (!line.to_standard_output && !(out << std::flush)) {
    err << "Lumenquill: 標準出力: 変換したファイルの名前を書き込めませんでした。\n";
    return kExitSomeNotConverted;
  }
  return status;
}

}  // namespace lumenquill
