#include "PreviewCommands.h"

#include <sys/resource.h>

#include <QBuffer>
#include <QImage>
#include <QMenuBar>
#include <QMessageLogContext>
#include <QPainter>
#include <QtGlobal>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "LoadForm.h"
#include "LoadPreview.h"
#include "RegisteredClassNames.h"
#include "ToolFiles.h"
#include "Unit2.h"
#include "components/Reader.h"
#include "controls/ContentReport.h"
#include "controls/Controls.h"
#include "controls/Render.h"
#include "core/Exceptions.h"
#include "core/Strings.h"
#include "rewrite.h"
#include "stock/Menus.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadFile = 1;
constexpr int kExitUsage = 2;

// render draws client areas up to this many pixels on each side (an image
// of at most 256 MB); larger ones are refused before anything is drawn.
constexpr int kMaxRenderSide = 8192;

// Qt's own warnings at start-up (no XDG_RUNTIME_DIR, fonts, the off-screen
// platform) are about this process, not the form: they are not shown.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

void PrintLog(const TStringList& log) {
  for (int i = 0; i < log.Count(); ++i) std::fprintf(stderr, "%s\n", log[i].c_str());
}

// Runs the one load of `path` (as the viewer's load command does), builds
// the preview window from its resource and hands it to `use` instead of
// showing it. The component log goes to stderr, also when the load fails.
// `read` gets every form file the load read.
int LoadIntoPreview(
    const std::string& path, const std::function<void(TForm2&)>& use, std::vector<std::string>* read = nullptr) {
  try {
    CheckPreviewInput(path);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), e.what());
    return kExitBadFile;
  }
  // The preview is built off-screen, with or without a display.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietQtMessages);
  RegisterPreviewClasses();
  Application->Initialize();
  TFormLoad load;
  try {
    LoadForm(path, load, IsRegisteredClass);
    PreviewLoadedForm(load, load.log, [&use](TStream& resource) {
      std::unique_ptr<TForm2> preview(new TForm2(Application));
      ReadComponentRes(resource, preview.get());
      use(*preview);
    });
  } catch (const std::exception& e) {
    PrintLog(load.log);
    std::fprintf(stderr, "%s: %s\n", path.c_str(), e.what());
    return kExitBadFile;
  }
  PrintLog(load.log);
  if (read)
    for (const TFormFileRead& f : load.files) read->push_back(f.path);
  return kExitOk;
}

// Qt paints the children of one parent recursing once per sibling, so a
// form with tens of thousands of siblings needs far more than the usual
// 8 MB of stack. The main thread's stack grows on demand up to the soft
// limit, which is raised here (within the hard limit) before painting.
void AllowDeepPainting() {
  constexpr rlim_t kPaintStack = rlim_t(256) << 20;
  struct rlimit limit;
  if (getrlimit(RLIMIT_STACK, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= kPaintStack) return;
  limit.rlim_cur = limit.rlim_max == RLIM_INFINITY ? kPaintStack : std::min(kPaintStack, limit.rlim_max);
  setrlimit(RLIMIT_STACK, &limit);
}

void AppendJsonString(std::string& out, const std::string& utf8) { out += TContentReport::JsonString(utf8); }

// The most cells tree writes per grid; --all-cells lifts the limit.
int64_t treeCellLimit = TContentReport::kDefaultCellLimit;

void AppendContentJson(std::string& out, const TComponent* component) {
  TContentReport content(treeCellLimit);
  component->ReportContent(content);
  for (const auto& [key, json] : content.Members()) {
    out += ", ";
    AppendJsonString(out, key);
    out += ": " + json;
  }
}

// The root's owned components that are not controls (image lists, menus,
// dialogs ...), with their content, one line each.
void AppendComponentsJson(std::string& out, const TComponent* root, const std::string& indent) {
  out += ", \"components\": [";
  bool first = true;
  for (int i = 0; i < root->ComponentCount(); ++i) {
    const TComponent* c = root->Components(i);
    if (dynamic_cast<const TControl*>(c)) continue;
    out += first ? "\n" : ",\n";
    first = false;
    out += indent + "  {\"class\": ";
    AppendJsonString(out, c->ClassName());
    out += ", \"name\": ";
    AppendJsonString(out, c->Name());
    AppendContentJson(out, c);
    out += "}";
  }
  if (!first) out += "\n" + indent;
  out += "]";
}

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
  AppendContentJson(out, control);
  if (depth == 0) AppendComponentsJson(out, control, indent);
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

// What the preview's window shows inside its frame: its main menu's bar,
// when it has one, above the client area.
QImage RenderPreviewWindow(TForm2& preview) {
  QImage client = RenderFormClient(&preview);
  auto* menu = dynamic_cast<TMainMenu*>(preview.Menu());
  QMenuBar* bar = menu ? menu->MenuBar() : nullptr;
  const int height = preview.MenuBarHeight();
  if (!bar || height <= 0) return client;
  QImage window(client.width(), client.height() + height, QImage::Format_RGB32);
  window.fill(Qt::white);
  bar->render(&window, QPoint(0, 0), QRegion(0, 0, client.width(), height));
  QPainter(&window).drawImage(0, height, client);
  return window;
}

}  // namespace

