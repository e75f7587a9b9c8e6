#include "SurveyCommands.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "SurveyCensus.h"
#include "SurveyReport.h"
#include "SurveyTree.h"
#include "SurveyWorkers.h"
#include "ToolFiles.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kExitOk = 0, kExitFailed = 1, kExitUsage = 2;
// Units larger than this are not scanned for declarations.
constexpr uintmax_t kMaxUnitSize = uintmax_t(16) << 20;

struct SurveyOptions {
  std::string tree, out;
  int jobs = 0;  // 0: one per core
  SurveyShard shard;
  WorkerLimits limits;
};

bool ParsePositive(const std::string& text, int& value, int most) {
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < 1 || v > most) return false;
  value = static_cast<int>(v);
  return true;
}

bool ParseSurveyArgs(const std::vector<std::string>& args, SurveyOptions& o, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    int value = 0;
    if ((a == "-o" || a == "--output") && hasValue) {
      o.out = args[++i];
    } else if (a == "-j" && hasValue) {
      if (!ParsePositive(args[++i], o.jobs, 1024)) return error = "-j needs a number of workers from 1 to 1024", false;
    } else if (a == "--shard" && hasValue) {
      if (!ParseShard(args[++i], o.shard)) return error = "--shard needs K/N with 1 <= K <= N", false;
    } else if (a == "--time-limit" && hasValue) {
      if (!ParsePositive(args[++i], o.limits.seconds, 86400)) return error = "--time-limit needs seconds", false;
    } else if (a == "--memory-limit" && hasValue) {
      // 0 sets no limit (a sanitizer build reserves more address space
      // than any limit allows).
      const std::string& megabytes = args[++i];
      if (megabytes == "0")
        o.limits.memoryBytes = 0;
      else if (!ParsePositive(megabytes, value, 1 << 20))
        return error = "--memory-limit needs megabytes (0 for none)", false;
      else
        o.limits.memoryBytes = uint64_t(value) << 20;
    } else if (!a.empty() && a[0] != '-' && o.tree.empty()) {
      o.tree = a;
    } else {
      return error = "unexpected argument " + a, false;
    }
  }
  if (o.tree.empty() || o.out.empty()) return error = "a source folder and -o OUT are needed", false;
  if (o.jobs == 0) o.jobs = std::max(1u, std::thread::hardware_concurrency());
  return true;
}

std::string ReadSmallFile(const fs::path& path) { return ReadSurveyFile(path.string()); }
void WriteFile(const fs::path& path, std::string_view text) { WriteSurveyFile(path.string(), text); }

// The declarations of the tree's units (paths relative to it).
UnitDeclarations ScanUnits(const std::string& tree, const std::vector<std::string>& unitFiles) {
  UnitDeclarations units;
  for (const std::string& rel : unitFiles) {
    const fs::path path = fs::path(tree) / rel;
    std::error_code ec;
    if (fs::file_size(path, ec) > kMaxUnitSize || ec) continue;
    ScanUnitSource(path.stem().string(), ReadSmallFile(path), units);
  }
  return units;
}

// A form of the tree with what the survey learnt from reading it.
struct FormWork {
  TreeForm form;
  std::string key;
  SurveyRecord record;
};

// Reads each form once: its result key and its census. A form that cannot
// be read still gets a key (from its path) and the reason as its error.
std::vector<FormWork> ReadForms(const std::string& tree, const std::vector<TreeForm>& forms) {
  std::vector<FormWork> work;
  for (const TreeForm& form : forms) {
    FormWork w{form, {}, {}};
    w.record.path = form.Id();
    try {
      ToolInput input((fs::path(tree) / form.path).string(), true);
      w.key = FormResultKey(form, input.Data());
      try {
        w.record.census = TakeFormCensus(input.Data());
      } catch (const std::exception& e) {
        w.record.censusError = e.what();
      }
    } catch (const std::exception& e) {
      w.key = FormResultKey(form, {});
      w.record.censusError = e.what();
    }
    w.record.key = w.key;
    work.push_back(std::move(w));
  }
  return work;
}

