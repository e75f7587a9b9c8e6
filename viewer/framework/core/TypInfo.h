// Run-time type information: classes with published properties that form
// files read and write by name.
//
// Each class declares its published properties once, in declaration order,
// in a TClassInfo built with ClassBuilder (see Persistent.h for the
// TESSALY_CLASS macro). Lookups walk from the class to its ancestors; the
// property list of a class is its ancestors' properties followed by its own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class TPersistent;
class TComponent;
class TClassInfo;
struct TFormNode;

enum class TTypeKind : uint8_t {
  tkInteger,  // 32-bit or smaller integer; may carry named constants (colours, cursors)
  tkInt64,
  tkChar,         // one 8-bit character
  tkEnumeration,  // Boolean included
  tkSet,          // set of an enumeration, as a bit mask of ordinals
  tkFloat,
  tkString,  // 8-bit string; see FormStrings.h for Unicode values
  tkClass,   // an owned sub-object (TFont, TStrings, TCollection ...) or a component reference
  tkMethod,  // an event: a method of the root, bound by name
};

// Identifiers of an enumeration type, by ordinal.
struct TEnumInfo {
  std::string typeName;
  std::vector<std::string> names;

  // Ordinal of an identifier (ASCII case-insensitive), or -1.
  int IndexOf(std::string_view name) const;
  // Ordinal of a value the program names (a table's default): a name the
  // type lacks is the program's error, raised when the table is built.
  int64_t OrdinalOf(std::string_view name) const;
  const std::string& NameOf(int ordinal) const;  // "" when out of range
};

// Named integer constants of an integer type (clBtnFace, crHandPoint,
// DEFAULT_CHARSET ...).
struct TIdentMap {
  std::vector<std::pair<int64_t, std::string>> entries;
  // Names read but never written: values keep the spelling of `entries` or
  // their number, as older readers of the written text expect.
  std::vector<std::pair<int64_t, std::string>> readOnlyEntries = {};

  bool ToIdent(int64_t value, std::string& ident) const;
  bool FromIdent(std::string_view ident, int64_t& value) const;  // case-insensitive
};

// The Boolean enumeration (False, True).
const TEnumInfo& BooleanEnumInfo();

// An event reference: a method bound to an object, and the method's name as
// the form file gives it.
struct TMethod {
  std::function<void(TPersistent* sender)> code;
  std::string name;
  explicit operator bool() const { return static_cast<bool>(code); }
};

// A published method of a class: what an event line of a form binds to.
struct TMethodInfo {
  std::string name;
  std::function<void(TPersistent* self, TPersistent* sender)> invoke;
};

struct TPropInfo {
  std::string name;
  TTypeKind kind = TTypeKind::tkInteger;
  const TEnumInfo* enumInfo = nullptr;  // tkEnumeration; tkSet: the element type
  const TIdentMap* idents = nullptr;    // tkInteger: named constants
  // tkClass: the class of the object, as a function so that a class may
  // name itself (a control whose property refers to another control).
  const TClassInfo& (*classType)() = nullptr;
  bool isReference = false;  // tkClass: a component reference, not an owned sub-object

  // Accessors; only those of the property's kind are set. A property without
  // a setter is read-only (sub-objects are then filled in place).
  std::function<int64_t(const TPersistent*)> getOrd;
  std::function<void(TPersistent*, int64_t)> setOrd;
  std::function<long double(const TPersistent*)> getFloat;
  std::function<void(TPersistent*, long double)> setFloat;
  std::function<std::string(const TPersistent*)> getString;
  std::function<void(TPersistent*, const std::string&)> setString;
  std::function<TPersistent*(const TPersistent*)> getObject;
  std::function<void(TPersistent*, TPersistent*)> setObject;
  std::function<TMethod*(TPersistent*)> method;

  // Streaming default: the writer leaves the property out when its value
  // equals it. Strings, floats, references and events have the implicit
  // default of empty, zero or nil.
  std::optional<int64_t> defaultOrd;
  // Optional stored test (for example Font only when ParentFont is False).
  std::function<bool(const TPersistent*)> stored;
  // A protected property is declared by a base class for descendants to
  // publish (ClassBuilder::Publish); form files cannot name it until then.
  bool published = true;
  // An integer property that takes a float value rounded to the nearest
  // integer (a placeholder keeps a third-party component's float position).
  bool roundsFloats = false;
};

// What a class can do: be constructed (components take an owner), and
// publish properties and methods.
class TClassInfo {
 public:
  using ComponentFactory = TComponent* (*)(TComponent* owner);
  using ObjectFactory = TPersistent* (*)();

  TClassInfo(std::string name, const TClassInfo* parent) : name_(std::move(name)), parent_(parent) {}

  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& other) const;

  // Own properties only, in declaration order.
  const std::vector<TPropInfo>& OwnProperties() const { return props_; }
  // All published properties, ancestors' first.
  std::vector<const TPropInfo*> Properties() const;
  // By name, case-insensitive, searching ancestors; nullptr when absent.
  const TPropInfo* FindProperty(std::string_view name) const;
  // Published and protected alike; for ClassBuilder::Publish.
  const TPropInfo* FindDeclaredProperty(std::string_view name) const;
  const TMethodInfo* FindMethod(std::string_view name) const;

  ComponentFactory componentFactory = nullptr;  // set for constructible components
  ObjectFactory objectFactory = nullptr;        // set for constructible plain objects

  std::vector<TPropInfo>& MutableProperties() { return props_; }
  std::vector<TMethodInfo>& MutableMethods() { return methods_; }

 private:
  std::string name_;
  const TClassInfo* parent_;
  std::vector<TPropInfo> props_;
  std::vector<TMethodInfo> methods_;
  // Published properties by upper-cased name, built on first lookup: every
  // property line read looks one up. Rebuilt if the declarations grew since.
  mutable std::unordered_map<std::string, const TPropInfo*> publishedByName_;
  mutable size_t indexedDeclarations_ = SIZE_MAX;
};
