// TBitmap: an image that bitmaps share until one of them draws, and the
// canvas that draws on it through a memory context.
#pragma once

#include <memory>

#include <platform/gdi.h>

#include "framework/graphics/canvas.h"
#include "framework/graphics/graphic.h"

// A GDI object or context could not be made.
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

// Raises EOutOfResources with the system's text of the last error, or
// "Out of system resources" when it has none.
[[noreturn]] void GDIError();

class TBitmap;

// The canvas of a bitmap: a memory context with the bitmap's image selected,
// made when a drawing needs it.
class TBitmapCanvas : public TCanvas {
  TAVRION_CLASS(TBitmapCanvas, TCanvas)

 public:
  explicit TBitmapCanvas(TBitmap* bitmap);
  void AcquireHandle() override;

 protected:
  ~TBitmapCanvas() override;
  // Restores the context's first bitmap, detaches the context and deletes it.
  void FreeHandle() override;

 private:
  // Makes every bitmap canvas but `except` that has `image` selected give
  // up its context, so the image can be selected elsewhere or deleted.
  static void FreeContextsOf(HBITMAP image, const TBitmapCanvas* except);

  TBitmap* bitmap_;
  HGDIOBJ old_bitmap_ = nullptr;

  friend class TBitmap;
};

// The pixels and what they were made with, shared by the bitmaps assigned
// from one another.
struct TBitmapImage {
  int RefCount = 1;
  HBITMAP Handle = nullptr;
  int Width = 0;
  int Height = 0;
  WORD Planes = 0;
  WORD BitsPixel = 0;
  // biSize 0 unless the image is a DIB section.
  BITMAPINFOHEADER Header{};
};

class TBitmap : public TGraphic {
  TAVRION_CLASS(TBitmap, TGraphic)

 public:
  TBitmap();
  // Shares the image of another bitmap; none makes this one empty.
  void Assign(TPersistent* source) override;
  TGraphic* NewOfSameClass() const override;

  // Made on the first request.
  TCanvas* Canvas();
  // The image's handle (none while either size is 0).
  HBITMAP Handle() const { return image_->Handle; }
  // Takes over a bitmap handle: EInvalidGraphic "Bitmap image is not
  // valid" when it names no bitmap.
  void SetHandle(HBITMAP value);
  bool Monochrome() const { return (image_->Planes | image_->BitsPixel) == 1; }

  int Width() const override { return image_->Width; }
  void SetWidth(int value) override { SetSize(value, image_->Height); }
  int Height() const override { return image_->Height; }
  void SetHeight(int value) override { SetSize(image_->Width, value); }
  // A new image of that size: filled with the canvas's brush (white
  // without a canvas), the old pixels kept at the top left.
  void SetSize(int width, int height);
  bool Empty() const override { return image_->Handle == nullptr; }

  const TBitmapImage& Image() const { return *image_; }

 protected:
  ~TBitmap() override;
  void Draw(TCanvas* canvas, const RECT& rect) override;

 private:
  // The canvas is about to draw: an image others share is copied first.
  void CanvasChanging(TObject* sender);
  // The canvas lets go of the image, so it can be selected elsewhere.
  void FreeContext();
  void ReplaceImage(TBitmapImage* image);
  // A new image of that size and of the kind of `from`, filled, with the
  // pixels of `from` at its top left.
  TBitmapImage* CopyImage(const TBitmapImage& from, int width, int height);

  TBitmapImage* image_;
  std::unique_ptr<TBitmapCanvas, FreeDeleter> canvas_;

  friend class TBitmapCanvas;
};

// Every bitmap canvas that can be locked gives its memory context back; the
// control layer does this after each message.
void FreeMemoryContexts();
