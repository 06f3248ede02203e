#include "framework/streaming/typinfo.h"

#include <algorithm>
#include <cmath>

#include <platform/codepage.h>

#include "framework/rtl/intconv.h"
#include "framework/streaming/class_info.h"

// TObject has no parent and nothing published.
const TClassInfo& TObject::StaticClass() {
  static const TClassInfo& info = [] {
    TClassInfo object;
    object.ClassName = "TObject";
    object.UnitName = "System";
    object.InstanceSize = sizeof(TObject);
    return FinishClassInfo(std::move(object));
  }();
  return info;
}

TClass TObject::ClassType() const {
  return &StaticClass();
}

const std::string& TObject::ClassName() const {
  return ClassType()->ClassName;
}

bool TObject::ClassNameIs(std::string_view name) const {
  return SamePublishedName(ClassName(), name);
}

bool TObject::InheritsFrom(TClass ancestor) const {
  return ClassType()->InheritsFrom(ancestor);
}

bool TClassInfo::InheritsFrom(TClass ancestor) const {
  for (TClass c = this; c != nullptr; c = c->Parent) {
    if (c == ancestor) return true;
  }
  return false;
}

bool SamePublishedName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (((static_cast<unsigned char>(a[i]) ^ static_cast<unsigned char>(b[i])) & ~0x20u) != 0) {
      return false;
    }
  }
  return true;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

const TPublishedMethod* FindPublishedMethod(TClass cls, std::string_view name) {
  if (name.size() > 255) name = name.substr(0, 255);
  for (TClass c = cls; c != nullptr; c = c->Parent) {
    for (const TPublishedMethod& m : c->Methods) {
      if (SamePublishedName(m.Name, name)) return &m;
    }
  }
  return nullptr;
}

const void* MethodAddress(TClass cls, std::string_view name) {
  const TPublishedMethod* method = FindPublishedMethod(cls, name);
  return method != nullptr ? method->Code : nullptr;
}

const TMessageEntry* FindMessage(TClass cls, std::uint32_t msg) {
  const auto& table = cls->Messages;
  const auto it =
      std::lower_bound(table.begin(), table.end(), msg,
                       [](const TMessageEntry& e, std::uint32_t m) { return e.Msg < m; });
  return it != table.end() && it->Msg == msg ? &*it : nullptr;
}

void TObject::DispatchFrom(TClass cls, TMessage& message) {
  for (TClass c = cls; c != nullptr; c = c->Parent) {
    if (const TMessageEntry* entry = FindMessage(c, message.Msg)) {
      (this->*entry->Handler)(message);
      return;
    }
  }
  DefaultHandler(message);
}

const TPublishedField* FindPublishedField(TClass cls, std::string_view name) {
  if (name.size() > 255) name = name.substr(0, 255);
  for (TClass c = cls; c != nullptr; c = c->Parent) {
    for (const TPublishedField& f : c->Fields) {
      if (SamePublishedName(f.Name, name)) return &f;
    }
  }
  return nullptr;
}

namespace {

// Length in the low byte, first byte with bit 0x20 cleared in the high byte:
// most records differ from the name already here.
std::uint16_t NameKey(std::string_view name) {
  const unsigned first = name.empty() ? 0 : static_cast<unsigned char>(name[0]) & ~0x20u;
  return static_cast<std::uint16_t>((name.size() & 0xFF) | first << 8);
}

}  // namespace

const TPropInfo* GetPropInfo(const TTypeInfo* type, std::string_view name) {
  if (type == nullptr || type->Kind != tkClass) return nullptr;
  const std::uint16_t key = NameKey(name);
  for (TClass c = type->ClassType; c != nullptr; c = c->Parent) {
    for (const TPropInfo& prop : c->Props) {
      if (NameKey(prop.Name) == key && SamePublishedName(prop.Name, name)) return &prop;
    }
  }
  return nullptr;
}

const TPropInfo* GetPropInfo(TClass cls, std::string_view name) {
  return GetPropInfo(&cls->TypeInfo, name);
}

std::vector<const TPropInfo*> GetPropInfos(const TTypeInfo* type) {
  std::vector<const TPropInfo*> slots(static_cast<std::size_t>(type->ClassType->PropCount));
  for (TClass c = type->ClassType; c != nullptr; c = c->Parent) {
    for (const TPropInfo& prop : c->Props) {
      const auto slot = static_cast<std::size_t>(prop.NameIndex);
      if (slots[slot] == nullptr) slots[slot] = &prop;
    }
  }
  return slots;
}

namespace {

template <typename V>
V Get(TObject* instance, const TPropInfo* prop) {
  V value{};
  if (prop->GetProc.access != nullptr) prop->GetProc.access(instance, prop->Index, &value);
  return value;
}

template <typename V>
void Set(TObject* instance, const TPropInfo* prop, V value) {
  if (prop->SetProc.access != nullptr) prop->SetProc.access(instance, prop->Index, &value);
}

bool IsOrdinal(TTypeKind kind) {
  return kind == tkInteger || kind == tkChar || kind == tkEnumeration || kind == tkSet ||
         kind == tkClass || kind == tkWChar;
}

std::u16string ToWide(const std::string& text) {
  std::u16string wide;
  for (const char c : text) {
    wide += static_cast<char16_t>(codepage::Cp1251ToUnicode(static_cast<unsigned char>(c)));
  }
  return wide;
}

std::string FromWide(const std::u16string& wide) {
  std::string text;
  for (const char16_t c : wide) {
    const int b = codepage::UnicodeToCp1251(c);
    text += static_cast<char>(b < 0 ? '?' : b);
  }
  return text;
}

}  // namespace

