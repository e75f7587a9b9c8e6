// TPersistent, the root of every class with published properties, and
// ClassBuilder, with which a class declares those properties once.
//
//   class TGauge : public TGraphicControl {
//     TESSALY_CLASS(TGauge)
//    public: ...
//   };
//
//   const TClassInfo& TGauge::StaticClassInfo() {
//     static const TClassInfo info =
//         ClassBuilder<TGauge>("TGauge", &TGraphicControl::StaticClassInfo())
//             .Publish("Align")
//             .Color("BackColor", &TGauge::BackColor, &TGauge::SetBackColor, 0xFFFFFF)
//             .Object("Font", &TFont::StaticClassInfo, &TGauge::Font)
//             .Integer("Progress", &TGauge::Progress, &TGauge::SetProgress)  // no default
//             .Build();
//     return info;
//   }
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "TypInfo.h"

class TFiler;

#define TESSALY_CLASS(Class)                                                 \
 public:                                                                     \
  static const TClassInfo& StaticClassInfo();                                \
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); } \
                                                                             \
 private:

// Storage of properties declared as plain fields (ClassBuilder::...Field).
struct TFieldValue {
  int64_t ord = 0;
  long double flt = 0;
  std::string str;
};

class TPersistent {
 public:
  TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;
  virtual ~TPersistent() = default;

  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
  const std::string& ClassName() const { return ClassInfo().Name(); }
  bool InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }

  // Copies source's state. The default asks source.AssignTo and raises
  // EConvertError ("Cannot assign a X to a Y") when neither side knows how.
  virtual void Assign(const TPersistent& source);
  // Declares data streamed under names that are not published properties
  // (a string list's Strings, a picture's Data, a component's design position).
  virtual void DefineProperties(TFiler& filer) { (void)filer; }

  // The plain-field value of a property declared with a ...Field builder,
  // by property name (created on first use, zero or empty).
  TFieldValue& FieldOf(const std::string& name);
  const TFieldValue* FindField(const std::string& name) const;
  // Replaces every plain-field value with source's (an Assign of objects
  // whose properties are all plain fields).
  void CopyFieldsFrom(const TPersistent& source);

 protected:
  virtual void AssignTo(TPersistent& dest) const;

 private:
  std::unique_ptr<std::vector<std::pair<std::string, TFieldValue>>> fields_;
};

// Named constants of TColor, TCursor and TFontCharset properties.
const TIdentMap& ColorIdents();
const TIdentMap& CursorIdents();
const TIdentMap& CharsetIdents();

// Binds the accessors of ...Field properties to the object's field storage,
// keyed by the property's name.
void BindFieldAccessors(TPropInfo& p);

template <class C>
class ClassBuilder {
 public:
  ClassBuilder(std::string name, const TClassInfo* parent) : info_(std::move(name), parent) {
    if constexpr (std::is_constructible_v<C, TComponent*>) {
      info_.componentFactory = [](TComponent* owner) -> TComponent* { return new C(owner); };
    } else if constexpr (std::is_default_constructible_v<C> && !std::is_abstract_v<C>) {
      info_.objectFactory = []() -> TPersistent* { return new C(); };
    }
  }

