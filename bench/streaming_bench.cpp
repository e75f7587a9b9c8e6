// Throughput and memory of the form converters on a generated form of about
// 50 MB of text: many components with the usual properties, wrapped and
// escaped strings, string lists, collections, floats and binary images.
//
// Each benchmark reports MB/s of input and, after the timed runs, the peak
// resident memory one conversion needed as a multiple of its input size
// ("peak_x_input": (input + extra peak) / input), measured by resetting the
// kernel's high-water mark before the conversion.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/Streams.h"
#include "streaming/Converters.h"
#include "streaming/FormBinary.h"
#include "streaming/FormText.h"

namespace {

// Produces the events of a large, realistic form.
void GenerateForm(FormEvents& sink, size_t components) {
  FormScalar s;
  auto integer = [&](std::string_view name, int64_t v) {
    sink.Property(name);
    s.type =
        v >= -128 && v <= 127 ? TValueType::vaInt8
        : v >= -32768 && v <= 32767
            ? TValueType::vaInt16
            : TValueType::vaInt32;
    s.integer = v;
    sink.Scalar(s);
  };
  auto ident = [&](std::string_view name, std::string_view v) {
    sink.Property(name);
    s.type = TValueType::vaIdent;
    s.bytes = v;
    sink.Scalar(s);
  };
  auto str = [&](std::string_view v) {
    s.type = v.size() > 255 ? TValueType::vaLString : TValueType::vaString;
    s.bytes = v;
    sink.Scalar(s);
  };
  std::string binary(2400, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
  std::string name, caption, line;
  std::u16string wide = u"\u041D\u043E\u0432\u044B\u0439 \u0444\u0430\u0439\u043B";
  std::string wideBytes;
  for (char16_t c : wide) {
    wideBytes.push_back(static_cast<char>(c & 0xFF));
    wideBytes.push_back(static_cast<char>(c >> 8));
  }

  FormObjectHeader root;
  root.className = "TMainForm";
  root.name = "MainForm";
  sink.BeginComponent(root);
  integer("Left", 192);
  integer("Top", 114);
  ident("Color", "clBtnFace");
  sink.Property("Caption");
  str("Generated form");
  for (size_t i = 0; i < components; ++i) {
    FormObjectHeader h;
    name = "Panel" + std::to_string(i);
    h.className = "TPanel";
    h.name = name;
    sink.BeginComponent(h);
    integer("Left", static_cast<int64_t>(i % 900));
    integer("Top", static_cast<int64_t>(i * 7 % 20000));
    integer("Width", 185);
    integer("Height", 41);
    sink.Property("Caption");
    caption = "Panel caption number " + std::to_string(i) + " with some words in it";
    str(caption);
    ident("Font.Charset", "DEFAULT_CHARSET");
    ident("Font.Color", "clWindowText");
    integer("Font.Height", -11);
    sink.Property("Font.Name");
    str("Tahoma");
    sink.Property("Font.Style");
    s.type = TValueType::vaSet;
    s.setItems = {"fsBold", "fsUnderline"};
    sink.Scalar(s);
    s.setItems.clear();
    sink.Property("ParentFont");
    s.type = TValueType::vaFalse;
    sink.Scalar(s);
    sink.Property("Hint");
    s.type = TValueType::vaWString;
    s.bytes = wideBytes;
    sink.Scalar(s);
    sink.Property("Ratio");
    s.type = TValueType::vaExtended;
    s.extended = static_cast<long double>(i) * 0.25L + 0.5L;
    sink.Scalar(s);

    FormObjectHeader memo;
    name = "Memo" + std::to_string(i);
    memo.className = "TMemo";
    memo.name = name;
    sink.BeginComponent(memo);
    integer("Left", 8);
    integer("Top", 48);
    sink.Property("Lines.Strings");
    sink.BeginList();
    for (int l = 0; l < 6; ++l) {
      line = "select field" + std::to_string(l) + ", other_field from some_table where id = " + std::to_string(i) +
             " and name = 'x'\r\n";
      str(line);
    }
    sink.EndList();
    integer("TabOrder", 0);
    sink.EndComponent();

    FormObjectHeader bar;
    name = "StatusBar" + std::to_string(i);
    bar.className = "TStatusBar";
    bar.name = name;
    sink.BeginComponent(bar);
    sink.Property("Panels");
    sink.BeginCollection();
    FormScalar noOrder;
    for (int p = 0; p < 3; ++p) {
      sink.BeginItem(false, noOrder);
      integer("Width", 50 + p * 100);
      sink.Property("Text");
      str("Ready");
      sink.EndItem();
    }
    sink.EndCollection();
    sink.EndComponent();

    if (i % 4 == 0) {
      FormObjectHeader img;
      name = "Image" + std::to_string(i);
      img.className = "TImage";
      img.name = name;
      sink.BeginComponent(img);
      sink.Property("Picture.Data");
      s.type = TValueType::vaBinary;
      s.bytes = binary;
      sink.Scalar(s);
      sink.EndComponent();
    }
    sink.EndComponent();
  }
  sink.EndComponent();
}

struct Inputs {
  TMemoryStream text, resource;
  Inputs() {
    // About 50 MB binary, 100 MB text.
    constexpr size_t kComponents = 33000;
    {
      FormOutput out(text);
      FormTextWriter w(out);
      GenerateForm(w, kComponents);
      out.Flush();
    }
    {
      FormOutput out(resource);
      FormBinaryWriter w(out, true);
      GenerateForm(w, kComponents);
      out.Flush();
    }
    malloc_trim(0);
  }
};

Inputs& TheInputs() {
  static Inputs inputs;
  return inputs;
}

long ReadStatusKb(const char* key) {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long kb = -1;
  size_t n = std::strlen(key);
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, key, n) == 0) kb = std::strtol(line + n, nullptr, 10);
  std::fclose(f);
  return kb;
}