std::intptr_t GetOrdProp(TObject* instance, const TPropInfo* prop) {
  return IsOrdinal(prop->PropType()->Kind) ? Get<std::intptr_t>(instance, prop) : 0;
}

void SetOrdProp(TObject* instance, const TPropInfo* prop, std::intptr_t value) {
  if (IsOrdinal(prop->PropType()->Kind)) Set<std::intptr_t>(instance, prop, value);
}

TObject* GetObjectProp(TObject* instance, const TPropInfo* prop) {
  if (prop->PropType()->Kind != tkClass) return nullptr;
  return reinterpret_cast<TObject*>(Get<std::intptr_t>(instance, prop));
}

std::string GetStrProp(TObject* instance, const TPropInfo* prop) {
  switch (prop->PropType()->Kind) {
    case tkString:
    case tkLString:
      return Get<std::string>(instance, prop);
    case tkWString:
      return FromWide(Get<std::u16string>(instance, prop));
    default:
      return {};
  }
}

std::u16string GetWideStrProp(TObject* instance, const TPropInfo* prop) {
  if (prop->PropType()->Kind == tkWString) return Get<std::u16string>(instance, prop);
  return ToWide(GetStrProp(instance, prop));
}

void SetStrProp(TObject* instance, const TPropInfo* prop, const std::string& value) {
  switch (prop->PropType()->Kind) {
    case tkString:
      Set<std::string>(instance, prop, value.substr(0, prop->PropType()->MaxLength));
      break;
    case tkLString:
      Set<std::string>(instance, prop, value);
      break;
    case tkWString:
      Set<std::u16string>(instance, prop, ToWide(value));
      break;
    default:
      break;
  }
}

long double GetFloatProp(TObject* instance, const TPropInfo* prop) {
  if (prop->PropType()->Kind != tkFloat) return 0;
  switch (prop->PropType()->FloatType) {
    case ftCurr:
      return static_cast<long double>(Get<Currency>(instance, prop).scaled) / 10000;
    case ftComp:
      return static_cast<long double>(Get<std::intptr_t>(instance, prop));
    default:
      return Get<long double>(instance, prop);
  }
}

void SetFloatProp(TObject* instance, const TPropInfo* prop, long double value) {
  if (prop->PropType()->Kind != tkFloat) return;
  switch (prop->PropType()->FloatType) {
    case ftCurr:
      Set<Currency>(instance, prop, {std::llroundl(value * 10000)});
      break;
    case ftComp:
      Set<std::intptr_t>(instance, prop, std::llroundl(value));
      break;
    case ftSingle:
      Set<long double>(instance, prop, static_cast<float>(value));
      break;
    case ftDouble:
      Set<long double>(instance, prop, static_cast<double>(value));
      break;
    case ftExtended:
      Set<long double>(instance, prop, value);
      break;
  }
}

TMethod GetMethodProp(TObject* instance, const TPropInfo* prop) {
  return prop->PropType()->Kind == tkMethod ? Get<TMethod>(instance, prop) : TMethod{};
}

void SetMethodProp(TObject* instance, const TPropInfo* prop, const TMethod& value) {
  if (prop->PropType()->Kind == tkMethod) Set<TMethod>(instance, prop, value);
}

std::int64_t GetInt64Prop(TObject* instance, const TPropInfo* prop) {
  return prop->PropType()->Kind == tkInt64 ? Get<std::intptr_t>(instance, prop) : 0;
}

void SetInt64Prop(TObject* instance, const TPropInfo* prop, std::int64_t value) {
  if (prop->PropType()->Kind == tkInt64) Set<std::intptr_t>(instance, prop, value);
}

Variant GetVariantProp(TObject* instance, const TPropInfo* prop) {
  return prop->PropType()->Kind == tkVariant ? Get<Variant>(instance, prop) : Variant();
}

void SetVariantProp(TObject* instance, const TPropInfo* prop, const Variant& value) {
  if (prop->PropType()->Kind == tkVariant) Set<Variant>(instance, prop, value);
}

std::int32_t GetEnumValue(const TTypeInfo* type, std::string_view name) {
  if (type->Kind == tkInteger) return StrToInt(name);
  const TTypeInfo* base = type->BaseType != nullptr ? type->BaseType : type;
  for (std::int32_t i = 0;
       i <= base->MaxValue && i < static_cast<std::int32_t>(base->NameList.size()); ++i) {
    if (SamePublishedName(base->NameList[static_cast<std::size_t>(i)], name)) return i;
  }
  return -1;
}

std::string GetEnumName(const TTypeInfo* type, std::int32_t value) {
  if (type->Kind == tkInteger) return IntToStr(value);
  const TTypeInfo* base = type->BaseType != nullptr ? type->BaseType : type;
  if (value < 0 || value >= static_cast<std::int32_t>(base->NameList.size())) return {};
  return base->NameList[static_cast<std::size_t>(value)];
}
