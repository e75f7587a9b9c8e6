#include "TypInfo.h"

#include <stdexcept>

#include "SysUtils.h"

int TEnumInfo::IndexOf(std::string_view name) const {
  for (size_t i = 0; i < names.size(); ++i)
    if (SameText(names[i], name)) return static_cast<int>(i);
  return -1;
}

int64_t TEnumInfo::OrdinalOf(std::string_view name) const {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int64_t>(i);
  throw std::logic_error(typeName + " has no value " + std::string(name));
}

const std::string& TEnumInfo::NameOf(int ordinal) const {
  static const std::string empty;
  if (ordinal < 0 || size_t(ordinal) >= names.size()) return empty;
  return names[size_t(ordinal)];
}

bool TIdentMap::ToIdent(int64_t value, std::string& ident) const {
  for (const auto& [v, name] : entries)
    if (v == value) {
      ident = name;
      return true;
    }
  return false;
}

bool TIdentMap::FromIdent(std::string_view ident, int64_t& value) const {
  for (const auto* list : {&entries, &readOnlyEntries})
    for (const auto& [v, name] : *list)
      if (SameText(name, ident)) {
        value = v;
        return true;
      }
  return false;
}

const TEnumInfo& BooleanEnumInfo() {
  static const TEnumInfo info{"Boolean", {"False", "True"}};
  return info;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (c == &other) return true;
  return false;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = this; c; c = c->parent_) chain.push_back(c);
  std::vector<const TPropInfo*> out;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const auto& p : (*it)->props_) {
      if (!p.published) continue;
      // A descendant may republish a property under the same name; the
      // latest declaration wins and keeps the ancestor's position.
      bool replaced = false;
      for (auto& existing : out)
        if (SameText(existing->name, p.name)) {
          existing = &p;
          replaced = true;
          break;
        }
      if (!replaced) out.push_back(&p);
    }
  return out;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
  size_t declarations = 0;
  for (const TClassInfo* c = this; c; c = c->parent_) declarations += c->props_.size();
  if (declarations != indexedDeclarations_) {
    // The nearest published declaration wins, as a redeclaring class comes
    // before its ancestors.
    publishedByName_.clear();
    for (const TClassInfo* c = this; c; c = c->parent_)
      for (const auto& p : c->props_)
        if (p.published) publishedByName_.emplace(UpperCase(p.name), &p);
    indexedDeclarations_ = declarations;
  }
  auto it = publishedByName_.find(UpperCase(name));
  return it == publishedByName_.end() ? nullptr : it->second;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    for (const auto& m : c->methods_)
      if (SameText(m.name, name)) return &m;
  return nullptr;
}

const TPropInfo* TClassInfo::FindDeclaredProperty(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    for (const auto& p : c->props_)
      if (SameText(p.name, name)) return &p;
  return nullptr;
}
