#include "framework/controls/image.h"

#include "framework/graphics/bitmap.h"
#include "framework/graphics/icon.h"
#include "framework/rtl/scope_exit.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

TAVRION_CLASS_INFO(TImage, "ExtCtrls") {
  c.Property<&TImage::Picture, &TImage::SetPicture>("Picture");
  c.Property<&TImage::AutoSize, &TImage::SetAutoSize>("AutoSize").Default(0);
  c.Property<&TImage::Center, &TImage::SetCenter>("Center").Default(0);
  c.Property<&TImage::IncrementalDisplay, &TImage::SetIncrementalDisplay>("IncrementalDisplay")
      .Default(0);
  c.Property<&TImage::Stretch, &TImage::SetStretch>("Stretch").Default(0);
  c.Property<&TImage::Transparent, &TImage::SetTransparent>("Transparent").Default(0);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(Construct<TPicture>()) {
  picture_->OnChange = MethodOf<&TImage::PictureChanged>(this);
  SetBounds(left_, top_, 105, 105);
}

TCanvas* TImage::Canvas() {
  if (picture_->Graphic() == nullptr) {
    std::unique_ptr<TBitmap, FreeDeleter> bitmap(Construct<TBitmap>());
    bitmap->SetWidth(width_);
    bitmap->SetHeight(height_);
    picture_->SetGraphic(bitmap.get());
  }
  auto* bitmap = dynamic_cast<TBitmap*>(picture_->Graphic());
  if (bitmap == nullptr) throw EInvalidOperation(LoadResString(SImageCanvasNeedsBitmap));
  return bitmap->Canvas();
}

void TImage::SetStretch(bool value) {
  if (stretch_ == value) return;
  stretch_ = value;
  PictureChanged(this);
}

void TImage::SetCenter(bool value) {
  if (center_ == value) return;
  center_ = value;
  PictureChanged(this);
}

void TImage::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  PictureChanged(this);
}

void TImage::SetAutoSize(bool value) {
  if (auto_size_ == value) return;
  auto_size_ = value;
  PictureChanged(this);
}

void TImage::PictureChanged(TObject*) {
  if (auto_size_ && picture_->Width() > 0 && picture_->Height() > 0) {
    SetBounds(left_, top_, picture_->Width(), picture_->Height());
  }
  TGraphic* graphic = picture_->Graphic();
  bool opaque = false;
  if (graphic != nullptr) {
    // An icon keeps the transparency of its own mask.
    if (dynamic_cast<TIcon*>(graphic) == nullptr) graphic->SetTransparent(transparent_);
    opaque = !graphic->Transparent() &&
             (stretch_ || (graphic->Width() >= width_ && graphic->Height() >= height_));
  }
  if (opaque) {
    control_style_.Include(csOpaque);
  } else {
    control_style_.Exclude(csOpaque);
  }
  if (!drawing_) Invalidate();
}

RECT TImage::DestRect() {
  const int width = picture_->Width();
  const int height = picture_->Height();
  if (stretch_) return ClientRect();
  if (center_) {
    const int left = (width_ - width) / 2;
    const int top = (height_ - height) / 2;
    return {left, top, left + width, top + height};
  }
  return {0, 0, width, height};
}

void TImage::Paint() {
  TCanvas* canvas = TGraphicControl::Canvas();
  if (ComponentState().Has(csDesigning)) {
    canvas->Pen()->SetStyle(psDash);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(0, 0, width_, height_);
  }
  const ScopeExit restore([this, saved = drawing_] { drawing_ = saved; });
  drawing_ = true;
  canvas->StretchDraw(DestRect(), picture_->Graphic());
}
