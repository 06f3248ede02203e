#include "framework/graphics/bitmap.h"

#include <algorithm>
#include <memory>
#include <string>

#include "framework/graphics/locked_list.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

namespace {

// The bitmap canvases that hold a context.
TLockedList<TBitmapCanvas>& BitmapCanvases() {
  static TLockedList<TBitmapCanvas>& list = *new TLockedList<TBitmapCanvas>;
  return list;
}

// Reads what kind of bitmap `handle` is into `image`; false for no bitmap.
bool Describe(HBITMAP handle, TBitmapImage& image) {
  if (GetObjectType(handle) != OBJ_BITMAP) return false;
  DIBSECTION section{};
  const int size = GetObjectA(handle, sizeof section, &section);
  if (size == 0) return false;
  image.Width = section.dsBm.bmWidth;
  image.Height = section.dsBm.bmHeight;
  image.Planes = section.dsBm.bmPlanes;
  image.BitsPixel = section.dsBm.bmBitsPixel;
  image.Header = size == static_cast<int>(sizeof section) ? section.dsBmih : BITMAPINFOHEADER{};
  return true;
}

}  // namespace

void GDIError() {
  const DWORD code = GetLastError();
  char text[256];
  if (code != 0 && FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text, nullptr) != 0) {
    std::string message(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
      message.pop_back();
    }
    throw EOutOfResources(message);
  }
  throw EOutOfResources(LoadResString(SOutOfResources));
}

// TBitmapCanvas.

TAVRION_CLASS_INFO(TBitmapCanvas, "Graphics") {}

TBitmapCanvas::TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}

TBitmapCanvas::~TBitmapCanvas() {
  FreeHandle();
}

void TBitmapCanvas::AcquireHandle() {
  HBITMAP image = bitmap_->Handle();
  if (image != nullptr) FreeContextsOf(image, this);
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) GDIError();
  old_bitmap_ = image != nullptr ? SelectObject(dc, image) : nullptr;
  // FIXME: bitmaps have no palettes yet, so none is selected and realised.
  SetHandle(dc);
  BitmapCanvases().Add(this);
}

void TBitmapCanvas::FreeHandle() {
  HDC dc = CurrentHandle();
  if (dc == nullptr) return;
  // The list before the canvas, as everywhere.
  TLockedList<TBitmapCanvas>& list = BitmapCanvases();
  list.Enter();
  Lock();
  if (old_bitmap_ != nullptr) SelectObject(dc, old_bitmap_);
  old_bitmap_ = nullptr;
  SetHandle(nullptr);
  DeleteDC(dc);
  list.Remove(this);
  Unlock();
  list.Leave();
}

void TBitmapCanvas::FreeContextsOf(HBITMAP image, const TBitmapCanvas* except) {
  TLockedList<TBitmapCanvas>& list = BitmapCanvases();
  list.Enter();
  // FreeHandle takes the canvas out of the list.
  for (TBitmapCanvas* canvas : list.Snapshot()) {
    if (canvas != except && canvas->bitmap_->Handle() == image) canvas->FreeHandle();
  }
  list.Leave();
}

void FreeMemoryContexts() {
  TLockedList<TBitmapCanvas>& list = BitmapCanvases();
  list.Enter();
  for (TBitmapCanvas* canvas : list.Snapshot()) canvas->FreeHandleIfUnused();
  list.Leave();
}

// TBitmap.

TAVRION_CLASS_INFO(TBitmap, "Graphics") {}

namespace {

void ReleaseImage(TBitmapImage* image) {
  if (--image->RefCount > 0) return;
  if (image->Handle != nullptr) DeleteObject(image->Handle);
  delete image;
}

}  // namespace

TBitmap::TBitmap() : image_(new TBitmapImage) {}

TBitmap::~TBitmap() {
  canvas_.reset();
  ReleaseImage(image_);
}

void TBitmap::Assign(TPersistent* source) {
  auto* bitmap = dynamic_cast<TBitmap*>(source);
  if (bitmap == nullptr) {
    inherited::Assign(source);
    return;
  }
  if (bitmap->image_ == image_) return;
  FreeContext();
  ++bitmap->image_->RefCount;
  ReplaceImage(bitmap->image_);
  NotifyChanged(this);
}

TGraphic* TBitmap::NewOfSameClass() const {
  return Construct<TBitmap>();
}

