// Source trees (units, form files, project files) that tests make in a
// temporary folder of their own, removed again after each test.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testsupport {

// Lines joined as a form file stores them, each ended by CR LF.
inline std::string CrLfText(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

class SourceTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("tessaly-tree-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
    dir_ = std::filesystem::canonical(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  // Writes `bytes` to `name` under the tree, making its folders; returns the path.
  std::string Write(const std::string& name, const std::string& bytes) {
    std::filesystem::path p = dir_ / name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return p.string();
  }

  std::filesystem::path dir_;
};

}  // namespace testsupport
