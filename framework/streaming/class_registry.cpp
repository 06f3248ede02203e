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

struct ClassList {
  std::mutex lock;
  std::vector<TClass> classes;
};

ClassList& Classes() {
  static ClassList list;
  return list;
}

struct IntConst {
  const TTypeInfo* type;
  TIdentToInt ident_to_int;
  TIntToIdent int_to_ident;
};

struct IntConstList {
  std::mutex lock;
  std::vector<IntConst> entries;
};

IntConstList& IntConsts() {
  static IntConstList list;
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
  ClassList& list = Classes();
  std::lock_guard guard(list.lock);
  for (TClass c = cls; c != nullptr; c = c->Parent) {
    if (std::find(list.classes.begin(), list.classes.end(), c) != list.classes.end()) break;
    if (FindLocked(list.classes, c->ClassName) != nullptr) {
      throw EFilerError(Format(LoadResString(SDuplicateClass), {c->ClassName}));
    }
    list.classes.push_back(c);
    if (c == &TPersistent::StaticClass()) break;
  }
}

void UnRegisterClass(TClass cls) {
  ClassList& list = Classes();
  std::lock_guard guard(list.lock);
  list.classes.erase(std::remove(list.classes.begin(), list.classes.end(), cls),
                     list.classes.end());
}

TClass GetClass(std::string_view name) {
  ClassList& list = Classes();
  std::lock_guard guard(list.lock);
  return FindLocked(list.classes, name);
}

TClass FindClass(std::string_view name) {
  TClass cls = GetClass(name);
  if (cls == nullptr) {
    throw EClassNotFound(Format(LoadResString(SClassNotFound), {std::string(name)}));
  }
  return cls;
}

void RegisterIntConst(const TTypeInfo* type, TIdentToInt ident_to_int, TIntToIdent int_to_ident) {
  IntConstList& list = IntConsts();
  std::lock_guard guard(list.lock);
  list.entries.push_back({type, ident_to_int, int_to_ident});
}

TIdentToInt FindIdentToInt(const TTypeInfo* type) {
  IntConstList& list = IntConsts();
  std::lock_guard guard(list.lock);
  for (const IntConst& entry : list.entries) {
    if (entry.type == type) return entry.ident_to_int;
  }
  return nullptr;
}

TIntToIdent FindIntToIdent(const TTypeInfo* type) {
  IntConstList& list = IntConsts();
  std::lock_guard guard(list.lock);
  for (const IntConst& entry : list.entries) {
    if (entry.type == type) return entry.int_to_ident;
  }
  return nullptr;
}
