// InitCommonControl: makes sure the common-control window classes a control
// needs are there before its window is made; and Store, the first step of
// every setter of these controls.
#pragma once

#include "platform/commctrl.h"

// Asks for the classes named by `classes` (ICC_ bits); falls back on the
// initialisation of all classes when the asking fails. True when the asking
// succeeded.
bool InitCommonControl(DWORD classes);

// Stores value into field; false when the field held it already, so a
// setter does nothing more.
template <typename T>
bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}
