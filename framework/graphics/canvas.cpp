#include "framework/graphics/canvas.h"

#include <platform/text.h>

#include "framework/graphics/graphic.h"
#include "framework/graphics/locked_list.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

namespace {

// The canvases alive in the process, for a change of the system colours.
TLockedList<TCanvas>& Canvases() {
  // Never destroyed: canvases freed late in the process still leave it.
  static TLockedList<TCanvas>& list = *new TLockedList<TCanvas>;
  return list;
}

// Guards every canvas's lock count.
CRITICAL_SECTION& CountLock() {
  static CRITICAL_SECTION& lock = *[] {
    auto* section = new CRITICAL_SECTION;
    InitializeCriticalSection(section);
    return section;
  }();
  return lock;
}

}  // namespace

TAVRION_CLASS_INFO(TCanvas, "Graphics") {}

TCanvas::TCanvas()
    : font_(Construct<TFont>()), pen_(Construct<TPen>()), brush_(Construct<TBrush>()) {
  InitializeCriticalSection(&lock_);
  font_->OnChange = MethodOf<&TCanvas::FontChanged>(this);
  font_->SetOwnerLock(&lock_);
  pen_->OnChange = MethodOf<&TCanvas::PenChanged>(this);
  pen_->SetOwnerLock(&lock_);
  brush_->OnChange = MethodOf<&TCanvas::BrushChanged>(this);
  brush_->SetOwnerLock(&lock_);
  Canvases().Add(this);
}

TCanvas::~TCanvas() {
  Canvases().Remove(this);
  SetHandle(nullptr);
  font_.reset();
  pen_.reset();
  brush_.reset();
  DeleteCriticalSection(&lock_);
}

HDC TCanvas::Handle() {
  NotifyChanging();
  RequiredState(csAllValid);
  return handle_;
}

void TCanvas::SetHandle(HDC value) {
  if (value == handle_) return;
  if (handle_ != nullptr) {
    DeselectHandles();
    GetCurrentPositionEx(handle_, &pen_pos_);
    handle_ = nullptr;
    state_.Exclude(csHandleValid);
  }
  if (value != nullptr) {
    state_.Include(csHandleValid);
    handle_ = value;
    MoveToEx(handle_, pen_pos_.x, pen_pos_.y, nullptr);
  }
}

void TCanvas::RequiredState(TCanvasState wanted) {
  TCanvasState needed = wanted;
  needed.Exclude(state_);
  if (needed.Empty()) return;
  if (needed.Has(csHandleValid)) {
    AcquireHandle();
    if (handle_ == nullptr) throw EInvalidOperation(LoadResString(SNoCanvasHandle));
  }
  if (needed.Has(csFontValid)) {
    SelectObject(handle_, font_->Handle());
    SetTextColor(handle_, ResolveColor(font_->Color()));
  }
  if (needed.Has(csPenValid)) {
    SelectObject(handle_, pen_->Handle());
    SetROP2(handle_, PenModeToROP2(pen_->Mode()));
  }
  if (needed.Has(csBrushValid)) {
    HBRUSH brush = brush_->Handle();
    UnrealizeObject(brush);
    SelectObject(handle_, brush);
    const COLORREF color = ResolveColor(brush_->Color());
    if (brush_->Style() != bsSolid) {
      SetBkColor(handle_, ~color);
      SetBkMode(handle_, TRANSPARENT);
    } else {
      SetBkColor(handle_, color);
      SetBkMode(handle_, OPAQUE);
    }
  }
  state_.Include(needed);
}

void TCanvas::DeselectHandles() {
  constexpr TCanvasState kObjects = csFontValid | csPenValid | csBrushValid;
  if (handle_ == nullptr || !state_.HasAny(kObjects)) return;
  SelectObject(handle_, StockPen());
  SelectObject(handle_, StockBrush());
  SelectObject(handle_, StockFont());
  state_.Exclude(kObjects);
}

void TCanvas::FontChanged(TObject*) {
  if (!state_.Has(csFontValid)) return;
  state_.Exclude(csFontValid);
  SelectObject(handle_, StockFont());
}

void TCanvas::PenChanged(TObject*) {
  if (!state_.Has(csPenValid)) return;
  state_.Exclude(csPenValid);
  SelectObject(handle_, StockPen());
}

void TCanvas::BrushChanged(TObject*) {
  if (!state_.Has(csBrushValid)) return;
  state_.Exclude(csBrushValid);
  SelectObject(handle_, StockBrush());
}

void TCanvas::NotifyChanged() {
  OnChange(this);
}

void TCanvas::NotifyChanging() {
  OnChanging(this);
}

