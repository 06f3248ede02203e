// TCanvas: a drawing surface over a device context that selects its font,
// pen and brush only when an operation needs them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <platform/gdi.h>
#include <platform/kernel.h>

#include "framework/graphics/graphics_objects.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/flags.h"
#include "framework/streaming/persistent.h"

class TGraphic;

// An operation the object cannot do in its state.
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

// What a canvas has selected into its context.
enum class TCanvasStateFlag : std::uint8_t {
  csHandleValid = 1,
  csFontValid = 2,
  csPenValid = 4,
  csBrushValid = 8,
  csAllValid = 15,
};
using enum TCanvasStateFlag;
TAVRION_FLAGS(TCanvasState, TCanvasStateFlag)

class TCanvas : public TPersistent {
  TAVRION_CLASS(TCanvas, TPersistent)

 public:
  TCanvas();

  // The context with everything selected. Tells OnChanging first, since
  // whoever asks may draw on it.
  HDC Handle();
  // Attaches a context (or detaches with nullptr); the pen position
  // carries over from one context to the next.
  void SetHandle(HDC value);
  bool HandleAllocated() const { return handle_ != nullptr; }
  // The attached context as it is: nothing selected, nobody told.
  HDC CurrentHandle() const { return handle_; }
  TCanvasState State() const { return state_; }

  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* value) { font_->Assign(value); }
  TPen* Pen() const { return pen_.get(); }
  void SetPen(TPen* value) { pen_->Assign(value); }
  TBrush* Brush() const { return brush_.get(); }
  void SetBrush(TBrush* value) { brush_->Assign(value); }
  DWORD CopyMode() const { return copy_mode_; }
  void SetCopyMode(DWORD value) { copy_mode_ = value; }
  // ETO_ flags of TextOut (ETO_RTLREADING for right-to-left controls).
  UINT TextFlags() const { return text_flags_; }
  void SetTextFlags(UINT value) { text_flags_ = value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  // Makes sure the parts of `wanted` are selected into a context; raises
  // EInvalidOperation "Canvas does not allow drawing" without one.
  void RequiredState(TCanvasState wanted);
  // Selects the stock font, pen and brush in place of the canvas's own.
  void DeselectHandles();

  // Guards the canvas across threads; TryLock succeeds only when nobody
  // holds or waits for the lock.
  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const;
  // Gives the context back unless someone holds the canvas; true when it did.
  bool FreeHandleIfUnused();

  POINT PenPos();
  void SetPenPos(POINT value) { MoveTo(value.x, value.y); }

  void MoveTo(int x, int y);
  // Draws from the pen position; the end point itself is not drawn.
  void LineTo(int x, int y);
  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect);
  void Rectangle(int x1, int y1, int x2, int y2);
  COLORREF Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);
  // Leaves the pen position after the text.
  void TextOut(int x, int y, const std::string& text);
  // The text clipped to `rect`, the rectangle filled first unless the brush
  // is clear.
  void TextRect(const RECT& rect, int x, int y, const std::string& text);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  // Nothing for an empty graphic.
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const RECT& rect, TGraphic* graphic);
  // StretchBlt from `canvas` with CopyMode.
  void CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source);

  // Gets a context for a canvas that has none; TCanvas has no way to.
  virtual void AcquireHandle() {}

 protected:
  // Detaches the context first in a derived destructor, so the base
  // destructor finds none.
  ~TCanvas() override;

  virtual void NotifyChanged();
  virtual void NotifyChanging();
  // Gives up the context: a canvas that made its own detaches it and lets
  // it go (releases or deletes it); TCanvas only detaches. A derived class
  // calls it from its destructor and whenever it must release the context.
  virtual void FreeHandle() { SetHandle(nullptr); }

 private:
  void FontChanged(TObject* sender);
  void PenChanged(TObject* sender);
  void BrushChanged(TObject* sender);
  // A drawing operation: OnChanging, then the state it needs.
  void BeginDrawing(TCanvasState wanted);

  HDC handle_ = nullptr;
  TCanvasState state_;
  std::unique_ptr<TFont, FreeDeleter> font_;
  std::unique_ptr<TPen, FreeDeleter> pen_;
  std::unique_ptr<TBrush, FreeDeleter> brush_;
  POINT pen_pos_{0, 0};
  DWORD copy_mode_ = SRCCOPY;
  UINT text_flags_ = 0;
  CRITICAL_SECTION lock_;
  int lock_count_ = 0;

  friend void SysColorChanged();
};

// The system colours changed: every canvas lets go of its objects and the
// cached pens and brushes of system colours are made again on their next use.
void SysColorChanged();
