// The root of every class with class information, and method references.
#pragma once

#include <string>
#include <string_view>

struct TClassInfo;
using TClass = const TClassInfo*;

class TObject {
 public:
  virtual ~TObject() = default;
  // Runs BeforeDestruction, then destroys the object. Objects that own
  // others or are owned are destroyed this way, never by a bare delete.
  void Free() {
    BeforeDestruction();
    delete this;
  }
  virtual void BeforeDestruction() {}
  virtual TClass ClassType() const;
  static const TClassInfo& StaticClass();

  const std::string& ClassName() const;
  // Compares with the class name by the published-name rule.
  bool ClassNameIs(std::string_view name) const;
  bool InheritsFrom(TClass ancestor) const;
};

// A method reference: the code of a published method and the object it runs
// on. Events are method references called only when the code is set.
struct TMethod {
  const void* Code = nullptr;
  TObject* Data = nullptr;
  friend bool operator==(const TMethod&, const TMethod&) = default;
};

// Calls an event of signature void(TObject* sender, Args...) when it is set.
// Code is the thunk a published method registers (see class_info.h).
template <typename... Args>
void CallEvent(const TMethod& event, TObject* sender, Args... args) {
  if (event.Code == nullptr) return;
  using Thunk = void (*)(TObject * self, TObject * sender, Args...);
  reinterpret_cast<Thunk>(const_cast<void*>(event.Code))(event.Data, sender, args...);
}

using TNotifyEvent = TMethod;
