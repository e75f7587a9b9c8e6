// The real form files the corpus tests go through.
#pragma once

#include <algorithm>
#include <filesystem>
#include <vector>

// Every form file of the corpus (text, then binary), sorted; empty when the
// corpus is absent (the caller skips then).
inline std::vector<std::filesystem::path> CorpusFormFiles() {
  const std::filesystem::path corpus = TESSALY_CORPUS_DIR;
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(corpus / "text")) return files;
  for (const char* sub : {"text", "binary"})
    for (const auto& e : std::filesystem::directory_iterator(corpus / sub))
      if (e.is_regular_file()) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}
