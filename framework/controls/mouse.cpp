#include "framework/controls/mouse.h"

TMouse* Mouse = nullptr;

TAVRION_CLASS_INFO(TMouse, "Controls") {}

TMouse::TMouse() {
  ReadWheelSettings();
}

void TMouse::SettingChanged(WPARAM setting) {
  if (setting == 0 || setting == SPI_SETWHEELSCROLLLINES) ReadWheelSettings();
}

void TMouse::ReadWheelSettings() {
  wheel_present_ = GetSystemMetrics(SM_MOUSEWHEELPRESENT) != 0;
  UINT lines = 0;
  if (wheel_present_ && SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0) != 0) {
    wheel_scroll_lines_ = static_cast<int>(lines);
  }
}
