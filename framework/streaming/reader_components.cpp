// The loading part of the reader: component records, property records,
// references and the order of Loaded.
#include <algorithm>
#include <memory>

#include "framework/rtl/format.h"
#include "framework/rtl/scope_exit.h"
#include "framework/rtl/sysconst.h"
#include "framework/streaming/class_registry.h"
#include "framework/streaming/collection.h"
#include "framework/streaming/form_loading.h"
#include "framework/streaming/reader.h"
#include "rtl/resstrings.h"

namespace {

void AddOnce(std::vector<TComponent*>& list, TComponent* component) {
  if (std::find(list.begin(), list.end(), component) == list.end()) list.push_back(component);
}

std::intptr_t Reference(TComponent* component) {
  return reinterpret_cast<std::intptr_t>(static_cast<TObject*>(component));
}

TClass FindInFieldClassTables(TComponent* root, const std::string& name) {
  for (TClass c = root->ClassType(); c != nullptr && c != &TPersistent::StaticClass();
       c = c->Parent) {
    for (TClassRef field_class : c->FieldClassTable) {
      if (SameText(field_class().ClassName, name)) return &field_class();
    }
  }
  return nullptr;
}

}  // namespace

TComponent* TReader::ReadRootComponent(TComponent* root) {
  ReadSignature();
  WriteLock lock(NameSpaceLock());
  TComponent* result = root;
  bool created = false;
  try {
    TFilerFlags flags = 0;
    std::int32_t position = 0;
    ReadPrefix(flags, position);
    if (root == nullptr) {
      const TClass cls = FindClass(ReadStr());
      if (cls->Create == nullptr) {
        throw EClassNotFound(Format(LoadResString(SClassNotFound), {cls->ClassName}));
      }
      result = cls->Create(nullptr);
      created = true;
      result->SetName(ReadStr());
    } else {
      ReadStr();
      if (root->ComponentState().Has(csDesigning)) {
        ReadStr();
      } else {
        root->IncludeState(csLoading | csReading);
        root->SetName(MakeUniqueRootName(ReadStr()));
      }
    }
    SetRoot(result);
    lookup_root_ = result;

    std::vector<TComponent*>* global = GlobalLoadedList();
    std::unique_ptr<std::vector<TComponent*>> own;
    loaded_ =
        global != nullptr ? global : (own = std::make_unique<std::vector<TComponent*>>()).get();
    {
      const ScopeExit forget([this] { loaded_ = nullptr; });
      AddOnce(*loaded_, result);
      owner_ = result;
      result->IncludeState(csLoading | csReading);
      result->ReadState(this);
      result->ExcludeState(csReading);
      if (global == nullptr) {
        for (std::size_t i = 0; i < loaded_->size(); ++i) (*loaded_)[i]->Loaded();
      }
    }
    GlobalFixupReferences();
  } catch (...) {
    RemoveFixupReferences(root, {});
    if (created) result->Free();
    throw;
  }
  return result;
}

void TReader::ReadData(TComponent* instance) {
  if (fixups_ != nullptr) {
    ReadDataInner(instance);
    return;
  }
  std::vector<TPropFixup*> fixups;
  fixups_ = &fixups;
  // Records still in the list are freed however reading ends.
  const ScopeExit free([this] {
    for (TPropFixup* fixup : *fixups_) delete fixup;
    fixups_ = nullptr;
  });
  ReadDataInner(instance);
  DoFixupReferences();
}

void TReader::ReadDataInner(TComponent* instance) {
  const auto nesting = Nest();
  while (!EndOfList()) ReadProperty(instance);
  ReadListEnd();
  const ScopeExit restore([this, owner = owner_, parent = parent_] {
    owner_ = owner;
    parent_ = parent;
  });
  parent_ = instance->GetChildParent();
  owner_ = instance->GetChildOwner();
  if (owner_ == nullptr) owner_ = root_;
  while (!EndOfList()) ReadChildComponent(nullptr);
  ReadListEnd();
}

