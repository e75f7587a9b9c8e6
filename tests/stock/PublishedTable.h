// What real forms of every version set on the stock classes: for each class,
// the published properties with their type and streaming default. Each
// unit's test file adds the table of its classes (and of their sub-objects);
// PublishedListTest walks every table against the classes' declarations.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/TypInfo.h"

struct ExpectedProperty {
  std::string name;
  TTypeKind kind = TTypeKind::tkInteger;
  // Enumeration or set element type name, or the class of a sub-object;
  // empty when the test does not pin it.
  std::string typeName;
  // Streaming default of an ordinal property; nullopt when not pinned.
  std::optional<int64_t> defaultOrd;
};

struct ExpectedClass {
  std::string className;
  // The class's type information; nullptr looks the name up in the registry
  // (sub-object classes are not registered, so their tables give it).
  const TClassInfo& (*info)() = nullptr;
  std::vector<ExpectedProperty> properties;
};

// Adds tables at static initialisation: `static const bool added = AddExpectedClasses({...});`
bool AddExpectedClasses(std::vector<ExpectedClass> classes);
const std::vector<ExpectedClass>& ExpectedClasses();
