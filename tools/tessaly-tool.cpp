// tessaly-tool: the command-line companion for form files in scripts.
//
//   tessaly-tool totext FILE... [-o OUT]     either encoding in, form text out
//   tessaly-tool tobinary FILE... [-o OUT]   binary form file (resource header) out
//   tessaly-tool forms PROGRAM               the forms compiled into a program
//   tessaly-tool extract PROGRAM [-o DIR]    those forms as form files
//   tessaly-tool survey, census, survey-merge  a whole source tree (SurveyCommands.h)
//
// A FILE may name a form inside a program or resource file as PROGRAM:NAME.
//
// Each subcommand is one entry of kCommands; add new ones there.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "ProgramCommands.h"
#include "SurveyCommands.h"
#include "ToolFiles.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "streaming/Converters.h"
#include "streaming/FormBinary.h"
#include "streaming/FormOutput.h"
#include "streaming/FormText.h"

namespace {

namespace fs = std::filesystem;

constexpr int kExitOk = 0, kExitBadFile = 1, kExitUsage = 2;

// Files and an optional -o target, as most subcommands take them.
struct FileArgs {
  std::vector<std::string> files;
  std::string output;  // empty: standard output
  bool hasOutput = false;
  bool force = false;  // replace read-only outputs and other users' files
};

bool ParseFileArgs(const std::vector<std::string>& args, FileArgs& out, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-o" || a == "--output") {
      if (i + 1 >= args.size()) {
        error = "-o needs a file or folder name";
        return false;
      }
      out.output = args[++i];
      out.hasOutput = true;
    } else if (a == "--force") {
      out.force = true;
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option " + a;
      return false;
    } else {
      out.files.push_back(a);
    }
  }
  if (out.files.empty()) {
    error = "no input files";
    return false;
  }
  return true;
}

// Converts one input into out; the target encoding decides the writer. The
// resource header's size is patched in place, so binary output needs a
// seekable stream.
void Convert(std::string_view data, TStream& out, bool toBinary) {
  FormOutput output(out);
  if (toBinary) {
    FormBinaryWriter writer(output, true);
    ReadFormAny(data, writer);
  } else {
    FormTextWriter writer(output);
    ReadFormAny(data, writer);
  }
  output.Flush();
}

// Converts one file to its target: a file or device (written atomically
// where it can be), or standard output.
void ConvertOne(const std::string& file, const std::string& target, bool toBinary, bool force) {
  ToolFormInput input(file);
  ToolOutput out(target, force);
  if (toBinary && !out.Seekable()) {
    TMemoryStream buffer;
    Convert(input.Data(), buffer, true);
    out.WriteBuffer(buffer.Memory(), static_cast<size_t>(buffer.Size()));
  } else {
    Convert(input.Data(), out, toBinary);
  }
  out.Commit();
}

// Where a result goes in the -o folder: the input's file name, with .dfm
// added when it has no extension; for a form in a program, NAME.dfm.
fs::path FolderTarget(const std::string& folder, const std::string& input) {
  const TFormArgument argument = SplitFormArgument(input);
  if (!argument.formName.empty()) return fs::path(folder) / (SafeFileName(argument.formName) + ".dfm");
  fs::path target = fs::path(folder) / fs::path(input).filename();
  if (target.extension().empty()) target += ".dfm";
  return target;
}

// Two inputs of one file name (from different folders) would write the same
// result file, the second silently replacing the first: refuse before
// writing anything.
bool CheckDistinctTargets(const FileArgs& fa) {
  std::map<fs::path, const std::string*> written;
  for (const std::string& file : fa.files) {
    auto [it, fresh] = written.emplace(FolderTarget(fa.output, file), &file);
    if (!fresh) {
      std::fprintf(stderr, "tessaly-tool: %s and %s would both be written to %s; convert them in separate runs\n",
                   it->second->c_str(), file.c_str(), it->first.c_str());
      return false;
    }
  }
  return true;
}

// Shared body of totext/tobinary: converts each file, writing to stdout, to
// the -o file (one input) or into the -o folder as NAME.dfm (several).
int ConvertFiles(const std::vector<std::string>& args, bool toBinary, const char* usage) {
  FileArgs fa;
  std::string error;
  if (!ParseFileArgs(args, fa, error)) {
    std::fprintf(stderr, "tessaly-tool: %s\nusage: %s\n", error.c_str(), usage);
    return kExitUsage;
  }
  bool toFolder = fa.hasOutput && (fa.files.size() > 1 || fs::is_directory(fa.output));
  if (!fa.hasOutput && toBinary && isatty(STDOUT_FILENO)) {
    std::fprintf(stderr, "tessaly-tool: refusing to write binary data to a terminal; use -o FILE\n");
    return kExitUsage;
  }
  if (toFolder && !CheckDistinctTargets(fa)) return kExitUsage;
  if (toFolder) {
    std::error_code ec;
    fs::create_directories(fa.output, ec);
    if (ec) {
      std::fprintf(stderr, "tessaly-tool: %s: %s\n", fa.output.c_str(), ec.message().c_str());
      return kExitBadFile;
    }
  }
  std::vector<std::string> targets;
  for (const std::string& file : fa.files)
    targets.push_back(toFolder ? FolderTarget(fa.output, file).string() : fa.output);
  try {
    for (const std::string& target : targets) RefuseOverwritingInput(target, fa.files);
  } catch (const EToolOutputError& e) {
    std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
    return kExitUsage;
  }
  int status = kExitOk;
  for (size_t i = 0; i < fa.files.size(); ++i) {
    const std::string& file = fa.files[i];
    try {
      ConvertOne(file, targets[i], toBinary, fa.force);
    } catch (const EToolOutputError& e) {
      std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
      return kExitBadFile;
    } catch (const EToolOutOfMemory& e) {
      std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
      status = kExitBadFile;
    } catch (const std::bad_alloc&) {
      std::fprintf(stderr, "tessaly-tool: %s\n", OutOfMemoryWhileReading(file).c_str());
      status = kExitBadFile;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: %s\n", file.c_str(), e.what());
      status = kExitBadFile;
    }
  }
  return status;
}

