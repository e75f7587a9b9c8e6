// Runs a survey's per-form work in child processes, several at once, each
// within a time and memory limit, so that a form that hangs or crashes the
// preview is reported and the others go on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct WorkerLimits {
  int seconds = 60;                          // wall-clock time per form
  uint64_t memoryBytes = uint64_t(4) << 30;  // address space per form; 0: none
};

// One child: program and arguments (argv[0] first). Its standard output is
// discarded and its standard error goes to stderrPath.
struct WorkerJob {
  std::vector<std::string> argv;
  std::string stderrPath;
};

struct WorkerOutcome {
  enum Kind { Exited, Signalled, TimedOut, NotStarted };
  Kind kind = Exited;
  int code = 0;              // exit status, or the signal's number
  double seconds = 0;        // wall-clock time
  std::string What() const;  // "exit status 1", "killed by signal 11 (...)", ...
};

// Runs every job, at most `parallel` at a time (at least 1), and calls
// done(index, outcome) in this thread as each ends. A child past its time
// limit is killed with its whole process group. Returns when all have ended,
// or false as soon as SIGINT, SIGTERM or SIGHUP arrived: the children run
// in process groups of their own, out of reach of the terminal's Ctrl-C,
// so the running ones are killed then and the rest are not started.
bool RunWorkers(const std::vector<WorkerJob>& jobs, int parallel, const WorkerLimits& limits,
                const std::function<void(size_t index, const WorkerOutcome& outcome)>& done);
