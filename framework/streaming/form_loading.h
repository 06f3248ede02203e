// Reading a component's form definitions, and the process-wide state that
// loads share: the name-space lock, pending references to other roots, and
// the per-thread list of components waiting for Loaded.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/rtl/synchronizer.h"
#include "framework/streaming/component.h"

struct TPropFixup {
  TPersistent* Instance;
  TComponent* InstanceRoot;
  const TPropInfo* Prop;
  std::string RootName;
  std::string Name;
};

TMultiReadExclusiveWriteSynchronizer& NameSpaceLock();

// Finds a top-level component (a form) by name; installed by the forms layer.
using TFindGlobalComponent = TComponent* (*)(const std::string& name);
void SetGlobalComponentLookup(TFindGlobalComponent lookup);
TFindGlobalComponent GlobalComponentLookup();

// Reads the definitions of the instance's class and its ancestors below
// root_ancestor, ancestors first; false when no class of the chain has one.
bool InitInheritedComponent(TComponent* instance, TClass root_ancestor);

// Reads one definition from the stream into the root (or a new root when
// null) and returns the root.
TComponent* ReadComponent(TStream& stream, TComponent* instance);

// The unique name for a new root: Name, Name_1, Name_2, ...; empty when no
// global lookup is installed.
std::string MakeUniqueRootName(const std::string& name);

// Follows a path of component names separated by "." or "->" from the root;
// "Owner" stays where it is.
TComponent* FindNestedComponent(TComponent* root, const std::string& path);

// Sets the pending references to other roots that can now be found.
void GlobalFixupReferences();
// Drops the pending references read into `root` naming the root `root_name`
// (every root name when empty; every record when root is null).
void RemoveFixupReferences(TComponent* root, const std::string& root_name);
// Drops the pending references that would set a property of `instance`.
void RemoveGlobalFixupsOf(TPersistent* instance);
// How many references to other roots wait (for tests).
std::size_t GlobalFixupCount();

// The current thread's list of components waiting for Loaded, or null.
std::vector<TComponent*>* GlobalLoadedList();

// For the reader: a reference to another root waits in the global list; a
// newer reference for the same property replaces a waiting one.
void AddGlobalFixup(std::unique_ptr<TPropFixup> fixup);
void RemoveGlobalFixupsFor(TPersistent* instance, const TPropInfo* prop);