// Forms done / total on one line that redraws itself on a terminal, or one
// line per form otherwise.
class Progress {
 public:
  explicit Progress(size_t total) : total_(total), tty_(isatty(STDERR_FILENO)), start_(Clock::now()) {}
  void Done(const SurveyRecord& r) {
    ++done_;
    if (r.status != "ok") {
      ++failed_;
      failures_.push_back(r.path + ": " + r.status + ": " + r.error);
    }
    if (!tty_) {
      std::fprintf(stderr, "[%zu/%zu] %s: %s%s%s\n", done_, total_, r.path.c_str(), r.status.c_str(),
                   r.error.empty() ? "" : ": ", r.error.c_str());
      return;
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start_).count();
    const int left = static_cast<int>(elapsed / double(done_) * double(total_ - done_));
    constexpr int kWidth = 30;
    const int filled = static_cast<int>(kWidth * done_ / std::max<size_t>(total_, 1));
    std::fprintf(stderr, "\r[%s%s] %zu/%zu forms, %zu failed, %d:%02d left ", std::string(filled, '#').c_str(),
                 std::string(kWidth - filled, '.').c_str(), done_, total_, failed_, left / 60, left % 60);
    if (done_ == total_) std::fprintf(stderr, "\n");
  }
  // On a terminal the bar only counted them.
  void ListFailures() const {
    if (!tty_) return;
    if (done_ != total_) std::fprintf(stderr, "\n");
    for (const std::string& f : failures_) std::fprintf(stderr, "%s\n", f.c_str());
  }

 private:
  std::vector<std::string> failures_;
  size_t total_, done_ = 0, failed_ = 0;
  bool tty_;
  Clock::time_point start_;
};

// The preview program beside this one does the per-form work. Tests put a
// stand-in there through TESSALY_SURVEY_WORKER (one that hangs, or crashes).
std::string WorkerProgram() {
  if (const char* w = std::getenv("TESSALY_SURVEY_WORKER"); w && *w) return w;
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return (self.parent_path() / "tessaly-tool-preview").string();
}

// Completes a record from what the child left in dir and how it ended.
void FinishRecord(SurveyRecord& r, const fs::path& dir, const WorkerOutcome& outcome, const WorkerLimits& limits) {
  r.seconds = outcome.seconds;
  SurveyRecord result;
  const bool wrote = outcome.kind == WorkerOutcome::Exited && outcome.code == 0 && fs::exists(dir / "result.tsv");
  if (wrote) ParseRecordTsv(ReadSmallFile(dir / "result.tsv"), result);
  if (wrote && !result.status.empty()) {
    r.status = result.status;
    r.error = result.error;
    r.note = result.note;
    r.width = result.width;
    r.height = result.height;
    return;
  }
  if (outcome.kind == WorkerOutcome::TimedOut) {
    r.status = "timeout";
    r.error = "the preview took longer than " + std::to_string(limits.seconds) + " s and was stopped";
    return;
  }
  r.status = "crashed";
  std::string err = ReadSmallFile(dir / "stderr.txt");
  while (!err.empty() && (err.back() == '\n' || err.back() == '\r')) err.pop_back();
  if (size_t nl = err.rfind('\n'); nl != std::string::npos) err = err.substr(nl + 1);
  for (char& c : err)
    if (c == '\t' || c == '\r') c = ' ';
  r.error = "the preview ended with " + outcome.What() + (err.empty() ? "" : ": " + err);
}

// Results of earlier runs that no form of this run has (removed or changed
// forms), and work left unfinished by an interrupted run.
void Prune(const fs::path& formsDir, const std::set<std::string>& keep) {
  std::error_code ec;
  std::vector<fs::path> stale;
  for (const fs::directory_entry& e : fs::directory_iterator(formsDir, ec))
    if (!keep.count(e.path().filename().string())) stale.push_back(e.path());
  for (const fs::path& p : stale) fs::remove_all(p, ec);
}

