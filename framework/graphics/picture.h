// TPicture: the owner of one graphic, which it keeps as its own copy.
#pragma once

#include <memory>

#include "framework/graphics/graphic.h"

class TBitmap;
class TIcon;

// Told when a picture changes (the control that shows it).
class TPictureNotify {
 public:
  virtual void PictureChanged(TObject* sender) = 0;

 protected:
  ~TPictureNotify() = default;
};

class TPicture : public TPersistent {
  TAVRION_CLASS(TPicture, TPersistent)

 public:
  TPicture() = default;
  // From a picture or a graphic: takes a copy of its graphic.
  void Assign(TPersistent* source) override;

  TGraphic* Graphic() const { return graphic_; }
  // Keeps a new graphic of the value's class assigned from it (none for
  // none), frees the previous one and tells of the change.
  void SetGraphic(TGraphic* value);
  // The graphic as an icon: an empty icon first takes the place of a
  // graphic of another kind.
  TIcon* Icon();
  int Width() const { return graphic_ != nullptr ? graphic_->Width() : 0; }
  int Height() const { return graphic_ != nullptr ? graphic_->Height() : 0; }

  TNotifyEvent OnChange;
  void SetNotify(TPictureNotify* notify) { notify_ = notify; }

 protected:
  ~TPicture() override;
  // OnChange, then the notify interface.
  virtual void Changed(TObject* sender);

 private:
  TGraphic* graphic_ = nullptr;
  TPictureNotify* notify_ = nullptr;
};
