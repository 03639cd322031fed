#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "cli/parallel_jobs.h"

namespace lumenquill {

// Windows has no fork: the workers are threads, each taking the next job the schedule allows.
// Nothing of a conversion is shared between files but the settings file, which is only read.
void RunJobs(const std::vector<std::string>& keys, int jobs,
             const std::function<JobReport(size_t)>& job,
             const std::function<void(size_t, const JobReport*)>& deliver) {
  std::mutex lock;
  std::condition_variable changed;
  JobSchedule schedule(keys);
  const auto work = [&] {
    for (;;) {
      std::optional<size_t> index;
      {
        std::unique_lock<std::mutex> held(lock);
        changed.wait(held, [&] { return schedule.AllTaken() || (index = schedule.TakeNext()); });
        if (!index) return;
      }
      std::optional<JobReport> report;
      try {
        report = job(*index);
      } catch (...) {
        // Delivered as a job that ended without its report.
      }
      const std::lock_guard<std::mutex> held(lock);
      schedule.Finish(*index, std::move(report));
      changed.notify_all();
    }
  };
  std::vector<std::thread> threads;
  for (int i = 0; i < jobs && static_cast<size_t>(i) < keys.size(); ++i) threads.emplace_back(work);
  // Delivered on this thread, in the order of the files, as soon as each is in.
  for (;;) {
    std::optional<std::pair<size_t, std::optional<JobReport>>> next;
    {
      std::unique_lock<std::mutex> held(lock);
      changed.wait(held, [&] { return schedule.AllDelivered() || (next = schedule.TakeDeliverable()); });
      if (!next) break;
    }
    deliver(next->first, next->second ? &*next->second : nullptr);
  }
  for (std::thread& thread : threads) thread.join();
}

}  // namespace lumenquill