  // Ordinal properties. Getters and setters are member functions or
  // callables taking C*; `def` is the streaming default, none when absent.
  template <class G, class S>
  ClassBuilder& Integer(
      std::string name, G get, S set, std::optional<int64_t> def = {}, const TIdentMap* idents = nullptr) {
    TPropInfo p = Ord(std::move(name), TTypeKind::tkInteger, get, set, def);
    p.idents = idents;
    return Add(std::move(p));
  }
  template <class G, class S>
  ClassBuilder& Color(std::string name, G get, S set, std::optional<int64_t> def = {}) {
    return Integer(std::move(name), get, set, def, &ColorIdents());
  }
  template <class G, class S>
  ClassBuilder& Bool(std::string name, G get, S set, std::optional<bool> def = {}) {
    TPropInfo p = Ord(
        std::move(name), TTypeKind::tkEnumeration, get, set, def ? std::optional<int64_t>(*def ? 1 : 0) : std::nullopt);
    p.enumInfo = &BooleanEnumInfo();
    return Add(std::move(p));
  }
  template <class G, class S>
  ClassBuilder& Enum(std::string name, const TEnumInfo& type, G get, S set, std::optional<int64_t> def = {}) {
    TPropInfo p = Ord(std::move(name), TTypeKind::tkEnumeration, get, set, def);
    p.enumInfo = &type;
    return Add(std::move(p));
  }
  // An enumeration whose default is named: Enum(..., "bsSingle").
  template <class G, class S>
  ClassBuilder& Enum(std::string name, const TEnumInfo& type, G get, S set, std::string_view def) {
    return Enum(std::move(name), type, get, set, std::optional<int64_t>(type.OrdinalOf(def)));
  }
  // A set of an enumeration: the value is a bit mask, bit n for ordinal n.
  template <class G, class S>
  ClassBuilder& Set(std::string name, const TEnumInfo& element, G get, S set, std::optional<int64_t> def = {}) {
    TPropInfo p = Ord(std::move(name), TTypeKind::tkSet, get, set, def);
    p.enumInfo = &element;
    return Add(std::move(p));
  }
  template <class G, class S>
  ClassBuilder& Char(std::string name, G get, S set, std::optional<int64_t> def = {}) {
    return Add(Ord(std::move(name), TTypeKind::tkChar, get, set, def));
  }
  template <class G, class S>
  ClassBuilder& Int64(std::string name, G get, S set, std::optional<int64_t> def = {}) {
    return Add(Ord(std::move(name), TTypeKind::tkInt64, get, set, def));
  }
  template <class G, class S>
  ClassBuilder& Float(std::string name, G get, S set) {
    TPropInfo p{};
    p.name = std::move(name);
    p.kind = TTypeKind::tkFloat;
    p.getFloat = [get](const TPersistent* o) -> long double {
      return static_cast<long double>(std::invoke(get, static_cast<const C*>(o)));
    };
    p.setFloat = [set](TPersistent* o, long double v) { Call(set, static_cast<C*>(o), v); };
    return Add(std::move(p));
  }
  template <class G, class S>
  ClassBuilder& String(std::string name, G get, S set) {
    TPropInfo p{};
    p.name = std::move(name);
    p.kind = TTypeKind::tkString;
    p.getString = [get](const TPersistent* o) -> std::string {
      return std::string(std::invoke(get, static_cast<const C*>(o)));
    };
    p.setString = [set](TPersistent* o, const std::string& v) { Call(set, static_cast<C*>(o), v); };
    return Add(std::move(p));
  }
  // An owned sub-object (TFont, TStrings, TBitmap ...). Reading fills the
  // object the getter returns; a setter, when given, receives a replacement.
  template <class G>
  ClassBuilder& Object(std::string name, const TClassInfo& (*type)(), G get) {
    TPropInfo p{};
    p.name = std::move(name);
    p.kind = TTypeKind::tkClass;
    p.classType = type;
    p.getObject = [get](const TPersistent* o) -> TPersistent* {
      return std::invoke(get, const_cast<C*>(static_cast<const C*>(o)));
    };
    return Add(std::move(p));
  }
  template <class G, class S>
  ClassBuilder& Object(std::string name, const TClassInfo& (*type)(), G get, S set) {
    Object(std::move(name), type, get);
    info_.MutableProperties().back().setObject = [set](TPersistent* o, TPersistent* v) {
      // The setter takes its own class of object; another class arrives as nil.
      using Arg = typename SetterArg<S>::type;
      std::invoke(set, static_cast<C*>(o), dynamic_cast<Arg>(v));
    };
    return *this;
  }
  // A reference to another component, resolved by name when reading ends.
  template <class G, class S>
  ClassBuilder& Reference(std::string name, const TClassInfo& (*type)(), G get, S set) {
    Object(std::move(name), type, get, set);
    info_.MutableProperties().back().isReference = true;
    return *this;
  }
  // A reference the preview reads and drops: resolved by name when reading
  // ends (so a dangling name still fails), never kept, never written.
  ClassBuilder& IgnoredReference(std::string name, const TClassInfo& (*type)()) {
    return Reference(
        std::move(name), type, [](const C*) -> TPersistent* { return nullptr; }, [](C*, TPersistent*) {});
  }
  // An event; `field` is a pointer to a TMethod member of C.
  ClassBuilder& Event(std::string name, TMethod C::*field) {
    TPropInfo p{};
    p.name = std::move(name);
    p.kind = TTypeKind::tkMethod;
    p.method = [field](TPersistent* o) -> TMethod* { return &(static_cast<C*>(o)->*field); };
    return Add(std::move(p));
  }
  // Properties kept as plain fields with no behaviour of their own: they
  // load, read back and stream like any other.
  ClassBuilder& IntegerField(std::string name, std::optional<int64_t> def = {}, const TIdentMap* idents = nullptr) {
    TPropInfo p = FieldOrd(std::move(name), TTypeKind::tkInteger, def);
    p.idents = idents;
    return Add(std::move(p));
  }
  ClassBuilder& ColorField(std::string name, std::optional<int64_t> def = {}) {
    return IntegerField(std::move(name), def, &ColorIdents());
  }
  ClassBuilder& BoolField(std::string name, std::optional<bool> def = {}) {
    TPropInfo p =
        FieldOrd(std::move(name), TTypeKind::tkEnumeration, def ? std::optional<int64_t>(*def ? 1 : 0) : std::nullopt);
    p.enumInfo = &BooleanEnumInfo();
    return Add(std::move(p));
  }
  ClassBuilder& EnumField(std::string name, const TEnumInfo& type, std::optional<int64_t> def = {}) {
    TPropInfo p = FieldOrd(std::move(name), TTypeKind::tkEnumeration, def);
    p.enumInfo = &type;
    return Add(std::move(p));
  }
  ClassBuilder& EnumField(std::string name, const TEnumInfo& type, std::string_view def) {
    return EnumField(std::move(name), type, std::optional<int64_t>(type.OrdinalOf(def)));
  }
  ClassBuilder& SetField(std::string name, const TEnumInfo& element, std::optional<int64_t> def = {}) {
    TPropInfo p = FieldOrd(std::move(name), TTypeKind::tkSet, def);
    p.enumInfo = &element;
    return Add(std::move(p));
  }
  ClassBuilder& StringField(std::string name);
  ClassBuilder& FloatField(std::string name);

