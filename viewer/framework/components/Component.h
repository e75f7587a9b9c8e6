// TComponent: a named object with an owner. An owner destroys the
// components it owns; removals are announced to every component of the owner.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/Persistent.h"

enum TComponentStateFlag : uint32_t {
  csLoading = 1u << 0,  // properties are being read from a form description
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,
  csAncestor = 1u << 5,
  csUpdating = 1u << 6,
  csFixups = 1u << 7,
  csFreeNotification = 1u << 8,
  csInline = 1u << 9,
};
using TComponentState = uint32_t;

enum TOperation { opInsert, opRemove };

class TContentReport;

class TComponent : public TPersistent {
  TESSALY_CLASS(TComponent)

 public:
  // The owner, when given, takes ownership: it destroys this component.
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Raises EComponentError for a name that is not an identifier or that
  // another component of the same owner already has.
  virtual void SetName(const std::string& name);
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(size_t(index)); }
  // An owned component by name, ASCII case-insensitive; nullptr when none.
  TComponent* FindComponent(std::string_view name) const;

  TComponentState ComponentState() const { return state_; }
  bool HasState(TComponentStateFlag flag) const { return (state_ & flag) != 0; }
  void IncludeState(TComponentStateFlag flag) { state_ |= flag; }
  void ExcludeState(TComponentStateFlag flag) { state_ &= ~uint32_t(flag); }

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Asks for a removal notice from a component that is not owned alongside.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Called on every component read from a form description, after all were
  // read and references resolved. Clears csLoading.
  virtual void Loaded();
  // Called on the root before a form description is read into it, with
  // every 8-bit string (not the Unicode ones) the description holds, so that
  // the root can decide how to decode them before any component is made.
  virtual void ReadingStrings(const std::vector<std::string>& strings) { (void)strings; }
  // Called by the owner for each insertion and removal among its components;
  // the default passes the notice on to every owned component.
  virtual void Notification(TComponent* component, TOperation operation);

  // Streaming: the nesting of a form description. Controls take the parent
  // component as their parent control; menu items join their menu.
  virtual void SetParentComponent(TComponent* parent) { (void)parent; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual bool HasParent() const { return false; }
  // The components a writer nests inside this one.
  virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    (void)proc;
    (void)root;
  }

  // Design position of a component that has no parent (stored as Left and
  // Top in form files).
  int32_t DesignLeft() const { return designLeft_; }
  int32_t DesignTop() const { return designTop_; }
  void SetDesignPosition(int32_t left, int32_t top) {
    designLeft_ = left;
    designTop_ = top;
  }
  void DefineProperties(TFiler& filer) override;

  // Adds what the component shows beyond its geometry and text (cells,
  // items, image counts) to a report for tools that inspect previews. The
  // default adds nothing.
  virtual void ReportContent(TContentReport& report) const { (void)report; }

 protected:
  // Called first in destruction: descendants release what refers to others.
  virtual void Destroying();
  virtual void ValidateRename(TComponent* component, const std::string& currentName, const std::string& newName);

 private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void DestroyComponents();
  // The owned components by upper-cased name, so that finding one (which
  // every read component does) does not scan all its siblings.
  void IndexName(TComponent* component);
  void UnindexName(TComponent* component);

  TComponent* owner_ = nullptr;
  std::string name_;
  int32_t tag_ = 0;
  TComponentState state_ = 0;
  std::vector<TComponent*> components_;
  std::unordered_map<std::string, TComponent*> componentsByName_;
  std::vector<TComponent*> freeNotifies_;
  int32_t designLeft_ = 0;
  int32_t designTop_ = 0;
};

bool IsValidIdent(std::string_view name);