TComponent* TReader::FindAncestor(const std::string& name) {
  TComponent* found = lookup_root_->FindComponent(name);
  if (found == nullptr) throw EReadError(Format(LoadResString(SAncestorNotFound), {name}));
  return found;
}

void TReader::AssignComponentName(TComponent* component, const std::string& name) {
  component->SetName(name);
}

TClass TReader::FindComponentClass(const std::string& name) {
  TClass cls = FindInFieldClassTables(root_, name);
  if (cls == nullptr) cls = GetClass(name);
  if (cls == nullptr && lookup_root_ != root_) {
    cls = FindInFieldClassTables(lookup_root_, name);
    if (cls == nullptr) cls = GetClass(name);
  }
  if (cls == nullptr || !cls->InheritsFrom(&TComponent::StaticClass()) || cls->Create == nullptr) {
    throw EClassNotFound(Format(LoadResString(SClassNotFound), {name}));
  }
  return cls;
}

TComponent* TReader::ReadChildComponent(TComponent* component) {
  TFilerFlags flags = 0;
  std::int32_t position = 0;
  ReadPrefix(flags, position);
  const std::string class_name = ReadStr();
  const std::string name = ReadStr();
  const ScopeExit restore([this, parent = parent_, lookup_root = lookup_root_] {
    parent_ = parent;
    lookup_root_ = lookup_root;
  });

  const bool inherited = (flags & ffInherited) != 0;
  TComponent* result = component;
  bool created = false;
  try {
    if (result == nullptr) {
      const TClass cls = FindComponentClass(class_name);
      if (!inherited) {
        result = cls->Create(owner_);
        created = true;
        if ((flags & ffInline) != 0) result->IncludeState(csLoading | csInline);
      } else {
        result = FindAncestor(name);
        parent_ = result->GetParentComponent();
        if (parent_ == nullptr) parent_ = root_;
      }
    }
    result->IncludeState(csLoading);
    if (!inherited) {
      result->SetParentComponent(parent_);
      AssignComponentName(result, name);
      const TFindGlobalComponent lookup = GlobalComponentLookup();
      if (lookup != nullptr && lookup(name) == result) result->IncludeState(csInline);
    }
  } catch (const std::exception& error) {
    if (created) result->Free();
    SkipComponent(false);
    if (!HandleError(error)) throw;
    return nullptr;
  }

  try {
    if (result->ComponentState().Has(csInline)) lookup_root_ = result;
    result->IncludeState(csReading);
    result->ReadState(this);
    result->ExcludeState(csReading);
    if ((flags & ffChildPos) != 0 && parent_ != nullptr) parent_->SetChildOrder(result, position);
    if (inherited || result->ComponentState().Has(csInline)) {
      AddOnce(*loaded_, result);
    } else {
      loaded_->push_back(result);
    }
  } catch (...) {
    if (created) result->Free();
    throw;
  }
  return result;
}

