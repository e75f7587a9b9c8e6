// Reading the tool's inputs: what is read stays ours whatever happens to
// the file afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "ToolFiles.h"

namespace {

std::string FormTextOfSize(size_t size) {
  std::string text = "object F: TForm\n  Caption = '";
  text.append(size - text.size() - 6, 'x');
  text += "'\nend\n";
  return text;
}

}  // namespace

// Another program truncating the file while we convert it must not crash us
// (a mapped file would raise SIGBUS on the next read of a lost page).
TEST(ToolInput, KeepsItsBytesWhenTheFileIsTruncatedAfterReading) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("tessaly-input-" + std::to_string(::getpid()) + ".txt")).string();
  // One small input, and one over the size read onto large pages.
  for (size_t size : {size_t(100) << 10, size_t(9) << 20}) {
    SCOPED_TRACE(size);
    const std::string text = FormTextOfSize(size);
    std::ofstream(path, std::ios::binary) << text;
    ToolInput input(path);
    ASSERT_EQ(::truncate(path.c_str(), 0), 0);
    EXPECT_TRUE(input.Data() == text);
  }
  std::remove(path.c_str());
}
