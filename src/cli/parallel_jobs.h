#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lumenquill {

// What the conversion of one file produced, held back so that it can be shown in the order of
// the files whatever order the conversions finish in.
struct JobReport {
  bool converted = false;
  bool loaded = false;   // the file loaded (it counts towards the editor's limit)
  std::string text;      // for standard output (--stdout)
  std::string messages;  // for standard error
  std::string opened;    // the line naming the result to open in the editor
};

// The report as bytes through a pipe, and back; nothing when the bytes are not one whole
// report.
std::string EncodeJobReport(const JobReport& report);
bool DecodeJobReport(const std::string& bytes, JobReport& report);

// The order of a run's jobs. Jobs are handed out in the order of their indexes, except that a
// job waits while an earlier job with the same non-empty key (the text file both would write)
// is unfinished, so that the second finds the first's result in place exactly as in a run of
// one job at a time. Reports are taken in the order of the indexes, each as soon as it and all
// before it are in; a job that ended without a report is taken as nothing.
class JobSchedule {
 public:
  explicit JobSchedule(const std::vector<std::string>& keys);

  // The next job that may start, if any may now.
  std::optional<size_t> TakeNext();
  // Whether every job has been handed out.
  bool AllTaken() const { return taken_count_ == finished_.size(); }
  void Finish(size_t index, std::optional<JobReport> report);
  // The next report in order when it is in: its index and the report, or nothing for a job
  // that ended without one.
  std::optional<std::pair<size_t, std::optional<JobReport>>> TakeDeliverable();
  bool AllDelivered() const { return delivered_ == finished_.size(); }

 private:
  std::vector<std::optional<size_t>> waits_for_;  // the latest earlier job with the same key
  std::vector<bool> taken_;
  std::vector<std::optional<std::optional<JobReport>>> finished_;
  std::vector<bool> done_;  // finished, and still so once its report is delivered
  size_t first_untaken_ = 0;
  size_t taken_count_ = 0;
  size_t delivered_ = 0;
};

// Runs job(i) for every i of keys, at most `jobs` at once in the order of JobSchedule, and hands
// each report to deliver in the order of i. On Linux a pool of `jobs` worker processes is
// started once, each converting many files: a worker that ends without a whole report (it
// crashed or was killed) has its job delivered as nullptr and is replaced, and a worker ends
// with the parent (it gets SIGTERM when the parent dies). On Windows, which cannot fork, the
// workers are threads: a job that raises is delivered as nullptr.
void RunJobs(const std::vector<std::string>& keys, int jobs,
             const std::function<JobReport(size_t)>& job,
             const std::function<void(size_t, const JobReport*)>& deliver);

}  // namespace lumenquill
