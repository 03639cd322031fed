#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace lumenquill {

// What the conversion of one file produced, held back so that it can be shown in the order of
// the files whatever order the conversions finish in.
struct JobReport {
  bool Converted = false;
  bool Loaded = false;   // the file loaded (it counts towards the editor's limit)
  std::string Text;      // for standard output (--stdout)
  std::string Messages;  // for standard error
  std::string Opened;    // the line naming the result to open in the editor
};

// The report as bytes through a pipe, and back; nothing when the bytes are not one whole
// report.
std::string EncodeJobReport(const JobReport& report);
bool DecodeJobReport(const std::string& bytes, JobReport& report);

// Runs job(i) for i from 0 to count - 1, at most `jobs` at once, and hands each report to
// deliver in the order of i as soon as it and all before it are in. On Linux each job runs in a
// child process of its own: a child that ends without a whole report (it crashed or was killed)
// is delivered as nullptr, and a child ends with the parent (it gets SIGTERM when the parent
// dies, which removes the temporary file it was writing). On Windows, which cannot fork, each
// job runs on a thread of its own: a job that raises is delivered as nullptr.
void RunJobs(size_t count, int jobs, const std::function<JobReport(size_t)>& job,
             const std::function<void(size_t, const JobReport*)>& deliver);

}  // namespace lumenquill
