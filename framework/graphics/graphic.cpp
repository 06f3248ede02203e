#include "framework/graphics/graphic.h"

TAVRION_CLASS_INFO(TGraphic, "Graphics") {}

void TGraphic::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  NotifyChanged(this);
}

void TGraphic::NotifyChanged(TObject*) {
  modified_ = true;
  OnChange(this);
}
