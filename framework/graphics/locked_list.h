// A process-wide list of objects under its own critical section.
#pragma once

#include <vector>

#include <platform/kernel.h>

template <typename T>
class TLockedList {
 public:
  TLockedList() { InitializeCriticalSection(&lock_); }
  TLockedList(const TLockedList&) = delete;
  TLockedList& operator=(const TLockedList&) = delete;

  void Enter() { EnterCriticalSection(&lock_); }
  void Leave() { LeaveCriticalSection(&lock_); }
  void Add(T* item) {
    Enter();
    items_.push_back(item);
    Leave();
  }
  void Remove(T* item) {
    Enter();
    std::erase(items_, item);
    Leave();
  }
  // A copy taken under the lock, so its owner may change the list as it walks.
  std::vector<T*> Snapshot() {
    Enter();
    std::vector<T*> items = items_;
    Leave();
    return items;
  }
  // Only with the lock entered.
  const std::vector<T*>& Items() const { return items_; }

 private:
  CRITICAL_SECTION lock_;
  std::vector<T*> items_;
};
