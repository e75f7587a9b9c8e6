#include "Writer.h"

#include "Collection.h"
#include "Component.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"
#include "core/SysUtils.h"

namespace {

// Collects the defined properties that have data, in order.
class DefinedPropertyWriter : public TFiler {
 public:
  std::vector<std::pair<std::string, std::function<TFormNode()>>> found;
  void DefineProperty(const std::string& name, std::function<void(const TFormNode&)>, std::function<TFormNode()> write,
                      bool hasData) override {
    if (hasData && write) found.emplace_back(name, std::move(write));
  }
};

class Writer {
 public:
  Writer(TComponent* root, FormEvents& sink) : root_(root), sink_(sink) {}

  void WriteComponentTree(TComponent* component) {
    FormObjectHeader header;
    header.className = component->ClassName();
    header.name = component->Name();
    sink_.BeginComponent(header);
    WriteProperties(component, "");
    component->GetChildren([this](TComponent* child) { WriteComponentTree(child); }, root_);
    sink_.EndComponent();
  }

 private:
  void WriteProperties(TPersistent* instance, const std::string& prefix) {
    for (const TPropInfo* p : instance->ClassInfo().Properties()) {
      if (p->kind == TTypeKind::tkClass && !p->isReference) {
        WriteSubObject(instance, *p, prefix);
        continue;
      }
      if (!IsStoredProperty(instance, *p)) continue;
      if (prefix.empty() && SameText(p->name, "Name")) continue;  // the header carries it
      sink_.Property(prefix + p->name);
      EmitFormNode(ValueOf(instance, *p), sink_);
    }
    DefinedPropertyWriter filer;
    instance->DefineProperties(filer);
    for (auto& [name, write] : filer.found) {
      sink_.Property(prefix + name);
      EmitFormNode(write(), sink_);
    }
  }

  void WriteSubObject(TPersistent* instance, const TPropInfo& p, const std::string& prefix) {
    if (p.stored && !p.stored(instance)) return;
    TPersistent* obj = p.getObject ? p.getObject(instance) : nullptr;
    if (!obj) return;
    if (auto* collection = dynamic_cast<TCollection*>(obj)) {
      if (collection->Count() == 0) return;
      sink_.Property(prefix + p.name);
      sink_.BeginCollection();
      for (int i = 0; i < collection->Count(); ++i) {
        sink_.BeginItem(false, FormScalar{});
        WriteProperties(collection->Items(i), "");
        sink_.EndItem();
      }
      sink_.EndCollection();
      return;
    }
    // Owned components (a frame's sub-components) are written as children.
    if (dynamic_cast<TComponent*>(obj)) return;
    WriteProperties(obj, prefix + p.name + ".");
  }

  TFormNode ValueOf(TPersistent* instance, const TPropInfo& p) {
    switch (p.kind) {
      case TTypeKind::tkFloat: {
        TFormNode n;
        n.type = TValueType::vaExtended;
        n.extended = p.getFloat(instance);
        return n;
      }
      case TTypeKind::tkString: return TFormNode::String(p.getString(instance));
      case TTypeKind::tkMethod: return TFormNode::Ident(p.method(instance)->name);
      case TTypeKind::tkClass: return TFormNode::Ident(ReferenceName(static_cast<TComponent*>(p.getObject(instance))));
      default: return OrdinalNode(p, p.getOrd(instance));
    }
  }

  TFormNode OrdinalNode(const TPropInfo& p, int64_t v) {
    switch (p.kind) {
      case TTypeKind::tkEnumeration: {
        if (p.enumInfo == &BooleanEnumInfo()) {
          TFormNode n;
          n.type = v ? TValueType::vaTrue : TValueType::vaFalse;
          return n;
        }
        return TFormNode::Ident(p.enumInfo->NameOf(int(v)));
      }
      case TTypeKind::tkSet: {
        TFormNode n;
        n.type = TValueType::vaSet;
        for (size_t i = 0; i < p.enumInfo->names.size() && i < 63; ++i)
          if (v & (int64_t(1) << i)) n.setItems.push_back(p.enumInfo->names[i]);
        return n;
      }
      case TTypeKind::tkChar: {
        TFormNode n;
        n.type = TValueType::vaString;
        n.bytes.assign(1, char(v));
        return n;
      }
      default: {
        std::string ident;
        if (p.idents && p.idents->ToIdent(v, ident)) return TFormNode::Ident(ident);
        return TFormNode::Integer(v);
      }
    }
  }

  std::string ReferenceName(TComponent* c) {
    if (!c) return std::string();
    if (c->Owner() == root_ || c == root_ || !c->Owner()) return c->Name();
    return c->Owner()->Name() + "." + c->Name();
  }

  TComponent* root_;
  FormEvents& sink_;
};

}  // namespace

bool IsStoredProperty(const TPersistent* instance, const TPropInfo& p) {
  if (p.stored && !p.stored(instance)) return false;
  switch (p.kind) {
    case TTypeKind::tkFloat: return p.getFloat && p.getFloat(instance) != 0;
    case TTypeKind::tkString: return p.getString && !p.getString(instance).empty();
    case TTypeKind::tkMethod: {
      TMethod* m = p.method ? p.method(const_cast<TPersistent*>(instance)) : nullptr;
      return m && !m->name.empty();
    }
    case TTypeKind::tkClass: return p.getObject && p.getObject(instance) != nullptr;
    case TTypeKind::tkInt64:
      if (!p.getOrd) return false;
      return p.defaultOrd ? p.getOrd(instance) != *p.defaultOrd : p.getOrd(instance) != 0;
    default:
      if (!p.getOrd) return false;
      // An ordinal without a default is always stored.
      return !p.defaultOrd || p.getOrd(instance) != *p.defaultOrd;
  }
}

void WriteComponent(TComponent* root, FormEvents& sink) { Writer(root, sink).WriteComponentTree(root); }
