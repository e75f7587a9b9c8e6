#include "Reader.h"

#include <cmath>
#include <string>

#include "Collection.h"
#include "Component.h"
#include "Registry.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "streaming/Converters.h"

namespace {

[[noreturn]] void InvalidValue() { throw EReadError("Invalid property value"); }

// Finds one defined property by name and hands it the value.
class DefinedPropertyReader : public TFiler {
 public:
  DefinedPropertyReader(std::string_view name, const TFormNode& value) : name_(name), value_(value) {}
  void DefineProperty(
      const std::string& name, std::function<void(const TFormNode&)> read, std::function<TFormNode()>, bool) override {
    if (!found_ && SameText(name, name_)) {
      found_ = true;
      if (read) read(value_);
    }
  }
  bool Found() const { return found_; }

 private:
  std::string_view name_;
  const TFormNode& value_;
  bool found_ = false;
};

struct Fixup {
  TPersistent* instance;
  const TPropInfo* prop;
  std::string name;
  TComponent* lookupOwner;
};

// What assigning a value needs to know beyond the instance.
struct AssignContext {
  TComponent* root;
  TComponent* lookupOwner;
  std::vector<Fixup>* fixups;  // nullptr: resolve references at once
  // Methods an event named that the root lacks; nullptr: such an event fails.
  std::vector<std::string>* missingMethods = nullptr;
};

TComponent* ResolveReference(const std::string& name, TComponent* lookupOwner, TComponent* root) {
  std::string_view n = name;
  size_t dot = n.find('.');
  if (dot != std::string_view::npos) {
    // "Form.Component": only references into the form being read resolve.
    if (!root || !SameText(n.substr(0, dot), root->Name())) return nullptr;
    return root->FindComponent(n.substr(dot + 1));
  }
  if (lookupOwner) {
    if (TComponent* c = lookupOwner->FindComponent(n)) return c;
    if (SameText(lookupOwner->Name(), n)) return lookupOwner;
  }
  if (root) {
    if (TComponent* c = root->FindComponent(n)) return c;
    if (SameText(root->Name(), n)) return root;
  }
  return nullptr;
}

void AssignPath(TPersistent* instance, std::string_view path, const TFormNode& value, const AssignContext& ctx);

int64_t OrdinalOf(const TPropInfo& p, const TFormNode& v) {
  switch (p.kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkInt64: {
      if (v.IsInteger()) {
        if (p.kind == TTypeKind::tkInteger && (v.integer < INT32_MIN || v.integer > UINT32_MAX)) InvalidValue();
        // Colours and other 32-bit values may be written unsigned.
        return p.kind == TTypeKind::tkInteger ? int64_t(int32_t(uint32_t(v.integer))) : v.integer;
      }
      int64_t ident = 0;
      if (v.type == TValueType::vaIdent && p.idents && p.idents->FromIdent(v.bytes, ident)) return ident;
      // A whole number written as a float (a third-party component's float
      // Height kept on its placeholder) loses nothing as an integer.
      if (v.IsFloat() && p.roundsFloats) {
        long double f = std::nearbyint(v.AsFloat());
        if (f >= INT32_MIN && f <= INT32_MAX) return static_cast<int64_t>(f);
      }
      if (v.IsFloat()) {
        long double f = v.AsFloat();
        // Range first: converting NaN or a huge value to an integer is undefined.
        if (f >= INT32_MIN && f <= INT32_MAX && f == static_cast<long double>(static_cast<int64_t>(f)))
          return static_cast<int64_t>(f);
      }
      InvalidValue();
    }
    case TTypeKind::tkChar:
      if (v.IsInteger() && v.integer >= 0 && v.integer <= 255) return v.integer;
      if (v.IsString() && v.bytes.size() == 1) return uint8_t(v.bytes[0]);
      InvalidValue();
    case TTypeKind::tkEnumeration: {
      if (p.enumInfo == &BooleanEnumInfo()) {
        if (v.type == TValueType::vaFalse) return 0;
        if (v.type == TValueType::vaTrue) return 1;
      }
      if (v.type != TValueType::vaIdent || !p.enumInfo) InvalidValue();
      int ord = p.enumInfo->IndexOf(v.bytes);
      if (ord < 0) InvalidValue();
      return ord;
    }
    case TTypeKind::tkSet: {
      if (v.type != TValueType::vaSet || !p.enumInfo) InvalidValue();
      int64_t mask = 0;
      for (const auto& name : v.setItems) {
        int ord = p.enumInfo->IndexOf(name);
        if (ord < 0 || ord > 62) InvalidValue();
        mask |= int64_t(1) << ord;
      }
      return mask;
    }
    default: InvalidValue();
  }
}

void AssignCollection(TCollection& collection, const TFormNode& v, const AssignContext& ctx) {
  collection.BeginUpdate();
  try {
    collection.Clear();
    for (const auto& item : v.items) {
      TCollectionItem* target = collection.Add();
      for (const auto& [name, value] : item.properties) AssignPath(target, name, value, ctx);
    }
  } catch (...) {
    collection.EndUpdate();
    throw;
  }
  collection.EndUpdate();
}

void AssignValue(TPersistent* instance, const TPropInfo& p, const TFormNode& v, const AssignContext& ctx) {
  switch (p.kind) {
    case TTypeKind::tkFloat:
      if (!v.IsFloat() || !p.setFloat) InvalidValue();
      p.setFloat(instance, v.AsFloat());
      return;
    case TTypeKind::tkString:
      if (!v.IsString() || !p.setString) InvalidValue();
      p.setString(instance, v.AsString());
      return;
    case TTypeKind::tkMethod: {
      TMethod* m = p.method ? p.method(instance) : nullptr;
      if (!m) InvalidValue();
      if (v.type == TValueType::vaNil) {
        *m = TMethod{};
        return;
      }
      if (v.type != TValueType::vaIdent) InvalidValue();
      const TMethodInfo* info = ctx.root ? ctx.root->ClassInfo().FindMethod(v.bytes) : nullptr;
      if (!info && ctx.missingMethods) {
        // Handlers live in the form's code, which a form file read on its
        // own does not have: the event stays unassigned.
        ctx.missingMethods->push_back(v.bytes);
        return;
      }
      if (!info) throw EReadError(Format("Method '%s' not found", v.bytes));
      TComponent* root = ctx.root;
      auto invoke = info->invoke;
      *m = TMethod{[root, invoke](TPersistent* sender) { invoke(root, sender); }, v.bytes};
      return;
    }
    case TTypeKind::tkClass: {
      if (p.isReference) {
        if (v.type == TValueType::vaNil) {
          if (p.setObject) p.setObject(instance, nullptr);
          return;
        }
        if (v.type != TValueType::vaIdent || !p.setObject) InvalidValue();
        Fixup f{instance, &p, v.bytes, ctx.lookupOwner};
        if (ctx.fixups) {
          ctx.fixups->push_back(std::move(f));
        } else if (TComponent* c = ResolveReference(f.name, f.lookupOwner, ctx.root)) {
          if (c->InheritsFrom(p.classType())) p.setObject(instance, c);
        }
        return;
      }
      if (v.type == TValueType::vaNil) return;
      TPersistent* obj = p.getObject ? p.getObject(instance) : nullptr;
      if (v.type == TValueType::vaCollection) {
        if (auto* collection = dynamic_cast<TCollection*>(obj)) {
          AssignCollection(*collection, v, ctx);
          return;
        }
      }
      InvalidValue();
    }
    default:
      if (!p.setOrd) throw EReadError(Format("Property %s is read-only", p.name));
      p.setOrd(instance, OrdinalOf(p, v));
      return;
  }
}

void AssignPath(TPersistent* instance, std::string_view path, const TFormNode& value, const AssignContext& ctx) {
  size_t start = 0;
  while (true) {
    size_t dot = path.find('.', start);
    std::string_view name = path.substr(start, dot == std::string_view::npos ? dot : dot - start);
    const TPropInfo* p = instance->ClassInfo().FindProperty(name);
    if (dot == std::string_view::npos) {
      if (p) {
        AssignValue(instance, *p, value, ctx);
        return;
      }
      DefinedPropertyReader filer(name, value);
      instance->DefineProperties(filer);
      if (!filer.Found()) throw EReadError(Format("Property %s does not exist", std::string(name)));
      return;
    }
    if (!p || p->kind != TTypeKind::tkClass || p->isReference || !p->getObject)
      throw EReadError(Format("Property %s does not exist", std::string(name)));
    TPersistent* sub = p->getObject(instance);
    if (!sub) throw EReadError(Format("Property %s has no object", std::string(name)));
    instance = sub;
    start = dot + 1;
  }
}

std::string UniqueRootName(TComponent* root, const std::string& name) {
  TComponent* owner = root->Owner();
  if (name.empty() || !owner) return name;
  TComponent* existing = owner->FindComponent(name);
  if (!existing || existing == root) return name;
  for (int i = 1;; ++i) {
    std::string candidate = name + "_" + std::to_string(i);
    TComponent* other = owner->FindComponent(candidate);
    if (!other || other == root) return candidate;
  }
}

}  // namespace

