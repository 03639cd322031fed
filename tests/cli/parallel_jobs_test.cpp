#include "cli/parallel_jobs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include <chrono>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace lumenquill {
namespace {

using ::testing::ElementsAre;

// Ends a job without its report: a child process killed on Linux, a job that raises on Windows,
// where jobs are threads.
int CurrentProcess() {
#ifdef _WIN32
  return ::_getpid();
#else
  return ::getpid();
#endif
}

void EndJobWithoutReport() {
#ifdef _WIN32
  throw std::runtime_error("job ended");
#else
  ::raise(SIGKILL);
#endif
}

TEST(JobReport, TravelsWholeOrNotAtAll) {
  JobReport report;
  report.converted = true;
  report.text = std::string("text\0with a zero", 16);
  report.messages = "Lumenquill: a.pdf: message\n";
  report.opened = "/x/a.txt\n";
  const std::string bytes = EncodeJobReport(report);
  JobReport back;
  ASSERT_TRUE(DecodeJobReport(bytes, back));
  EXPECT_TRUE(back.converted);
  EXPECT_FALSE(back.loaded);
  EXPECT_EQ(back.text, report.text);
  EXPECT_EQ(back.messages, report.messages);
  EXPECT_EQ(back.opened, report.opened);

  for (size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_FALSE(DecodeJobReport(bytes.substr(0, size), back)) << size;
  }
  EXPECT_FALSE(DecodeJobReport(bytes + "x", back));
}

// Jobs start in order, but a job waits while an earlier one with its key is unfinished;
// reports are taken in order, each once.
TEST(JobSchedule, JobsWithOneKeyRunOneAfterTheOther) {
  JobSchedule schedule({"a", "b", "a", "", "a"});
  EXPECT_EQ(schedule.TakeNext(), 0u);
  EXPECT_EQ(schedule.TakeNext(), 1u);
  EXPECT_EQ(schedule.TakeNext(), 3u);  // 2 waits for 0
  EXPECT_EQ(schedule.TakeNext(), std::nullopt);
  schedule.Finish(1, JobReport{});
  EXPECT_FALSE(schedule.TakeDeliverable());
  schedule.Finish(0, std::nullopt);
  EXPECT_EQ(schedule.TakeNext(), 2u);
  EXPECT_EQ(schedule.TakeNext(), std::nullopt);  // 4 waits for 2
  const auto first = schedule.TakeDeliverable();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->first, 0u);
  EXPECT_FALSE(first->second);
  EXPECT_EQ(schedule.TakeDeliverable()->first, 1u);
  EXPECT_FALSE(schedule.TakeDeliverable());
  schedule.Finish(2, JobReport{});
  EXPECT_EQ(schedule.TakeNext(), 4u);
  EXPECT_TRUE(schedule.AllTaken());
  EXPECT_FALSE(schedule.AllDelivered());
}

// The later jobs finish first, yet the reports come in the order of the jobs; on Linux the jobs
// ran in worker processes.
TEST(ChildProcesses, ReportsComeInOrder) {
  std::vector<size_t> order;
  std::vector<std::string> texts;
  RunJobs(
      std::vector<std::string>(5), 3,
      [](size_t i) {
        std::this_thread::sleep_for(std::chrono::milliseconds((5 - i) * 20));
        JobReport report;
        report.converted = i % 2 == 0;
        report.text = std::to_string(i) + ":" + std::to_string(CurrentProcess());
        return report;
      },
      [&](size_t i, const JobReport* report) {
        ASSERT_NE(report, nullptr);
        order.push_back(i);
        EXPECT_EQ(report->converted, i % 2 == 0);
        texts.push_back(report->text);
      });
  EXPECT_THAT(order, ElementsAre(0, 1, 2, 3, 4));
  ASSERT_EQ(texts.size(), 5u);
  std::set<std::string> processes;
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_TRUE(texts[i].starts_with(std::to_string(i) + ":"));
    processes.insert(texts[i].substr(texts[i].find(':') + 1));
  }
  // At most three processes, started once, none of them this one.
#ifndef _WIN32
  EXPECT_LE(processes.size(), 3u);
  EXPECT_FALSE(processes.contains(std::to_string(CurrentProcess())));
#endif
}

// A report larger than a pipe holds arrives whole; a child that dies gives nullptr, and the
// others still report.
TEST(ChildProcesses, LargeReportsAndDeadChildren) {
  std::vector<std::string> delivered;
  RunJobs(
      std::vector<std::string>(3), 2,
      [](size_t i) {
        if (i == 1) EndJobWithoutReport();
        JobReport report;
        report.text = std::string(1 << 20, static_cast<char>('a' + i));
        return report;
      },
      [&](size_t, const JobReport* report) {
        delivered.push_back(report == nullptr ? "dead" : report->text);
      });
  ASSERT_EQ(delivered.size(), 3u);
  EXPECT_EQ(delivered[0], std::string(1 << 20, 'a'));
  EXPECT_EQ(delivered[1], "dead");
  EXPECT_EQ(delivered[2], std::string(1 << 20, 'c'));
}

}  // namespace
}  // namespace lumenquill
