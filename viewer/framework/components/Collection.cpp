#include "Collection.h"

#include "core/Exceptions.h"
#include "core/SysUtils.h"

const TClassInfo& TCollectionItem::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TCollectionItem>("TCollectionItem", &TPersistent::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TCollection::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TCollection>("TCollection", &TPersistent::StaticClassInfo()).Build();
  return info;
}

int TCollectionItem::Index() const { return collection_ ? collection_->IndexOf(this) : -1; }

void TCollectionItem::Changed() {
  if (collection_) collection_->Changed();
}

TCollection::TCollection(const TClassInfo& itemClass) : itemClass_(&itemClass) {}

TCollection::~TCollection() = default;

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(Msg::SListIndexError, index));
  return items_[size_t(index)].get();
}

TCollectionItem* TCollection::Add() {
  if (!itemClass_->objectFactory)
    throw EInvalidOperation(Format("Cannot create an item of class %s", itemClass_->Name()));
  std::unique_ptr<TPersistent> obj(itemClass_->objectFactory());
  auto* item = dynamic_cast<TCollectionItem*>(obj.get());
  if (!item) throw EInvalidOperation(Format("%s is not a collection item", itemClass_->Name()));
  // Room in the list first: should that fail, `obj` still deletes the item.
  items_.emplace_back();
  items_.back().reset(item);
  (void)obj.release();
  item->collection_ = this;
  Changed();
  return item;
}

void TCollection::Delete(int index) {
  Items(index);
  items_.erase(items_.begin() + index);
  Changed();
}

void TCollection::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

int TCollection::IndexOf(const TCollectionItem* item) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return static_cast<int>(i);
  return -1;
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Changed() {
  if (updateCount_ == 0 && OnChange) OnChange(*this);
}

void TCollection::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TCollection*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  BeginUpdate();
  try {
    Clear();
    for (int i = 0; i < other->Count(); ++i) Add()->Assign(*other->Items(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}
