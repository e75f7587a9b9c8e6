#include "SurveyWorkers.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

volatile sig_atomic_t stopRequested = 0;

void RequestStop(int) { stopRequested = 1; }

// Catches the signals that end a run for the time RunWorkers runs.
class StopSignals {
 public:
  StopSignals() {
    struct sigaction action = {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < kCount; ++i) sigaction(kSignals[i], &action, &old_[i]);
  }
  ~StopSignals() {
    for (size_t i = 0; i < kCount; ++i) sigaction(kSignals[i], &old_[i], nullptr);
  }

 private:
  static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
  static constexpr size_t kCount = sizeof kSignals / sizeof kSignals[0];
  struct sigaction old_[kCount];
};

struct Running {
  pid_t pid;
  size_t index;
  Clock::time_point start;
};

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void ExecChild(char* const* argv, const char* stderrPath, const WorkerLimits& limits) {
  setpgid(0, 0);
  if (limits.memoryBytes > 0) {
    struct rlimit memory = {limits.memoryBytes, limits.memoryBytes};
    setrlimit(RLIMIT_AS, &memory);
  }
  struct rlimit core = {0, 0};
  setrlimit(RLIMIT_CORE, &core);
  int null = open("/dev/null", O_RDWR);
  if (null >= 0) {
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
  }
  int err = open(stderrPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (err >= 0) dup2(err, STDERR_FILENO);
  execv(argv[0], argv);
  _exit(127);
}

pid_t Start(const WorkerJob& job, const WorkerLimits& limits) {
  std::vector<char*> argv;
  for (const std::string& a : job.argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid == 0) ExecChild(argv.data(), job.stderrPath.c_str(), limits);
  if (pid > 0) setpgid(pid, pid);  // also here, so that a kill right away reaches the group
  return pid;
}

WorkerOutcome Outcome(int status, Clock::time_point start) {
  WorkerOutcome o;
  o.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (WIFSIGNALED(status)) {
    o.kind = WorkerOutcome::Signalled;
    o.code = WTERMSIG(status);
  } else {
    o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return o;
}

}  // namespace

std::string WorkerOutcome::What() const {
  switch (kind) {
    case Exited: return "exit status " + std::to_string(code);
    case Signalled: return "killed by signal " + std::to_string(code) + " (" + strsignal(code) + ")";
    case TimedOut: return "still running after its time limit, killed";
    case NotStarted: return "could not be started";
  }
  return {};
}

bool RunWorkers(const std::vector<WorkerJob>& jobs, int parallel, const WorkerLimits& limits,
                const std::function<void(size_t, const WorkerOutcome&)>& done) {
  if (parallel < 1) parallel = 1;
  stopRequested = 0;
  StopSignals signals;
  std::vector<Running> running;
  size_t next = 0;
  const auto limit = std::chrono::seconds(limits.seconds);
  while (next < jobs.size() || !running.empty()) {
    if (stopRequested) {
      for (const Running& r : running) {
        kill(-r.pid, SIGKILL);
        kill(r.pid, SIGKILL);
        waitpid(r.pid, nullptr, 0);
      }
      return false;
    }
    while (next < jobs.size() && running.size() < static_cast<size_t>(parallel)) {
      const Clock::time_point start = Clock::now();
      pid_t pid = Start(jobs[next], limits);
      if (pid < 0) {
        WorkerOutcome o;
        o.kind = WorkerOutcome::NotStarted;
        done(next++, o);
        continue;
      }
      running.push_back({pid, next++, start});
    }
    bool ended = false;
    for (size_t i = 0; i < running.size();) {
      Running& r = running[i];
      int status = 0;
      pid_t got = waitpid(r.pid, &status, WNOHANG);
      if (got == 0 && Clock::now() - r.start >= limit) {
        kill(-r.pid, SIGKILL);
        kill(r.pid, SIGKILL);
        waitpid(r.pid, &status, 0);
        WorkerOutcome o = Outcome(status, r.start);
        o.kind = WorkerOutcome::TimedOut;
        o.code = limits.seconds;
        done(r.index, o);
      } else if (got == r.pid || got < 0) {
        // Grandchildren left behind in the group would hold the slot's memory.
        kill(-r.pid, SIGKILL);
        done(r.index, Outcome(status, r.start));
      } else {
        ++i;
        continue;
      }
      running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
      ended = true;
    }
    if (!ended && !running.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}
