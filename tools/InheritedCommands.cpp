#include "InheritedCommands.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "Ancestors.h"
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
  try {
    TInheritedForm form(args[0], IsStandardFormClass);
    std::string missing;
    for (const std::string& file : form.Chain(missing)) std::printf("%s\n", file.c_str());
    std::fflush(stdout);
    if (!missing.empty()) {
      std::fprintf(stderr, "%s\n", missing.c_str());
      return kExitBadFile;
    }
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %s\n", args[0].c_str(), e.what());
    return kExitBadFile;
  }
  return kExitOk;
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
  TStringList log;
  try {
    std::string text = FlattenFormFile(file, log, IsStandardFormClass);
    PrintLines(log);
    if (output.empty()) {
      if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "tessaly-tool: cannot write to standard output\n");
        return kExitBadFile;
      }
    } else {
      RefuseOverwritingInput(output, {file});
      ToolOutput out(output);
      out.WriteBuffer(text.data(), text.size());
      out.Commit();
    }
  } catch (const std::exception& e) {
    PrintLines(log);
    std::fprintf(stderr, "%s: %s\n", file.c_str(), e.what());
    return kExitBadFile;
  }
  return kExitOk;
}
