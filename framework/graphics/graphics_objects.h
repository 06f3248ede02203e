// Fonts, pens and brushes: published graphics objects whose data, and the
// handle made from it, live in the shared caches.
#pragma once

#include <cstdint>
#include <string>

#include <platform/gdi.h>
#include <platform/kernel.h>

#include "framework/graphics/colors.h"
#include "framework/graphics/resource_manager.h"
#include "framework/streaming/persistent.h"

class TBitmap;

TAVRION_ENUM(TPenStyle, std::uint8_t, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear,
             psInsideFrame)
TAVRION_ENUM(TPenMode, std::uint8_t, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy,
             pmMergePenNot, pmMaskPenNot, pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask,
             pmNotMask, pmXor, pmNotXor)
TAVRION_ENUM(TBrushStyle, std::uint8_t, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal,
             bsBDiagonal, bsCross, bsDiagCross)
TAVRION_ENUM(TFontPitch, std::uint8_t, fpDefault, fpVariable, fpFixed)
TAVRION_ENUM(TFontStyle, std::uint8_t, fsBold, fsItalic, fsUnderline, fsStrikeOut)
TAVRION_SET(TFontStyles, TFontStyle)

// The raster operation (R2_ code) of a pen mode.
int PenModeToROP2(TPenMode mode);

// The shared records. Every byte is a field, so equal data hash and compare
// equal; the handle word is 0 except in data made from an existing handle.
struct TFontData {
  HFONT Handle;
  std::int32_t Height;
  TFontPitch Pitch;
  std::uint8_t Style;  // TFontStyles bits
  TFontCharset Charset;
  char Name[32];  // length byte, then at most 31 characters
  std::uint8_t Reserved;
};
struct TPenData {
  HPEN Handle;
  TColor Color;
  std::int32_t Width;
  TPenStyle Style;
  std::uint8_t Reserved[7];
};
struct TBrushData {
  HBRUSH Handle;
  TColor Color;
  TBrushStyle Style;
  std::uint8_t Reserved[3];
  TBitmap* Bitmap;
};

// What a font, pen or brush shares: the change event, and the lock of the
// canvas that owns it, entered around every change.
class TGraphicsObject : public TPersistent {
  TAVRION_CLASS(TGraphicsObject, TPersistent)

 public:
  TNotifyEvent OnChange;

  CRITICAL_SECTION* OwnerLock() const { return owner_lock_; }
  void SetOwnerLock(CRITICAL_SECTION* lock) { owner_lock_ = lock; }

  // Raised after the object's data changed; calls OnChange.
  virtual void NotifyChanged();

 protected:
  TGraphicsObject() = default;

  // Holds the owner canvas's lock, when there is one, for one change.
  class ChangeLock {
   public:
    explicit ChangeLock(const TGraphicsObject& object);
    ~ChangeLock();
    ChangeLock(const ChangeLock&) = delete;
    ChangeLock& operator=(const ChangeLock&) = delete;

   private:
    CRITICAL_SECTION* lock_;
  };

  // A setter's change: the current data without its handle word, changed
  // by `edit`, put through the cache under the owner's lock.
  template <typename Data, typename Edit>
  void ChangeData(TResourceManager<Data>& manager, TResourceEntry<Data>*& slot, Edit edit) {
    ChangeLock lock(*this);
    Data data = slot->Record;
    data.Handle = nullptr;
    edit(data);
    manager.ChangeEntry(*this, slot, data);
  }

 private:
  CRITICAL_SECTION* owner_lock_ = nullptr;
};

class TFont : public TGraphicsObject {
  TAVRION_CLASS(TFont, TGraphicsObject)

 public:
  TFont();
  void Assign(TPersistent* source) override;

  // The font's handle, made on first use.
  HFONT Handle();
  // Takes the data of an existing font (or the default data when the
  // handle cannot be read); the cache keeps the handle. A handle the cache
  // made shares that font's entry instead.
  void SetHandle(HFONT handle);

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  std::int32_t Height() const { return Data().Height; }
  void SetHeight(std::int32_t value);
  // In points, from Height and PixelsPerInch.
  std::int32_t Size() const;
  void SetSize(std::int32_t value);
  std::string Name() const;
  // An empty name is ignored; longer names keep 31 characters.
  void SetName(const std::string& value);
  TFontStyles Style() const { return TFontStyles{Data().Style}; }
  void SetStyle(TFontStyles value);
  TFontPitch Pitch() const { return Data().Pitch; }
  void SetPitch(TFontPitch value);
  TFontCharset Charset() const { return Data().Charset; }
  void SetCharset(TFontCharset value);
  std::int32_t PixelsPerInch() const { return pixels_per_inch_; }
  void SetPixelsPerInch(std::int32_t value) { pixels_per_inch_ = value; }

 protected:
  ~TFont() override;

 private:
  using Entry = TResourceEntry<TFontData>;
  const TFontData& Data() const { return resource_->Record; }

  Entry* resource_;
  TColor color_ = clWindowText;
  std::int32_t pixels_per_inch_;
};

class TPen : public TGraphicsObject {
  TAVRION_CLASS(TPen, TGraphicsObject)

 public:
  TPen();
  void Assign(TPersistent* source) override;

  HPEN Handle();
  TColor Color() const { return resource_->Record.Color; }
  void SetColor(TColor value);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode value);
  TPenStyle Style() const { return resource_->Record.Style; }
  void SetStyle(TPenStyle value);
  std::int32_t Width() const { return resource_->Record.Width; }
  // Negative widths are ignored.
  void SetWidth(std::int32_t value);

 protected:
  ~TPen() override;

 private:
  using Entry = TResourceEntry<TPenData>;

  Entry* resource_;
  TPenMode mode_ = pmCopy;
};

class TBrush : public TGraphicsObject {
  TAVRION_CLASS(TBrush, TGraphicsObject)

 public:
  TBrush();
  void Assign(TPersistent* source) override;

  HBRUSH Handle();
  TColor Color() const { return resource_->Record.Color; }
  // Also drops the bitmap; a clear brush becomes solid.
  void SetColor(TColor value);
  TBrushStyle Style() const { return resource_->Record.Style; }
  // Also drops the bitmap; a clear brush is white.
  void SetStyle(TBrushStyle value);
  // The pattern; the bitmap must outlive its use by the brush.
  TBitmap* Bitmap() const { return resource_->Record.Bitmap; }
  void SetBitmap(TBitmap* value);

 protected:
  ~TBrush() override;

 private:
  using Entry = TResourceEntry<TBrushData>;

  Entry* resource_;
};

// The stock objects a canvas selects while it holds none of its own.
HPEN StockPen();
HBRUSH StockBrush();
HFONT StockFont();
