// The preview's picture drawn on a framework canvas, for the benchmarks
// that compare the framework's drawing with the platform's.
#pragma once

#include "framework/graphics/canvas.h"
#include "stimulus/preview.h"

namespace {

// The preview's picture on a canvas, as the image control gives it.
class CanvasPreview : public stimulus::PreviewCanvas {
 public:
  CanvasPreview(TCanvas& canvas, int width, int height)
      : canvas_(canvas), width_(width), height_(height) {}
  int Width() override { return width_; }
  int Height() override { return height_; }
  void FillRect(int left, int top, int right, int bottom) override {
    canvas_.FillRect({left, top, right, bottom});
  }
  void SetPenColor(std::int32_t color) override { canvas_.Pen()->SetColor(color); }
  void SetPenStyle(stimulus::PenStyle style) override {
    canvas_.Pen()->SetStyle(style == stimulus::PenStyle::Dot ? psDot : psSolid);
  }
  void MoveTo(int x, int y) override { canvas_.MoveTo(x, y); }
  void LineTo(int x, int y) override { canvas_.LineTo(x, y); }

 private:
  TCanvas& canvas_;
  int width_;
  int height_;
};

}  // namespace
