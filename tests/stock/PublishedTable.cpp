#include "PublishedTable.h"

namespace {
std::vector<ExpectedClass>& Tables() {
  static std::vector<ExpectedClass> tables;
  return tables;
}
}  // namespace

bool AddExpectedClasses(std::vector<ExpectedClass> classes) {
  for (auto& c : classes) Tables().push_back(std::move(c));
  return true;
}

const std::vector<ExpectedClass>& ExpectedClasses() { return Tables(); }
