// From the start of a load to the built preview, for a generated form of
// 1,000 stock controls, against creating 1,000 bare Qt widgets in the same
// run; and start-up to a shown main window.
// Run by hand: build/bench/viewer_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <string>

#include "Unit1.h"
#include "Unit2.h"
#include "components/Reader.h"
#include "core/Strings.h"
#include "rewrite.h"

namespace {

// 1,000 controls as real forms have them: labels, edits, buttons, check
// boxes and panels holding some of them.
std::string GeneratedFormPath() {
  static std::string path;
  if (!path.empty()) return path;
  std::string text = "object Form1: TForm1\r\n  Caption = 'Bench'\r\n  ClientWidth = 1200\r\n"
                     "  ClientHeight = 900\r\n  OnCreate = FormCreate\r\n";
  int made = 0;
  for (int panel = 0; made < 1000; ++panel) {
    text += "  object Panel" + std::to_string(panel) + ": TPanel\r\n    Left = " +
            std::to_string((panel % 10) * 120) + "\r\n    Top = " + std::to_string((panel / 10) * 90) +
            "\r\n    Width = 118\r\n    Height = 88\r\n    TabOrder = " + std::to_string(panel) + "\r\n";
    ++made;
    for (int i = 0; i < 9 && made < 1000; ++i, ++made) {
      static const char* kinds[] = {"TLabel", "TEdit", "TButton", "TCheckBox"};
      const char* cls = kinds[i % 4];
      std::string name = std::string(cls + 1) + std::to_string(made);
      text += "    object " + name + ": " + cls + "\r\n      Left = " + std::to_string(4 + (i % 3) * 38) +
              "\r\n      Top = " + std::to_string(4 + (i / 3) * 28) +
              "\r\n      Width = 36\r\n      Height = 21\r\n      " +
              (i % 4 == 1 ? "Text" : "Caption") + " = '" + name +
              "'\r\n      OnClick = Clicked\r\n    end\r\n";
    }
    text += "  end\r\n";
  }
  text += "end\r\n";
  path = "/tmp/tessaly_viewer_bench.dfm";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  return path;
}

void EnsureApplication() {
  static bool ready = [] {
    RegisterPreviewClasses();
    Application->Initialize();
    return true;
  }();
  (void)ready;
}

void BM_LoadToBuiltPreview(benchmark::State& state) {
  EnsureApplication();
  const std::string path = GeneratedFormPath();
  for (auto _ : state) {
    TStringList source, log;
    LoadFormFile(path, source, log, [](TStream& resource) {
      std::unique_ptr<TForm2> preview(new TForm2(Application));
      ReadComponentRes(resource, preview.get());
      preview->Handle();  // the Qt widgets exist
      benchmark::DoNotOptimize(preview.get());
    });
  }
}
BENCHMARK(BM_LoadToBuiltPreview)->Unit(benchmark::kMillisecond);

void BM_ThousandBareQtWidgets(benchmark::State& state) {
  EnsureApplication();
  for (auto _ : state) {
    QWidget window;
    for (int i = 0; i < 1000; ++i) {
      auto* w = new QWidget(&window);
      w->setGeometry((i % 40) * 30, (i / 40) * 30, 28, 28);
    }
    benchmark::DoNotOptimize(&window);
  }
}
BENCHMARK(BM_ThousandBareQtWidgets)->Unit(benchmark::kMillisecond);

void BM_StartupToShownMainWindow(benchmark::State& state) {
  EnsureApplication();
  for (auto _ : state) {
    auto* form = new TForm1(Application);
    form->Show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(form);
    state.PauseTiming();
    delete form;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartupToShownMainWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
