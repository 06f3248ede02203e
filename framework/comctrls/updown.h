// TCustomUpDown and TUpDown: a pair of arrow buttons over the system's
// "msctls_updown32", usually bound to an edit beside it (its associate)
// whose text shows the position.
#pragma once

#include <cstdint>

#include "framework/controls/win_control.h"

TAVRION_ENUM(TUDAlignButton, std::uint8_t, udLeft, udRight)
TAVRION_ENUM(TUDOrientation, std::uint8_t, udHorizontal, udVertical)
// Which button a click stands for: the position rose, or it fell.
TAVRION_ENUM(TUDBtnType, std::uint8_t, btNext, btPrev)
TAVRION_ENUM(TUpDownDirection, std::uint8_t, updNone, updUp, updDown)

TAVRION_EVENT(TUDChangingEvent, void(TObject* sender, bool& allow_change))
TAVRION_EVENT(TUDChangingEventEx, void(TObject* sender, bool& allow_change, std::int16_t new_value,
                                       TUpDownDirection direction))
TAVRION_EVENT(TUDClickEvent, void(TObject* sender, TUDBtnType button))

class TCustomUpDown : public TWinControl {
  TAVRION_CLASS(TCustomUpDown, TWinControl)

 public:
  explicit TCustomUpDown(TComponent* owner);

  TUDAlignButton AlignButton() const { return align_button_; }
  void SetAlignButton(TUDAlignButton value);
  TWinControl* Associate() const { return associate_; }
  void SetAssociate(TWinControl* value);
  bool ArrowKeys() const { return arrow_keys_; }
  void SetArrowKeys(bool value);
  std::int16_t Min() const { return min_; }
  void SetMin(std::int16_t value);
  std::int16_t Max() const { return max_; }
  void SetMax(std::int16_t value);
  std::int32_t Increment() const { return increment_; }
  void SetIncrement(std::int32_t value);
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation value);
  // The window's position when there is one (kept in the field), else the
  // field.
  std::int16_t Position();
  void SetPosition(std::int16_t value);
  bool Thousands() const { return thousands_; }
  void SetThousands(bool value);
  bool Wrap() const { return wrap_; }
  void SetWrap(bool value);

  TUDChangingEvent OnChanging;
  TUDChangingEventEx OnChangingEx;
  // Hides the control's plain click: an up-down's click names its button.
  TUDClickEvent OnClick;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Asks the changing events whether the position may become new_value,
  // delta away from the current one.
  virtual bool AllowPositionChange(std::int16_t new_value, std::int16_t delta);
  virtual void DoClick(TUDBtnType button);
  // Widens (and moves) the item by what attaching it takes away, so that
  // the next attachment leaves it at its designed bounds.
  void UndoAutoResizing(TWinControl* item);

  void CNNotify(TMessage& message);
  void CNScroll(TMessage& message);
  void WMSize(TMessage& message);
  void CMAllChildrenFlipped(TMessage& message);

 private:
  // Detaches the associate from the window (when there is one) and makes
  // the window again with the changed style.
  void RecreateDetached();
  void SendRange();
  void SendIncrement();
  void WriteAssociateText();

  TUDAlignButton align_button_ = udRight;
  TWinControl* associate_ = nullptr;
  bool arrow_keys_ = true;
  std::int16_t min_ = 0;
  std::int16_t max_ = 100;
  std::int32_t increment_ = 1;
  TUDOrientation orientation_ = udVertical;
  std::int16_t position_ = 0;
  bool thousands_ = true;
  bool wrap_ = false;
  // The proposed position and its difference from the current one, for the
  // change check.
  std::int16_t pending_value_ = 0;
  std::int16_t pending_delta_ = 0;
};

// The up-down as a form uses it: TCustomUpDown with its properties published.
class TUpDown : public TCustomUpDown {
  TAVRION_CLASS(TUpDown, TCustomUpDown)

 public:
  using TCustomUpDown::TCustomUpDown;
};
