#include "framework/graphics/resource_manager.h"

#include <cstring>

#include "framework/graphics/graphics_objects.h"
#include "framework/rtl/scope_exit.h"

std::uint16_t ResourceHash(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::uint16_t hash = 0;
  for (std::size_t i = 0; i < size; ++i) {
    hash = static_cast<std::uint16_t>(hash << 5 | hash >> 11);
    hash ^= bytes[i];
  }
  return hash;
}

template <typename Data>
typename TResourceManager<Data>::Entry* TResourceManager<Data>::AllocEntry(const Data& data) {
  const std::uint16_t hash = ResourceHash(&data, sizeof data);
  EnterCriticalSection(&lock_);
  Entry* entry = head_;
  while (entry != nullptr &&
         (entry->HashCode != hash || std::memcmp(&entry->Record, &data, sizeof data) != 0)) {
    entry = entry->Next;
  }
  if (entry == nullptr) {
    entry = new Entry;
    entry->Handle = data.Handle;
    entry->HashCode = hash;
    entry->Record = data;
    entry->Next = head_;
    head_ = entry;
  }
  ++entry->RefCount;
  LeaveCriticalSection(&lock_);
  return entry;
}

template <typename Data>
void TResourceManager<Data>::FreeEntry(Entry* entry) {
  if (entry == nullptr) return;
  EnterCriticalSection(&lock_);
  const bool last = --entry->RefCount == 0;
  if (last) {
    Entry** link = &head_;
    while (*link != entry) link = &(*link)->Next;
    *link = entry->Next;
  }
  LeaveCriticalSection(&lock_);
  if (!last) return;
  if (HGDIOBJ handle = entry->Handle.load()) DeleteObject(handle);
  delete entry;
}

template <typename Data>
void TResourceManager<Data>::ChangeEntry(TGraphicsObject& object, Entry*& slot, const Data& data) {
  Entry* entry = AllocEntry(data);
  // The object's previous entry goes even when a change handler throws.
  Entry* const old = slot;
  const ScopeExit release([this, old] { FreeEntry(old); });
  if (entry == old) return;
  slot = entry;
  object.NotifyChanged();
}

template <typename Data>
void TResourceManager<Data>::AssignEntry(TGraphicsObject& object, Entry*& slot, Entry* entry) {
  if (entry == slot) return;
  const ScopeExit release([this, old = slot] { FreeEntry(old); });
  EnterCriticalSection(&lock_);
  ++entry->RefCount;
  LeaveCriticalSection(&lock_);
  slot = entry;
  object.NotifyChanged();
}

template <typename Data>
bool TResourceManager<Data>::ShareHandle(TGraphicsObject& object, Entry*& slot, HGDIOBJ handle) {
  EnterCriticalSection(&lock_);
  Entry* entry = head_;
  while (entry != nullptr && entry->Handle.load() != handle) entry = entry->Next;
  if (entry != nullptr) ++entry->RefCount;
  LeaveCriticalSection(&lock_);
  if (entry == nullptr) return false;
  Entry* const old = slot;
  const ScopeExit release([this, old] { FreeEntry(old); });
  if (entry != old) {
    slot = entry;
    object.NotifyChanged();
  }
  return true;
}

template class TResourceManager<TFontData>;
template class TResourceManager<TPenData>;
template class TResourceManager<TBrushData>;

TResourceManager<TFontData>& FontManager() {
  static TResourceManager<TFontData>& manager = *new TResourceManager<TFontData>;
  return manager;
}

TResourceManager<TPenData>& PenManager() {
  static TResourceManager<TPenData>& manager = *new TResourceManager<TPenData>;
  return manager;
}

TResourceManager<TBrushData>& BrushManager() {
  static TResourceManager<TBrushData>& manager = *new TResourceManager<TBrushData>;
  return manager;
}
