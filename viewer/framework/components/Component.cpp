#include "Component.h"

#include <algorithm>

#include "core/Exceptions.h"
#include "core/FormNode.h"
#include "core/SysUtils.h"

const TClassInfo& TComponent::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TComponent>("TComponent", &TPersistent::StaticClassInfo())
          .String("Name", &TComponent::Name, &TComponent::SetName)
          .Integer("Tag", &TComponent::Tag, &TComponent::SetTag, 0)
          .Build();
  return info;
}

bool IsValidIdent(std::string_view name) {
  // Names may hold letters of any script, which form files carry as UTF-8:
  // every byte of a multi-byte character counts as a letter.
  auto alpha = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
  };
  if (name.empty() || !alpha(name[0])) return false;
  for (char c : name)
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Tell components that asked for it that this one goes away.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& theirs = other->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Destroying() { IncludeState(csDestroying); }

void TComponent::DestroyComponents() {
  // Last created first, as each destructor removes itself from the list.
  while (!components_.empty()) {
    TComponent* c = components_.back();
    Remove(c);
    delete c;
  }
}

void TComponent::IndexName(TComponent* component) {
  if (!component->name_.empty()) componentsByName_.emplace(UpperCase(component->name_), component);
}

void TComponent::UnindexName(TComponent* component) {
  if (component->name_.empty()) return;
  auto it = componentsByName_.find(UpperCase(component->name_));
  if (it != componentsByName_.end() && it->second == component) componentsByName_.erase(it);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  auto it = componentsByName_.find(UpperCase(name));
  return it == componentsByName_.end() ? nullptr : it->second;
}

void TComponent::ValidateRename(TComponent* component, const std::string& currentName, const std::string& newName) {
  if (component && !SameText(currentName, newName) && FindComponent(newName))
    throw EComponentError(Format("A component named %s already exists", newName));
}

void TComponent::SetName(const std::string& name) {
  if (name_ == name) return;
  if (!name.empty() && !IsValidIdent(name)) throw EComponentError(Format("'%s' is not a valid component name", name));
  if (owner_) owner_->ValidateRename(this, name_, name);
  if (owner_) owner_->UnindexName(this);
  name_ = name;
  if (owner_) owner_->IndexName(this);
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
  IndexName(component);
}

void TComponent::Remove(TComponent* component) {
  // Components mostly leave last first: search from the end.
  auto it = std::find(components_.rbegin(), components_.rend(), component);
  if (it != components_.rend()) components_.erase(std::next(it).base());
  UnindexName(component);
  component->owner_ = nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  ValidateRename(component, "", component->name_);
  Insert(component);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, opRemove);
  Remove(component);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
  auto& theirs = component->freeNotifies_;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Loaded() { ExcludeState(csLoading); }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // Insertions while a form is being read are not passed on: every new
  // component would otherwise visit all its siblings, which makes reading
  // quadratic, and no component needs to see its siblings arrive then.
  if (operation == opInsert && HasState(csLoading)) return;
  // Pass the notice on; iterate by index from the end, as handlers may
  // destroy components.
  for (size_t i = components_.size(); i-- > 0;) {
    if (i >= components_.size()) continue;
    components_[i]->Notification(component, operation);
  }
}

void TComponent::DefineProperties(TFiler& filer) {
  // Components without a parent keep their design position.
  if (HasParent()) return;
  filer.DefineProperty(
      "Left",
      [this](const TFormNode& v) {
        if (!v.IsInteger()) throw EReadError("Invalid property value");
        designLeft_ = int32_t(v.integer);
      },
      [this]() { return TFormNode::Integer(designLeft_); }, designLeft_ != 0 || designTop_ != 0);
  filer.DefineProperty(
      "Top",
      [this](const TFormNode& v) {
        if (!v.IsInteger()) throw EReadError("Invalid property value");
        designTop_ = int32_t(v.integer);
      },
      [this]() { return TFormNode::Integer(designTop_); }, designLeft_ != 0 || designTop_ != 0);
}
