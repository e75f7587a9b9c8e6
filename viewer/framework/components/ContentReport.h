// What a component holds beyond its geometry and text (grid cells, outline and
// list items, image counts), for scripts and tests that check a preview
// without pixels. `tessaly-tool tree` writes each member into the component's
// JSON node, in the order the component added them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TContentReport {
 public:
  // Grids report at most this many cells each by default: a grid's size is
  // two numbers in the form, and writing every cell of a 4000 x 4000 grid
  // would cost far more than the form. Those left out are counted.
  static constexpr int64_t kDefaultCellLimit = 100000;

  explicit TContentReport(int64_t cellLimit = kDefaultCellLimit) : cellLimit_(cellLimit) {}
  // The most grid cells to report; 0 for no limit.
  int64_t CellLimit() const { return cellLimit_; }

  // Members carry ready-made JSON text; the helpers below make it.
  void Add(const std::string& key, std::string json) { members_.emplace_back(key, std::move(json)); }
  void AddInteger(const std::string& key, int64_t value) { Add(key, std::to_string(value)); }
  void AddBoolean(const std::string& key, bool value) { Add(key, value ? "true" : "false"); }
  void AddString(const std::string& key, const std::string& utf8) { Add(key, JsonString(utf8)); }
  void AddStrings(const std::string& key, const std::vector<std::string>& utf8) { Add(key, JsonStringArray(utf8)); }
  // A list of rows, each a list of strings (grid cells).
  void AddStringRows(const std::string& key, const std::vector<std::vector<std::string>>& rows);

  const std::vector<std::pair<std::string, std::string>>& Members() const { return members_; }
  bool Empty() const { return members_.empty(); }

  // A JSON string literal for UTF-8 text, with control characters escaped.
  static std::string JsonString(const std::string& utf8);
  static std::string JsonStringArray(const std::vector<std::string>& utf8);

 private:
  std::vector<std::pair<std::string, std::string>> members_;
  int64_t cellLimit_;
};