bool ResetPeak() {
  std::FILE* f = std::fopen("/proc/self/clear_refs", "w");
  if (!f) return false;
  bool ok = std::fputs("5", f) >= 0;
  return std::fclose(f) == 0 && ok;
}

// Peak resident memory of one conversion relative to its input size.
template <typename Convert>
double PeakTimesInput(TMemoryStream& input, Convert convert) {
  malloc_trim(0);
  long before = ReadStatusKb("VmRSS:");
  if (!ResetPeak() || before < 0) return -1;
  {
    TMemoryStream out;
    input.SetPosition(0);
    convert(input, out);
    long peak = ReadStatusKb("VmHWM:");
    double inputKb = static_cast<double>(input.Size()) / 1024.0;
    return (inputKb + static_cast<double>(peak - before)) / inputKb;
  }
}

// fresh: a new output stream per run, so every run pays the kernel for new
// pages (costly on virtual machines); reused: one output stream whose memory
// is kept between runs, which measures the converter itself.
void BM_ResourceToText(benchmark::State& state) {
  bool fresh = state.range(0) != 0;
  TMemoryStream& in = TheInputs().resource;
  TMemoryStream reused;
  for (auto _ : state) {
    TMemoryStream local;
    TMemoryStream& out = fresh ? local : reused;
    out.SetSize(0);
    in.SetPosition(0);
    ObjectResourceToText(in, out);
    benchmark::DoNotOptimize(out.Memory());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * in.Size());
  state.counters["input_MB"] = static_cast<double>(in.Size()) / 1e6;
  reused.Clear();
  state.counters["peak_x_input"] = PeakTimesInput(in, [](TStream& i, TStream& o) { ObjectResourceToText(i, o); });
}

void BM_TextToResource(benchmark::State& state) {
  bool fresh = state.range(0) != 0;
  TMemoryStream& in = TheInputs().text;
  TMemoryStream reused;
  for (auto _ : state) {
    TMemoryStream local;
    TMemoryStream& out = fresh ? local : reused;
    out.SetSize(0);
    in.SetPosition(0);
    ObjectTextToResource(in, out);
    benchmark::DoNotOptimize(out.Memory());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * in.Size());
  state.counters["input_MB"] = static_cast<double>(in.Size()) / 1e6;
  reused.Clear();
  state.counters["peak_x_input"] = PeakTimesInput(in, [](TStream& i, TStream& o) { ObjectTextToResource(i, o); });
}

// The binary reader alone, delivering to a sink that does nothing.
using NullSink = FormIgnoredEvents;

void BM_ReadResourceOnly(benchmark::State& state) {
  TMemoryStream& in = TheInputs().resource;
  NullSink sink;
  for (auto _ : state) {
    in.SetPosition(0);
    ReadFormResource(in, sink);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * in.Size());
}

void BM_ParseTextOnly(benchmark::State& state) {
  TMemoryStream& in = TheInputs().text;
  NullSink sink;
  for (auto _ : state) {
    in.SetPosition(0);
    ReadFormText(in, sink);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * in.Size());
}

BENCHMARK(BM_ResourceToText)->ArgName("fresh")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TextToResource)->ArgName("fresh")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadResourceOnly)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ParseTextOnly)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

// With --write-inputs DIR, writes the generated form as DIR/form.txt and
// DIR/form.dfm (resource) and exits, for timing whole-process conversions:
//   /usr/bin/time -v tessaly-tool tobinary DIR/form.txt -o out.dfm
int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-inputs") == 0) {
    std::string dir = argv[2];
    TheInputs().text.SaveToFile(dir + "/form.txt");
    TheInputs().resource.SaveToFile(dir + "/form.dfm");
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
