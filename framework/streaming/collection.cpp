#include "framework/streaming/collection.h"

#include <algorithm>

#include "framework/rtl/format.h"
#include "framework/rtl/invariant.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

TAVRION_CLASS_INFO(TCollectionItem, "Classes") {}
TAVRION_CLASS_INFO(TCollection, "Classes") {}

TCollectionItem::TCollectionItem(TCollection* collection) {
  SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
  SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  if (collection_ != nullptr) collection_->RemoveItem(this);
  if (collection != nullptr) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (collection_ == nullptr) return -1;
  const auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

TCollection::TCollection(TClass item_class) : item_class_(item_class) {}

TCollection::~TCollection() {
  update_count_ = 1;  // no change reports while the items go
  while (!items_.empty()) items_.back()->Free();
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = item_class_->CreateItem(this);
  Changed();
  return item;
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) items_.back()->Free();
  EndUpdate();
}

void TCollection::EndUpdate() {
  --update_count_;
  Changed();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw EListError(Format(LoadResString(SListIndexError), {std::int64_t{index}}));
  }
  return items_[static_cast<std::size_t>(index)];
}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = next_id_++;
}

void TCollection::RemoveItem(TCollectionItem* item) {
  const auto it = std::find(items_.begin(), items_.end(), item);
  TAV_INVARIANT(it != items_.end(), "an item removed belongs to the collection");
  items_.erase(it);
  item->collection_ = nullptr;
  Changed();
}

void TCollection::Changed() {
  if (update_count_ == 0) Update(nullptr);
}
