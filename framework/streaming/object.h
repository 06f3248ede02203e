// The root of every class with class information, method references, typed
// events and message dispatch.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

struct TClassInfo;
using TClass = const TClassInfo*;

// A message as a window procedure, Dispatch and DefaultHandler pass it on.
struct TMessage {
  std::uint32_t Msg = 0;
  std::intptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

class TObject {
 public:
  using ThisClass = TObject;
  // Runs BeforeDestruction, then destroys the object: the only way to
  // destroy one, since a delete-expression anywhere else does not compile.
  void Free() {
    BeforeDestruction();
    delete this;
  }
  // Pairs with the operator delete below, so the compiler sees every
  // object allocated and freed by one pair.
  static void* operator new(std::size_t size) { return ::operator new(size); }
  // Runs once the most-derived constructor has finished, for objects made by
  // Construct<T> or by a class's factory: the object is whole, its virtual
  // methods and class information are its own.
  virtual void AfterConstruction() {}
  virtual void BeforeDestruction() {}
  virtual TClass ClassType() const;
  static const TClassInfo& StaticClass();

  const std::string& ClassName() const;
  // Compares with the class name by the published-name rule.
  bool ClassNameIs(std::string_view name) const;
  bool InheritsFrom(TClass ancestor) const;

  // Calls the handler of the message's number in the nearest class that
  // has one in its message table, or DefaultHandler when none has.
  void Dispatch(TMessage& message) { DispatchFrom(ClassType(), message); }
  virtual void DefaultHandler(TMessage&) {}

 protected:
  // Dispatch that starts its search at `cls`, which must be this object's
  // class or an ancestor; a handler's Inherited(message) starts at the
  // parent of the class the handler belongs to.
  void DispatchFrom(TClass cls, TMessage& message);
  virtual ~TObject() = default;
  static void operator delete(void* object) { ::operator delete(object); }

 private:
  template <typename T, typename... Args>
  friend T* Construct(Args&&... args);
  template <typename T, typename... Args>
  friend T* ConstructInto(T*& reference, Args&&... args);
};

// Makes an object and runs its AfterConstruction; when that fails the object
// is freed and the exception goes on.
template <typename T, typename... Args>
T* Construct(Args&&... args) {
  T* object = new T(std::forward<Args>(args)...);
  try {
    object->AfterConstruction();
  } catch (...) {
    object->Free();
    throw;
  }
  return object;
}

// Construct, with the new object stored in `reference` before its
// AfterConstruction runs (so that code there reaches it through the
// reference); a failure sets the reference to none.
template <typename T, typename... Args>
T* ConstructInto(T*& reference, Args&&... args) {
  T* object = new T(std::forward<Args>(args)...);
  reference = object;
  try {
    object->AfterConstruction();
  } catch (...) {
    reference = nullptr;
    object->Free();
    throw;
  }
  return object;
}

// A deleter for std::unique_ptr that frees the object.
struct FreeDeleter {
  void operator()(TObject* object) const {
    if (object != nullptr) object->Free();
  }
};

// A handler of a message table, converted to a member of TObject.
using TMessageHandler = void (TObject::*)(TMessage&);

// A method reference: the code of a method and the object it runs on. The
// code is the thunk of a signature (below), taking the object first.
struct TMethod {
  const void* Code = nullptr;
  TObject* Data = nullptr;
  friend bool operator==(const TMethod&, const TMethod&) = default;
};

// The identity of an event signature: the address of a tag per signature.
// Event type records and published methods carry one; the reader binds a
// method to an event only when both are the same.
using TSignature = const void*;

namespace event_detail {
template <typename Sig>
struct Tag {
  static constexpr char kTag = 0;
};

template <typename T, auto M, typename R, typename... A>
R Call(TObject* self, A... args) {
  return (static_cast<T*>(self)->*M)(std::forward<A>(args)...);
}

template <typename M>
struct Member;
template <typename C, typename R, typename... A>
struct Member<R (C::*)(A...)> {
  using Class = C;
  using Signature = R(A...);
  template <auto M>
  static constexpr R (*kThunk)(TObject*, A...) = &Call<C, M, R, A...>;
};
template <typename C, typename R, typename... A>
struct Member<R (C::*)(A...) const> : Member<R (C::*)(A...)> {};
}  // namespace event_detail

template <typename Sig>
constexpr TSignature SignatureOf() {
  return &event_detail::Tag<Sig>::kTag;
}

template <typename Sig>
class TEvent;

// An event: a method reference of a known signature. Calling an unassigned
// event does nothing (and answers a value-initialised result).
template <typename R, typename... A>
class TEvent<R(A...)> {
 public:
  using Signature = R(A...);
  using Thunk = R (*)(TObject* self, A...);

  TEvent() = default;
  // The method must be a thunk of this signature: one made by MethodOf, a
  // published method's code, or the value of an event of the same type.
  explicit TEvent(const TMethod& method) : method_(method) {}

  R operator()(A... args) const {
    if (method_.Code == nullptr) return R();
    return reinterpret_cast<Thunk>(const_cast<void*>(method_.Code))(method_.Data,
                                                                    std::forward<A>(args)...);
  }
  bool Assigned() const { return method_.Code != nullptr; }
  const TMethod& Method() const { return method_; }
  friend bool operator==(const TEvent&, const TEvent&) = default;

 private:
  TMethod method_;
};

// TEvent<Signature> or an event type made from one.
template <typename V>
concept EventType = requires {
  typename V::Signature;
}
&&std::is_base_of_v<TEvent<typename V::Signature>, V>;

// The event that calls M, a member function of T or of an ancestor, on
// `object`: MethodOf<&TForm1::Button1Click>(form).
template <auto M>
auto MethodOf(typename event_detail::Member<decltype(M)>::Class* object) {
  using Info = event_detail::Member<decltype(M)>;
  return TEvent<typename Info::Signature>(
      TMethod{reinterpret_cast<const void*>(Info::template kThunk<M>), object});
}

// The code a published method registers; the same as MethodOf's.
template <auto M>
const void* MethodCode() {
  return reinterpret_cast<const void*>(event_detail::Member<decltype(M)>::template kThunk<M>);
}
template <auto M>
constexpr TSignature MethodSignature() {
  return SignatureOf<typename event_detail::Member<decltype(M)>::Signature>();
}

// A window procedure as an event: a method taking the message, no sender.
using TWndMethod = TEvent<void(TMessage& message)>;