// The output folder must not lie inside the tree (the survey would find its
// own results) and the tree must not lie inside it.
bool CheckFolders(const SurveyOptions& o) {
  std::error_code ec;
  if (!fs::is_directory(o.tree, ec)) {
    std::fprintf(stderr, "tessaly-tool: %s is not a folder\n", o.tree.c_str());
    return false;
  }
  const fs::path tree = fs::weakly_canonical(o.tree, ec), out = fs::weakly_canonical(o.out, ec);
  auto inside = [](const fs::path& a, const fs::path& b) {
    auto [ai, bi] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return bi == b.end();
  };
  if (inside(out, tree) || inside(tree, out)) {
    std::fprintf(stderr, "tessaly-tool: the output folder %s and the source tree %s must not contain each other\n",
                 o.out.c_str(), o.tree.c_str());
    return false;
  }
  return true;
}

int Survey(const SurveyOptions& o) {
  if (!CheckFolders(o)) return kExitUsage;
  const fs::path out(o.out), formsDir = out / "forms";
  fs::create_directories(formsDir);
  std::vector<std::string> skipped;
  std::vector<TreeForm> all = ListTreeForms(o.tree, skipped), forms;
  for (const TreeForm& f : all)
    if (InShard(f, o.shard)) forms.push_back(f);
  std::vector<FormWork> work = ReadForms(o.tree, forms);
  std::vector<std::string> files = ListTreeUnits(o.tree, skipped);
  WriteFile(out / "units.tsv", ScanUnits(o.tree, files).ToTsv());
  // Forms that build on other files are redone when any form or unit changes.
  for (const TreeForm& f : all) files.push_back(f.path);
  const std::string digest = TreeFilesDigest(o.tree, files);
  for (FormWork& w : work)
    if (w.record.census.inherited || !w.record.census.frames.empty())
      w.key = w.record.key = CombinedResultKey(w.key, digest);
  for (const std::string& s : skipped) std::fprintf(stderr, "tessaly-tool: skipped %s\n", s.c_str());

  std::set<std::string> keys;
  for (const FormWork& w : work) keys.insert(w.key);
  Prune(formsDir, keys);

  std::vector<FormWork*> todo;
  for (FormWork& w : work)
    if (!fs::exists(formsDir / w.key / "record.tsv")) todo.push_back(&w);
  std::fprintf(stderr, "tessaly-tool: %zu forms, %zu to survey, %zu unchanged\n", work.size(), todo.size(),
               work.size() - todo.size());

  std::vector<WorkerJob> jobs;
  const std::string program = WorkerProgram();
  for (FormWork* w : todo) {
    const fs::path tmp = formsDir / (w->key + ".tmp");
    fs::remove_all(tmp);
    fs::create_directories(tmp);
    jobs.push_back({{program, "survey-form", (fs::path(o.tree) / w->form.path).string(), tmp.string()},
                    (tmp / "stderr.txt").string()});
  }
  Progress progress(todo.size());
  const bool finished = RunWorkers(jobs, o.jobs, o.limits, [&](size_t i, const WorkerOutcome& outcome) {
    FormWork& w = *todo[i];
    const fs::path tmp = formsDir / (w.key + ".tmp"), dir = formsDir / w.key;
    FinishRecord(w.record, tmp, outcome, o.limits);
    WriteFile(tmp / "census.tsv", FormCensusToTsv(w.record.census));
    WriteFile(tmp / "record.tsv", w.record.RecordTsv());
    fs::remove_all(dir);
    fs::rename(tmp, dir);
    progress.Done(w.record);
  });
  progress.ListFailures();
  if (!finished) {
    // What finished is kept; the next run takes up the rest.
    std::fprintf(stderr, "tessaly-tool: survey interrupted; run it again to go on\n");
    return 130;
  }
  WriteSurveyReport(o.out, ReadSurveyRecords(o.out), UnitDeclarations::FromTsv(ReadSmallFile(out / "units.tsv")));
  std::fprintf(stderr, "tessaly-tool: report in %s\n", (out / "index.html").c_str());
  return kExitOk;
}

}  // namespace

