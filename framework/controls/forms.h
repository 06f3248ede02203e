// TCustomForm and TForm: top-level windows read from their definitions,
// which keep the focus among their controls, show themselves, close, and
// run modally; TScreen, the list of forms and who has the focus.
#pragma once

#include <cstdint>
#include <forward_list>
#include <memory>
#include <vector>

#include "framework/controls/control_canvas.h"
#include "framework/controls/cursors.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/icon.h"

TAVRION_SCOPED_ENUM(TFormBorderStyle, std::uint8_t, bsNone, bsSingle, bsSizeable, bsDialog,
                    bsToolWindow, bsSizeToolWin)
TAVRION_ENUM(TBorderIcon, std::uint8_t, biSystemMenu, biMinimize, biMaximize, biHelp)
TAVRION_SET(TBorderIcons, TBorderIcon)
TAVRION_ENUM(TPosition, std::uint8_t, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly,
             poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
TAVRION_ENUM(TWindowState, std::uint8_t, wsNormal, wsMinimized, wsMaximized)
TAVRION_ENUM(TCloseAction, std::uint8_t, caNone, caHide, caFree, caMinimize)

TAVRION_EVENT(TCloseEvent, void(TObject* sender, TCloseAction& action))
TAVRION_EVENT(TCloseQueryEvent, void(TObject* sender, bool& can_close))

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

enum TFormStateFlag : std::uint8_t {
  fsCreating = 1 << 0,
  fsVisible = 1 << 1,
  fsShowing = 1 << 2,
  fsModal = 1 << 3,
  fsActivated = 1 << 5,
};

// Tag of the constructor that makes a form built by code, without a
// definition.
struct TCreateNew {
  explicit TCreateNew() = default;
};
inline constexpr TCreateNew CreateNew{};

class TCustomForm : public TWinControl {
  TAVRION_CLASS(TCustomForm, TWinControl)

 public:
  // The defaults only; the definition is read once the form is whole.
  explicit TCustomForm(TComponent* owner);
  // The defaults only, and no definition is read.
  TCustomForm(TComponent* owner, TCreateNew) : TCustomForm(owner) { create_new_ = true; }
  // Reads the definitions of the form's class and its ancestors (not for
  // TForm itself), then runs OnCreate and shows the form if it asked to be.
  void AfterConstruction() override;
  void BeforeDestruction() override;

  bool Active() const { return active_; }
  TWinControl* ActiveControl() const { return active_control_; }
  void SetActiveControl(TWinControl* control);
  // The form's part in moving the focus to one of its controls.
  bool SetFocusedControl(TWinControl* control);
  void FocusControl(TWinControl* control);
  void DefocusControl(TWinControl* control, bool removing);
  void SetFocus() override;

  int ModalResult() const { return modal_result_; }
  // A button's click passes its ModalResult here.
  void SetModalResult(int value) { modal_result_ = value; }
  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return border_icons_; }
  void SetBorderIcons(TBorderIcons value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  TWindowState WindowState() const { return window_state_; }
  void SetWindowState(TWindowState value);
  // Stores the state without telling the window: for the application,
  // which shows a main form started minimised its own way.
  void RecordWindowState(TWindowState value) { window_state_ = value; }
  bool OldCreateOrder() const { return old_create_order_; }
  void SetOldCreateOrder(bool value) { old_create_order_ = value; }
  std::int32_t PixelsPerInch() const { return pixels_per_inch_; }
  void SetPixelsPerInch(std::int32_t value) { pixels_per_inch_ = value; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool value) { scaled_ = value; }
  std::int32_t TextHeight() const { return text_height_; }
  void SetTextHeight(std::int32_t value) { text_height_ = value; }
  std::uint8_t FormState() const { return form_state_; }
  TCanvas* Canvas() const { return canvas_.get(); }
  TIcon* Icon() const { return icon_.get(); }
  void SetIcon(TIcon* value) { icon_->Assign(value); }

  void SetVisible(bool value) override;
  void Close();
  bool CloseQuery();
  // Shows the form and runs messages until its ModalResult is set; the
  // other windows of the thread are disabled meanwhile.
  int ShowModal();
  // Frees the form once the messages already waiting are handled.
  void Release();
  // Every key message of a control on the form is offered here first; true
  // takes it from the control. A form of ours takes none.
  virtual bool WantChildKey(TControl*, TMessage&) { return false; }

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  ~TCustomForm() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void Activate() { OnActivate(this); }
  virtual void Deactivate() { OnDeactivate(this); }
  virtual void DoClose(TCloseAction& action) { OnClose(this, action); }

  void CMShowingChanged(TMessage& message);
  void CMActivate(TMessage& message);
  void CMDeactivate(TMessage& message);
  void CMDialogKey(TMessage& message);
  void CMRelease(TMessage& message);
  void WMActivate(TMessage& message);
  void WMClose(TMessage& message);

 private:
  // Runs OnCreate under the application's exception guard, then shows the
  // form if its definition asked for it.
  void DoCreate();
  void SetActive(bool value);
  void SetWindowFocus();
  void PlaceByPosition();
  void CloseModal();
  // The window shows the icon, when there is one.
  void IconChanged(TObject* sender);

  TWinControl* active_control_ = nullptr;
  TWinControl* focused_control_ = nullptr;
  std::unique_ptr<TControlCanvas, FreeDeleter> canvas_;
  std::unique_ptr<TIcon, FreeDeleter> icon_;
  TFormBorderStyle border_style_ = TFormBorderStyle::bsSizeable;
  TBorderIcons border_icons_;
  TPosition position_ = poDesigned;
  TWindowState window_state_ = wsNormal;
  std::uint8_t form_state_ = 0;
  int modal_result_ = mrNone;
  bool active_ = false;
  bool old_create_order_ = false;
  bool create_new_ = false;
  bool scaled_ = true;
  std::int32_t pixels_per_inch_ = 96;
  std::int32_t text_height_ = 0;
};

class TForm : public TCustomForm {
  TAVRION_CLASS(TForm, TCustomForm)

 public:
  using TCustomForm::TCustomForm;
};

// The forms of the program, who has the focus among them, and the mouse
// cursor shown over all of them.
class TScreen : public TComponent {
  TAVRION_CLASS(TScreen, TComponent)

 public:
  explicit TScreen(TComponent* owner);

  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_[static_cast<std::size_t>(index)]; }
  TCustomForm* ActiveForm() const { return active_form_; }
  TWinControl* ActiveControl() const { return active_control_; }
  TCustomForm* FocusedForm() const { return focused_form_; }
  std::int32_t PixelsPerInch() const { return pixels_per_inch_; }
  int Width() const;
  int Height() const;
  // The font of hints: the system's status-bar font.
  TFont* HintFont() const { return hint_font_.get(); }
  void ReadHintFont();

  // crDefault lets every window show its own cursor; any other number
  // shows that one everywhere.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  // crNone gives no cursor, a number without a cursor the default arrow.
  HCURSOR Cursors(int n) const;
  // The newest entry of a number wins.
  void InsertCursor(int n, HCURSOR handle);

  // What forms tell the screen. A form joins the list when it is made and
  // leaves it when it goes.
  void AddForm(TCustomForm* form) { forms_.push_back(form); }
  void RemoveForm(TCustomForm* form);
  // A control of `form` took the focus: both are the active ones, and the
  // form comes first in the list.
  void SetActive(TCustomForm* form, TWinControl* control);
  void SetFocusedForm(TCustomForm* form) { focused_form_ = form; }
  // A modal form becomes the focused form until the matching pop, which
  // brings back the one before; calls nest.
  void PushFocusedForm(TCustomForm* modal);
  void PopFocusedForm();
  // A form that goes is no longer brought back by a pop.
  void ForgetSavedFocus(TCustomForm* form) { std::erase(saved_focused_, form); }

 protected:
  ~TScreen() override;

 private:
  struct CursorRec {
    int index;
    HCURSOR handle;
  };
  void CreateCursors();
  void DestroyCursors();

  std::vector<TCustomForm*> forms_;  // most recently active first
  std::vector<TCustomForm*> saved_focused_;
  TCustomForm* active_form_ = nullptr;
  TWinControl* active_control_ = nullptr;
  TCustomForm* focused_form_ = nullptr;
  std::int32_t pixels_per_inch_ = 96;
  std::unique_ptr<TFont, FreeDeleter> hint_font_{Construct<TFont>()};
  TCursor cursor_ = crDefault;
  HCURSOR default_cursor_ = nullptr;
  std::forward_list<CursorRec> cursors_;  // newest first
};

inline constexpr UINT CM_RELEASE = CM_BASE + 0x21;

extern TScreen* Screen;
