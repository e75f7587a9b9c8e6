#include "ImageCommands.h"

#include <cstdio>
#include <exception>
#include <filesystem>

#include "FormPictures.h"
#include "ToolFiles.h"

namespace {

namespace fs = std::filesystem;

constexpr int kExitOk = 0, kExitBadFile = 1, kExitUsage = 2;

struct ImagesArgs {
  std::string form, folder = ".";
  bool list = false;
};

bool ParseImagesArgs(const std::vector<std::string>& args, ImagesArgs& out) {
  for (size_t i = 0; i < args.size(); ++i) {
    if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size()) {
      out.folder = args[++i];
    } else if (args[i] == "--list") {
      out.list = true;
    } else if (out.form.empty() && !args[i].empty() && args[i][0] != '-') {
      out.form = args[i];
    } else {
      return false;
    }
  }
  return !out.form.empty();
}

// Writes one picture into the folder. Its name is one safe file name, so it
// cannot land outside the folder.
void WritePicture(const fs::path& folder, const TFormPicture& p, const std::string& form) {
  const fs::path target = folder / p.fileName;
  RefuseOverwritingInput(target.string(), {form});
  ToolOutput out(target.string());
  out.WriteBuffer(p.bytes.data(), p.bytes.size());
  out.Commit();
}

}  // namespace

int RunImagesCommand(const std::vector<std::string>& args) {
  ImagesArgs a;
  if (!ParseImagesArgs(args, a)) {
    std::fprintf(stderr, "usage: tessaly-tool images FORM [-o DIR] [--list]\n");
    return kExitUsage;
  }
  std::vector<TFormPicture> pictures;
  try {
    ToolFormInput input(a.form, true);
    pictures = ExtractFormPictures(input.Data());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", a.form.c_str(), e.what());
    return kExitBadFile;
  }
  if (!a.list) {
    std::error_code ec;
    fs::create_directories(a.folder, ec);
    if (ec) {
      std::fprintf(stderr, "tessaly-tool: %s: %s\n", a.folder.c_str(), ec.message().c_str());
      return kExitBadFile;
    }
  }
  for (const TFormPicture& p : pictures) {
    if (!p.skipped.empty()) {
      std::fprintf(
          stderr, "%s: skipped %s (%s): %s\n", a.form.c_str(), p.fileName.c_str(), p.kind.c_str(), p.skipped.c_str());
      continue;
    }
    if (a.list) {
      std::printf("%s\t%s\t%zu\n", p.fileName.c_str(), p.kind.c_str(), p.bytes.size());
      continue;
    }
    try {
      WritePicture(a.folder, p, a.form);
      std::printf("%s\n", (fs::path(a.folder) / p.fileName).c_str());
    } catch (const std::exception& e) {
      std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
      return kExitBadFile;
    }
  }
  return kExitOk;
}
