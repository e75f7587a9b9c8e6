// Round trips over the real form files of the shared corpus, when present.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "EventLog.h"
#include "core/Exceptions.h"
#include "streaming/FormBinary.h"
#include "streaming/FormText.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> CorpusFiles(const char* sub) {
  std::vector<fs::path> files;
  fs::path dir = fs::path(TESSALY_CORPUS_DIR) / sub;
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return files;
  for (const auto& e : fs::directory_iterator(dir, ec))
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

std::string WithoutCR(std::string s) {
  s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
  return s;
}

}  // namespace

TEST(CorpusRoundTrip, BinaryFilesComeBackByteForByte) {
  auto files = CorpusFiles("binary");
  if (files.empty()) GTEST_SKIP() << "form corpus not found at " << TESSALY_CORPUS_DIR << "/binary";
  int same = 0;
  for (const auto& f : files) {
    std::string original = Slurp(f);
    try {
      FormOutput text;
      FormTextWriter tw(text);
      ReadFormResource(original, tw);
      FormOutput bin;
      FormBinaryWriter bw(bin, true);
      ParseFormText(text.Str(), bw);
      if (bin.Str() == original)
        ++same;
      else
        std::printf("  differs: %s\n", f.filename().c_str());
    } catch (const Exception& e) {
      std::printf("  failed: %s: %s\n", f.filename().c_str(), e.what());
    }
  }
  std::printf("binary -> text -> binary: %d of %zu files identical (%.0f%%)\n", same, files.size(),
              100.0 * same / files.size());
  EXPECT_GE(same, 19);
}

TEST(CorpusRoundTrip, TextFilesComeBackUpToLineEndings) {
  auto files = CorpusFiles("text");
  if (files.empty()) GTEST_SKIP() << "form corpus not found at " << TESSALY_CORPUS_DIR << "/text";
  int same = 0;
  for (const auto& f : files) {
    std::string original = Slurp(f);
    try {
      FormOutput bin;
      FormBinaryWriter bw(bin, true);
      ParseFormText(original, bw);
      FormOutput text;
      FormTextWriter tw(text);
      ReadFormResource(bin.Str(), tw);
      if (WithoutCR(text.Str()) == WithoutCR(original))
        ++same;
      else
        std::printf("  differs: %s\n", f.filename().c_str());
    } catch (const Exception& e) {
      std::printf("  failed: %s: %s\n", f.filename().c_str(), e.what());
    }
  }
  std::printf(
      "text -> binary -> text: %d of %zu files identical (%.0f%%)\n", same, files.size(), 100.0 * same / files.size());
  // Known difference: delphi5__fMakeRedundant.dfm writes floats in the short
  // form of older writers ("0.5", "-2.54"), which the writer does not produce.
  EXPECT_GE(same, 62);
}

TEST(CorpusRoundTrip, TextAndBinaryReadersAgreeOnEveryBinaryFile) {
  auto files = CorpusFiles("binary");
  if (files.empty()) GTEST_SKIP() << "form corpus not found at " << TESSALY_CORPUS_DIR << "/binary";
  for (const auto& f : files) {
    std::string original = Slurp(f);
    EventLog fromBinary, fromText;
    ReadFormResource(original, fromBinary);
    FormOutput text;
    FormTextWriter tw(text);
    ReadFormResource(original, tw);
    ParseFormText(text.Str(), fromText);
    EXPECT_EQ(fromBinary.text, fromText.text) << f;
  }
}

TEST(CorpusRoundTrip, EveryTruncationOfARealFileFailsCleanly) {
  auto files = CorpusFiles("binary");
  if (files.empty()) GTEST_SKIP() << "form corpus not found at " << TESSALY_CORPUS_DIR << "/binary";
  auto smallest = *std::min_element(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
    return fs::file_size(a) < fs::file_size(b);
  });
  std::string data = Slurp(smallest);
  for (size_t n = 0; n < data.size(); ++n) {
    EventLog log;
    EXPECT_THROW(ReadFormResource(std::string_view(data).substr(0, n), log), EFilerError) << n;
  }
}
