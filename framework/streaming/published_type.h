// The type record of a published value follows from its C++ type.
//
//   TAVRION_ENUM(TAlign, std::uint8_t, alNone, alTop, alBottom)  // "TAlign"
//   TAVRION_SET(TAnchors, TAnchorKind)                           // "TAnchors"
//   TAVRION_EVENT(TCloseEvent, void(TObject* sender, TCloseAction& action))
//
// Published enumerations, sets and event types are declared with these
// macros at namespace scope, where argument-dependent lookup finds them.
//
// Built-in C++ types have the records of the matching built-in types
// (std::int32_t is "Integer", bool "Boolean", std::string "string"), and a
// pointer to a class with class information the class's record. A type
// published under a name of its own while sharing its C++ type with others
// (a colour that is an Integer named "TColor") is a TPublishedAlias.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "framework/streaming/typinfo.h"

// A set of up to 32 elements of an enumeration, one bit per ordinal.
template <typename E>
struct TSet {
  std::uint32_t bits = 0;
  bool Contains(E e) const { return (bits >> static_cast<unsigned>(e) & 1) != 0; }
  TSet& Include(E e) {
    bits |= 1u << static_cast<unsigned>(e);
    return *this;
  }
  friend bool operator==(const TSet&, const TSet&) = default;
};

TTypeInfo MakeEnumType(std::string name, TOrdType ord_type, std::vector<std::string> names);
TTypeInfo MakeSetType(std::string name, const TTypeInfo* element);
TTypeInfo MakeIntegerType(std::string name, TOrdType ord_type, std::int32_t min, std::int32_t max);
// A long string type of its own name ("TComponentName").
TTypeInfo MakeStringType(std::string name);
template <typename Event>
TTypeInfo MakeEventType(std::string name) {
  TTypeInfo type;
  type.Kind = tkMethod;
  type.Name = std::move(name);
  type.Signature = SignatureOf<typename Event::Signature>();
  return type;
}

// PublishedType(static_cast<V*>(nullptr)) is the record of V. Overloads for
// declared types are found through the type's own namespace.
inline const TTypeInfo* PublishedType(std::int32_t*) {
  return TypeInfoInteger();
}
inline const TTypeInfo* PublishedType(std::uint32_t*) {
  return TypeInfoCardinal();
}
inline const TTypeInfo* PublishedType(std::int16_t*) {
  return TypeInfoSmallInt();
}
inline const TTypeInfo* PublishedType(std::uint16_t*) {
  return TypeInfoWord();
}
inline const TTypeInfo* PublishedType(std::int8_t*) {
  return TypeInfoShortInt();
}
inline const TTypeInfo* PublishedType(std::uint8_t*) {
  return TypeInfoByte();
}
inline const TTypeInfo* PublishedType(char*) {
  return TypeInfoChar();
}
inline const TTypeInfo* PublishedType(bool*) {
  return TypeInfoBoolean();
}
inline const TTypeInfo* PublishedType(std::string*) {
  return TypeInfoString();
}
inline const TTypeInfo* PublishedType(std::u16string*) {
  return TypeInfoWideString();
}
inline const TTypeInfo* PublishedType(float*) {
  return TypeInfoSingle();
}
inline const TTypeInfo* PublishedType(double*) {
  return TypeInfoDouble();
}
inline const TTypeInfo* PublishedType(long double*) {
  return TypeInfoExtended();
}
inline const TTypeInfo* PublishedType(Currency*) {
  return TypeInfoCurrency();
}
inline const TTypeInfo* PublishedType(std::int64_t*) {
  return TypeInfoInt64();
}
inline const TTypeInfo* PublishedType(Variant*) {
  return TypeInfoVariant();
}

// The record of a class type, reached only when first asked for, so that
// two classes may publish references to each other.
template <typename U>
const TTypeInfo* ClassTypeInfo() {
  return &U::StaticClass().TypeInfo;
}

