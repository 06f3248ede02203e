// TIcon: an icon read from icon-file data (a form's Icon.Data), made into a
// platform icon when first drawn or asked for.
#pragma once

#include <vector>

#include <platform/icons.h>

#include "framework/graphics/graphic.h"

class TStream;

class TIcon : public TGraphic {
  TAVRION_CLASS(TIcon, TGraphic)

 public:
  TIcon() : TGraphic(true) {}
  // From another icon: takes a copy of its data.
  void Assign(TPersistent* source) override;
  TGraphic* NewOfSameClass() const override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // An icon keeps the size of its picture: EInvalidGraphicOperation.
  void SetWidth(int value) override;
  void SetHeight(int value) override;
  bool Empty() const override { return data_.empty() && handle_ == nullptr; }

  // Takes the data of an icon file; EInvalidGraphic "Icon image is not
  // valid" when it holds no icon this platform can show.
  void LoadFromStream(TStream& stream);
  // The platform's icon, made on first use; none when empty.
  HICON Handle();
  // Takes that icon in place of any data, at the system's icon size, and
  // destroys it when done (the system's shared icons survive that). Assign
  // copies icon-file data only, not such a handle.
  void SetHandle(HICON value);
  void DefineProperties(TFiler* filer) override;

 protected:
  ~TIcon() override;
  void Draw(TCanvas* canvas, const RECT& rect) override;

 private:
  void SetData(std::vector<unsigned char> data);
  void ReleaseHandle();

  std::vector<unsigned char> data_;
  HICON handle_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};