  // Publishes a property that an ancestor declared protected (or republishes
  // a published one) at this class's position in the property order,
  // optionally with another default.
  ClassBuilder& Publish(const std::string& name);
  ClassBuilder& Publish(const std::string& name, std::optional<int64_t> def);
  // Gives a property this class already declared or published (through a
  // shared group) another streaming default; publishing it again would
  // leave a second, unreachable declaration.
  ClassBuilder& Default(const std::string& name, std::optional<int64_t> def);
  // Modifiers of the property added last.
  ClassBuilder& RoundingFloats() {
    info_.MutableProperties().back().roundsFloats = true;
    return *this;
  }
  ClassBuilder& Protected() {
    info_.MutableProperties().back().published = false;
    return *this;
  }
  template <class P>
  ClassBuilder& StoredWhen(P predicate) {
    info_.MutableProperties().back().stored = [predicate](const TPersistent* o) {
      return static_cast<bool>(std::invoke(predicate, static_cast<const C*>(o)));
    };
    return *this;
  }

  // A published method that event lines of a form may bind to.
  ClassBuilder& Method(std::string name, void (C::*fn)(TPersistent* sender)) {
    info_.MutableMethods().push_back(TMethodInfo{
        std::move(name), [fn](TPersistent* self, TPersistent* sender) { (static_cast<C*>(self)->*fn)(sender); }});
    return *this;
  }

