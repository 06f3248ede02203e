// Declaring class information next to a class.
//
//   class TThing : public TComponent {
//     TAVRION_CLASS(TThing, TComponent)
//    public:
//     explicit TThing(TComponent* owner);
//     void ButtonClick(TObject* sender);
//     TEdit* Edit1 = nullptr;
//    private:
//     std::int32_t size_ = 0;
//     void SetSize(std::int32_t value);
//   };
//
//   TAVRION_CLASS_INFO(TThing, "Things") {
//     c.Property<&TThing::size_, &TThing::SetSize>("Size", TypeInfoInteger).Default(0);
//     c.Method<&TThing::ButtonClick>("ButtonClick");
//     c.Field<&TThing::Edit1>("Edit1");
//     c.Message<CM_TEXTCHANGED>(&TThing::CMTextChanged);
//   }
//
// Properties, methods and fields are published in the order they are listed.
// A message handler takes TMessage& and reaches the behaviour of the
// ancestors with Inherited(message), which every class declares for itself.
#pragma once

#include <cmath>
#include <new>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "framework/streaming/published_type.h"

class TComponent;
template <typename T>
class ClassBuilder;
template <typename T>
TClassInfo BuildClassInfo(const char* name, const char* unit);

#define TAVRION_CLASS(Class, Parent)                                 \
 public:                                                             \
  using inherited = Parent;                                          \
  using ThisClass = Class;                                           \
  static const TClassInfo& StaticClass();                            \
  TClass ClassType() const override {                                \
    return &StaticClass();                                           \
  }                                                                  \
                                                                     \
 protected:                                                          \
  void Inherited(TMessage& message) {                                \
    DispatchFrom(&inherited::StaticClass(), message);                \
  }                                                                  \
                                                                     \
 private:                                                            \
  friend class ClassBuilder<Class>;                                  \
  friend TClassInfo BuildClassInfo<Class>(const char*, const char*); \
  static void DescribeClass(ClassBuilder<Class>& c);

#define TAVRION_CLASS_INFO_LISTED(Line) class_info_listed_##Line
#define TAVRION_CLASS_INFO_LIST(Class, Line)                           \
  [[maybe_unused]] static const bool TAVRION_CLASS_INFO_LISTED(Line) = \
      ListClassInfo(&Class::StaticClass)

