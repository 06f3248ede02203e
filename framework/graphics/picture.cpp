#include "framework/graphics/picture.h"

#include "framework/graphics/icon.h"

TAVRION_CLASS_INFO(TPicture, "Graphics") {}

TPicture::~TPicture() {
  if (graphic_ != nullptr) graphic_->Free();
}

void TPicture::Assign(TPersistent* source) {
  if (auto* picture = dynamic_cast<TPicture*>(source)) {
    SetGraphic(picture->graphic_);
  } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    SetGraphic(graphic);
  } else {
    inherited::Assign(source);
  }
}

void TPicture::SetGraphic(TGraphic* value) {
  TGraphic* graphic = nullptr;
  if (value != nullptr) {
    std::unique_ptr<TGraphic, FreeDeleter> copy(value->NewOfSameClass());
    copy->Assign(value);
    copy->OnChange = MethodOf<&TPicture::Changed>(this);
    graphic = copy.release();
  }
  TGraphic* old = graphic_;
  graphic_ = graphic;
  if (old != nullptr) old->Free();
  Changed(this);
}

void TPicture::Changed(TObject*) {
  OnChange(this);
  if (notify_ != nullptr) notify_->PictureChanged(this);
}

TIcon* TPicture::Icon() {
  if (dynamic_cast<TIcon*>(graphic_) == nullptr) {
    std::unique_ptr<TIcon, FreeDeleter> empty(Construct<TIcon>());
    SetGraphic(empty.get());
  }
  return static_cast<TIcon*>(graphic_);
}
