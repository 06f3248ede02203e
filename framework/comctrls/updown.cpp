#include "framework/comctrls/updown.h"

#include <string>

#include "framework/comctrls/common_controls.h"
#include "framework/rtl/format.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

namespace {

// Sent by a parent to each child after it mirrored its children's places.
constexpr UINT CM_ALLCHILDRENFLIPPED = CM_BASE + 0x3E;

// Whether the object's class or an ancestor has that name: the classes an
// associate is measured against need not be linked into this program.
bool ClassChainHas(const TObject* object, std::string_view name) {
  for (TClass cls = object->ClassType(); cls != nullptr; cls = cls->Parent) {
    if (SamePublishedName(cls->ClassName, name)) return true;
  }
  return false;
}

bool IsEdit(const TWinControl* control) {
  return ClassChainHas(control, "TCustomEdit");
}

// Controls that keep their own text or items and must not be driven by an
// up-down.
bool CanBeAssociated(const TWinControl* control) {
  if (dynamic_cast<const TCustomUpDown*>(control) != nullptr) return false;
  for (std::string_view excluded : {"TCustomTreeView", "TCustomListView", "TDBEdit", "TDBMemo"}) {
    if (ClassChainHas(control, excluded)) return false;
  }
  return true;
}

LPARAM Words(std::int16_t low, std::int16_t high) {
  return MAKELPARAM(static_cast<WORD>(low), static_cast<WORD>(high));
}

}  // namespace

TAVRION_CLASS_INFO(TCustomUpDown, "ComCtrls") {
  c.Message<CN_NOTIFY>(&TCustomUpDown::CNNotify);
  c.Message<CN_HSCROLL>(&TCustomUpDown::CNScroll);
  c.Message<CN_VSCROLL>(&TCustomUpDown::CNScroll);
  c.Message<WM_SIZE>(&TCustomUpDown::WMSize);
  c.Message<CM_ALLCHILDRENFLIPPED>(&TCustomUpDown::CMAllChildrenFlipped);
}

TAVRION_CLASS_INFO(TUpDown, "ComCtrls") {
  c.Property<&TControl::Enabled, &TControl::SetEnabled>("Enabled").Default(1);
  c.Property<&TControl::Hint, &TControl::SetHint>("Hint");
  c.Property<&TControl::ParentShowHint, &TControl::SetParentShowHint>("ParentShowHint").Default(1);
  c.Property<&TControl::ShowHint, &TControl::SetShowHint>("ShowHint");
  c.Property<&TControl::Visible, &TControl::SetVisible>("Visible").Default(1);
  c.Property<&TWinControl::TabOrder, &TWinControl::SetTabOrder>("TabOrder").Default(-1);
  c.Property<&TWinControl::TabStop, &TWinControl::SetTabStop>("TabStop").Default(0);
  c.Property<&TCustomUpDown::AlignButton, &TCustomUpDown::SetAlignButton>("AlignButton")
      .Default(udRight);
  c.Property<&TCustomUpDown::Associate, &TCustomUpDown::SetAssociate>("Associate");
  c.Property<&TCustomUpDown::ArrowKeys, &TCustomUpDown::SetArrowKeys>("ArrowKeys").Default(1);
  c.Property<&TCustomUpDown::Min, &TCustomUpDown::SetMin>("Min");
  c.Property<&TCustomUpDown::Max, &TCustomUpDown::SetMax>("Max").Default(100);
  c.Property<&TCustomUpDown::Increment, &TCustomUpDown::SetIncrement>("Increment").Default(1);
  c.Property<&TCustomUpDown::Orientation, &TCustomUpDown::SetOrientation>("Orientation")
      .Default(udVertical);
  c.Property<&TCustomUpDown::Position, &TCustomUpDown::SetPosition>("Position");
  c.Property<&TCustomUpDown::Thousands, &TCustomUpDown::SetThousands>("Thousands").Default(1);
  c.Property<&TCustomUpDown::Wrap, &TCustomUpDown::SetWrap>("Wrap");
  c.Property<&TCustomUpDown::OnChanging, &TCustomUpDown::OnChanging>("OnChanging");
  c.Property<&TCustomUpDown::OnChangingEx, &TCustomUpDown::OnChangingEx>("OnChangingEx");
  c.Property<&TCustomUpDown::OnClick, &TCustomUpDown::OnClick>("OnClick");
}