#define TAVRION_CLASS_INFO(Class, Unit)                                                   \
  const TClassInfo& Class::StaticClass() {                                                \
    static const TClassInfo& info = FinishClassInfo(BuildClassInfo<Class>(#Class, Unit)); \
    return info;                                                                          \
  }                                                                                       \
  TAVRION_CLASS_INFO_LIST(Class, __LINE__);                                               \
  void Class::DescribeClass([[maybe_unused]] ClassBuilder<Class>& c)

// Every class whose information is declared in the program, listed before
// main runs; the information itself is built on first use.
bool ListClassInfo(TClassRef cls);
const std::vector<TClassRef>& ListedClassInfos();

namespace class_info {

template <typename>
struct IsSet : std::false_type {};
template <typename E>
struct IsSet<TSet<E>> : std::true_type {};

// The canonical form in which a value of C++ type V crosses an accessor.
template <typename V>
auto CanonicalOf() {
  if constexpr (std::is_same_v<V, std::string> || std::is_same_v<V, std::u16string> ||
                std::is_same_v<V, TMethod> || std::is_same_v<V, Variant> ||
                std::is_same_v<V, Currency>) {
    return V{};
  } else if constexpr (EventType<V>) {
    return TMethod{};
  } else if constexpr (std::is_floating_point_v<V>) {
    return static_cast<long double>(0);
  } else {
    static_assert(
        std::is_integral_v<V> || std::is_enum_v<V> || IsSet<V>::value || std::is_pointer_v<V>,
        "no canonical form for this property type");
    return std::intptr_t{0};
  }
}
template <typename V>
using Canonical = decltype(CanonicalOf<V>());

template <typename V>
Canonical<V> ToCanonical(const V& value) {
  if constexpr (IsSet<V>::value) {
    return static_cast<std::intptr_t>(value.bits);
  } else if constexpr (EventType<V>) {
    return value.Method();
  } else if constexpr (std::is_pointer_v<V>) {
    return reinterpret_cast<std::intptr_t>(static_cast<TObject*>(value));
  } else if constexpr (std::is_enum_v<V>) {
    return static_cast<std::intptr_t>(static_cast<std::underlying_type_t<V>>(value));
  } else {
    return static_cast<Canonical<V>>(value);
  }
}

template <typename V>
V FromCanonical(const Canonical<V>& value) {
  if constexpr (IsSet<V>::value) {
    return V{static_cast<std::uint32_t>(value)};
  } else if constexpr (EventType<V>) {
    return V(value);
  } else if constexpr (std::is_pointer_v<V>) {
    return dynamic_cast<V>(reinterpret_cast<TObject*>(value));
  } else if constexpr (std::is_same_v<V, bool>) {
    return (value & 0xFF) != 0;
  } else if constexpr (std::is_enum_v<V>) {
    return static_cast<V>(static_cast<std::underlying_type_t<V>>(value));
  } else {
    return static_cast<V>(value);
  }
}

template <typename M>
struct MemberFunction;
template <typename T, typename R, typename... A>
struct MemberFunction<R (T::*)(A...)> {
  using Result = R;
  static constexpr std::size_t kArity = sizeof...(A);
  template <std::size_t I>
  using Arg = std::remove_cvref_t<std::tuple_element_t<I, std::tuple<A...>>>;
};
template <typename T, typename R, typename... A>
struct MemberFunction<R (T::*)(A...) const> : MemberFunction<R (T::*)(A...)> {};

template <typename M>
struct MemberObject;
template <typename T, typename V>
struct MemberObject<V T::*> {
  using Value = V;
};

template <typename T, auto Get>
void Read(TObject* self, [[maybe_unused]] std::int32_t index, void* out) {
  T* object = static_cast<T*>(self);
  if constexpr (std::is_member_object_pointer_v<decltype(Get)>) {
    using V = typename MemberObject<decltype(Get)>::Value;
    *static_cast<Canonical<V>*>(out) = ToCanonical<V>(object->*Get);
  } else {
    using F = MemberFunction<decltype(Get)>;
    using V = std::remove_cvref_t<typename F::Result>;
    if constexpr (F::kArity == 0) {
      *static_cast<Canonical<V>*>(out) = ToCanonical<V>((object->*Get)());
    } else {
      *static_cast<Canonical<V>*>(out) = ToCanonical<V>((object->*Get)(index));
    }
  }
}

template <typename T, auto Set>
void Write(TObject* self, [[maybe_unused]] std::int32_t index, void* in) {
  T* object = static_cast<T*>(self);
  if constexpr (std::is_member_object_pointer_v<decltype(Set)>) {
    using V = typename MemberObject<decltype(Set)>::Value;
    object->*Set = FromCanonical<V>(*static_cast<Canonical<V>*>(in));
  } else {
    using F = MemberFunction<decltype(Set)>;
    if constexpr (F::kArity == 1) {
      using V = typename F::template Arg<0>;
      (object->*Set)(FromCanonical<V>(*static_cast<Canonical<V>*>(in)));
    } else {
      using V = typename F::template Arg<1>;
      (object->*Set)(index, FromCanonical<V>(*static_cast<Canonical<V>*>(in)));
    }
  }
}

template <auto Access>
constexpr TPropAccessor::Kind KindOf() {
  return std::is_member_object_pointer_v<decltype(Access)> ? TPropAccessor::kField
                                                           : TPropAccessor::kMethod;
}

// The byte width of a C++ type must be that of the ordinal type it is
// published as: reading and writing follow the C++ type.
void CheckOrdinalWidth(const std::string& owner, const TPropInfo& prop, std::size_t size);

// The canonical forms, as the typed property functions expect them by kind.
enum class Form { kOrdinal, kString, kWide, kFloat, kCurrency, kMethod, kVariant };

template <typename V>
constexpr Form FormOf() {
  using C = Canonical<V>;
  if constexpr (std::is_same_v<C, std::string>) return Form::kString;
  if constexpr (std::is_same_v<C, std::u16string>) return Form::kWide;
  if constexpr (std::is_same_v<C, long double>) return Form::kFloat;
  if constexpr (std::is_same_v<C, Currency>) return Form::kCurrency;
  if constexpr (std::is_same_v<C, TMethod>) return Form::kMethod;
  if constexpr (std::is_same_v<C, Variant>) return Form::kVariant;
  return Form::kOrdinal;
}

// The value type of a getter or setter of T.
template <auto Access, bool kSetter>
auto ValueOf() {
  if constexpr (std::is_member_object_pointer_v<decltype(Access)>) {
    return typename MemberObject<decltype(Access)>::Value{};
  } else {
    using F = MemberFunction<decltype(Access)>;
    if constexpr (!kSetter) {
      return std::remove_cvref_t<typename F::Result>{};
    } else {
      return typename F::template Arg<F::kArity - 1>{};
    }
  }
}

// A C++ type must cross accessors in the form its published kind expects;
// a mismatch is a mistake in the class information, found at start-up.
void CheckForm(const std::string& owner, const TPropInfo& prop, Form form);
// An event property's type record must name the signature of its C++ type.
void CheckSignature(const std::string& owner, const TPropInfo& prop, TSignature signature);
// Message numbers are unique within a class.
void CheckMessage(const std::string& owner, const std::vector<TMessageEntry>& table,
                  std::uint32_t msg);

}  // namespace class_info

template <typename T>
class ClassBuilder {
 public:
  class PropertyRef {
   public:
    explicit PropertyRef(TPropInfo& prop) : prop_(prop) {}
    PropertyRef& Index(std::int32_t index) {
      prop_.Index = index;
      return *this;
    }
    PropertyRef& Default(std::int32_t value) {
      prop_.Default = value;
      return *this;
    }
    PropertyRef& NotStored() {
      prop_.Stored = false;
      return *this;
    }

   private:
    TPropInfo& prop_;
  };

  explicit ClassBuilder(TClassInfo& info) : info_(info) {}

  // Get and Set are data members or member functions of T; Set may be
  // nullptr for a read-only property. Both hold the same C++ type, whose
  // record is the property's type; As, a TPublishedAlias, names another.
  template <auto Get, auto Set, typename As = void>
  PropertyRef Property(std::string name) {
    using Value = decltype(class_info::ValueOf<Get, false>());
    if constexpr (!std::is_null_pointer_v<decltype(Set)>) {
      static_assert(std::is_same_v<Value, decltype(class_info::ValueOf<Set, true>())>,
                    "the getter and the setter hold one type");
    }
    TPropInfo& prop = info_.Props.emplace_back();
    prop.Name = std::move(name);
    prop.GetProc = {class_info::KindOf<Get>(), &class_info::Read<T, Get>};
    if constexpr (!std::is_null_pointer_v<decltype(Set)>) {
      prop.SetProc = {class_info::KindOf<Set>(), &class_info::Write<T, Set>};
    }
    if constexpr (std::is_void_v<As>) {
      prop.TypeRef = &TypeInfoFor<Value>;
    } else {
      static_assert(std::is_same_v<Value, typename As::Value>, "the alias is of another type");
      // A record written by hand: its kind must suit the C++ type.
      prop.TypeRef = As::kRecord;
      class_info::CheckForm(info_.ClassName, prop, class_info::FormOf<Value>());
      if constexpr (std::is_integral_v<Value> || std::is_enum_v<Value>) {
        class_info::CheckOrdinalWidth(info_.ClassName, prop, sizeof(Value));
      }
      if constexpr (EventType<Value>) {
        class_info::CheckSignature(info_.ClassName, prop, SignatureOf<typename Value::Signature>());
      }
    }
    return PropertyRef(prop);
  }

  // A published method, bound by the reader to events of its signature.
  template <auto M>
  void Method(std::string name) {
    static_assert(std::is_base_of_v<typename event_detail::Member<decltype(M)>::Class, T>,
                  "the method belongs to another class");
    info_.Methods.push_back({std::move(name), MethodCode<M>(), MethodSignature<M>()});
  }

  // The handler of message number N: a member function of T or an ancestor
  // taking TMessage&. The table is kept sorted by number.
  template <std::uint32_t N, typename C>
  void Message(void (C::*handler)(TMessage&)) {
    static_assert(std::is_base_of_v<C, T>, "the handler belongs to another class");
    class_info::CheckMessage(info_.ClassName, info_.Messages, N);
    const TMessageEntry entry{N, static_cast<TMessageHandler>(handler)};
    auto at = info_.Messages.begin();
    while (at != info_.Messages.end() && at->Msg < N) ++at;
    info_.Messages.insert(at, entry);
  }

  // A published field: a member U* of T, U a class with class information,
  // which is built only when first asked for.
  template <auto F>
  void Field(std::string name) {
    using U = std::remove_pointer_t<typename class_info::MemberObject<decltype(F)>::Value>;
    static_assert(HasClassInfo<U>, "a published field refers to a class of its own");
    const TClassRef cls = &U::StaticClass;
    std::uint16_t index = 0;
    while (index < info_.FieldClassTable.size() && info_.FieldClassTable[index] != cls) ++index;
    if (index == info_.FieldClassTable.size()) info_.FieldClassTable.push_back(cls);
    info_.Fields.push_back(
        {std::move(name), index,
         [](TObject* self, TObject* value) { static_cast<T*>(self)->*F = dynamic_cast<U*>(value); },
         [](TObject* self) -> TObject* { return static_cast<T*>(self)->*F; }});
  }

 private:
  TClassInfo& info_;
};

template <typename T>
TClassInfo BuildClassInfo(const char* name, const char* unit) {
  TClassInfo info;
  info.ClassName = name;
  info.UnitName = unit;
  info.Parent = &T::inherited::StaticClass();
  info.InstanceSize = sizeof(T);
  // Objects are deleted only by Free, so the test is on the constructor alone.
  if constexpr (!std::is_abstract_v<T> &&
                requires(void* place, TComponent* owner) { ::new (place) T(owner); }) {
    info.Create = [](TComponent* owner) -> TComponent* { return Construct<T>(owner); };
  }
  if constexpr (!std::is_abstract_v<T> &&
                requires(void* place, TCollection* owner) { ::new (place) T(owner); }) {
    info.CreateItem = [](TCollection* owner) -> TCollectionItem* { return Construct<T>(owner); };
  }
  ClassBuilder<T> builder(info);
  T::DescribeClass(builder);
  return info;
}

// Numbers the properties (a redeclared one keeps its inherited slot), makes
// the class's type record and keeps the information for the process's life.
const TClassInfo& FinishClassInfo(TClassInfo info);
