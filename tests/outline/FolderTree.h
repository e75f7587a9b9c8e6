// A folder tree made by a test in a fresh temporary folder (its name all in
// lower case), removed afterwards, with the working directory restored.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/FileSystem.h"

class TempFolderTree {
 public:
  TempFolderTree() {
    static int counter = 0;
    root_ = std::filesystem::temp_directory_path() /
            ("tessaly-outline-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    root_ = std::filesystem::canonical(root_);
  }
  ~TempFolderTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  std::string Host(const std::string& relative = "") const {
    return relative.empty() ? root_.string() : (root_ / relative).string();
  }
  // The Windows path of a host path below the tree: C:\tmp\...\relative.
  std::string Windows(const std::string& relative = "") const {
    std::string path = "C:" + Host(relative);
    for (char& c : path)
      if (c == '/') c = '\\';
    return path;
  }
  void MakeDir(const std::string& relative) const { std::filesystem::create_directories(root_ / relative); }
  void MakeFile(const std::string& relative) const { std::ofstream(root_ / relative) << "x"; }
  void Link(const std::string& target, const std::string& relative) const {
    std::filesystem::create_directory_symlink(root_ / target, root_ / relative);
  }
  void Enter(const std::string& relative = "") const { std::filesystem::current_path(root_ / relative); }

 private:
  TCurrentDirectoryGuard guard_;  // restores the working directory last
  std::filesystem::path root_;
};

inline std::string WorkingDirectory() { return std::filesystem::current_path().string(); }
