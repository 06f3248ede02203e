// TProgressBar: a bar over the system's "msctls_progress32". The range and
// step live in fields; the position lives in the window while there is one
// and is taken back before the window goes.
#pragma once

#include <cstdint>

#include "framework/controls/win_control.h"

TAVRION_ENUM(TProgressBarOrientation, std::uint8_t, pbHorizontal, pbVertical)

class TProgressBar : public TWinControl {
  TAVRION_CLASS(TProgressBar, TWinControl)

 public:
  explicit TProgressBar(TComponent* owner);

  // Whether the window takes 32-bit ranges; without, every bound and
  // position must lie in 0..65535.
  bool RangeIs32Bit() const { return range_is_32bit_; }

  // The window's range when it can tell a 32-bit one, else the fields.
  std::int32_t Min();
  void SetMin(std::int32_t value) { SetParams(value, max_); }
  std::int32_t Max();
  void SetMax(std::int32_t value) { SetParams(min_, value); }
  void SetParams(std::int32_t min, std::int32_t max);
  std::int32_t Position();
  void SetPosition(std::int32_t value);
  std::int32_t Step() const { return step_; }
  void SetStep(std::int32_t value);
  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation value);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  void SendRange(std::int32_t min, std::int32_t max);
  // Raises the range error for a value a 16-bit window cannot take.
  void CheckSixteenBit(std::int32_t value) const;

  bool range_is_32bit_;
  std::int32_t min_ = 0;
  std::int32_t max_ = 100;
  std::int32_t position_ = 0;
  std::int32_t step_ = 10;
  TProgressBarOrientation orientation_ = pbHorizontal;
  bool smooth_ = false;
};
