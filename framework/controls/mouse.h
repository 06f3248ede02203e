// TMouse: what the program knows of the mouse, read from the system's
// settings and read again when they change.
#pragma once

#include "framework/streaming/class_info.h"
#include "platform/windows.h"

class TMouse : public TObject {
  TAVRION_CLASS(TMouse, TObject)

 public:
  TMouse();

  bool MousePresent() const { return GetSystemMetrics(SM_MOUSEPRESENT) != 0; }
  bool WheelPresent() const { return wheel_present_; }
  // How many lines a notch of the wheel scrolls.
  int WheelScrollLines() const { return wheel_scroll_lines_; }
  // A system setting changed: `setting` is the parameter, 0 for any.
  void SettingChanged(WPARAM setting);

 private:
  void ReadWheelSettings();

  bool wheel_present_ = false;
  int wheel_scroll_lines_ = 3;
};

// Made before the screen and the application, freed after them.
extern TMouse* Mouse;