int CmdToText(const std::vector<std::string>& args) {
  return ConvertFiles(args, false, "tessaly-tool totext FILE... [-o OUT] [--force]");
}

int CmdToBinary(const std::vector<std::string>& args) {
  return ConvertFiles(args, true, "tessaly-tool tobinary FILE... [-o OUT] [--force]");
}

// The commands that build the preview need Qt; they live in a companion
// program beside this one, so that the converters start without loading it.
int RunPreviewProgram(char** argv) {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  fs::path helper = (ec ? fs::path(argv[0]) : self).parent_path() / "tessaly-tool-preview";
  ::execv(helper.c_str(), argv);
  std::fprintf(stderr, "tessaly-tool: cannot start %s: %s\n", helper.c_str(), std::strerror(errno));
  return kExitBadFile;
}

struct Command {
  const char* name;
  int (*run)(const std::vector<std::string>& args);  // nullptr: the preview program's
  const char* help;
};

const Command kCommands[] = {
    {"totext", CmdToText,
     "totext FILE... [-o OUT] [--force]  write form text (either encoding in)\n  totext --flatten FILE [-o OUT]  an "
     "inherited form with its ancestors as one text"},
    {"tobinary", CmdToBinary, "tobinary FILE... [-o OUT] [--force]  write binary form files (resource header)"},
    {"forms", RunFormsCommand, "forms PROGRAM              list the forms in a program or .res file"},
    {"extract", RunExtractCommand, "extract PROGRAM [-o DIR] [--text]  write them as NAME.dfm"},
    {"images", nullptr, "images FORM [-o DIR] [--list]  write the pictures a form stores"},
    {"rewrite", nullptr, "rewrite FILE               rewrite a form as the viewer loads it"},
    {"render", nullptr, "render FILE -o OUT.png     draw the form's preview off-screen"},
    {"tree", nullptr,
     "tree FILE [--all-cells]    the preview's controls as JSON (at most 100000 cells per grid\n"
     "                             unless --all-cells; \"cellsOmitted\" counts the rest)"},
    {"ancestors", nullptr, "ancestors FORM.dfm         the form files a form is read with: ancestors, then frames"},
    {"survey", RunSurveyCommand,
     "survey DIR -o OUT [-j N] [--shard K/N] [--time-limit S] [--memory-limit MB]\n"
     "                             every form of a tree: previews, census, a web report"},
    {"census", RunCensusCommand, "census DIR [--csv]         the component classes of a tree's forms"},
    {"survey-merge", RunSurveyMergeCommand, "survey-merge -o OUT SHARD_OUT...  join the outputs of survey shards"},
};

void Usage(std::FILE* to) {
  std::fprintf(to, "usage: tessaly-tool COMMAND ARGS...\ncommands:\n");
  for (const Command& c : kCommands) std::fprintf(to, "  %s\n", c.help);
  std::fprintf(to, "With several files, -o names a folder; each result is written there under the input's name.\n");
  std::fprintf(to, "A FILE or FORM may be PROGRAM:NAME, a form inside a Windows program or resource file.\n");
  std::fprintf(
      to,
      "An output is never one of the inputs. A read-only output or another user's file is replaced\n"
      "only with --force; an output that is a symbolic link replaces the file the link points to.\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    Usage(stderr);
    return kExitUsage;
  }
  std::string_view name = argv[1];
  if (name == "-h" || name == "--help" || name == "help") {
    Usage(stdout);
    return kExitOk;
  }
  IgnoreFileSizeSignal();
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const Command& c : kCommands) {
    if (name != c.name) continue;
    // Every command answers --help alike: its usage on standard output.
    if (std::find(args.begin(), args.end(), "--help") != args.end() ||
        std::find(args.begin(), args.end(), "-h") != args.end()) {
      std::printf("usage: tessaly-tool %s\n", c.help);
      return FinishStandardOutput(kExitOk);
    }
    // Flattening resolves ancestors with the viewer's load, so it runs there.
    const bool flatten = name == "totext" && std::find(args.begin(), args.end(), "--flatten") != args.end();
    if (!c.run || flatten) return RunPreviewProgram(argv);
    int status;
    try {
      status = c.run(args);
    } catch (const std::bad_alloc&) {
      std::fprintf(stderr, "tessaly-tool: out of memory\n");
      status = kExitBadFile;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
      status = kExitBadFile;
    }
    return FinishStandardOutput(status);
  }
  std::fprintf(stderr, "tessaly-tool: unknown command '%s'\n", argv[1]);
  Usage(stderr);
  return kExitUsage;
}
