// Tab order, focus and keyboard navigation of windowed controls.
#include <algorithm>

#include "framework/controls/forms.h"
#include "framework/controls/win_control.h"

std::int16_t TWinControl::TabOrder() const {
  if (parent_ == nullptr) return -1;
  const auto& list = parent_->tab_list_;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<std::int16_t>(it - list.begin());
}

void TWinControl::SetTabOrder(std::int16_t value) {
  if (control_state_.Has(csReadingState)) {
    tab_order_ = value;
    return;
  }
  const int current = TabOrder();
  if (current < 0) return;
  auto& list = parent_->tab_list_;
  const int index = std::clamp<int>(value, 0, static_cast<int>(list.size()) - 1);
  if (index == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + index, this);
}

void TWinControl::FixupTabList() {
  std::vector<TWinControl*> order(win_controls_.size(), nullptr);
  for (TWinControl* child : win_controls_) {
    const int stored = child->tab_order_;
    // A later child with the same stored value takes the place.
    if (stored >= 0 && stored < static_cast<int>(order.size())) {
      order[static_cast<std::size_t>(stored)] = child;
    }
  }
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] != nullptr) order[i]->SetTabOrder(static_cast<std::int16_t>(i));
  }
}

void TWinControl::SetTabStop(bool value) {
  if (tab_stop_ == value) return;
  tab_stop_ = value;
  if (handle_ != nullptr) {
    const LONG style = GetWindowLongA(handle_, GWL_STYLE);
    SetWindowLongA(
        handle_, GWL_STYLE,
        value ? (style | static_cast<LONG>(WS_TABSTOP)) : (style & ~static_cast<LONG>(WS_TABSTOP)));
  }
  Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* child : tab_list_) {
    list.push_back(child);
    child->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool check_tab_stop,
                                          bool check_parent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const auto found = std::find(list.begin(), list.end(), current);
  const std::size_t count = list.size();
  std::size_t start = found != list.end() ? static_cast<std::size_t>(found - list.begin())
                      : forward           ? count - 1
                                          : 0;
  std::size_t i = start;
  do {
    i = forward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* candidate = list[i];
    if (candidate->CanFocus() && (!check_tab_stop || candidate->tab_stop_) &&
        (!check_parent || candidate->parent_ == this)) {
      return candidate;
    }
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool check_tab_stop) {
  if (TWinControl* next = FindNextControl(current, forward, check_tab_stop, !check_tab_stop)) {
    next->SetFocus();
  }
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return true;
}

bool TWinControl::Focused() const {
  return handle_ != nullptr && GetFocus() == handle_;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this)) {
    form->FocusControl(this);
  } else {
    ::SetFocus(Handle());
  }
}

void TWinControl::RemoveFocus(bool removing) {
  if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, removing);
}

void TWinControl::CNKeyDown(TMessage& message) {
  message.Result = 1;
  if (!ComponentState().Has(csDesigning)) {
    if (Perform(CM_CHILDKEY, static_cast<WPARAM>(message.WParam), reinterpret_cast<LPARAM>(this)) !=
        0) {
      return;
    }
    LRESULT mask = 0;
    switch (message.WParam) {
      case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
      case VK_RETURN:
      case VK_EXECUTE:
      case VK_ESCAPE:
      case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
      default:
        break;
    }
    if (mask != 0 &&
        Perform(CM_WANTSPECIALKEY, static_cast<WPARAM>(message.WParam), message.LParam) == 0 &&
        (Perform(WM_GETDLGCODE) & mask) == 0) {
      TCustomForm* form = GetParentForm(this);
      if (form != nullptr &&
          form->Perform(CM_DIALOGKEY, static_cast<WPARAM>(message.WParam), message.LParam) != 0) {
        return;
      }
    }
  }
  message.Result = 0;
}
