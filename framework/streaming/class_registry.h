// The process-wide registries the reader consults: classes by name, and the
// functions that map identifiers of integer types (colours, cursors) to values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/streaming/typinfo.h"

// Registers the class and its ancestors up to TPersistent; a different class
// of a registered name raises EFilerError "A class named %s already exists".
void RegisterClass(TClass cls);
void UnRegisterClass(TClass cls);
// The registered class of that name, or none.
TClass GetClass(std::string_view name);
// The registered class of that name; EClassNotFound "Class %s not found".
TClass FindClass(std::string_view name);

using TIdentToInt = bool (*)(const std::string& ident, std::int32_t& value);
using TIntToIdent = bool (*)(std::int32_t value, std::string& ident);

void RegisterIntConst(const TTypeInfo* type, TIdentToInt ident_to_int, TIntToIdent int_to_ident);
TIdentToInt FindIdentToInt(const TTypeInfo* type);
TIntToIdent FindIntToIdent(const TTypeInfo* type);

struct TIdentMapEntry {
  std::int32_t Value;
  const char* Name;
};

// The first row whose name matches (ASCII letters folded).
template <std::size_t N>
bool IdentToInt(const std::string& ident, std::int32_t& value, const TIdentMapEntry (&map)[N]) {
  for (const TIdentMapEntry& entry : map) {
    if (SameText(entry.Name, ident)) {
      value = entry.Value;
      return true;
    }
  }
  return false;
}

template <std::size_t N>
bool IntToIdent(std::int32_t value, std::string& ident, const TIdentMapEntry (&map)[N]) {
  for (const TIdentMapEntry& entry : map) {
    if (entry.Value == value) {
      ident = entry.Name;
      return true;
    }
  }
  return false;
}