// A class that declares its own class information (TAVRION_CLASS).
template <typename U>
concept HasClassInfo = std::is_base_of_v<TObject, U> && std::is_same_v<typename U::ThisClass, U>;

template <typename V>
const TTypeInfo* TypeInfoFor() {
  if constexpr (std::is_pointer_v<V>) {
    using U = std::remove_pointer_t<V>;
    static_assert(HasClassInfo<U>, "an object reference is published as a class of its own");
    return ClassTypeInfo<U>();
  } else {
    return PublishedType(static_cast<V*>(nullptr));
  }
}

// Another name for the type record of a C++ type: the accessors must hold a
// Value, and the record's kind must suit it (checked when the class
// information is built).
template <typename V, TTypeInfoRef Record>
struct TPublishedAlias {
  using Value = V;
  static constexpr TTypeInfoRef kRecord = Record;
};

namespace published_type {

template <typename U>
constexpr TOrdType OrdTypeOf() {
  static_assert(std::is_unsigned_v<U> && sizeof(U) <= 2,
                "a published enumeration is stored in std::uint8_t or std::uint16_t");
  return sizeof(U) == 1 ? otUByte : otUWord;
}

// The names of "a, b, c"; published enumerations number from 0 in order.
std::vector<std::string> SplitNames(std::string_view list);
constexpr bool NumbersFromZero(std::string_view list) {
  return list.find('=') == std::string_view::npos;
}

}  // namespace published_type

#define TAVRION_ENUM_RECORD(Name, Underlying, ...)                                  \
  static_assert(published_type::NumbersFromZero(#__VA_ARGS__),                      \
                "a published enumeration gives its values no numbers");             \
  inline const TTypeInfo* PublishedType(Name*) {                                    \
    static const TTypeInfo& type =                                                  \
        *new TTypeInfo(MakeEnumType(#Name, published_type::OrdTypeOf<Underlying>(), \
                                    published_type::SplitNames(#__VA_ARGS__)));     \
    return &type;                                                                   \
  }

// An enumeration and the names of its values, declared together at
// namespace scope.
#define TAVRION_ENUM(Name, Underlying, ...) \
  enum Name : Underlying { __VA_ARGS__ };   \
  TAVRION_ENUM_RECORD(Name, Underlying, __VA_ARGS__)

// The same with scoped values, for names another enumeration also uses.
#define TAVRION_SCOPED_ENUM(Name, Underlying, ...) \
  enum class Name : Underlying { __VA_ARGS__ };    \
  TAVRION_ENUM_RECORD(Name, Underlying, __VA_ARGS__)

// A set of a published enumeration, declared in the enumeration's namespace.
#define TAVRION_SET(Name, Element)                                                         \
  using Name = TSet<Element>;                                                              \
  inline const TTypeInfo* PublishedType(TSet<Element>*) {                                  \
    static const TTypeInfo& type =                                                         \
        *new TTypeInfo(MakeSetType(#Name, PublishedType(static_cast<Element*>(nullptr)))); \
    return &type;                                                                          \
  }

// An event type: a distinct C++ type for TEvent<Signature>, so that event
// types of one signature (a close query and an up-down's changing event)
// keep records of their own; methods bind to both alike.
#define TAVRION_EVENT(Name, ...)                                               \
  struct Name : TEvent<__VA_ARGS__> {                                          \
    using TEvent<__VA_ARGS__>::TEvent;                                         \
    Name() = default;                                                          \
    Name(const TEvent<__VA_ARGS__>& event) : TEvent<__VA_ARGS__>(event) {}     \
  };                                                                           \
  inline const TTypeInfo* PublishedType(Name*) {                               \
    static const TTypeInfo& type = *new TTypeInfo(MakeEventType<Name>(#Name)); \
    return &type;                                                              \
  }

TAVRION_EVENT(TNotifyEvent, void(TObject* sender))
