#include "Registry.h"

#include <mutex>
#include <string>
#include <unordered_map>

#include "core/SysUtils.h"
#include "core/TypInfo.h"

namespace {
struct Registry {
  std::vector<const TClassInfo*> ordered;
  std::unordered_map<std::string, const TClassInfo*> byLowerName;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}
}  // namespace

void RegisterClass(const TClassInfo& cls) {
  Registry& r = TheRegistry();
  std::string key = LowerCase(cls.Name());
  if (r.byLowerName.count(key)) return;
  r.byLowerName.emplace(std::move(key), &cls);
  r.ordered.push_back(&cls);
}

void RegisterClasses(std::initializer_list<const TClassInfo*> classes) {
  for (const TClassInfo* c : classes)
    if (c) RegisterClass(*c);
}

const TClassInfo* GetClass(std::string_view name) {
  const Registry& r = TheRegistry();
  auto it = r.byLowerName.find(LowerCase(name));
  return it == r.byLowerName.end() ? nullptr : it->second;
}

std::vector<const TClassInfo*> RegisteredClasses() { return TheRegistry().ordered; }

void UnregisterAllClasses() {
  TheRegistry().ordered.clear();
  TheRegistry().byLowerName.clear();
}
