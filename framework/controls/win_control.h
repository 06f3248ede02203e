// TWinControl: a control with a window of its own, made when first needed.
// It keeps the child controls (those without a window in painting order,
// the windowed ones in creation and tab order), hands its children's
// notifications back to them, and paints its graphic children.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/control.h"

// What CreateParams fills in for CreateWnd.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSA WindowClass{};
  std::string WinClassName;
};

class TCustomForm;

class TWinControl : public TControl {
  TAVRION_CLASS(TWinControl, TControl)

 public:
  explicit TWinControl(TComponent* owner);

  // The window, made (with the parents' windows first) when there is none.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  HWND ParentWindow() const { return parent_window_; }
  void SetParentWindow(HWND value);
  bool Showing() const { return showing_; }

  int ControlCount() const { return static_cast<int>(controls_.size() + win_controls_.size()); }
  // The controls without a window first, then the windowed ones.
  TControl* Controls(int index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(TControl* control) const;
  // The visible control without a window at a client point, the last one
  // painted first; none when there is none.
  TControl* ControlAtPos(POINT pos) const;
  // Sends the message to every child until one answers non-zero.
  void Broadcast(TMessage& message);
  void NotifyControls(UINT msg);

  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override;
  RECT ClientRect() override;
  void Invalidate() override;
  HDC GetDeviceContext(HWND& window) override;

  TBrush* Brush() const { return brush_.get(); }
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool value);
  bool ParentCtl3D() const { return parent_ctl3d_; }
  void SetParentCtl3D(bool value);
  bool DoubleBuffered() const { return double_buffered_; }
  void SetDoubleBuffered(bool value) { double_buffered_ = value; }

  // Tab order: the index in the parent's tab list, or -1 without a parent.
  std::int16_t TabOrder() const;
  void SetTabOrder(std::int16_t value);
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool value);
  // The form's windowed controls in tab order, nested containers' in place.
  void GetTabOrderList(std::vector<TWinControl*>& list);
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool check_tab_stop,
                               bool check_parent);
  void SelectNext(TWinControl* current, bool forward, bool check_tab_stop);
  bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();

  // The window procedure of every window of the framework: it finds the
  // object by the window and runs MainWndProc.
  void MainWndProc(TMessage& message);
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void PaintHandler(TMessage& message);
  void PaintControls(HDC dc, TControl* first);

  // Destroys the window and makes it again from the fields.
  void RecreateWnd();

 protected:
  ~TWinControl() override;
  void ReadState(TReader* reader) override;
  void Loaded() override;
  // Without a window while loading, the client size waits for the window:
  // its frame is not known before.
  void SetClientSize(std::optional<std::int32_t> width,
                     std::optional<std::int32_t> height) override;

  virtual void CreateParams(TCreateParams& params);
  // Takes a system window class for this control's own (a subclass).
  void CreateSubClass(TCreateParams& params, const char* class_name);
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  void DestroyWindowHandle();
  void CreateHandle();
  void DestroyHandle();
  virtual void PaintWindow(HDC dc);
  // Creates or shows the window as Visible and the parents say.
  void UpdateControlState();
  void UpdateShowing();
  // Reads the bounds back from the window.
  void UpdateBounds();
  // Applies the tab orders stored while the children were read.
  void FixupTabList();
  // Moves the focus away from this control when it has it.
  void RemoveFocus(bool removing);

  void CMVisibleChanged(TMessage& message);
  void CMEnabledChanged(TMessage& message);
  void CMFontChanged(TMessage& message);
  void CMColorChanged(TMessage& message);
  void CMShowingChanged(TMessage& message);
  void CMParentCtl3DChanged(TMessage& message);
  void CMRecreateWnd(TMessage& message);
  void CMInvalidate(TMessage& message);
  void CMChildKey(TMessage& message);
  void CMBroadcast(TMessage& message);
  // A child's change goes on up to the form.
  void CMChanged(TMessage& message);
  void CNKeyDown(TMessage& message);
  void WMCommand(TMessage& message);
  void WMNotify(TMessage& message);
  void WMScroll(TMessage& message);
  void WMPaint(TMessage& message);
  // Over the client area the screen's cursor, else that of the graphic
  // child or the control under the mouse, unless it is crDefault.
  void WMSetCursor(TMessage& message);
  void WMWindowPosChanged(TMessage& message);
  void WMNCDestroy(TMessage& message);
  void WMSysColorChange(TMessage& message);
  void WMEraseBkgnd(TMessage& message);

 private:
  friend class TControl;
  friend LRESULT FirstMessageProc(HWND, UINT, WPARAM, LPARAM);
  // Takes a child out of the lists, with no messages.
  void Forget(TControl* control);
  // Hands a child's notification back to the child as CN_ message.
  void DoControlMsg(HWND child, TMessage& message);
  // The window a new window goes right after in the z-order.
  HWND PrecedingWindow() const;
  // Gives the window the client size kept while loading; it is dropped once
  // loading is over.
  void ApplyClientSize();

  std::unique_ptr<TBrush, FreeDeleter> brush_;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> win_controls_;
  std::vector<TWinControl*> tab_list_;
  WNDPROC def_wnd_proc_ = nullptr;
  HWND handle_ = nullptr;
  HWND parent_window_ = nullptr;
  bool ctl3d_ = true;
  bool parent_ctl3d_ = true;
  bool showing_ = false;
  bool tab_stop_ = false;
  bool double_buffered_ = false;
  std::int16_t tab_order_ = -1;  // stored while reading
  std::optional<std::int32_t> client_width_;
  std::optional<std::int32_t> client_height_;
};

// The control without a window that has the mouse, or none.
TControl* CaptureControl();
// The object of a framework window, or none.
TWinControl* FindControl(HWND window);
// The form a control sits on: the top of its parents when that is a form.
TCustomForm* GetParentForm(TControl* control);
// The two window-property atoms that tie a window to its object.
ATOM ControlAtom();
ATOM WindowAtom();

// PublishControlProperties and the windowed controls' TabOrder, TabStop,
// Ctl3D and ParentCtl3D.
template <typename T>
void PublishWinControlProperties(ClassBuilder<T>& c) {
  PublishControlProperties(c);
  c.template Property<&TWinControl::TabOrder, &TWinControl::SetTabOrder>("TabOrder").Default(-1);
  c.template Property<&TWinControl::TabStop, &TWinControl::SetTabStop>("TabStop");
  c.template Property<&TWinControl::Ctl3D, &TWinControl::SetCtl3D>("Ctl3D");
  c.template Property<&TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D>("ParentCtl3D")
      .Default(1);
}
