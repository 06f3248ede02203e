// A memory context on a top-down 32-bit DIB section for the drawing tests,
// and comparing its pixels with an expected picture. A mismatch writes the
// actual picture, the expected one and their difference as PNG files into
// the build folder and names them in the failure.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <platform/gdi.h>
#include <platform/picture.h>

#include "platform/gdi/surface.h"

class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = 0xFFFFFF) : width_(width), height_(height) {
    const BITMAPINFO info = gdi::TopDown32(width, height);
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    Fill(fill);
  }
  ~Canvas() {
    for (auto it = used_.rbegin(); it != used_.rend(); ++it) {
      SelectObject(dc_, it->second);
      DeleteObject(it->first);
    }
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  // Selects a pen or brush into the canvas; it is deleted with the canvas.
  void Use(HGDIOBJ object) { used_.emplace_back(object, SelectObject(dc_, object)); }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }

  void Fill(COLORREF color) {
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = Pixel(color);
  }
  // The colour at (x, y), 0x00BBGGRR, read from the bits.
  COLORREF At(int x, int y) const { return Color(bits_[y * width_ + x]); }

  static std::uint32_t Pixel(COLORREF c) {
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
  }
  static COLORREF Color(std::uint32_t p) { return Pixel(p); }

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  std::uint32_t* bits_ = nullptr;
  std::vector<std::pair<HGDIOBJ, HGDIOBJ>> used_;  // the object and the one it replaced
};

// An expected picture: a background colour and the pixels set on it.
class Picture {
 public:
  Picture(int width, int height, COLORREF fill)
      : width_(width), height_(height), pixels_(width * height, fill) {}
  void Set(int x, int y, COLORREF color) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[y * width_ + x] = color;
  }
  // [left, right) x [top, bottom)
  void Fill(int left, int top, int right, int bottom, COLORREF color) {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) Set(x, y, color);
    }
  }
  COLORREF At(int x, int y) const { return pixels_[y * width_ + x]; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  std::vector<COLORREF> pixels_;
};

// Exact comparison; on a mismatch the three pictures are saved and the
// first differing pixels reported.
inline testing::AssertionResult SamePixels(const Canvas& actual, const Picture& expected) {
  int wrong = 0;
  std::string first;
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      if (actual.At(x, y) == expected.At(x, y)) continue;
      if (++wrong <= 5) {
        char line[96];
        std::snprintf(line, sizeof line, "\n  (%d,%d): got %06X, want %06X", x, y,
                      static_cast<unsigned>(actual.At(x, y)),
                      static_cast<unsigned>(expected.At(x, y)));
        first += line;
      }
    }
  }
  if (wrong == 0) return testing::AssertionSuccess();
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  const std::string stem =
      std::filesystem::absolute(std::string(test->test_suite_name()) + "." + test->name()).string();
  // The expected picture and the difference (black where equal, red where
  // not) drawn through a canvas of their own.
  Canvas want(expected.width(), expected.height());
  Canvas diff(expected.width(), expected.height(), 0);
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      SetPixel(want.dc(), x, y, expected.At(x, y));
      if (actual.At(x, y) != expected.At(x, y)) SetPixel(diff.dc(), x, y, RGB(255, 0, 0));
    }
  }
  SaveBitmapPicture(actual.bitmap(), (stem + ".actual.png").c_str());
  SaveBitmapPicture(want.bitmap(), (stem + ".expected.png").c_str());
  SaveBitmapPicture(diff.bitmap(), (stem + ".diff.png").c_str());
  return testing::AssertionFailure() << wrong << " pixels differ" << first
                                     << "\n  pictures: " << stem << ".{actual,expected,diff}.png";
}