  TClassInfo Build() { return std::move(info_); }

 private:
  template <class S, class T>
  static void Call(S set, C* o, T&& v) {
    using Arg = std::remove_cvref_t<T>;
    if constexpr (std::is_invocable_v<S, C*, Arg>) {
      std::invoke(set, o, std::forward<T>(v));
    } else {
      static_assert(std::is_invocable_v<S, C*, T>, "setter does not take this value type");
    }
  }

  template <class G, class S>
  static TPropInfo Ord(std::string name, TTypeKind kind, G get, S set, std::optional<int64_t> def) {
    TPropInfo p{};
    p.name = std::move(name);
    p.kind = kind;
    p.defaultOrd = def;
    p.getOrd = [get](const TPersistent* o) -> int64_t {
      return static_cast<int64_t>(std::invoke(get, static_cast<const C*>(o)));
    };
    p.setOrd = [set](TPersistent* o, int64_t v) { SetOrdinal(set, static_cast<C*>(o), v); };
    return p;
  }

  template <class S>
  static void SetOrdinal(S set, C* o, int64_t v) {
    // Convert to whatever the setter takes (int, bool, an enum, a mask).
    using Traits = SetterArg<S>;
    std::invoke(set, o, static_cast<typename Traits::type>(v));
  }

  template <class S>
  struct SetterArg;
  template <class R, class K, class A>
  struct SetterArg<R (K::*)(A)> {
    using type = std::remove_cvref_t<A>;
  };
  template <class F>
  struct SetterArg : SetterArg<decltype(&F::operator())> {};
  template <class R, class L, class K, class A>
  struct SetterArg<R (L::*)(K, A) const> {
    using type = std::remove_cvref_t<A>;
  };

  static TPropInfo FieldOrd(std::string name, TTypeKind kind, std::optional<int64_t> def) {
    TPropInfo p{};
    p.name = std::move(name);
    p.kind = kind;
    p.defaultOrd = def;
    BindFieldAccessors(p);
    return p;
  }

  ClassBuilder& Add(TPropInfo p) {
    info_.MutableProperties().push_back(std::move(p));
    return *this;
  }

  TClassInfo info_;
};

template <class C>
ClassBuilder<C>& ClassBuilder<C>::StringField(std::string name) {
  TPropInfo p{};
  p.name = std::move(name);
  p.kind = TTypeKind::tkString;
  BindFieldAccessors(p);
  return Add(std::move(p));
}

template <class C>
ClassBuilder<C>& ClassBuilder<C>::FloatField(std::string name) {
  TPropInfo p{};
  p.name = std::move(name);
  p.kind = TTypeKind::tkFloat;
  BindFieldAccessors(p);
  return Add(std::move(p));
}

template <class C>
ClassBuilder<C>& ClassBuilder<C>::Publish(const std::string& name) {
  const TClassInfo* parent = info_.Parent();
  const TPropInfo* inherited = parent ? parent->FindDeclaredProperty(name) : nullptr;
  if (!inherited) throw std::logic_error("Publish: no inherited property " + name);
  TPropInfo p = *inherited;
  p.published = true;
  return Add(std::move(p));
}

template <class C>
ClassBuilder<C>& ClassBuilder<C>::Publish(const std::string& name, std::optional<int64_t> def) {
  Publish(name);
  info_.MutableProperties().back().defaultOrd = def;
  return *this;
}

template <class C>
ClassBuilder<C>& ClassBuilder<C>::Default(const std::string& name, std::optional<int64_t> def) {
  for (TPropInfo& p : info_.MutableProperties())
    if (p.name == name) {
      p.defaultOrd = def;
      return *this;
    }
  throw std::logic_error("Default: " + name + " is not declared by this class");
}
