// Framework objects in tests: held by a pointer that frees them, the message
// of what an action raised, and a counter of notify events.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "framework/rtl/exceptions.h"
#include "framework/streaming/object.h"

template <typename T>
using Owned = std::unique_ptr<T, FreeDeleter>;

template <typename T, typename... Args>
Owned<T> Make(Args&&... args) {
  return Owned<T>(Construct<T>(std::forward<Args>(args)...));
}

// The message of the E that `act` raises, "" when it returns; an exception of
// another type goes on and fails the test.
template <typename E = Exception, typename Act>
std::string RaisedMessage(Act&& act) {
  try {
    act();
  } catch (const E& e) {
    return e.Message();
  }
  return {};
}

struct EventCounter : TObject {
  int count = 0;
  void Count(TObject*) { ++count; }
};