void TReader::ReadProperty(TPersistent* instance) {
  const std::string path = ReadStr();
  can_handle_exceptions_ = true;
  try {
    TPersistent* object = instance;
    std::size_t start = 0;
    for (std::size_t dot = path.find('.'); dot != std::string::npos; dot = path.find('.', start)) {
      property_name_ = path.substr(start, dot - start);
      start = dot + 1;
      const TPropInfo* prop = GetPropInfo(object->ClassType(), property_name_);
      if (prop == nullptr) {
        SkipValue();
        throw EReadError(LoadResString(SUnknownProperty));
      }
      object = dynamic_cast<TPersistent*>(GetObjectProp(object, prop));
      if (object == nullptr) {
        SkipValue();
        throw EReadError(LoadResString(SInvalidPropertyPath));
      }
    }
    property_name_ = path.substr(start);
    // A path ending in "." names nothing: its value is skipped, so the
    // stream stays in step, and it is refused like any unknown name.
    if (property_name_.empty()) {
      SkipValue();
      throw EReadError(LoadResString(SUnknownProperty));
    }
    if (const TPropInfo* prop = GetPropInfo(object->ClassType(), property_name_)) {
      ReadPropValue(object, prop);
    } else {
      can_handle_exceptions_ = false;
      object->DefineProperties(this);
      can_handle_exceptions_ = true;
      if (!property_name_.empty()) {
        SkipValue();
        throw EReadError(LoadResString(SUnknownProperty));
      }
    }
  } catch (const Exception& error) {
    auto* component = dynamic_cast<TComponent*>(instance);
    const std::string name = component != nullptr && !component->Name().empty()
                                 ? component->Name()
                                 : instance->ClassName();
    const EReadError wrapped(
        Format(LoadResString(SPropertyException), {name, std::string("."), path, error.Message()}));
    if (!HandleError(wrapped)) throw wrapped;
  }
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo* prop) {
  if (prop->SetProc.kind == TPropAccessor::kNone) {
    throw EReadError(LoadResString(SReadOnlyProperty));
  }
  const TTypeInfo* type = prop->PropType();
  switch (type->Kind) {
    case tkInteger:
      if (NextValue() == vaIdent) {
        const std::string ident = ReadIdent();
        const TIdentToInt ident_to_int = FindIdentToInt(type);
        std::int32_t value = 0;
        if (ident_to_int == nullptr || !ident_to_int(ident, value)) PropValueError();
        SetOrdProp(instance, prop, value);
      } else {
        SetOrdProp(instance, prop, ReadInteger());
      }
      break;
    case tkChar:
      SetOrdProp(instance, prop, static_cast<unsigned char>(ReadChar()));
      break;
    case tkEnumeration: {
      const std::int32_t value = GetEnumValue(type, ReadIdent());
      if (value < 0) PropValueError();
      SetOrdProp(instance, prop, value);
      break;
    }
    case tkFloat:
      SetFloatProp(instance, prop, ReadFloat());
      break;
    case tkString:
    case tkLString:
    case tkWString:
      SetStrProp(instance, prop, ReadString());
      break;
    case tkSet:
      SetOrdProp(instance, prop, ReadSet(type));
      break;
    case tkClass:
      ReadClassValue(instance, prop);
      break;
    case tkMethod:
      if (NextValue() == vaNil) {
        ReadValue();
        SetMethodProp(instance, prop, {});
      } else {
        const std::string method = ReadIdent();
        SetMethodProp(instance, prop, {FindMethodByName(root_, method, type->Signature), root_});
      }
      break;
    case tkVariant:
      SetVariantProp(instance, prop, ReadVariant());
      break;
    case tkInt64:
      SetInt64Prop(instance, prop, ReadInt64());
      break;
    default:
      // Kinds no definition holds: the value is passed over.
      SkipValue();
      break;
  }
}

void TReader::ReadClassValue(TPersistent* instance, const TPropInfo* prop) {
  switch (NextValue()) {
    case vaNil:
      ReadValue();
      SetOrdProp(instance, prop, 0);
      break;
    case vaCollection: {
      auto* collection = dynamic_cast<TCollection*>(GetObjectProp(instance, prop));
      if (collection == nullptr) {
        SkipValue();
        PropValueError();
      }
      ReadValue();
      ReadCollection(collection);
      break;
    }
    default: {
      const std::string name = ReadIdent();
      if (fixups_ == nullptr) PropValueError();
      fixups_->push_back(new TPropFixup{instance, root_, prop, {}, name});
      break;
    }
  }
}

