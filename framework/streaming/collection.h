// Collections: owned lists of items of one class, read from a definition
// as one collection value.
#pragma once

#include <memory>
#include <vector>

#include "framework/streaming/persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
  TAVRION_CLASS(TCollectionItem, TPersistent)

 public:
  explicit TCollectionItem(TCollection* collection);

  TCollection* Collection() const { return collection_; }
  // Moves the item from its collection to another (or to none).
  void SetCollection(TCollection* collection);
  int Index() const;
  int ID() const { return id_; }

 protected:
  ~TCollectionItem() override;

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

class TCollection : public TPersistent {
  TAVRION_CLASS(TCollection, TPersistent)

 public:
  explicit TCollection(TClass item_class);

  TCollectionItem* Add();
  void Clear();
  void BeginUpdate() { ++update_count_; }
  void EndUpdate();
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int index) const;
  TClass ItemClass() const { return item_class_; }
  int UpdateCount() const { return update_count_; }

 protected:
  ~TCollection() override;
  // Told of every change once no update is in progress.
  virtual void Update(TCollectionItem*) {}

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  void Changed();

  TClass item_class_;
  std::vector<TCollectionItem*> items_;
  int update_count_ = 0;
  int next_id_ = 0;
};
