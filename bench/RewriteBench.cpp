// Throughput of the form-text rewriting over an already-split line list.
//
// The form is generated: a root with many panels holding registered buttons
// and labels with event bindings, unregistered components with collections,
// lists, binary data and continued strings, nested unknown containers, and
// an action manager with action bars. About 60 MB of text.
#include <benchmark/benchmark.h>

#include <string>
#include <type_traits>
#include <vector>

#include "LoadPreview.h"
#include "RegisteredClassNames.h"
#include "core/Strings.h"
#include "rewrite.h"

namespace {

constexpr size_t kTargetBytes = 60u << 20;

void AddBlock(std::vector<std::string>& l, int n) {
  std::string id = std::to_string(n);
  l.push_back("  object Panel" + id + ": TPanel");
  l.push_back("    Left = 8");
  l.push_back("    Top = " + id);
  l.push_back("    Width = 400");
  l.push_back("    Height = 120");
  l.push_back("    Caption = 'Panel number " + id + "'");
  l.push_back("    OnResize = PanelResize");
  l.push_back("    object Button" + id + ": TButton");
  l.push_back("      Left = 16");
  l.push_back("      Top = 8");
  l.push_back("      Caption = '&OK'");
  l.push_back("      Action = ActionOk");
  l.push_back("      OnClick = Button1Click");
  l.push_back("      TabOrder = 0");
  l.push_back("    end");
  l.push_back("    object Label" + id + ": TLabel");
  l.push_back("      Left = 96");
  l.push_back("      Caption =");
  l.push_back("        'A long caption that the writer breaks into pieces of sixty-four ' +");
  l.push_back("        'characters, continued on the next line'");
  l.push_back("      Font.Style = [fsBold, fsItalic]");
  l.push_back("    end");
  l.push_back("    object Grid" + id + ": TFancyGrid");
  l.push_back("      Left = 8");
  l.push_back("      Top = 40");
  l.push_back("      Width = 380");
  l.push_back("      Height = 70");
  l.push_back("      Columns = <");
  l.push_back("        item");
  l.push_back("          Title.Caption = 'Name'");
  l.push_back("          Width = 120");
  l.push_back("          OnDrawCell = DrawName");
  l.push_back("        end");
  l.push_back("        item");
  l.push_back("          Title.Caption = 'Value'");
  l.push_back("          Width = 200");
  l.push_back("        end>");
  l.push_back("      Options = [goFixedVertLine, goRangeSelect]");
  l.push_back("      Items.Strings = (");
  l.push_back("        'first (1)'");
  l.push_back("        'second'");
  l.push_back("        'third')");
  l.push_back("      OnSelectCell = GridSelect");
  l.push_back("      object Inner" + id + ": TFancyBox");
  l.push_back("        Left = 2");
  l.push_back("        Glyph.Data = {");
  l.push_back("          0A0000000000000000000000000000000000000000000000000000000000FF00");
  l.push_back("          0000FFFFFFFF0000000000000000000000000000000000000000000000000000}");
  l.push_back("        object Check" + id + ": TCheckBox");
  l.push_back("          Caption = 'Enabled'");
  l.push_back("          OnClick = CheckClick");
  l.push_back("        end");
  l.push_back("      end");
  l.push_back("    end");
  l.push_back("    object Image" + id + ": TImage");
  l.push_back("      Picture.Data = {");
  for (int r = 0; r < 4; ++r)
    l.push_back("        07544269746D6170F6000000424DF600000000000000760000002800000010000000");
  l.push_back("        FFFFFFFF}");
  l.push_back("    end");
  l.push_back("  end");
}

const std::vector<std::string>& GeneratedForm(size_t& bytes) {
  static size_t totalBytes = 0;
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> l;
    l.push_back("object MainForm: TMainForm");
    l.push_back("  Left = 0");
    l.push_back("  OnCreate = FormCreate");
    l.push_back("  object ActionManager1: TActionManager");
    l.push_back("    ActionBars = <");
    l.push_back("      item");
    l.push_back("        Items = <");
    l.push_back("          item");
    l.push_back("            Action = FileOpen");
    l.push_back("          end>");
    l.push_back("      end>");
    l.push_back("  end");
    size_t size = 0;
    for (int n = 0; size < kTargetBytes; ++n) {
      size_t before = l.size();
      AddBlock(l, n);
      for (size_t k = before; k < l.size(); ++k) size += l[k].size() + 2;
    }
    l.push_back("end");
    for (const auto& s : l) totalBytes += s.size() + 2;  // as CR LF text
    return l;
  }();
  bytes = totalBytes;
  return lines;
}

// Set-up and tear-down stay outside the timed region: the lines are restored
// by copy-assignment (which reuses their buffers) and the last pass's log is
// freed before the next pass starts.
template <typename Log>
void RunRewrite(benchmark::State& state) {
  size_t bytes = 0;
  const std::vector<std::string>& form = GeneratedForm(bytes);
  TStringList lines(form);
  size_t logLines = 0;
  for (auto _ : state) {
    state.PauseTiming();
    lines.Lines() = form;
    Log log;
    state.ResumeTiming();
    RewriteFormLines(lines, log, IsStandardFormClass);
    benchmark::DoNotOptimize(lines.Lines().data());
    state.PauseTiming();
    if constexpr (std::is_same_v<Log, RewriteLog>) {
      logLines = log.Count();
    } else {
      logLines = log.size();
    }
    { Log gone = std::move(log); }
    state.ResumeTiming();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
  state.counters["MB"] = double(bytes) / 1e6;
  state.counters["lines"] = double(form.size());
  state.counters["log_lines"] = double(logLines);
}

// The rewriting step as LoadFormFile runs it: log kept in one buffer.
void BM_RewriteFormLines(benchmark::State& state) { RunRewrite<RewriteLog>(state); }
BENCHMARK(BM_RewriteFormLines)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same with every log line built as its own std::string.
void BM_RewriteFormLinesStringLog(benchmark::State& state) { RunRewrite<std::vector<std::string>>(state); }
BENCHMARK(BM_RewriteFormLinesStringLog)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
