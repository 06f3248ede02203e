#include "framework/streaming/form_loading.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include <platform/resources.h>

#include "framework/rtl/format.h"
#include "framework/rtl/scope_exit.h"
#include "framework/streaming/reader.h"

namespace {

struct FixupList {
  // Recursive: setting a property may destroy an object, which drops its
  // own records from this list.
  std::recursive_mutex lock;
  std::vector<std::unique_ptr<TPropFixup>> records;
};

FixupList& GlobalFixups() {
  // Never destroyed: objects freed at finalisation still drop their records.
  static FixupList& list = *new FixupList;
  return list;
}

TFindGlobalComponent global_lookup = nullptr;

thread_local std::vector<TComponent*>* current_loaded = nullptr;
thread_local std::vector<std::vector<TComponent*>*>* interrupted_loaded = nullptr;

// Reads the definitions of cls and its ancestors into instance, ancestors
// first.
bool InitComponent(TComponent* instance, TClass cls, TClass root_ancestor) {
  if (cls == nullptr || cls == &TComponent::StaticClass() || cls == root_ancestor) return false;
  bool found = InitComponent(instance, cls->Parent, root_ancestor);
  HMODULE module = GetModuleHandleA(nullptr);
  if (FindResourceA(module, cls->ClassName.c_str(), RT_RCDATA) != nullptr) {
    TResourceStream stream(module, cls->ClassName, RT_RCDATA);
    ReadComponent(stream, instance);
    found = true;
  }
  return found;
}

}  // namespace

TMultiReadExclusiveWriteSynchronizer& NameSpaceLock() {
  static TMultiReadExclusiveWriteSynchronizer& lock = *new TMultiReadExclusiveWriteSynchronizer;
  return lock;
}

void SetGlobalComponentLookup(TFindGlobalComponent lookup) {
  global_lookup = lookup;
}

TFindGlobalComponent GlobalComponentLookup() {
  return global_lookup;
}

std::vector<TComponent*>* GlobalLoadedList() {
  return current_loaded;
}

bool InitInheritedComponent(TComponent* instance, TClass root_ancestor) {
  WriteLock lock(NameSpaceLock());
  const bool localized = !instance->ComponentState().HasAny(csLoading | csInline);
  if (localized) {
    if (interrupted_loaded == nullptr)
      interrupted_loaded = new std::vector<std::vector<TComponent*>*>;
    interrupted_loaded->push_back(current_loaded);
    current_loaded = new std::vector<TComponent*>;
  }
  // Puts the interrupted list back, also when reading fails.
  const ScopeExit restore([localized] {
    if (!localized) return;
    delete current_loaded;
    current_loaded = interrupted_loaded->back();
    interrupted_loaded->pop_back();
    if (interrupted_loaded->empty()) {
      delete interrupted_loaded;
      interrupted_loaded = nullptr;
    }
  });

  const bool found = InitComponent(instance, instance->ClassType(), root_ancestor);
  if (localized) {
    for (std::size_t i = 0; i < current_loaded->size(); ++i) (*current_loaded)[i]->Loaded();
  }
  return found;
}

TComponent* ReadComponent(TStream& stream, TComponent* instance) {
  TReader reader(&stream, 4096);
  return reader.ReadRootComponent(instance);
}

std::string MakeUniqueRootName(const std::string& name) {
  if (global_lookup == nullptr) return {};
  std::string result = name;
  for (std::int64_t i = 1; global_lookup(result) != nullptr; ++i) {
    result = Format("%s_%d", {name, i});
  }
  return result;
}

TComponent* FindNestedComponent(TComponent* root, const std::string& path) {
  if (path.empty()) return nullptr;
  TComponent* current = root;
  std::size_t pos = 0;
  while (pos < path.size()) {
    std::size_t end = pos;
    while (end < path.size() && path[end] != '.' && path[end] != '-') ++end;
    const std::string part = path.substr(pos, end - pos);
    TComponent* found = current->FindComponent(part);
    if (found == nullptr && SameText(part, "Owner")) found = current;
    if (found == nullptr) return nullptr;
    current = found;
    pos = end;
    for (const char separator : {'.', '-', '>'}) {
      if (pos < path.size() && path[pos] == separator) ++pos;
    }
  }
  return current;
}

void AddGlobalFixup(std::unique_ptr<TPropFixup> fixup) {
  FixupList& list = GlobalFixups();
  std::lock_guard guard(list.lock);
  list.records.push_back(std::move(fixup));
}

void RemoveGlobalFixupsFor(TPersistent* instance, const TPropInfo* prop) {
  FixupList& list = GlobalFixups();
  std::lock_guard guard(list.lock);
  std::erase_if(list.records,
                [&](const auto& r) { return r->Instance == instance && r->Prop == prop; });
}

void GlobalFixupReferences() {
  if (global_lookup == nullptr) return;
  WriteLock lock(NameSpaceLock());
  FixupList& list = GlobalFixups();
  std::lock_guard guard(list.lock);
  for (std::size_t i = list.records.size(); i-- > 0;) {
    if (i >= list.records.size()) continue;
    TPropFixup* fixup = list.records[i].get();
    TComponent* root = global_lookup(fixup->RootName);
    if (root != nullptr) {
      TComponent* target = FindNestedComponent(root, fixup->Name);
      SetOrdProp(fixup->Instance, fixup->Prop,
                 reinterpret_cast<std::intptr_t>(static_cast<TObject*>(target)));
    } else if (GetOrdProp(fixup->Instance, fixup->Prop) == 0) {
      continue;
    }
    if (i < list.records.size() && list.records[i].get() == fixup) {
      list.records.erase(list.records.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}

void RemoveFixupReferences(TComponent* root, const std::string& root_name) {
  FixupList& list = GlobalFixups();
  std::lock_guard guard(list.lock);
  std::erase_if(list.records, [&](const auto& r) {
    return (root == nullptr || r->InstanceRoot == root) &&
           (root_name.empty() || r->RootName == root_name);
  });
}

void RemoveGlobalFixupsOf(TPersistent* instance) {
  FixupList& list = GlobalFixups();
  std::lock_guard guard(list.lock);
  std::erase_if(list.records, [&](const auto& r) { return r->Instance == instance; });
}

std::size_t GlobalFixupCount() {
  FixupList& list = GlobalFixups();
  std::lock_guard guard(list.lock);
  return list.records.size();
}
