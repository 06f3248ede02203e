// TGraphic: the base of pictures that draw themselves into a canvas.
#pragma once

#include <platform/gdi.h>

#include "framework/rtl/exceptions.h"
#include "framework/streaming/persistent.h"

class TCanvas;

// Image data that cannot be used.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// An image operation the graphic cannot do.
class EInvalidGraphicOperation : public Exception {
 public:
  using Exception::Exception;
};

class TGraphic : public TPersistent {
  TAVRION_CLASS(TGraphic, TPersistent)

 public:
  TNotifyEvent OnChange;

  virtual int Width() const = 0;
  virtual void SetWidth(int value) = 0;
  virtual int Height() const = 0;
  virtual void SetHeight(int value) = 0;
  virtual bool Empty() const = 0;
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool Modified() const { return modified_; }
  void SetModified(bool value) { modified_ = value; }

  // A new, empty graphic of this one's class.
  virtual TGraphic* NewOfSameClass() const = 0;

  // Marks the graphic modified and calls OnChange.
  virtual void NotifyChanged(TObject* sender);

 protected:
  TGraphic() = default;
  // A graphic with a mask of its own (an icon) starts transparent.
  explicit TGraphic(bool transparent) : transparent_(transparent) {}
  // Draws the whole graphic into `rect` of the canvas.
  virtual void Draw(TCanvas* canvas, const RECT& rect) = 0;

 private:
  bool modified_ = false;
  bool transparent_ = false;

  friend class TCanvas;
};
