#include "SurveyForm.h"

#include <QBuffer>
#include <QImage>
#include <QtGlobal>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "LoadPreview.h"
#include "PreviewCommands.h"
#include "ToolFiles.h"
#include "Unit2.h"
#include "components/Reader.h"
#include "controls/Render.h"
#include "core/Strings.h"
#include "rewrite.h"

namespace {

constexpr int kThumbWidth = 240, kThumbHeight = 180;

void WriteFile(const std::string& path, const char* data, size_t size) {
  ToolOutput out(path);
  out.WriteBuffer(data, size);
  out.Commit();
}

void WriteFile(const std::string& path, const std::string& text) { WriteFile(path, text.data(), text.size()); }

void WritePng(const std::string& path, const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw EToolOutputError(path + ": cannot encode the image as PNG");
  WriteFile(path, png.constData(), static_cast<size_t>(png.size()));
}

std::string JoinLines(const TStrings& lines) {
  std::string text;
  for (int i = 0; i < lines.Count(); ++i) text += lines[i] + "\n";
  return text;
}

// A message on one line, so that it fits its result.tsv field.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return text;
}

struct FormResult {
  std::string status = "ok", error, note;
  int width = 0, height = 0;
};

// Images of the preview; a form too large to draw keeps its tree and gets a note.
void DrawPreview(TForm2& preview, const std::string& dir, FormResult& result) {
  result.width = preview.ClientWidth();
  result.height = preview.ClientHeight();
  if (result.width > MaxRenderSide() || result.height > MaxRenderSide()) {
    result.note = "the client area is larger than the preview draws";
    return;
  }
  QImage image = RenderFormClient(&preview);
  WritePng(dir + "/preview.png", image);
  QImage thumb = image;
  if (image.width() > kThumbWidth || image.height() > kThumbHeight)
    thumb = image.scaled(kThumbWidth, kThumbHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  WritePng(dir + "/thumb.png", thumb);
}

}  // namespace

int RunSurveyFormCommand(const std::vector<std::string>& args) {
  if (args.size() != 2 || args[0].empty() || args[0][0] == '-') {
    std::fprintf(stderr, "usage: tessaly-tool-preview survey-form FILE OUTDIR\n");
    return 2;
  }
  const std::string& file = args[0];
  const std::string& dir = args[1];
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  AllowDeepPreviewPainting();
  FormResult result;
  TStringList source, log;
  std::string tree;
  // The load itself judges the file (the survey hands over regular files
  // only), so that inherited forms and frames preview with their ancestors.
  try {
    RegisterPreviewClasses();
    Application->Initialize();
    LoadFormFile(file, source, log, [&](TStream& resource) {
      std::unique_ptr<TForm2> preview(new TForm2(Application));
      ReadComponentRes(resource, preview.get());
      tree = PreviewTreeJson(preview.get());
      DrawPreview(*preview, dir, result);
    });
  } catch (const EToolOutputError& e) {
    std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    result.status = "failed";
    result.error = OneLine(e.what());
  }
  try {
    if (source.Count() > 0) WriteFile(dir + "/rewritten.txt", JoinLines(source));
    WriteFile(dir + "/log.txt", JoinLines(log));
    if (!tree.empty()) WriteFile(dir + "/tree.json", tree);
    std::string tsv =
        "status\t" + result.status + "\nwidth\t" + std::to_string(result.width) + "\nheight\t" +
        std::to_string(result.height) + "\n";
    if (!result.error.empty()) tsv += "error\t" + result.error + "\n";
    if (!result.note.empty()) tsv += "note\t" + result.note + "\n";
    WriteFile(dir + "/result.tsv", tsv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
    return 1;
  }
  return 0;
}
