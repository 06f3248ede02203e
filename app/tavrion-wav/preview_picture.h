// The preview of a train drawn into a memory bitmap with the platform's
// drawing calls and saved as a PNG picture, so that a script sees what the
// main window would draw.
#pragma once

#include <cstdint>
#include <string>

#include <platform/gdi.h>

#include "stimulus/params.h"
#include "stimulus/stimulus_form.h"

namespace tavrion_wav {

// The size of the main window's preview strip.
inline constexpr int kPreviewWidth = 485;
inline constexpr int kPreviewHeight = 89;

// A white 32-bit bitmap with a memory context, drawn on like the window's
// image: one pen of the current colour and style, made anew whenever either
// changes, and the white brush for fills.
class BitmapPreviewCanvas : public stimulus::PreviewCanvas {
 public:
  BitmapPreviewCanvas(int width, int height);
  ~BitmapPreviewCanvas() override;
  BitmapPreviewCanvas(const BitmapPreviewCanvas&) = delete;
  BitmapPreviewCanvas& operator=(const BitmapPreviewCanvas&) = delete;

  int Width() override { return width_; }
  int Height() override { return height_; }
  void FillRect(int left, int top, int right, int bottom) override;
  void SetPenColor(std::int32_t color) override;
  void SetPenStyle(stimulus::PenStyle style) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;

  // Writes the pixels to `path`, a name as the file system takes it; false
  // when the file cannot be written.
  bool Save(const std::string& path) const;
  // The memory context the picture is drawn in.
  HDC Dc() const { return dc_; }

 private:
  void MakePen();

  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  // The pen selected now (none before the first change) and the context's own.
  HPEN pen_ = nullptr;
  HGDIOBJ old_pen_ = nullptr;
  std::int32_t pen_color_ = 0;  // clBlack
  stimulus::PenStyle pen_style_ = stimulus::PenStyle::Solid;
};

// Draws the preview of an accepted set at the window's size and writes it to
// `path` as PNG; false when it cannot be written.
bool WritePreviewPicture(const stimulus::StimulusParams& params, const std::string& path);

}  // namespace tavrion_wav
