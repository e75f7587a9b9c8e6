// Child processes of a survey: limits are enforced and every ending is told apart.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>

#include "SurveyWorkers.h"

namespace {

WorkerJob Shell(const std::string& script) { return {{"/bin/sh", "-c", script}, "/dev/null"}; }

std::map<size_t, WorkerOutcome> RunAll(const std::vector<WorkerJob>& jobs, int parallel, WorkerLimits limits) {
  std::map<size_t, WorkerOutcome> outcomes;
  RunWorkers(jobs, parallel, limits, [&](size_t i, const WorkerOutcome& o) { outcomes[i] = o; });
  return outcomes;
}

}  // namespace

TEST(SurveyWorkers, TellsExitsSignalsAndTimeoutsApart) {
  WorkerLimits limits;
  limits.seconds = 1;
  const auto start = std::chrono::steady_clock::now();
  // The sleeping child leaves a grandchild in its group; both must go.
  auto o = RunAll(
      {Shell("exit 0"),
       Shell("exit 3"),
       Shell("kill -SEGV $$"),
       Shell("sleep 30 & sleep 30"),
       {{"/nonexistent/program"}, "/dev/null"}},
      2, limits);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(o.size(), 5u);
  EXPECT_EQ(o[0].kind, WorkerOutcome::Exited);
  EXPECT_EQ(o[0].code, 0);
  EXPECT_EQ(o[1].code, 3);
  EXPECT_EQ(o[2].kind, WorkerOutcome::Signalled);
  EXPECT_EQ(o[2].code, 11);
  EXPECT_EQ(o[3].kind, WorkerOutcome::TimedOut);
  EXPECT_GE(o[3].seconds, 1.0);
  EXPECT_EQ(o[4].code, 127);
  EXPECT_LT(seconds, 10.0);
}

TEST(SurveyWorkers, RunsAtMostTheAskedNumberAtOnce) {
  // Each child appends its start and end to a file; with two slots no more
  // than two are ever inside at once.
  const std::string log = "/tmp/tessaly-workers-" + std::to_string(::getpid());
  std::remove(log.c_str());
  std::vector<WorkerJob> jobs;
  for (int i = 0; i < 6; ++i) jobs.push_back(Shell("echo + >> " + log + "; sleep 0.2; echo - >> " + log));
  RunAll(jobs, 2, {});
  FILE* f = std::fopen(log.c_str(), "r");
  ASSERT_NE(f, nullptr);
  int inside = 0, most = 0, starts = 0;
  for (int c; (c = std::fgetc(f)) != EOF;) {
    if (c == '+') most = std::max(most, ++inside), ++starts;
    if (c == '-') --inside;
  }
  std::fclose(f);
  std::remove(log.c_str());
  EXPECT_EQ(starts, 6);
  EXPECT_EQ(most, 2);
}

TEST(SurveyWorkers, AMemoryLimitStopsAGreedyChild) {
  // The shell keeps a command's output in memory: 100 MB fit without a
  // limit and do not fit in 48 MB of address space.
  const WorkerJob greedy = Shell("x=$(head -c 100000000 /dev/zero | tr '\\0' a); exit 0");
  WorkerLimits limits;
  EXPECT_EQ(RunAll({greedy}, 1, limits)[0].code, 0);
  limits.memoryBytes = uint64_t(48) << 20;
  const WorkerOutcome o = RunAll({greedy}, 1, limits)[0];
  EXPECT_FALSE(o.kind == WorkerOutcome::Exited && o.code == 0) << o.What();
}
