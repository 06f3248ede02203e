// The process-wide caches that let fonts, pens and brushes of equal data
// share one operating-system handle.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include <platform/gdi.h>
#include <platform/kernel.h>

class TGraphicsObject;

// Rotate left by 5 within 16 bits, then xor in the next byte, over every
// byte of the record.
std::uint16_t ResourceHash(const void* data, std::size_t size);

// One shared record: the data as it was given (handle word included), the
// handle made from it, and how many objects use it.
template <typename Data>
struct TResourceEntry {
  TResourceEntry* Next = nullptr;
  int RefCount = 0;
  // Read without the lock by objects that find it made.
  std::atomic<HGDIOBJ> Handle = nullptr;
  std::uint16_t HashCode = 0;
  Data Record{};
};

// A list of entries under one lock. Data must have no padding, so that equal
// data are equal bytes.
template <typename Data>
class TResourceManager {
  static_assert(std::has_unique_object_representations_v<Data>,
                "cached records are compared byte by byte");

 public:
  using Entry = TResourceEntry<Data>;

  TResourceManager() { InitializeCriticalSection(&lock_); }
  TResourceManager(const TResourceManager&) = delete;
  TResourceManager& operator=(const TResourceManager&) = delete;

  // The entry of equal data, made when there is none, with one more reference.
  Entry* AllocEntry(const Data& data);
  // One reference less; the last one unlinks the entry and deletes its handle.
  void FreeEntry(Entry* entry);
  // Puts the entry of `data` into `slot`; when that is another entry the
  // object is told of the change. The old entry loses a reference.
  void ChangeEntry(TGraphicsObject& object, Entry*& slot, const Data& data);
  // Shares `entry` into `slot` (another object's entry, for Assign).
  void AssignEntry(TGraphicsObject& object, Entry*& slot, Entry* entry);
  // Shares the entry whose handle `handle` is, if there is one: a handle
  // the cache made stays the cache's.
  bool ShareHandle(TGraphicsObject& object, Entry*& slot, HGDIOBJ handle);
  // Calls `make` to create the entry's handle unless another thread already
  // has; make(data) returns the new handle.
  template <typename Make>
  HGDIOBJ HandleOf(Entry* entry, Make make) {
    if (HGDIOBJ made = entry->Handle.load()) return made;
    EnterCriticalSection(&lock_);
    if (entry->Handle.load() == nullptr) entry->Handle = make(entry->Record);
    HGDIOBJ made = entry->Handle.load();
    LeaveCriticalSection(&lock_);
    return made;
  }
  // Deletes the handles of the entries `drop` picks; they are made again
  // on their next use.
  template <typename Pick>
  void DropHandles(Pick drop) {
    EnterCriticalSection(&lock_);
    for (Entry* entry = head_; entry != nullptr; entry = entry->Next) {
      if (entry->Handle.load() != nullptr && drop(entry->Record)) {
        DeleteObject(entry->Handle.load());
        entry->Handle = nullptr;
      }
    }
    LeaveCriticalSection(&lock_);
  }

 private:
  Entry* head_ = nullptr;
  CRITICAL_SECTION lock_;
};

struct TFontData;
struct TPenData;
struct TBrushData;

// The three caches, made on first use and kept for the life of the process
// so that objects freed late in it still find them.
TResourceManager<TFontData>& FontManager();
TResourceManager<TPenData>& PenManager();
TResourceManager<TBrushData>& BrushManager();
