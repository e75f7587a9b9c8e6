// Gauges of real form files, when the corpus is present: each one loads on
// a form of its own and is written back with the same property lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Gauges/Gauges.h"
#include "components/Reader.h"
#include "components/Registry.h"
#include "components/Writer.h"
#include "controls/Forms.h"
#include "core/SysUtils.h"
#include "streaming/FormOutput.h"
#include "streaming/FormText.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The blocks "object Name: TGauge" ... "end" of a form text, each as its
// trimmed lines (header and end excluded). Gauges hold no children, so the
// first "end" closes the block.
std::vector<std::vector<std::string>> GaugeBlocks(const std::string& text) {
  std::vector<std::vector<std::string>> blocks;
  std::vector<std::string>* open = nullptr;
  for (const std::string& raw : Lines(text)) {
    const std::string line = Trim(raw);
    if (open) {
      if (line == "end")
        open = nullptr;
      else
        open->push_back(line);
    } else if (line.rfind("object ", 0) == 0 && line.size() > 8 && line.compare(line.size() - 8, 8, ": TGauge") == 0) {
      blocks.emplace_back();
      open = &blocks.back();
      open->push_back(line);
    }
  }
  return blocks;
}

std::vector<fs::path> CorpusTextFiles() {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(fs::path(TESSALY_CORPUS_DIR) / "text", ec))
    if (e.is_regular_file()) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::string Slurp(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

// The lines that belong to the gauge itself: the font's lines are the font
// class's business (its own defaults decide which of them are written).
std::vector<std::string> GaugeOwnLines(const std::vector<std::string>& block) {
  std::vector<std::string> own;
  for (const std::string& line : block)
    if (line.rfind("Font.", 0) != 0) own.push_back(line);
  return own;
}

TEST(GaugeCorpus, GaugesRoundTripWithTheirOwnPropertyLines) {
  RegisterClass(TGauge::StaticClassInfo());
  int gauges = 0;
  for (const fs::path& file : CorpusTextFiles()) {
    for (const auto& block : GaugeBlocks(Slurp(file))) {
      ++gauges;
      std::string text = "object Form1: TForm1\n";
      for (const std::string& line : block) text += "  " + line + "\n";
      text += "  end\nend\n";

      TForm form(nullptr);
      TReader reader(&form);
      ParseFormText(text, reader);
      reader.Finish();

      FormOutput out;
      FormTextWriter writer(out, FormTextOptions{"\n"});
      WriteComponent(&form, writer);
      const auto written = GaugeBlocks(out.Str());
      ASSERT_EQ(written.size(), 1u) << file.filename();
      EXPECT_EQ(GaugeOwnLines(written[0]), GaugeOwnLines(block)) << file.filename() << ": " << block[0];
    }
  }
  if (gauges == 0) GTEST_SKIP() << "no gauges in a corpus at " << TESSALY_CORPUS_DIR;
}

}  // namespace