void TCanvas::Lock() {
  EnterCriticalSection(&CountLock());
  ++lock_count_;
  LeaveCriticalSection(&CountLock());
  EnterCriticalSection(&lock_);
}

void TCanvas::Unlock() {
  LeaveCriticalSection(&lock_);
  EnterCriticalSection(&CountLock());
  --lock_count_;
  LeaveCriticalSection(&CountLock());
}

bool TCanvas::TryLock() {
  EnterCriticalSection(&CountLock());
  const bool free = lock_count_ == 0;
  if (free) Lock();
  LeaveCriticalSection(&CountLock());
  return free;
}

bool TCanvas::FreeHandleIfUnused() {
  if (!TryLock()) return false;
  FreeHandle();
  Unlock();
  return true;
}

int TCanvas::LockCount() const {
  EnterCriticalSection(&CountLock());
  const int count = lock_count_;
  LeaveCriticalSection(&CountLock());
  return count;
}

void TCanvas::BeginDrawing(TCanvasState wanted) {
  // OnChanging comes first: a bitmap that shares its image copies it then,
  // before its context is taken.
  NotifyChanging();
  RequiredState(wanted);
}

POINT TCanvas::PenPos() {
  RequiredState(csHandleValid);
  POINT position{};
  GetCurrentPositionEx(handle_, &position);
  return position;
}

void TCanvas::MoveTo(int x, int y) {
  RequiredState(csHandleValid);
  MoveToEx(handle_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  BeginDrawing(csHandleValid | csPenValid | csBrushValid);
  ::LineTo(handle_, x, y);
  NotifyChanged();
}

void TCanvas::FillRect(const RECT& rect) {
  BeginDrawing(csHandleValid | csBrushValid);
  ::FillRect(handle_, &rect, brush_->Handle());
  NotifyChanged();
}

void TCanvas::FrameRect(const RECT& rect) {
  BeginDrawing(csHandleValid | csBrushValid);
  ::FrameRect(handle_, &rect, brush_->Handle());
  NotifyChanged();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  BeginDrawing(csHandleValid | csPenValid | csBrushValid);
  ::Rectangle(handle_, x1, y1, x2, y2);
  NotifyChanged();
}

COLORREF TCanvas::Pixel(int x, int y) {
  RequiredState(csHandleValid);
  return GetPixel(handle_, x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  BeginDrawing(csHandleValid | csPenValid);
  ::SetPixel(handle_, x, y, ResolveColor(color));
  NotifyChanged();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  BeginDrawing(csHandleValid | csFontValid | csBrushValid);
  ExtTextOutA(handle_, x, y, text_flags_, nullptr, text.data(), static_cast<UINT>(text.size()),
              nullptr);
  MoveTo(x + TextWidth(text), y);
  NotifyChanged();
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text) {
  BeginDrawing(csHandleValid | csFontValid | csBrushValid);
  UINT options = ETO_CLIPPED | text_flags_;
  if (brush_->Style() != bsClear) options |= ETO_OPAQUE;
  ExtTextOutA(handle_, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
  NotifyChanged();
}

SIZE TCanvas::TextExtent(const std::string& text) {
  RequiredState(csHandleValid | csFontValid);
  SIZE size{};
  GetTextExtentPoint32A(handle_, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (graphic == nullptr || graphic->Empty()) return;
  BeginDrawing(csHandleValid);
  SetBkColor(handle_, ResolveColor(brush_->Color()));
  SetTextColor(handle_, ResolveColor(font_->Color()));
  graphic->Draw(this, RECT{x, y, x + graphic->Width(), y + graphic->Height()});
  NotifyChanged();
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic* graphic) {
  if (graphic == nullptr) return;
  BeginDrawing(csAllValid);
  graphic->Draw(this, rect);
  NotifyChanged();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source) {
  BeginDrawing(csHandleValid | csFontValid | csBrushValid);
  canvas->RequiredState(csHandleValid | csBrushValid);
  StretchBlt(handle_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
             canvas->handle_, source.left, source.top, source.right - source.left,
             source.bottom - source.top, copy_mode_);
  NotifyChanged();
}

void SysColorChanged() {
  TLockedList<TCanvas>& list = Canvases();
  list.Enter();
  for (TCanvas* canvas : list.Items()) {
    canvas->Lock();
    canvas->DeselectHandles();
  }
  const auto system = [](const auto& data) { return data.Color < 0; };
  PenManager().DropHandles(system);
  BrushManager().DropHandles(system);
  for (TCanvas* canvas : list.Items()) canvas->Unlock();
  list.Leave();
}
