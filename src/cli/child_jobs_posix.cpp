#include "cli/child_jobs.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <iostream>
#include <optional>
#include <vector>

#include "platform/error.h"

namespace lumenquill {
namespace {

void WriteAll(int fd, const std::string& bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // the parent is gone: it reads a partial report, if anything
    written += static_cast<size_t>(n);
  }
}

struct Child {
  size_t index;
  pid_t pid;
  int fd;
  std::string bytes;
};

// Forks the child that runs job(index) and writes its report to a pipe. The child leaves
// with _exit: the parent's buffers and exit handlers are not the child's to run.
Child StartChild(size_t index, const std::function<JobReport(size_t)>& job) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) throw Error("pipe");
  std::cout.flush();
  std::cerr.flush();
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid < 0) throw Error("fork");
  if (pid == 0) {
    ::close(fds[0]);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(1);  // the parent died before the line above
    std::string encoded;
    try {
      encoded = EncodeJobReport(job(index));
    } catch (...) {
      ::_exit(1);
    }
    WriteAll(fds[1], encoded);
    ::_exit(0);
  }
  ::close(fds[1]);
  return {index, pid, fds[0], {}};
}

// Reads what the child has written; true at the end of its output.
bool ReadFrom(Child& child) {
  char buffer[65536];
  const ssize_t n = ::read(child.fd, buffer, sizeof buffer);
  if (n < 0 && (errno == EINTR || errno == EAGAIN)) return false;
  if (n <= 0) return true;
  child.bytes.append(buffer, static_cast<size_t>(n));
  return false;
}

// The child's report once its output has ended; nothing when it did not finish one.
std::optional<JobReport> Finish(Child& child) {
  ::close(child.fd);
  int status = 0;
  while (::waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
  }
  JobReport report;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && DecodeJobReport(child.bytes, report)) {
    return report;
  }
  return std::nullopt;
}

}  // namespace

void RunJobs(size_t count, int jobs, const std::function<JobReport(size_t)>& job,
             const std::function<void(size_t, const JobReport*)>& deliver) {
  std::vector<std::optional<std::optional<JobReport>>> finished(count);
  std::vector<Child> running;
  size_t started = 0;
  size_t delivered = 0;
  while (delivered < count) {
    while (running.size() < static_cast<size_t>(jobs) && started < count) {
      running.push_back(StartChild(started++, job));
    }
    std::vector<pollfd> watched;
    for (const Child& child : running) watched.push_back({child.fd, POLLIN, 0});
    if (::poll(watched.data(), watched.size(), -1) < 0 && errno != EINTR) {
      throw Error("poll");
    }
    for (size_t i = running.size(); i-- > 0;) {
      if (watched[i].revents == 0 || !ReadFrom(running[i])) continue;
      finished[running[i].index] = Finish(running[i]);
      running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
    }
    for (; delivered < count && finished[delivered]; ++delivered) {
      const std::optional<JobReport>& report = *finished[delivered];
      deliver(delivered, report ? &*report : nullptr);
      finished[delivered].reset();
    }
  }
}

}  // namespace lumenquill
