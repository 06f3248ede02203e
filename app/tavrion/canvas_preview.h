// The preview's picture drawn on a framework canvas, at the size of the
// control that shows it.
#pragma once

#include "framework/graphics/canvas.h"
#include "stimulus/stimulus_form.h"

namespace tavrion {

class CanvasPreview final : public stimulus::PreviewCanvas {
 public:
  CanvasPreview() = default;
  CanvasPreview(TCanvas* canvas, int width, int height) { Attach(canvas, width, height); }
  // The canvas and size of the next drawing.
  void Attach(TCanvas* canvas, int width, int height) {
    canvas_ = canvas, width_ = width, height_ = height;
  }

  int Width() override { return width_; }
  int Height() override { return height_; }
  void FillRect(int left, int top, int right, int bottom) override {
    canvas_->FillRect({left, top, right, bottom});
  }
  void SetPenColor(std::int32_t color) override { canvas_->Pen()->SetColor(color); }
  void SetPenStyle(stimulus::PenStyle style) override {
    canvas_->Pen()->SetStyle(style == stimulus::PenStyle::Dot ? psDot : psSolid);
  }
  void MoveTo(int x, int y) override { canvas_->MoveTo(x, y); }
  void LineTo(int x, int y) override { canvas_->LineTo(x, y); }

 private:
  TCanvas* canvas_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace tavrion
