// TImage: a control without a window that shows a picture. Drawing on its
// Canvas draws on a bitmap of the control's size, made at the first request,
// which shows at the control's next paint.
#pragma once

#include <memory>

#include "framework/controls/graphic_control.h"
#include "framework/graphics/picture.h"

class TImage : public TGraphicControl {
  TAVRION_CLASS(TImage, TGraphicControl)

 public:
  explicit TImage(TComponent* owner);

  // The bitmap's canvas; the bitmap keeps the size of the first request.
  // EInvalidOperation "Can only modify an image if it contains a bitmap"
  // when the picture holds another kind of graphic.
  TCanvas* Canvas();
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* value) { picture_->Assign(value); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  bool IncrementalDisplay() const { return incremental_display_; }
  void SetIncrementalDisplay(bool value) { incremental_display_ = value; }

 protected:
  ~TImage() override = default;
  void Paint() override;

 private:
  void PictureChanged(TObject* sender);
  // Where the picture goes: the client area when stretched, centred when
  // asked, else the top left at its own size.
  RECT DestRect();

  std::unique_ptr<TPicture, FreeDeleter> picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool transparent_ = false;
  bool auto_size_ = false;
  bool incremental_display_ = false;
  bool drawing_ = false;
};
