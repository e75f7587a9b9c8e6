// A scratch source tree for the survey's tests, removed at the end.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

class ScratchTree {
 public:
  ScratchTree() {
    root_ = std::filesystem::temp_directory_path() /
            ("tessaly-survey-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
  }
  ~ScratchTree() { std::filesystem::remove_all(root_); }
  ScratchTree(const ScratchTree&) = delete;
  ScratchTree& operator=(const ScratchTree&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  std::string Path() const { return root_.string(); }
  void Write(const std::string& rel, const std::string& content) const {
    const std::filesystem::path p = root_ / rel;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
  }

 private:
  static inline int counter_ = 0;
  std::filesystem::path root_;
};
