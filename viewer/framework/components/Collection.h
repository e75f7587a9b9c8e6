// TCollection: an owned list of items of one class, streamed as a
// collection value ("< item ... end >").
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "core/Persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
  TESSALY_CLASS(TCollectionItem)

 public:
  TCollectionItem() = default;
  TCollection* Collection() const { return collection_; }
  int Index() const;

 protected:
  // Lets the owning control react to a change of an item's properties.
  void Changed();

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
  TESSALY_CLASS(TCollection)

 public:
  // itemClass: the class of the items, constructible without arguments.
  explicit TCollection(const TClassInfo& itemClass);
  TCollection() : TCollection(TCollectionItem::StaticClassInfo()) {}
  ~TCollection() override;

  const TClassInfo& ItemClass() const { return *itemClass_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError outside 0..Count()-1.
  TCollectionItem* Items(int index) const;
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();
  int IndexOf(const TCollectionItem* item) const;

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  // Called after items were added, removed or changed (not while updating).
  std::function<void(TCollection&)> OnChange;

  void Assign(const TPersistent& source) override;

 private:
  friend class TCollectionItem;
  void Changed();

  const TClassInfo* itemClass_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
  int updateCount_ = 0;
};
