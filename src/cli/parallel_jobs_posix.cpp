#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <optional>
#include <vector>

#include "cli/parallel_jobs.h"
#include "platform/error.h"

namespace lumenquill {
namespace {

// A report travels as its length (8 bytes, in this machine's order: both ends are this
// program) and its bytes.
constexpr size_t kLengthSize = sizeof(uint64_t);

bool WriteAll(int fd, const std::string& bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<size_t>(n);
  }
  return true;
}

bool ReadExactly(int fd, void* data, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, static_cast<char*>(data) + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string WithLength(const std::string& bytes) {
  const uint64_t length = bytes.size();
  std::string framed(kLengthSize, '\0');
  std::memcpy(framed.data(), &length, kLengthSize);
  return framed + bytes;
}

// A worker process, and the socket through which it takes job indexes and answers each with
// its report, until the parent closes its end.
struct Worker {
  pid_t pid = -1;
  int channel = -1;
  std::string received;
  std::optional<size_t> job;
};

// The worker's side. It leaves with _exit: the parent's buffers and exit handlers are not the
// worker's to run.
[[noreturn]] void ServeJobs(int channel, const std::function<JobReport(size_t)>& job) {
  for (;;) {
    uint64_t index = 0;
    if (!ReadExactly(channel, &index, sizeof index)) ::_exit(0);
    std::string encoded;
    try {
      encoded = EncodeJobReport(job(static_cast<size_t>(index)));
    } catch (...) {
      ::_exit(1);
    }
    if (!WriteAll(channel, WithLength(encoded))) ::_exit(1);
  }
}

// Forks a worker. The new worker closes the other workers' sockets, so that a worker's death is
// seen at once as the end of its results.
Worker StartWorker(const std::vector<Worker>& others, const std::function<JobReport(size_t)>& job) {
  int channel[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, channel) != 0) throw Error("socketpair");
  std::cout.flush();
  std::cerr.flush();
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(channel[0]);
    ::close(channel[1]);
    throw Error("fork");
  }
  if (pid == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(1);  // the parent died before the line above
    for (const Worker& other : others) ::close(other.channel);
    ::close(channel[0]);
    ServeJobs(channel[1], job);
  }
  ::close(channel[1]);
  Worker worker;
  worker.pid = pid;
  worker.channel = channel[0];
  return worker;
}

// Gives the worker its job. A worker that is gone ends its results, which finishes the job
// without a report; MSG_NOSIGNAL keeps its closed socket from raising SIGPIPE here.
void Send(const Worker& worker, size_t job) {
  const uint64_t index = job;
  while (::send(worker.channel, &index, sizeof index, MSG_NOSIGNAL) < 0 && errno == EINTR) {
  }
}

void Stop(Worker& worker) {
  ::close(worker.channel);
  while (::waitpid(worker.pid, nullptr, 0) < 0 && errno == EINTR) {
  }
}

// Reads what the worker has sent and finishes its job when the report is whole; false when
// the worker has ended, which finishes its job, if it had one, without a report.
bool Receive(Worker& worker, JobSchedule& schedule) {
  char buffer[65536];
  const ssize_t n = ::read(worker.channel, buffer, sizeof buffer);
  if (n < 0 && (errno == EINTR || errno == EAGAIN)) return true;
  if (n <= 0) {
    if (worker.job) schedule.Finish(*worker.job, std::nullopt);
    return false;
  }
  worker.received.append(buffer, static_cast<size_t>(n));
  uint64_t length = 0;
  if (worker.received.size() < kLengthSize) return true;
  std::memcpy(&length, worker.received.data(), kLengthSize);
  if (worker.received.size() - kLengthSize < length) return true;
  JobReport report;
  const bool whole = worker.received.size() - kLengthSize == length &&
                     DecodeJobReport(worker.received.substr(kLengthSize), report);
  if (worker.job) schedule.Finish(*worker.job, whole ? std::optional{report} : std::nullopt);
  worker.received.clear();
  worker.job.reset();
  return whole;
}

void Deliver(JobSchedule& schedule, const std::function<void(size_t, const JobReport*)>& deliver) {
  while (auto next = schedule.TakeDeliverable()) {
    deliver(next->first, next->second ? &*next->second : nullptr);
  }
}

}  // namespace

void RunJobs(const std::vector<std::string>& keys, int jobs,
             const std::function<JobReport(size_t)>& job,
             const std::function<void(size_t, const JobReport*)>& deliver) {
  JobSchedule schedule(keys);
  std::vector<Worker> workers;
  struct StopAtEnd {
    std::vector<Worker>& workers;
    ~StopAtEnd() {
      for (Worker& worker : workers) Stop(worker);
    }
  } stop_at_end{workers};
  while (workers.size() < static_cast<size_t>(jobs) && workers.size() < keys.size()) {
    workers.push_back(StartWorker(workers, job));
  }
  while (!schedule.AllDelivered()) {
    std::vector<pollfd> watched;
    bool busy = false;
    for (Worker& worker : workers) {
      if (!worker.job && (worker.job = schedule.TakeNext())) Send(worker, *worker.job);
      busy = busy || worker.job;
      watched.push_back({worker.channel, static_cast<short>(worker.job ? POLLIN : 0), 0});
    }
    if (!busy) throw Error("jobs");  // nothing could finish: waiting would never end
    if (::poll(watched.data(), watched.size(), -1) < 0 && errno != EINTR) throw Error("poll");
    for (size_t i = workers.size(); i-- > 0;) {
      if (watched[i].revents == 0 || Receive(workers[i], schedule)) continue;
      Stop(workers[i]);
      workers.erase(workers.begin() + static_cast<std::ptrdiff_t>(i));
      if (!schedule.AllTaken()) workers.push_back(StartWorker(workers, job));
    }
    Deliver(schedule, deliver);
  }
}

}  // namespace lumenquill
