// From the start of a load to the built preview, for a generated form of
// 1,000 stock controls, against creating the same 1,000 Qt widgets bare in
// the same run; and start-up to a shown main window.
// Run by hand: build/bench/viewer_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "LoadPreview.h"
#include "Unit1.h"
#include "Unit2.h"
#include "components/Reader.h"
#include "core/Strings.h"
#include "rewrite.h"
#include "stock/StdCtrls.h"

namespace {

// 1,000 controls as real forms have them: 100 panels, each holding nine
// labels, edits, buttons and check boxes. The same layout is built from
// the form file and, for the comparison, from bare Qt widgets.
constexpr int kControls = 1000;
constexpr int kPerPanel = 9;
const char* const kChildKinds[] = {"TLabel", "TEdit", "TButton", "TCheckBox"};

struct ChildSpec {
  const char* kind;
  std::string name;
  int left, top;
};

template <typename PanelFn, typename ChildFn>
void ForEachControl(PanelFn onPanel, ChildFn onChild) {
  int made = 0;
  for (int panel = 0; made < kControls; ++panel) {
    onPanel(panel, (panel % 10) * 120, (panel / 10) * 90);
    ++made;
    for (int i = 0; i < kPerPanel && made < kControls; ++i, ++made) {
      const char* kind = kChildKinds[i % 4];
      onChild(ChildSpec{kind, std::string(kind + 1) + std::to_string(made), 4 + (i % 3) * 38, 4 + (i / 3) * 28});
    }
  }
}

std::string GeneratedFormPath() {
  static std::string path;
  if (!path.empty()) return path;
  std::string text =
      "object Form1: TForm1\r\n  Caption = 'Bench'\r\n  ClientWidth = 1200\r\n"
      "  ClientHeight = 900\r\n  OnCreate = FormCreate\r\n";
  bool open = false;
  ForEachControl(
      [&](int panel, int left, int top) {
        if (open) text += "  end\r\n";
        open = true;
        text +=
            "  object Panel" + std::to_string(panel) + ": TPanel\r\n    Left = " + std::to_string(left) +
            "\r\n    Top = " + std::to_string(top) +
            "\r\n    Width = 118\r\n    Height = 88\r\n    TabOrder = " + std::to_string(panel) + "\r\n";
      },
      [&](const ChildSpec& c) {
        const bool edit = std::string_view(c.kind) == "TEdit";
        text +=
            "    object " + c.name + ": " + c.kind + "\r\n      Left = " + std::to_string(c.left) +
            "\r\n      Top = " + std::to_string(c.top) + "\r\n      Width = 36\r\n      Height = 21\r\n      " +
            (edit ? "Text" : "Caption") + " = '" + c.name + "'\r\n      OnClick = Clicked\r\n    end\r\n";
      });
  text += "  end\r\nend\r\n";
  path = "/tmp/tessaly_viewer_bench.dfm";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  return path;
}

// What start-up does before the main window, once per process: register
// the classes and initialise the application (Qt's included).
double g_startupBeforeMainWindowMs = 0;

void EnsureApplication() {
  static bool ready = [] {
    const auto start = std::chrono::steady_clock::now();
    RegisterPreviewClasses();
    Application->Initialize();
    g_startupBeforeMainWindowMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return true;
  }();
  (void)ready;
}

// From the start of a load to the built preview: rewriting, both
// conversions, reading into a fresh preview window, its Qt widgets made.
std::unique_ptr<TForm2> LoadPreview(const std::string& path) {
  std::unique_ptr<TForm2> preview;
  TStringList source, log;
  LoadFormFile(path, source, log, [&](TStream& resource) {
    preview.reset(new TForm2(Application));
    ReadComponentRes(resource, preview.get());
    preview->Handle();  // the Qt widgets exist
  });
  return preview;
}

// The same controls as bare Qt widgets of the kinds the preview makes:
// a frame per panel, a label, line edit, push button or check box per child,
// each with its text and geometry.
std::unique_ptr<QWidget> BuildSameWidgetsBare() {
  auto window = std::make_unique<QWidget>();
  window->resize(1200, 900);
  QWidget* panel = nullptr;
  ForEachControl(
      [&](int, int left, int top) {
        panel = new QFrame(window.get());
        panel->setGeometry(left, top, 118, 88);
      },
      [&](const ChildSpec& c) {
        const QString text = QString::fromStdString(c.name);
        QWidget* w = nullptr;
        switch (c.kind[1]) {
          case 'L': w = new QLabel(text, panel); break;
          case 'E': w = new QLineEdit(text, panel); break;
          case 'B': w = new QPushButton(text, panel); break;
          default: w = new QCheckBox(text, panel); break;
        }
        w->setGeometry(c.left, c.top, 36, 21);
      });
  return window;
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Both builds in every iteration, one after the other, so that the ratio is
// taken under the same machine load; which goes first alternates, as the
// first allocation after the last teardown's frees pays for tidying the
// heap. Tearing down is not timed: the question is how long a preview takes
// to build. Time per iteration is the two builds together; the counters
// give each and their ratio.
void BM_LoadToBuiltPreviewVersusBareQt(benchmark::State& state) {
  EnsureApplication();
  const std::string path = GeneratedFormPath();
  double previewMs = 0, bareMs = 0;
  std::unique_ptr<TForm2> preview;
  std::unique_ptr<QWidget> bare;
  auto timePreview = [&] {
    const auto start = std::chrono::steady_clock::now();
    preview = LoadPreview(path);
    previewMs += MillisecondsSince(start);
  };
  auto timeBare = [&] {
    const auto start = std::chrono::steady_clock::now();
    bare = BuildSameWidgetsBare();
    bareMs += MillisecondsSince(start);
  };
  bool previewFirst = true;
  for (auto _ : state) {
    if (previewFirst) {
      timePreview();
      timeBare();
    } else {
      timeBare();
      timePreview();
    }
    previewFirst = !previewFirst;
    state.PauseTiming();
    preview.reset();
    bare.reset();
    state.ResumeTiming();
  }
  const double n = double(state.iterations());
  state.counters["preview_ms"] = previewMs / n;
  state.counters["bare_qt_ms"] = bareMs / n;
  state.counters["ratio"] = bareMs > 0 ? previewMs / bareMs : 0;
}
BENCHMARK(BM_LoadToBuiltPreviewVersusBareQt)->Unit(benchmark::kMillisecond);

// The load as the main window runs it: the rewritten text into its source
// pane, the component log into its log pane, then the preview built.
void BM_LoadThroughMainWindowToBuiltPreview(benchmark::State& state) {
  EnsureApplication();
  const std::string path = GeneratedFormPath();
  std::unique_ptr<TForm1> main(new TForm1(Application));
  for (auto _ : state) {
    std::unique_ptr<TForm2> preview;
    LoadFormFile(path, *main->mmo1->Lines(), *main->mmo2->Lines(), [&](TStream& resource) {
      preview.reset(new TForm2(Application));
      ReadComponentRes(resource, preview.get());
      preview->Handle();
    });
    state.PauseTiming();
    preview.reset();
    main->mmo2->Lines()->Clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadThroughMainWindowToBuiltPreview)->Unit(benchmark::kMillisecond);

// The load alone, tearing down included, for profiling.
void BM_LoadToBuiltPreview(benchmark::State& state) {
  EnsureApplication();
  const std::string path = GeneratedFormPath();
  for (auto _ : state) benchmark::DoNotOptimize(LoadPreview(path).get());
}
BENCHMARK(BM_LoadToBuiltPreview)->Unit(benchmark::kMillisecond);

// Plain QWidgets, the cheapest possible 1,000 widgets, for scale.
void BM_ThousandPlainQWidgets(benchmark::State& state) {
  EnsureApplication();
  for (auto _ : state) {
    QWidget window;
    for (int i = 0; i < kControls; ++i) {
      auto* w = new QWidget(&window);
      w->setGeometry((i % 40) * 30, (i / 40) * 30, 28, 28);
    }
    benchmark::DoNotOptimize(&window);
  }
}
BENCHMARK(BM_ThousandPlainQWidgets)->Unit(benchmark::kMillisecond);

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
  if (g_startupBeforeMainWindowMs > 0)
    std::printf("Start-up before the main window (classes registered, application initialised, once): %.2f ms\n",
                g_startupBeforeMainWindowMs);
  return 0;
}
