// tessaly-tool-preview: the commands of tessaly-tool that build the preview
// (rewrite, render, tree, ancestors, images, totext --flatten). tessaly-tool starts it with its own arguments, so
// argv[1] is the command name.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "ImageCommands.h"
#include "InheritedCommands.h"
#include "PreviewCommands.h"
#include "RewriteCommand.h"
#include "SurveyForm.h"
#include "ToolFiles.h"
#include "rewrite.h"

namespace {

constexpr int kExitBadFile = 1, kExitUsage = 2;

// rewrite reads its file through the viewer's load; the file is checked
// first so that a bad input gets the same messages as in the other commands.
int CmdRewrite(const std::vector<std::string>& args) {
  if (args.size() == 1) {
    try {
      CheckPreviewInput(args[0]);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: %s\n", args[0].c_str(), e.what());
      return kExitBadFile;
    }
  }
  return RunRewriteCommand(args);
}

// The files a command reads: its operands, without options and the -o target.
std::vector<std::string> Operands(const std::vector<std::string>& args) {
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" || args[i] == "--output")
      ++i;
    else if (!args[i].empty() && args[i][0] != '-')
      files.push_back(args[i]);
  }
  return files;
}

int Run(std::string_view name, const std::vector<std::string>& args) {
  // Standard output redirected onto the form being read would be truncated
  // or appended to while it is read.
  try {
    RefuseOverwritingInput("-", Operands(args));
  } catch (const EToolOutputError& e) {
    std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
    return kExitUsage;
  }
  if (name == "rewrite") return CmdRewrite(args);
  if (name == "render") return RunRenderCommand(args);
  if (name == "tree") return RunTreeCommand(args);
  if (name == "ancestors") return RunAncestorsCommand(args);
  if (name == "images") return RunImagesCommand(args);
  if (name == "survey-form") return RunSurveyFormCommand(args);
  if (std::vector<std::string> rest = args; name == "totext" && TakeFlattenOption(rest)) return RunFlattenCommand(rest);
  std::fprintf(stderr, "tessaly-tool-preview: unknown command '%s'\n", std::string(name).c_str());
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tessaly-tool rewrite|render|tree ARGS...\n");
    return kExitUsage;
  }
  IgnoreFileSizeSignal();
  int status;
  try {
    status = Run(argv[1], std::vector<std::string>(argv + 2, argv + argc));
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "tessaly-tool: out of memory\n");
    status = kExitBadFile;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
    status = kExitBadFile;
  }
  // Each command reports its own failure to write standard output.
  if (status != 0 && std::ferror(stdout)) StandardOutputFailureReported();
  return FinishStandardOutput(status);
}
