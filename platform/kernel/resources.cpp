#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <string_view>

#include <platform/kernel.h>
#include <platform/resources.h>
#include <unistd.h>

#include "resource_table.h"

// What an HRSRC points at.
struct ResourceEntry {
  kernel::EmbeddedResource resource;
};

namespace {

// Filled during static initialisation, read-only afterwards, so the lookups
// need no lock. A deque keeps the addresses handed out as HRSRC stable.
std::deque<ResourceEntry>& Resources() {
  static auto& resources = *new std::deque<ResourceEntry>;
  return resources;
}

std::map<UINT, std::string_view>& Strings() {
  static auto& strings = *new std::map<UINT, std::string_view>;
  return strings;
}

// The module handle the program hands out: any fixed, non-null address.
char module_marker;

bool IsOurModule(HMODULE module) {
  return module == nullptr || module == &module_marker;
}

char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// A name or type as the caller gives it: a number in the pointer, "#123", or a
// text compared without letter case.
struct Wanted {
  bool is_id;
  WORD id;
  std::string_view text;
};

Wanted Decode(LPCSTR key) {
  if (IS_INTRESOURCE(key)) {
    return {true, static_cast<WORD>(reinterpret_cast<std::uintptr_t>(key)), {}};
  }
  const std::string_view text(key);
  if (text.size() > 1 && text.size() <= 6 && text[0] == '#') {
    unsigned value = 0;
    bool digits = true;
    for (const char c : text.substr(1)) {
      digits = digits && c >= '0' && c <= '9';
      value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (digits && value <= 0xFFFF) return {true, static_cast<WORD>(value), {}};
  }
  return {false, 0, text};
}

bool Matches(const kernel::ResourceKey& key, const Wanted& wanted) {
  if (wanted.is_id) return key.text == nullptr && key.id == wanted.id;
  return key.text != nullptr && SameText(key.text, wanted.text);
}

bool SameKey(const kernel::ResourceKey& a, const kernel::ResourceKey& b) {
  if (a.text == nullptr || b.text == nullptr) return a.text == b.text && a.id == b.id;
  return SameText(a.text, b.text);
}

const ResourceEntry* Entry(HRSRC resource) {
  for (const ResourceEntry& entry : Resources()) {
    if (&entry == resource) return &entry;
  }
  return nullptr;
}

}  // namespace

namespace kernel {

bool RegisterEmbedded(const EmbeddedResource* resources, std::size_t resource_count,
                      const EmbeddedString* strings, std::size_t string_count) {
  for (std::size_t i = 0; i < resource_count; ++i) {
    bool present = false;
    for (const ResourceEntry& entry : Resources()) {
      present = present || (SameKey(entry.resource.type, resources[i].type) &&
                            SameKey(entry.resource.name, resources[i].name));
    }
    if (!present) Resources().push_back({resources[i]});
  }
  for (std::size_t i = 0; i < string_count; ++i) {
    Strings().emplace(strings[i].id, std::string_view(strings[i].text, strings[i].size));
  }
  return true;
}

}  // namespace kernel

HMODULE GetModuleHandleA(LPCSTR) {
  return &module_marker;
}

FARPROC GetProcAddress(HMODULE, LPCSTR) {
  SetLastError(ERROR_PROC_NOT_FOUND);
  return nullptr;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR file_name, DWORD size) {
  if (file_name == nullptr || size == 0 || (module != nullptr && !IsOurModule(module))) return 0;
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0) return 0;
  const auto copied = std::min<DWORD>(static_cast<DWORD>(length), size - 1);
  std::memcpy(file_name, path, copied);
  file_name[copied] = '\0';
  return copied;
}

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  if (!IsOurModule(module)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  const Wanted wanted_type = Decode(type);
  const Wanted wanted_name = Decode(name);
  bool type_seen = false;
  for (ResourceEntry& entry : Resources()) {
    if (!Matches(entry.resource.type, wanted_type)) continue;
    type_seen = true;
    if (Matches(entry.resource.name, wanted_name)) return &entry;
  }
  SetLastError(type_seen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return nullptr;
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  const ResourceEntry* entry = IsOurModule(module) ? Entry(resource) : nullptr;
  if (entry == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // The bytes are constant arrays of the program; callers only read them.
  return const_cast<unsigned char*>(entry->resource.data);
}

LPVOID LockResource(HGLOBAL data) {
  return data;
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  const ResourceEntry* entry = IsOurModule(module) ? Entry(resource) : nullptr;
  if (entry == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return entry->resource.size;
}

// Embedded resources are never unloaded; like the desktop's own, this
// returns FALSE.
BOOL FreeResource(HGLOBAL) {
  return FALSE;
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
  if (buffer == nullptr || bufferMax <= 0) return 0;
  buffer[0] = '\0';
  if (!IsOurModule(instance)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  const auto found = Strings().find(id);
  if (found == Strings().end()) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  const std::size_t length =
      std::min(found->second.size(), static_cast<std::size_t>(bufferMax - 1));
  std::memcpy(buffer, found->second.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}
