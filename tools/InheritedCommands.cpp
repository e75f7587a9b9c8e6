#include "InheritedCommands.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "Ancestors.h"
#include "LoadForm.h"
#include "RegisteredClassNames.h"
#include "ToolFiles.h"
#include "core/Streams.h"
#include "core/Strings.h"

namespace {

constexpr int kExitOk = 0, kExitBadFile = 1, kExitUsage = 2;

bool IsOperand(const std::string& a) { return !a.empty() && a[0] != '-'; }

void PrintLines(const TStringList& lines) {
  for (const std::string& line : lines.Lines()) std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

bool TakeFlattenOption(std::vector<std::string>& args) {
  auto it = std::find(args.begin(), args.end(), "--flatten");
  if (it == args.end()) return false;
  args.erase(it);
  return true;
}

int RunAncestorsCommand(const std::vector<std::string>& args) {
  if (args.size() != 1 || !IsOperand(args[0])) {
    std::fprintf(stderr, "usage: tessaly-tool ancestors FORM.dfm\n");
    return kExitUsage;
  }
  TFormLoad load;
  int status = kExitOk;
  std::string error;
  try {
    LoadForm(args[0], load, IsStandardFormClass);
  } catch (const std::exception& e) {
    error = e.what();
    status = kExitBadFile;
  }
  // The form and its chain of ancestors, then the frames' forms.
  for (const TFormFileRead& f : load.files)
    if (f.role != TFormFileRead::frFrame) std::printf("%s\n", f.path.c_str());
  for (const TFormFileRead& f : load.files)
    if (f.role == TFormFileRead::frFrame) std::printf("%s (frame)\n", f.path.c_str());
  std::fflush(stdout);
  if (!error.empty()) {
    std::fprintf(stderr, "%s: %s\n", args[0].c_str(), error.c_str());
  } else if (!load.missingAncestor.empty()) {
    std::fprintf(stderr, "%s\n", load.missingAncestor.c_str());
    status = kExitBadFile;
  }
  return status;
}

int RunFlattenCommand(const std::vector<std::string>& args) {
  std::string file, output;
  bool usage = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size())
      output = args[++i];
    else if (file.empty() && IsOperand(args[i]))
      file = args[i];
    else
      usage = true;
  }
  if (usage || file.empty()) {
    std::fprintf(stderr, "usage: tessaly-tool totext --flatten FILE [-o OUT]\n");
    return kExitUsage;
  }
  if (!output.empty()) {
    try {
      RefuseOverwritingInput(output, {file});
    } catch (const EToolOutputError& e) {
      std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
      return kExitUsage;
    }
  }
  TFormLoad load;
  std::string text;
  try {
    LoadForm(file, load, IsStandardFormClass);
    text = ResolvedFormText(load);
  } catch (const std::exception& e) {
    PrintLines(load.log);
    std::fprintf(stderr, "%s: %s\n", file.c_str(), e.what());
    return kExitBadFile;
  }
  PrintLines(load.log);
  if (output.empty()) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
      std::fprintf(stderr, "tessaly-tool: cannot write to standard output\n");
      return kExitBadFile;
    }
    return kExitOk;
  }
  try {
    // Neither the form nor any ancestor or frame form it was read with.
    std::vector<std::string> read;
    for (const TFormFileRead& f : load.files) read.push_back(f.path);
    RefuseOverwritingInput(output, read);
  } catch (const EToolOutputError& e) {
    std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
    return kExitUsage;
  }
  try {
    ToolOutput out(output);
    out.WriteBuffer(text.data(), text.size());
    out.Commit();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
    return kExitBadFile;
  }
  return kExitOk;
}