std::int32_t TReader::ReadSet(const TTypeInfo* set_type) {
  if (ReadValue() != vaSet) PropValueError();
  std::uint32_t result = 0;
  try {
    for (std::string name = ReadStr(); !name.empty(); name = ReadStr()) {
      const std::int32_t value = GetEnumValue(set_type->CompType, name);
      if (value < 0) PropValueError();
      if (value <= 31) result |= 1u << value;
    }
  } catch (...) {
    SkipSetBody();
    throw;
  }
  return static_cast<std::int32_t>(result);
}

void TReader::ReadCollection(TCollection* collection) {
  const auto nesting = Nest();
  collection->BeginUpdate();
  const ScopeExit end([collection] { collection->EndUpdate(); });
  if (!EndOfList()) collection->Clear();
  while (!EndOfList()) {
    const TValueType next = NextValue();
    if (next == vaInt8 || next == vaInt16 || next == vaInt32) ReadInteger();
    TCollectionItem* item = collection->Add();
    ReadListBegin();
    while (!EndOfList()) ReadProperty(item);
    ReadListEnd();
  }
  ReadListEnd();
}

Variant TReader::ReadVariant() {
  switch (NextValue()) {
    case vaNil:
      ReadValue();
      return Variant();
    case vaNull:
      ReadValue();
      return Variant::Null();
    case vaInt8:
      ReadValue();
      return Variant::Byte(ReadByte());
    case vaInt16:
      return Variant::Smallint(static_cast<std::int16_t>(ReadInteger()));
    case vaInt32:
      return Variant::Integer(ReadInteger());
    case vaExtended:
      return Variant::Double(static_cast<double>(ReadFloat()));
    case vaString:
    case vaLString:
      return Variant::String(ReadString());
    case vaFalse:
    case vaTrue:
      return Variant::Boolean(ReadValue() == vaTrue);
    case vaSingle:
      return Variant::Single(ReadSingle());
    case vaCurrency:
      return Variant::Currency(ReadCurrency().scaled);
    case vaDate:
      return Variant::Date(ReadDate());
    case vaWString:
      return Variant::WideString(ReadWideString());
    default:
      throw EReadError(LoadResString(SReadError));
  }
}

const void* TReader::FindMethodByName(TComponent* root, const std::string& name,
                                      TSignature signature) {
  const TPublishedMethod* method = FindPublishedMethod(root->ClassType(), name);
  // A method of another signature would be called with the wrong arguments.
  if (method == nullptr || method->Signature != signature) PropValueError();
  return method->Code;
}

void TReader::DoFixupReferences() {
  for (TPropFixup*& fixup : *fixups_) {
    const std::string name = MapReferenceName(fixup->Name);
    TComponent* target = FindNestedComponent(fixup->InstanceRoot, name);
    RemoveGlobalFixupsFor(fixup->Instance, fixup->Prop);
    if (target != nullptr) {
      SetOrdProp(fixup->Instance, fixup->Prop, Reference(target));
    } else if (const std::size_t dot = name.find('.'); dot != std::string::npos) {
      fixup->RootName = name.substr(0, dot);
      fixup->Name = name.substr(dot + 1);
      AddGlobalFixup(std::unique_ptr<TPropFixup>(fixup));
      fixup = nullptr;
    } else {
      SetOrdProp(fixup->Instance, fixup->Prop, 0);
    }
  }
}

void TReader::DefineValueProperty(const std::string& name,
                                  const std::function<void(TReader&)>& read) {
  if (!read || !SameText(name, property_name_)) return;
  read(*this);
  property_name_.clear();
}

void TReader::DefineBinaryProperty(const std::string& name,
                                   const std::function<void(TStream&)>& read) {
  if (!read || !SameText(name, property_name_)) return;
  if (ReadValue() != vaBinary) {
    StepBack();
    SkipValue();
    PropValueError();
  }
  const std::int32_t size = ReadLittleEndian<std::int32_t>();
  const std::string bytes = ReadCounted(size);
  TMemoryStream stream(std::vector<unsigned char>(bytes.begin(), bytes.end()));
  read(stream);
  property_name_.clear();
}