TCanvas* TBitmap::Canvas() {
  if (canvas_ == nullptr) {
    canvas_.reset(Construct<TBitmapCanvas>(this));
    canvas_->OnChange = MethodOf<&TGraphic::NotifyChanged>(this);
    canvas_->OnChanging = MethodOf<&TBitmap::CanvasChanging>(this);
  }
  return canvas_.get();
}

void TBitmap::SetHandle(HBITMAP value) {
  auto image = std::make_unique<TBitmapImage>();
  if (value != nullptr && !Describe(value, *image)) {
    throw EInvalidGraphic(LoadResString(SInvalidBitmap));
  }
  image->Handle = value;
  FreeContext();
  ReplaceImage(image.release());
  NotifyChanged(this);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == image_->Width && height == image_->Height) return;
  FreeContext();
  ReplaceImage(CopyImage(*image_, width, height));
  NotifyChanged(this);
}

void TBitmap::CanvasChanging(TObject*) {
  if (image_->RefCount == 1) return;
  FreeContext();
  ReplaceImage(CopyImage(*image_, image_->Width, image_->Height));
}

void TBitmap::FreeContext() {
  if (canvas_ != nullptr) canvas_->FreeHandle();
}

void TBitmap::ReplaceImage(TBitmapImage* image) {
  TBitmapImage* old = image_;
  image_ = image;
  ReleaseImage(old);
}

TBitmapImage* TBitmap::CopyImage(const TBitmapImage& from, int width, int height) {
  auto image = std::make_unique<TBitmapImage>(from);
  image->RefCount = 1;
  image->Handle = nullptr;
  image->Width = width;
  image->Height = height;
  if (width == 0 || height == 0) return image.release();

  HDC screen = GetDC(nullptr);
  HBITMAP handle = nullptr;
  if (from.Header.biSize >= sizeof(BITMAPINFOHEADER)) {
    BITMAPINFO info{};
    info.bmiHeader = from.Header;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = from.Header.biHeight < 0 ? -height : height;
    info.bmiHeader.biSizeImage = 0;
    if (info.bmiHeader.biBitCount == 0) {
      info.bmiHeader.biBitCount =
          static_cast<WORD>(GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES));
    }
    void* bits = nullptr;
    handle = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  } else if ((from.Planes | from.BitsPixel) == 1) {
    handle = CreateBitmap(width, height, 1, 1, nullptr);
  } else {
    handle = CreateCompatibleBitmap(screen, width, height);
  }
  HDC dc = handle != nullptr ? CreateCompatibleDC(screen) : nullptr;
  if (dc == nullptr) {
    if (handle != nullptr) DeleteObject(handle);
    ReleaseDC(nullptr, screen);
    GDIError();
  }
  HGDIOBJ old = SelectObject(dc, handle);
  if (canvas_ != nullptr) {
    const RECT all{0, 0, width, height};
    ::FillRect(dc, &all, canvas_->Brush()->Handle());
  } else {
    PatBlt(dc, 0, 0, width, height, WHITENESS);
  }
  if (from.Handle != nullptr) {
    TBitmapCanvas::FreeContextsOf(from.Handle, nullptr);
    HDC source = CreateCompatibleDC(screen);
    HGDIOBJ old_source = SelectObject(source, from.Handle);
    BitBlt(dc, 0, 0, std::min(width, from.Width), std::min(height, from.Height), source, 0, 0,
           SRCCOPY);
    SelectObject(source, old_source);
    DeleteDC(source);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  Describe(handle, *image);
  image->Handle = handle;
  return image.release();
}

void TBitmap::Draw(TCanvas* canvas, const RECT& rect) {
  if (image_->Handle == nullptr) return;
  canvas->RequiredState(csAllValid);
  HDC dc = canvas->CurrentHandle();
  const int target_bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  if (target_bits <= 8 && target_bits < image_->Planes * image_->BitsPixel) {
    POINT origin{};
    GetBrushOrgEx(dc, &origin);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
  } else if (!Monochrome()) {
    SetStretchBltMode(dc, COLORONCOLOR);
  }
  // FIXME: a transparent bitmap is drawn opaque; masks are not built.
  TCanvas* own = Canvas();
  own->RequiredState(csHandleValid);
  StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
             own->CurrentHandle(), 0, 0, image_->Width, image_->Height, canvas->CopyMode());
}
