// The table of resources embedded in the program. The sources that the build
// generates from resources/ (tools/resembed) register their arrays here during
// static initialisation; the functions of <platform/resources.h> read it.
#pragma once

#include <cstddef>

#include <platform/types.h>

namespace kernel {

// A resource type or name: a text when `text` is set (upper case), else the
// number `id`.
struct ResourceKey {
  const char* text;
  WORD id;
};

struct EmbeddedResource {
  ResourceKey type;
  ResourceKey name;
  const unsigned char* data;  // never null, even for an empty resource
  DWORD size;
};

// One message of the string table, in code page 1251.
struct EmbeddedString {
  UINT id;
  const char* text;
  DWORD size;
};

// Adds resources and strings whose arrays live as long as the program. A type
// and name, or a string id, that is already present keeps its first bytes.
// Returns true so that generated code can call it in an initialiser.
bool RegisterEmbedded(const EmbeddedResource* resources, std::size_t resource_count,
                      const EmbeddedString* strings, std::size_t string_count);

}  // namespace kernel
