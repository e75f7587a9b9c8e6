#include "PreviewCommands.h"

#include <QImage>
#include <QtGlobal>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "Unit2.h"
#include "components/Reader.h"
#include "controls/ContentReport.h"
#include "controls/Controls.h"
#include "controls/Render.h"
#include "core/Exceptions.h"
#include "core/Strings.h"
#include "rewrite.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadFile = 1;
constexpr int kExitUsage = 2;

// Runs the viewer's load of `path` with a preview action that builds the
// preview window and hands it to `use` instead of showing it. The component
// log goes to stderr, also when the load fails.
int LoadIntoPreview(const std::string& path, const std::function<void(TForm2&)>& use) {
  // The preview is built off-screen, with or without a display.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  RegisterPreviewClasses();
  Application->Initialize();
  TStringList source, log;
  int status = kExitOk;
  try {
    LoadFormFile(path, source, log, [&use](TStream& resource) {
      std::unique_ptr<TForm2> preview(new TForm2(Application));
      ReadComponentRes(resource, preview.get());
      use(*preview);
    });
  } catch (const std::exception& e) {
    for (int i = 0; i < log.Count(); ++i) std::fprintf(stderr, "%s\n", log[i].c_str());
    std::fprintf(stderr, "%s: %s\n", path.c_str(), e.what());
    return kExitBadFile;
  }
  for (int i = 0; i < log.Count(); ++i) std::fprintf(stderr, "%s\n", log[i].c_str());
  return status;
}

void AppendJsonString(std::string& out, const std::string& utf8) { out += TContentReport::JsonString(utf8); }

void AppendControlJson(std::string& out, TControl* control, int depth) {
  std::string indent(size_t(depth) * 2, ' ');
  out += indent + "{\"class\": ";
  AppendJsonString(out, control->ClassName());
  out += ", \"name\": ";
  AppendJsonString(out, control->Name());
  out += ", \"left\": " + std::to_string(control->Left());
  out += ", \"top\": " + std::to_string(control->Top());
  out += ", \"width\": " + std::to_string(control->Width());
  out += ", \"height\": " + std::to_string(control->Height());
  out += std::string(", \"visible\": ") + (control->Visible() ? "true" : "false");
  out += ", \"text\": ";
  AppendJsonString(out, control->DisplayText().toStdString());
  TContentReport content;
  control->ReportContent(content);
  for (const auto& [key, json] : content.Members()) {
    out += ", ";
    AppendJsonString(out, key);
    out += ": " + json;
  }
  out += ", \"children\": [";
  auto* win = dynamic_cast<TWinControl*>(control);
  if (win && win->ControlCount() > 0) {
    out += "\n";
    for (int i = 0; i < win->ControlCount(); ++i) {
      AppendControlJson(out, win->Controls(i), depth + 1);
      out += i + 1 < win->ControlCount() ? ",\n" : "\n";
    }
    out += indent;
  }
  out += "]}";
}

}  // namespace

int RunRenderCommand(const std::vector<std::string>& args) {
  std::string file, output;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) {
      output = args[++i];
    } else if (file.empty() && !args[i].empty() && args[i][0] != '-') {
      file = args[i];
    } else {
      file.clear();
      break;
    }
  }
  if (file.empty() || output.empty()) {
    std::fprintf(stderr, "usage: tessaly-tool render FILE -o OUT.png\n");
    return kExitUsage;
  }
  bool saved = true;
  int status = LoadIntoPreview(file, [&](TForm2& preview) {
    QImage image = RenderFormClient(&preview);
    saved = image.save(QString::fromStdString(output), "PNG");
  });
  if (status == kExitOk && !saved) {
    std::fprintf(stderr, "%s: cannot write the image\n", output.c_str());
    return kExitBadFile;
  }
  return status;
}

int RunTreeCommand(const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
    std::fprintf(stderr, "usage: tessaly-tool tree FILE\n");
    return kExitUsage;
  }
  std::string json;
  int status = LoadIntoPreview(args[0], [&](TForm2& preview) {
    AppendControlJson(json, &preview, 0);
    json += "\n";
  });
  if (status == kExitOk) std::fwrite(json.data(), 1, json.size(), stdout);
  return status;
}
