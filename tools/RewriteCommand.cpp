#include "RewriteCommand.h"

#include <iostream>

#include "LoadPreview.h"
#include "RegisteredClassNames.h"
#include "streaming/Converters.h"

int RunRewriteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: tessaly-tool rewrite FILE\n";
    return 2;
  }
  TStringList source;
  TStringList log;
  int status = 0;
  std::string message;
  try {
    LoadFormFile(
        args[0], source, log,
        [](TStream& resource) {
          TMemoryStream scratch;
          ObjectResourceToText(resource, scratch);
        },
        IsStandardFormClass);
  } catch (const std::exception& e) {
    message = e.what();
    status = 1;
  }
  for (const std::string& line : source.Lines()) {
    out.write(line.data(), std::streamsize(line.size()));
    out.put('\n');
  }
  for (const std::string& line : log.Lines()) {
    err.write(line.data(), std::streamsize(line.size()));
    err.put('\n');
  }
  if (status != 0) err << args[0] << ": " << message << '\n';
  out.flush();
  if (!out) {
    err << "tessaly-tool: cannot write standard output\n";
    status = 1;
  }
  err.flush();
  return status;
}

int RunRewriteCommand(const std::vector<std::string>& args) { return RunRewriteCommand(args, std::cout, std::cerr); }