TCustomUpDown::TCustomUpDown(TComponent* owner) : TWinControl(owner) {
  const int height = GetSystemMetrics(SM_CYVSCROLL);
  SetBounds(left_, top_, GetSystemMetrics(SM_CXVSCROLL), height + height / 2);
  // A quick second press steps again.
  control_style_.Exclude(csDoubleClicks);
}

void TCustomUpDown::CreateParams(TCreateParams& params) {
  InitCommonControl(ICC_UPDOWN_CLASS);
  TWinControl::CreateParams(params);
  params.Style |= UDS_SETBUDDYINT;
  params.Style |= align_button_ == udRight ? UDS_ALIGNRIGHT : UDS_ALIGNLEFT;
  if (orientation_ == udHorizontal) params.Style |= UDS_HORZ;
  if (arrow_keys_) params.Style |= UDS_ARROWKEYS;
  if (!thousands_) params.Style |= UDS_NOTHOUSANDS;
  if (wrap_) params.Style |= UDS_WRAP;
  CreateSubClass(params, UPDOWN_CLASSA);
  params.WindowClass.style = (params.WindowClass.style & ~(CS_HREDRAW | CS_VREDRAW)) | CS_DBLCLKS;
}

void TCustomUpDown::CreateWnd() {
  const std::int32_t width = width_;
  TWinControl::CreateWnd();
  if (associate_ != nullptr) {
    UndoAutoResizing(associate_);
    SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
  }
  SetWidth(width);
  SendRange();
  SendMessageA(Handle(), UDM_SETPOS, 0, Words(position_, 0));
  SendIncrement();
}

void TCustomUpDown::SendRange() {
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETRANGE, 0, Words(max_, min_));
}

void TCustomUpDown::SendIncrement() {
  if (!HandleAllocated()) return;
  UDACCEL accel{};
  SendMessageA(Handle(), UDM_GETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  accel.nInc = static_cast<UINT>(increment_);
  SendMessageA(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TCustomUpDown::UndoAutoResizing(TWinControl* item) {
  const std::int32_t width = item->Width();
  const std::int32_t left = item->Left();
  SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(item->Handle()), 0);
  item->SetWidth(width + (width - item->Width()));
  item->SetLeft(left - (item->Left() - left));
}

void TCustomUpDown::SetAssociate(TWinControl* value) {
  if (value != nullptr && Parent() != nullptr) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* other = dynamic_cast<TCustomUpDown*>(Parent()->Controls(i));
      if (other != nullptr && other != this && other->associate_ == value) {
        throw Exception(Format(LoadResString(SUDAssociated), {value->Name(), other->Name()}));
      }
    }
  }
  if (associate_ != nullptr) {
    if (HandleAllocated()) SendMessageA(Handle(), UDM_SETBUDDY, 0, 0);
    associate_->RemoveFreeNotification(this);
    associate_ = nullptr;
  }
  if (value == nullptr || value->Parent() != Parent() || !CanBeAssociated(value)) return;
  if (HandleAllocated()) {
    UndoAutoResizing(value);
    SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(value->Handle()), 0);
  }
  associate_ = value;
  associate_->FreeNotification(this);
  WriteAssociateText();
}

void TCustomUpDown::WriteAssociateText() {
  if (associate_ != nullptr && IsEdit(associate_)) associate_->SetText(std::to_string(position_));
}

void TCustomUpDown::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove || component == nullptr || component != associate_) return;
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETBUDDY, 0, 0);
  associate_ = nullptr;
}

