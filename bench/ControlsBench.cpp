// Building a form of 1,000 controls from its resource (reading, parents,
// alignment and the Qt widgets), against creating 1,000 bare QWidgets.
// Run by hand: build/bench/controls_bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <QApplication>
#include <QWidget>

#include "components/Registry.h"
#include "controls/Controls.h"
#include "controls/Forms.h"
#include "core/Streams.h"
#include "streaming/Converters.h"

namespace {

// A panel-like windowed control.
class TBenchPanel : public TCustomControl {
  TESSALY_CLASS(TBenchPanel)

 public:
  explicit TBenchPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 100, 40);
  }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
};

// A label-like graphic control.
class TBenchLabel : public TGraphicControl {
  TESSALY_CLASS(TBenchLabel)

 public:
  explicit TBenchLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 60, 13); }

 protected:
  void Paint() override { Canvas()->TextOut(0, 0, Caption()); }
};

const TClassInfo& TBenchPanel::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TBenchPanel>("TBenchPanel", &TCustomControl::StaticClassInfo())
          .Publish("Align")
          .Publish("Caption")
          .Publish("Color")
          .Publish("Font")
          .Publish("ParentFont")
          .Publish("TabOrder")
          .Publish("TabStop")
          .Build();
  return info;
}
const TClassInfo& TBenchLabel::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TBenchLabel>("TBenchLabel", &TGraphicControl::StaticClassInfo())
          .Publish("Caption")
          .Publish("Color")
          .Publish("Font")
          .Build();
  return info;
}

QApplication& App() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "controls_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

// 1,000 controls: windowed panels only, or 40 panels of 24 labels each.
std::string FormResource(bool withLabels) {
  RegisterClasses({&TBenchPanel::StaticClassInfo(), &TBenchLabel::StaticClassInfo(), &TForm::StaticClassInfo()});
  std::string t = "object BenchForm: TForm\n  ClientWidth = 800\n  ClientHeight = 600\n  PixelsPerInch = 96\n";
  int n = 0;
  if (!withLabels) {
    for (int i = 0; i < 1000; ++i, ++n)
      t +=
          "  object P" + std::to_string(i) + ": TBenchPanel\n    Left = " + std::to_string(i % 40 * 20) +
          "\n    Top = " + std::to_string(i / 40 * 24) +
          "\n    Width = 20\n    Height = 24\n    Caption = 'Panel'\n    TabOrder = " + std::to_string(i) + "\n  end\n";
  } else {
    for (int p = 0; p < 40; ++p, ++n) {
      t += "  object P" + std::to_string(p) + ": TBenchPanel\n    Left = " + std::to_string(p % 8 * 100) +
           "\n    Top = " + std::to_string(p / 8 * 120) +
           "\n    Width = 100\n    Height = 120\n    TabOrder = " + std::to_string(p) + "\n";
      for (int l = 0; l < 24; ++l, ++n)
        t += "    object L" + std::to_string(p) + "_" + std::to_string(l) + ": TBenchLabel\n      Left = " +
             std::to_string(l % 2 * 50) + "\n      Top = " + std::to_string(l / 2 * 10) +
             "\n      Width = 50\n      Height = 10\n      Caption = 'Label'\n    end\n";
      t += "  end\n";
    }
  }
  t += "end\n";
  TMemoryStream in, out;
  in.WriteBuffer(t.data(), t.size());
  in.SetPosition(0);
  ObjectTextToResource(in, out);
  return std::string(out.Memory(), size_t(out.Size()));
}

void BuildForm(benchmark::State& state, const std::string& resource) {
  App();
  for (auto _ : state) {
    TMemoryStream s;
    s.WriteBuffer(resource.data(), resource.size());
    s.SetPosition(0);
    auto form = std::make_unique<TForm>(nullptr, s);
    form->HandleNeeded();
    benchmark::DoNotOptimize(form->Handle());
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}

void BM_FormOf1000WindowedControls(benchmark::State& state) {
  static const std::string resource = FormResource(false);
  BuildForm(state, resource);
}
BENCHMARK(BM_FormOf1000WindowedControls)->Unit(benchmark::kMillisecond);

void BM_FormOf40PanelsAnd960Labels(benchmark::State& state) {
  static const std::string resource = FormResource(true);
  BuildForm(state, resource);
}
BENCHMARK(BM_FormOf40PanelsAnd960Labels)->Unit(benchmark::kMillisecond);

void BM_1000BareQWidgets(benchmark::State& state) {
  App();
  for (auto _ : state) {
    auto top = std::make_unique<QWidget>();
    top->resize(800, 600);
    for (int i = 0; i < 1000; ++i) {
      auto* w = new QWidget(top.get());
      w->setGeometry(i % 40 * 20, i / 40 * 24, 20, 24);
    }
    benchmark::DoNotOptimize(top.get());
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_1000BareQWidgets)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