struct TReader::State {
  TComponent* root;
  std::vector<TComponent*> stack;   // components being read, root first
  std::vector<TComponent*> owners;  // owner of new children: the root or an inline frame
  std::vector<TComponent*> loaded;
  std::vector<Fixup> fixups;
  std::string property;  // the property whose value is being read
  bool inValue = false;
  TFormNodeBuilder builder;
  bool finished = false;

  // Assigns the value just completed to the current component's property.
  void AssignCompleted() {
    inValue = false;
    TComponent* component = stack.back();
    std::vector<std::string> missing;
    AssignContext ctx{root, owners.back(), &fixups, &missing};
    try {
      AssignPath(component, property, builder.Take(), ctx);
    } catch (const Exception& e) {
      throw EReadError(Format("Error reading %s.%s: %s", component->Name(), property, e.what()));
    }
    for (const std::string& method : missing)
      ReadNoticeScope::Notice(
          Format("Unassigned: [%s.%s] (method '%s' not found)", component->Name(), property, method));
  }
};

TReader::TReader(TComponent* root) : s_(std::make_unique<State>()) { s_->root = root; }

TReader::~TReader() {
  // A read that failed leaves its components usable, but not Loaded.
  if (!s_->finished)
    for (TComponent* c : s_->loaded) {
      c->ExcludeState(csLoading);
      c->ExcludeState(csReading);
    }
}

