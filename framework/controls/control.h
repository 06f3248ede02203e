// TControl: the base of every visual control. Its place in the tree of
// controls, its bounds, visibility, enabling, font and colour, its text,
// and the road of every message sent to it (WindowProc, WndProc, Dispatch,
// DefaultHandler).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "framework/controls/cursors.h"
#include "framework/controls/messages.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/graphics_objects.h"
#include "framework/rtl/flags.h"
#include "framework/streaming/component.h"

class TWinControl;

enum class TControlStyleFlag : std::uint32_t {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csClickEvents = 1u << 3,
  csOpaque = 1u << 6,
  csDoubleClicks = 1u << 7,
  csFixedHeight = 1u << 9,
};
using enum TControlStyleFlag;
TAVRION_FLAGS(TControlStyle, TControlStyleFlag)

enum class TControlStateFlag : std::uint32_t {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csReadingState = 1u << 3,
  csFocusing = 1u << 5,
  csCustomPaint = 1u << 8,
};
using enum TControlStateFlag;
TAVRION_FLAGS(TControlState, TControlStateFlag)

class TControl : public TComponent {
  TAVRION_CLASS(TControl, TComponent)

 public:
  explicit TControl(TComponent* owner);

  // Builds a message, passes it to WindowProc and answers its Result; on a
  // null control it answers 0 and does nothing.
  static LRESULT Perform(TControl* control, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT Perform(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0) {
    return Perform(this, msg, wparam, lparam);
  }

  // Every message sent to the object goes here first; replaceable.
  TWndMethod WindowProc;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  std::int32_t Left() const { return left_; }
  std::int32_t Top() const { return top_; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  void SetLeft(std::int32_t value) { SetBounds(value, top_, width_, height_); }
  void SetTop(std::int32_t value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(std::int32_t value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(std::int32_t value) { SetBounds(left_, top_, width_, value); }
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                         std::int32_t height);
  virtual RECT ClientRect();
  std::int32_t ClientWidth() { return ClientRect().right; }
  std::int32_t ClientHeight() { return ClientRect().bottom; }
  void SetClientWidth(std::int32_t value) { SetClientSize(value, std::nullopt); }
  void SetClientHeight(std::int32_t value) { SetClientSize(std::nullopt, value); }

  TControlStyle ControlStyle() const { return control_style_; }
  void SetControlStyle(TControlStyle style) { control_style_ = style; }
  TControlState ControlState() const { return control_state_; }
  void SetControlState(TControlState state) { control_state_ = state; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // Visible here and in every parent.
  bool IsVisibleUp() const;

  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* value) { font_->Assign(value); }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool value);
  // The mouse cursor over the control; crDefault leaves it to the window.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value) { cursor_ = value; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value) { hint_ = value; }
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool value);

  // The text: a window's when there is one, the control's own buffer
  // otherwise. Setting the text it already has (compared exactly) does
  // nothing at all.
  std::string GetText();
  void SetText(const std::string& value);
  void SetTextBuf(const char* buffer);
  std::string Caption() { return GetText(); }
  void SetCaption(const std::string& value) { SetText(value); }

  TNotifyEvent OnClick;
  virtual void Click();

  virtual void Invalidate();
  // A device context to draw the control with, and the window it belongs
  // to (to release it): a control without a window draws on its parent's,
  // moved to its corner and clipped to its size.
  virtual HDC GetDeviceContext(HWND& window);
  void Repaint() { Invalidate(); }

  void SetParentComponent(TComponent* value) override;
  TComponent* GetParentComponent() override;
  bool HasParent() override { return true; }

  // The control that has the mouse: a windowed one holds the platform's
  // capture itself; for one without a window its parent holds it.
  bool MouseCapture() const;
  void SetMouseCapture(bool value);

  virtual void WndProc(TMessage& message);
  void DefaultHandler(TMessage& message) override;

 protected:
  ~TControl() override;
  void ReadState(TReader* reader) override;
  // Runs before Visible changes; a form refuses to hide while it is modal.
  virtual void VisibleChanging() {}
  // Asks the size through the constraints; none are kept yet.
  virtual void ConstrainedResize(std::int32_t&, std::int32_t&) {}
  virtual void Resize() {}
  // A size not given stays as the client area has it.
  virtual void SetClientSize(std::optional<std::int32_t> width, std::optional<std::int32_t> height);
  // Marks the control's rectangle on its parent for painting again.
  void InvalidateControl(bool visible, bool opaque);
  // What the font's change means for the control.
  void FontChanged(TObject* sender);

  void WMLButtonDown(TMessage& message);
  void WMLButtonUp(TMessage& message);
  void CMVisibleChanged(TMessage& message);
  void CMEnabledChanged(TMessage& message);
  void CMFontChanged(TMessage& message);
  void CMColorChanged(TMessage& message);
  void CMParentFontChanged(TMessage& message);
  void CMParentColorChanged(TMessage& message);
  void CMParentShowHintChanged(TMessage& message);

  std::int32_t left_ = 0;
  std::int32_t top_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  TControlStyle control_style_ = csCaptureMouse | csClickEvents | csDoubleClicks;
  TControlState control_state_;
  bool visible_ = true;
  bool enabled_ = true;
  bool parent_font_ = true;
  bool parent_color_ = true;
  bool show_hint_ = false;
  bool parent_show_hint_ = true;
  TColor color_ = clWindow;
  TCursor cursor_ = crDefault;

 private:
  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  std::unique_ptr<TFont, FreeDeleter> font_;
  // The text of a control without a window; none until set.
  std::optional<std::string> text_;
  std::string hint_;
};

// The properties that most controls publish, in one list: Color, Cursor, Enabled,
// Font, Hint, ParentColor, ParentFont, ParentShowHint, ShowHint, Visible
// and OnClick. A class lists it in its class information with
// PublishControlProperties(c) and adds its own.
template <typename T>
void PublishControlProperties(ClassBuilder<T>& c) {
  c.template Property<&TControl::Color, &TControl::SetColor, TColorProp>("Color");
  c.template Property<&TControl::Cursor, &TControl::SetCursor, TCursorProp>("Cursor").Default(0);
  c.template Property<&TControl::Enabled, &TControl::SetEnabled>("Enabled").Default(1);
  c.template Property<&TControl::Font, &TControl::SetFont>("Font");
  c.template Property<&TControl::Hint, &TControl::SetHint>("Hint");
  c.template Property<&TControl::ParentColor, &TControl::SetParentColor>("ParentColor").Default(1);
  c.template Property<&TControl::ParentFont, &TControl::SetParentFont>("ParentFont").Default(1);
  c.template Property<&TControl::ParentShowHint, &TControl::SetParentShowHint>("ParentShowHint")
      .Default(1);
  c.template Property<&TControl::ShowHint, &TControl::SetShowHint>("ShowHint");
  c.template Property<&TControl::Visible, &TControl::SetVisible>("Visible").Default(1);
  c.template Property<&TControl::OnClick, &TControl::OnClick>("OnClick");
}
