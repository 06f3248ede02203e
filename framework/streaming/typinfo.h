// Class information: type records, published properties, methods and fields,
// and typed access to a published property given only its record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/rtl/variant.h"
#include "framework/streaming/filer.h"
#include "framework/streaming/object.h"

enum TTypeKind : std::uint8_t {
  tkUnknown = 0,
  tkInteger = 1,
  tkChar = 2,
  tkEnumeration = 3,
  tkFloat = 4,
  tkString = 5,
  tkSet = 6,
  tkClass = 7,
  tkMethod = 8,
  tkWChar = 9,
  tkLString = 10,
  tkWString = 11,
  tkVariant = 12,
  tkInt64 = 16,
};

enum TOrdType : std::uint8_t { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType : std::uint8_t { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  std::string Name;
  // Ordinal kinds (integer, char, enumeration, set).
  TOrdType OrdType = otSLong;
  std::int32_t MinValue = 0;
  std::int32_t MaxValue = 0;
  // Enumeration: the base type, which holds the value names in value order.
  const TTypeInfo* BaseType = nullptr;
  std::vector<std::string> NameList;
  // Set: the element type.
  const TTypeInfo* CompType = nullptr;
  TFloatType FloatType = ftDouble;
  std::uint8_t MaxLength = 255;    // short string
  TClass ClassType = nullptr;      // class
  TSignature Signature = nullptr;  // method: the events' signature
};

inline constexpr std::int32_t kNoIndex = INT32_MIN;
inline constexpr std::int32_t kNoDefault = INT32_MIN;

// How a property's value is read or written: a field of the object or a
// method of it. `access` moves the value through a pointer to its canonical
// form, chosen by the C++ type of the field or method: std::intptr_t for
// integers, enumerations, sets and object references; std::string,
// std::u16string; long double for float and double (Currency for currency);
// TMethod; Variant. Methods get the index when the property has one.
struct TPropAccessor {
  enum Kind : std::uint8_t { kNone, kField, kMethod };
  Kind kind = kNone;
  void (*access)(TObject* self, std::int32_t index, void* value) = nullptr;
};

// Type records are reached through a function, so a class can publish a
// property of its own type before its own record exists.
using TTypeInfoRef = const TTypeInfo* (*)();
// Classes of published fields are reached the same way: StaticClass.
using TClassRef = const TClassInfo& (*)();

struct TPropInfo {
  TTypeInfoRef TypeRef = nullptr;
  const TTypeInfo* PropType() const { return TypeRef(); }
  TPropAccessor GetProc;
  TPropAccessor SetProc;  // kNone: read-only
  bool Stored = true;
  std::int32_t Index = kNoIndex;
  std::int32_t Default = kNoDefault;
  std::int16_t NameIndex = 0;
  std::string Name;
};

struct TPublishedMethod {
  std::string Name;
  const void* Code;
  TSignature Signature;
};

// An entry of a class's message table.
struct TMessageEntry {
  std::uint32_t Msg;
  TMessageHandler Handler;
};

// A published field holds a reference to an object of a class of the field
// class table.
struct TPublishedField {
  std::string Name;
  std::uint16_t ClassIndex;
  // Stores a reference; one of another class than the field's stores none.
  void (*Set)(TObject* self, TObject* value);
  TObject* (*Get)(TObject* self);
};

class TComponent;
class TCollection;
class TCollectionItem;

struct TClassInfo {
  std::string ClassName;
  std::string UnitName;
  TClass Parent = nullptr;
  std::size_t InstanceSize = 0;
  // The constructor with an owner, for component classes that can be made.
  TComponent* (*Create)(TComponent* owner) = nullptr;
  // The constructor of collection item classes.
  TCollectionItem* (*CreateItem)(TCollection* collection) = nullptr;
  std::vector<TPublishedMethod> Methods;
  std::vector<TMessageEntry> Messages;  // the class's own, by ascending number
  std::vector<TClassRef> FieldClassTable;
  std::vector<TPublishedField> Fields;
  std::vector<TPropInfo> Props;  // the class's own, in published order
  std::int16_t PropCount = 0;    // including inherited ones
  TTypeInfo TypeInfo;            // kind class, ClassType this

  bool InheritsFrom(TClass ancestor) const;
};

// The published-name rule: equal lengths and every pair of bytes equal once
// bit 0x20 of their exclusive or is cleared.
bool SamePublishedName(std::string_view a, std::string_view b);
// Component names: ASCII letters folded, lengths equal.
bool SameText(std::string_view a, std::string_view b);

const void* MethodAddress(TClass cls, std::string_view name);
const TPublishedMethod* FindPublishedMethod(TClass cls, std::string_view name);
// The handler of that number in the class's own message table, or none.
const TMessageEntry* FindMessage(TClass cls, std::uint32_t msg);
// The published field of that name in the object's class or an ancestor.
const TPublishedField* FindPublishedField(TClass cls, std::string_view name);

const TPropInfo* GetPropInfo(const TTypeInfo* type, std::string_view name);
const TPropInfo* GetPropInfo(TClass cls, std::string_view name);
// One slot per property of the full count, redeclared properties once.
std::vector<const TPropInfo*> GetPropInfos(const TTypeInfo* type);

std::intptr_t GetOrdProp(TObject* instance, const TPropInfo* prop);
void SetOrdProp(TObject* instance, const TPropInfo* prop, std::intptr_t value);
std::string GetStrProp(TObject* instance, const TPropInfo* prop);
void SetStrProp(TObject* instance, const TPropInfo* prop, const std::string& value);
std::u16string GetWideStrProp(TObject* instance, const TPropInfo* prop);
long double GetFloatProp(TObject* instance, const TPropInfo* prop);
void SetFloatProp(TObject* instance, const TPropInfo* prop, long double value);
TMethod GetMethodProp(TObject* instance, const TPropInfo* prop);
void SetMethodProp(TObject* instance, const TPropInfo* prop, const TMethod& value);
std::int64_t GetInt64Prop(TObject* instance, const TPropInfo* prop);
void SetInt64Prop(TObject* instance, const TPropInfo* prop, std::int64_t value);
Variant GetVariantProp(TObject* instance, const TPropInfo* prop);
void SetVariantProp(TObject* instance, const TPropInfo* prop, const Variant& value);
TObject* GetObjectProp(TObject* instance, const TPropInfo* prop);

// The position of a value name of an enumeration (0 .. the base type's
// maximum), or -1; for an integer type the name is read as a decimal number.
std::int32_t GetEnumValue(const TTypeInfo* type, std::string_view name);
std::string GetEnumName(const TTypeInfo* type, std::int32_t value);

// Type records of the built-in types.
const TTypeInfo* TypeInfoInteger();   // 32-bit signed
const TTypeInfo* TypeInfoCardinal();  // 32-bit unsigned
const TTypeInfo* TypeInfoSmallInt();
const TTypeInfo* TypeInfoWord();
const TTypeInfo* TypeInfoShortInt();
const TTypeInfo* TypeInfoByte();
const TTypeInfo* TypeInfoChar();
const TTypeInfo* TypeInfoBoolean();
const TTypeInfo* TypeInfoString();  // long string
const TTypeInfo* TypeInfoWideString();
const TTypeInfo* TypeInfoSingle();
const TTypeInfo* TypeInfoDouble();
const TTypeInfo* TypeInfoExtended();
const TTypeInfo* TypeInfoComp();
const TTypeInfo* TypeInfoCurrency();
const TTypeInfo* TypeInfoInt64();
const TTypeInfo* TypeInfoVariant();