void TReader::BeginComponent(const FormObjectHeader& header) {
  State& s = *s_;
  if (s.inValue) throw EReadError("Component inside a property value");
  std::string name(header.name);
  if (s.stack.empty()) {
    TComponent* root = s.root;
    root->IncludeState(csLoading);
    root->IncludeState(csReading);
    if (!name.empty()) root->SetName(UniqueRootName(root, name));
    s.stack.push_back(root);
    s.owners.push_back(root);
    s.loaded.push_back(root);
    return;
  }
  TComponent* parent = s.stack.back();
  TComponent* owner = s.owners.back();
  TComponent* component = nullptr;
  if (header.flags & ffInherited) component = owner->FindComponent(name);
  if (!component) {
    std::string className(header.className);
    const TClassInfo* cls = GetClass(className);
    if (!cls) throw EClassNotFound(Format("Class %s not found", className));
    if (!cls->componentFactory) throw EReadError(Format("Class %s cannot be created in a form", className));
    component = cls->componentFactory(owner);
    try {
      component->IncludeState(csLoading);
      component->IncludeState(csReading);
      // Components that other libraries own below their parents may repeat a
      // name within one form (a report's pages each with a Shape1). Owned by
      // the root here, the repeat stays unnamed instead of failing the form.
      if (!owner->FindComponent(name)) component->SetName(name);
      component->SetParentComponent(parent);
    } catch (...) {
      delete component;
      throw;
    }
    s.loaded.push_back(component);
  }
  s.stack.push_back(component);
  if (header.flags & ffInline) {
    component->IncludeState(csInline);
    s.owners.push_back(component);
  } else {
    s.owners.push_back(s.owners.back());
  }
}