int RunRenderCommand(const std::vector<std::string>& args) {
  std::string file, output;
  bool force = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) {
      output = args[++i];
    } else if (args[i] == "--force") {
      force = true;
    } else if (file.empty() && !args[i].empty() && args[i][0] != '-') {
      file = args[i];
    } else {
      file.clear();
      break;
    }
  }
  if (file.empty() || output.empty()) {
    std::fprintf(stderr, "usage: tessaly-tool render FILE -o OUT.png [--force]\n");
    return kExitUsage;
  }
  try {
    RefuseOverwritingInput(output, {file});
  } catch (const EToolOutputError& e) {
    std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
    return kExitUsage;
  }
  AllowDeepPainting();
  QByteArray png;
  std::string refused;
  std::vector<std::string> read;
  int status = LoadIntoPreview(
      file,
      [&](TForm2& preview) {
        const int width = preview.ClientWidth(), height = preview.ClientHeight();
        if (width > kMaxRenderSide || height > kMaxRenderSide) {
          refused =
              "the form's client area of " + std::to_string(width) + " x " + std::to_string(height) +
              " pixels is larger than render draws (" + std::to_string(kMaxRenderSide) + " x " +
              std::to_string(kMaxRenderSide) + ")";
          return;
        }
        QImage image = RenderPreviewWindow(preview);
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) refused = "cannot encode the image as PNG";
      },
      &read);
  if (status != kExitOk) return status;
  // Nor any ancestor or frame form the load read.
  try {
    RefuseOverwritingInput(output, read);
  } catch (const EToolOutputError& e) {
    std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
    return kExitUsage;
  }
  if (!refused.empty()) {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), refused.c_str());
    return kExitBadFile;
  }
  try {
    ToolOutput out(output, force);
    out.WriteBuffer(png.constData(), static_cast<size_t>(png.size()));
    out.Commit();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
    return kExitBadFile;
  }
  return kExitOk;
}

int RunTreeCommand(const std::vector<std::string>& args) {
  std::string file;
  bool usage = false;
  for (const std::string& a : args) {
    if (a == "--all-cells")
      treeCellLimit = 0;
    else if (file.empty() && !a.empty() && a[0] != '-')
      file = a;
    else
      usage = true;
  }
  if (usage || file.empty()) {
    std::fprintf(stderr, "usage: tessaly-tool tree FILE [--all-cells]\n");
    return kExitUsage;
  }
  std::string json;
  int status = LoadIntoPreview(file, [&](TForm2& preview) {
    AppendControlJson(json, &preview, 0);
    json += "\n";
  });
  if (status != kExitOk) return status;
  if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "tessaly-tool: cannot write standard output: %s\n", std::strerror(errno));
    return kExitBadFile;
  }
  return kExitOk;
}

std::string PreviewTreeJson(TControl* root) {
  std::string json;
  AppendControlJson(json, root, 0);
  return json + "\n";
}

int MaxRenderSide() { return kMaxRenderSide; }

void AllowDeepPreviewPainting() { AllowDeepPainting(); }
