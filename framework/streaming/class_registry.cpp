#include "framework/streaming/class_registry.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "framework/rtl/format.h"
#include "framework/rtl/sysconst.h"
#include "framework/streaming/persistent.h"
#include "framework/streaming/streams.h"
#include "rtl/resstrings.h"

namespace {

// A list every access of which takes its lock.
template <typename T>
struct ThreadList {
  std::mutex lock;
  std::vector<T> items;
};

ThreadList<TClass>& Classes() {
  // Never destroyed: late finalisation may still unregister classes.
  static ThreadList<TClass>& list = *new ThreadList<TClass>;
  return list;
}

struct IntConst {
  const TTypeInfo* type;
  TIdentToInt ident_to_int;
  TIntToIdent int_to_ident;
};

ThreadList<IntConst>& IntConsts() {
  static ThreadList<IntConst>& list = *new ThreadList<IntConst>;
  return list;
}

TClass FindLocked(const std::vector<TClass>& classes, std::string_view name) {
  for (TClass cls : classes) {
    if (SamePublishedName(cls->ClassName, name)) return cls;
  }
  return nullptr;
}

}  // namespace

void RegisterClass(TClass cls) {
  auto& list = Classes();
  std::lock_guard guard(list.lock);
  for (TClass c = cls; c != nullptr; c = c->Parent) {
    if (std::find(list.items.begin(), list.items.end(), c) != list.items.end()) break;
    if (FindLocked(list.items, c->ClassName) != nullptr) {
      throw EFilerError(Format(LoadResString(SDuplicateClass), {c->ClassName}));
    }
    list.items.push_back(c);
    if (c == &TPersistent::StaticClass()) break;
  }
}

void UnRegisterClass(TClass cls) {
  auto& list = Classes();
  std::lock_guard guard(list.lock);
  list.items.erase(std::remove(list.items.begin(), list.items.end(), cls), list.items.end());
}

TClass GetClass(std::string_view name) {
  auto& list = Classes();
  std::lock_guard guard(list.lock);
  return FindLocked(list.items, name);
}

TClass FindClass(std::string_view name) {
  TClass cls = GetClass(name);
  if (cls == nullptr) {
    throw EClassNotFound(Format(LoadResString(SClassNotFound), {std::string(name)}));
  }
  return cls;
}

void RegisterIntConst(const TTypeInfo* type, TIdentToInt ident_to_int, TIntToIdent int_to_ident) {
  auto& list = IntConsts();
  std::lock_guard guard(list.lock);
  list.items.push_back({type, ident_to_int, int_to_ident});
}

TIdentToInt FindIdentToInt(const TTypeInfo* type) {
  auto& list = IntConsts();
  std::lock_guard guard(list.lock);
  for (const IntConst& entry : list.items) {
    if (entry.type == type) return entry.ident_to_int;
  }
  return nullptr;
}

TIntToIdent FindIntToIdent(const TTypeInfo* type) {
  auto& list = IntConsts();
  std::lock_guard guard(list.lock);
  for (const IntConst& entry : list.items) {
    if (entry.type == type) return entry.int_to_ident;
  }
  return nullptr;
}