void TReader::EndComponent() {
  State& s = *s_;
  if (s.stack.empty() || s.inValue) throw EReadError("Unbalanced end of component");
  s.stack.pop_back();
  s.owners.pop_back();
}

void TReader::Property(std::string_view name) {
  State& s = *s_;
  if (s.inValue && s.builder.InItem()) {
    s.builder.ItemProperty(name);
    return;
  }
  if (s.inValue || s.stack.empty()) throw EReadError("Property outside a component");
  s.property.assign(name.data(), name.size());
  s.inValue = true;
}

void TReader::Scalar(const FormScalar& value) {
  if (!s_->inValue) throw EReadError("Value without a property");
  if (s_->builder.Scalar(value)) s_->AssignCompleted();
}

void TReader::BeginList() {
  if (!s_->inValue) throw EReadError("List without a property");
  s_->builder.BeginList();
}

void TReader::BeginCollection() {
  if (!s_->inValue) throw EReadError("Collection without a property");
  s_->builder.BeginCollection();
}

void TReader::BeginItem(bool hasOrder, const FormScalar& order) { s_->builder.BeginItem(hasOrder, order); }

void TReader::EndItem() { s_->builder.EndItem(); }

void TReader::EndList() {
  if (s_->builder.EndList()) s_->AssignCompleted();
}

void TReader::EndCollection() {
  if (s_->builder.EndCollection()) s_->AssignCompleted();
}

void TReader::Finish() {
  State& s = *s_;
  for (const Fixup& f : s.fixups) {
    TComponent* target = ResolveReference(f.name, f.lookupOwner, s.root);
    // Unresolved references (to other forms, or to components the rewriting
    // replaced) stay nil, as do references to a component of the wrong class.
    if (target && target->InheritsFrom(f.prop->classType())) f.prop->setObject(f.instance, target);
  }
  s.fixups.clear();
  s.finished = true;
  for (TComponent* c : s.loaded) c->ExcludeState(csReading);
  for (TComponent* c : s.loaded) c->Loaded();
}

namespace {
ReadNoticeScope* innermostNoticeScope = nullptr;
}  // namespace

ReadNoticeScope::ReadNoticeScope(std::function<void(const std::string&)> sink)
    : sink_(std::move(sink)), outer_(innermostNoticeScope) {
  innermostNoticeScope = this;
}

ReadNoticeScope::~ReadNoticeScope() { innermostNoticeScope = outer_; }

void ReadNoticeScope::Notice(const std::string& line) {
  if (innermostNoticeScope && innermostNoticeScope->sink_) innermostNoticeScope->sink_(line);
}

void FormStringCollector::Scalar(const FormScalar& value) {
  if (value.type == TValueType::vaString || value.type == TValueType::vaLString) strings.emplace_back(value.bytes);
}

void SetPropertyValue(TPersistent* instance, std::string_view path, const TFormNode& value, TComponent* root) {
  AssignContext ctx{root, root, nullptr};
  AssignPath(instance, path, value, ctx);
}

namespace {

// Shows the root the description's strings, then reads the description into
// it. A description that breaks off fails in the read proper, with the
// components read so far in place; its strings up to the break still count.
void ReadInto(TStream& stream, TComponent* root, void (*read)(TStream&, FormEvents&)) {
  const int64_t start = stream.Position();
  FormStringCollector collector;
  try {
    read(stream, collector);
  } catch (const std::exception&) {}
  root->ReadingStrings(collector.strings);
  stream.SetPosition(start);
  TReader reader(root);
  read(stream, reader);
  reader.Finish();
}

}  // namespace

void ReadComponentRes(TStream& stream, TComponent* root) { ReadInto(stream, root, ReadFormResource); }

void ReadComponentBinary(TStream& stream, TComponent* root) { ReadInto(stream, root, ReadFormBinary); }