int RunSurveyCommand(const std::vector<std::string>& args) {
  SurveyOptions o;
  std::string error;
  if (!ParseSurveyArgs(args, o, error)) {
    std::fprintf(
        stderr,
        "tessaly-tool: %s\nusage: tessaly-tool survey DIR -o OUT [-j N] [--shard K/N] "
        "[--time-limit SECONDS] [--memory-limit MB, 0 for none]\n",
        error.c_str());
    return kExitUsage;
  }
  return Survey(o);
}

int RunCensusCommand(const std::vector<std::string>& args) {
  std::string tree;
  bool csv = false;
  for (const std::string& a : args) {
    if (a == "--csv") {
      csv = true;
    } else if (tree.empty() && !a.empty() && a[0] != '-') {
      tree = a;
    } else {
      std::fprintf(stderr, "usage: tessaly-tool census DIR [--csv]\n");
      return kExitUsage;
    }
  }
  std::error_code ec;
  if (tree.empty() || !fs::is_directory(tree, ec)) {
    std::fprintf(stderr, "usage: tessaly-tool census DIR [--csv]\n");
    return kExitUsage;
  }
  std::vector<std::string> skipped;
  std::vector<FormWork> work = ReadForms(tree, ListTreeForms(tree, skipped));
  const UnitDeclarations units = ScanUnits(tree, ListTreeUnits(tree, skipped));
  std::vector<CensusForm> forms;
  int unreadable = 0;
  for (const FormWork& w : work) {
    forms.push_back({w.record.path, w.record.censusError, w.record.census});
    if (!w.record.censusError.empty()) {
      ++unreadable;
      std::fprintf(stderr, "%s: %s\n", w.record.path.c_str(), w.record.censusError.c_str());
    }
  }
  for (const std::string& s : skipped) std::fprintf(stderr, "tessaly-tool: skipped %s\n", s.c_str());
  const std::vector<CensusClassRow> rows = BuildClassTable(forms, units);
  const std::string table = csv ? ClassTableCsv(rows) : ClassTableText(rows);
  std::fwrite(table.data(), 1, table.size(), stdout);
  if (!csv) std::fprintf(stdout, "%zu forms (%d unreadable), %zu classes\n", work.size(), unreadable, rows.size());
  return kExitOk;
}

int RunSurveyMergeCommand(const std::vector<std::string>& args) {
  std::string out;
  std::vector<std::string> shards;
  for (size_t i = 0; i < args.size(); ++i) {
    if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size())
      out = args[++i];
    else if (!args[i].empty() && args[i][0] != '-')
      shards.push_back(args[i]);
    else
      shards.clear(), out.clear(), i = args.size();
  }
  if (out.empty() || shards.empty()) {
    std::fprintf(stderr, "usage: tessaly-tool survey-merge -o OUT SHARD_OUT...\n");
    return kExitUsage;
  }
  const fs::path formsDir = fs::path(out) / "forms";
  fs::create_directories(formsDir);
  UnitDeclarations units;
  std::set<std::string> keys;
  for (const std::string& shard : shards) {
    if (!fs::is_regular_file(fs::path(shard) / "units.tsv")) {
      std::fprintf(stderr, "tessaly-tool: %s is not the output of a survey\n", shard.c_str());
      return kExitFailed;
    }
    units.Merge(UnitDeclarations::FromTsv(ReadSmallFile(fs::path(shard) / "units.tsv")));
    for (const SurveyRecord& r : ReadSurveyRecords(shard)) {
      keys.insert(r.key);
      const fs::path from = fs::path(shard) / "forms" / r.key, to = formsDir / r.key;
      std::error_code ec;
      if (fs::equivalent(from, to, ec)) continue;
      fs::remove_all(to);
      fs::copy(from, to, fs::copy_options::recursive);
    }
  }
  Prune(formsDir, keys);
  WriteFile(fs::path(out) / "units.tsv", units.ToTsv());
  WriteSurveyReport(out, ReadSurveyRecords(out), units);
  std::fprintf(stderr, "tessaly-tool: %zu forms from %zu shards; report in %s/index.html\n", keys.size(), shards.size(),
               out.c_str());
  return kExitOk;
}
