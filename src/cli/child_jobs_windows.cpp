#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "cli/child_jobs.h"

namespace lumenquill {

// Windows has no fork: the jobs run on threads, each taking the next index. Nothing of a
// conversion is shared between files but the settings file, which is only read.
void RunJobs(size_t count, int jobs, const std::function<JobReport(size_t)>& job,
             const std::function<void(size_t, const JobReport*)>& deliver) {
  std::mutex lock;
  std::condition_variable finished_one;
  std::vector<std::optional<std::optional<JobReport>>> finished(count);
  size_t next = 0;
  const auto work = [&] {
    for (;;) {
      size_t index = 0;
      {
        const std::lock_guard<std::mutex> held(lock);
        if (next == count) return;
        index = next++;
      }
      std::optional<JobReport> report;
      try {
        report = job(index);
      } catch (...) {
        // Delivered as a job that ended without its report.
      }
      const std::lock_guard<std::mutex> held(lock);
      finished[index] = std::move(report);
      finished_one.notify_one();
    }
  };
  std::vector<std::thread> threads;
  for (int i = 0; i < jobs && static_cast<size_t>(i) < count; ++i) threads.emplace_back(work);
  // Delivered on this thread, in the order of the files, as soon as each is in.
  for (size_t delivered = 0; delivered < count; ++delivered) {
    std::optional<JobReport> report;
    {
      std::unique_lock<std::mutex> held(lock);
      finished_one.wait(held, [&] { return finished[delivered].has_value(); });
      report = std::move(*finished[delivered]);
      finished[delivered].reset();
    }
    deliver(delivered, report ? &*report : nullptr);
  }
  for (std::thread& thread : threads) thread.join();
}

}  // namespace lumenquill
