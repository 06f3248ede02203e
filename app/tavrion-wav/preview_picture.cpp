#include "app/tavrion-wav/preview_picture.h"

#include <platform/picture.h>

#include "stimulus/preview.h"

namespace tavrion_wav {

BitmapPreviewCanvas::BitmapPreviewCanvas(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  old_bitmap_ = SelectObject(dc_, bitmap_);
  FillRect(0, 0, width, height);
}

BitmapPreviewCanvas::~BitmapPreviewCanvas() {
  if (pen_ != nullptr) {
    SelectObject(dc_, old_pen_);
    DeleteObject(pen_);
  }
  SelectObject(dc_, old_bitmap_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
}

void BitmapPreviewCanvas::FillRect(int left, int top, int right, int bottom) {
  const RECT rect{left, top, right, bottom};
  ::FillRect(dc_, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void BitmapPreviewCanvas::SetPenColor(std::int32_t color) {
  pen_color_ = color;
  MakePen();
}

void BitmapPreviewCanvas::SetPenStyle(stimulus::PenStyle style) {
  pen_style_ = style;
  MakePen();
}

void BitmapPreviewCanvas::MakePen() {
  const int style = pen_style_ == stimulus::PenStyle::Dot ? PS_DOT : PS_SOLID;
  HPEN pen = CreatePen(style, 1, static_cast<COLORREF>(pen_color_));
  HGDIOBJ previous = SelectObject(dc_, pen);
  if (pen_ == nullptr) {
    old_pen_ = previous;
  } else {
    DeleteObject(pen_);
  }
  pen_ = pen;
}

void BitmapPreviewCanvas::MoveTo(int x, int y) {
  MoveToEx(dc_, x, y, nullptr);
}

void BitmapPreviewCanvas::LineTo(int x, int y) {
  ::LineTo(dc_, x, y);
}

bool BitmapPreviewCanvas::Save(const std::string& path) const {
  return SaveBitmapPicture(bitmap_, path.c_str()) != FALSE;
}

bool WritePreviewPicture(const stimulus::StimulusParams& params, const std::string& path) {
  BitmapPreviewCanvas canvas(kPreviewWidth, kPreviewHeight);
  stimulus::DrawPreview(canvas, params);
  return canvas.Save(path);
}

}  // namespace tavrion_wav