std::int16_t TCustomUpDown::Position() {
  if (HandleAllocated()) {
    position_ = static_cast<std::int16_t>(LOWORD(SendMessageA(Handle(), UDM_GETPOS, 0, 0)));
  }
  return position_;
}

void TCustomUpDown::SetPosition(std::int16_t value) {
  if (value == position_) return;
  const bool designing = ComponentState().Has(csDesigning);
  // The step is measured from where the window stands: it may have clamped
  // the last position set.
  if (!designing && !AllowPositionChange(value, static_cast<std::int16_t>(value - Position()))) {
    return;
  }
  position_ = value;
  if (designing) WriteAssociateText();
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETPOS, 0, Words(position_, 0));
}

bool TCustomUpDown::AllowPositionChange(std::int16_t new_value, std::int16_t delta) {
  pending_value_ = new_value;
  pending_delta_ = delta;
  bool allow = true;
  TUpDownDirection direction = updNone;
  const bool beyond = (pending_value_ < min_ && pending_delta_ < 0) ||
                      (pending_value_ > max_ && pending_delta_ > 0);
  if (!beyond && pending_delta_ < 0) direction = updDown;
  if (!beyond && pending_delta_ > 0) direction = updUp;
  if (OnChanging.Assigned()) OnChanging(this, allow);
  if (OnChangingEx.Assigned()) OnChangingEx(this, allow, pending_value_, direction);
  return allow;
}

void TCustomUpDown::DoClick(TUDBtnType button) {
  if (OnClick.Assigned()) OnClick(this, button);
}

void TCustomUpDown::CNNotify(TMessage& message) {
  const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
  if (header->code != UDN_DELTAPOS) {
    Inherited(message);
    return;
  }
  const auto* change = reinterpret_cast<const NMUPDOWN*>(message.LParam);
  const auto delta = static_cast<std::int16_t>(change->iDelta);
  const auto proposed = static_cast<std::int16_t>(change->iPos + change->iDelta);
  message.Result = AllowPositionChange(proposed, delta) ? 0 : -1;
}

void TCustomUpDown::CNScroll(TMessage& message) {
  DefaultHandler(message);
  if (LOWORD(message.WParam) != SB_THUMBPOSITION) return;
  const auto now = static_cast<std::int16_t>(HIWORD(message.WParam));
  if (now > position_) DoClick(btNext);
  if (now < position_) DoClick(btPrev);
  position_ = now;
}

void TCustomUpDown::WMSize(TMessage& message) {
  Inherited(message);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TCustomUpDown::CMAllChildrenFlipped(TMessage&) {
  SetAlignButton(align_button_ == udRight ? udLeft : udRight);
}

void TCustomUpDown::RecreateDetached() {
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETBUDDY, 0, 0);
  RecreateWnd();
}

void TCustomUpDown::SetAlignButton(TUDAlignButton value) {
  if (Store(align_button_, value)) RecreateDetached();
}

void TCustomUpDown::SetArrowKeys(bool value) {
  if (Store(arrow_keys_, value)) RecreateDetached();
}

void TCustomUpDown::SetThousands(bool value) {
  if (Store(thousands_, value)) RecreateDetached();
}

void TCustomUpDown::SetWrap(bool value) {
  if (Store(wrap_, value)) RecreateDetached();
}

void TCustomUpDown::SetOrientation(TUDOrientation value) {
  if (!Store(orientation_, value)) return;
  if (!ComponentState().HasAny(csLoading | csUpdating)) SetBounds(left_, top_, height_, width_);
  RecreateDetached();
}

void TCustomUpDown::SetMin(std::int16_t value) {
  if (Store(min_, value)) SendRange();
}

void TCustomUpDown::SetMax(std::int16_t value) {
  if (Store(max_, value)) SendRange();
}

void TCustomUpDown::SetIncrement(std::int32_t value) {
  if (Store(increment_, value)) SendIncrement();
}
