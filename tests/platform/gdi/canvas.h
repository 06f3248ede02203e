// A memory context on a top-down 32-bit DIB section for the drawing tests.
// An expected picture is a canvas too, its pixels set straight in the bits
// so it never goes through the drawing it checks. A mismatch writes the
// actual picture, the expected one and their difference as PNG files into
// the build folder and names them in the failure.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <platform/gdi.h>
#include <platform/picture.h>

#include "platform/gdi/surface.h"

constexpr COLORREF kWhite = 0xFFFFFF, kBlack = 0, kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = kWhite) : width_(width), height_(height) {
    const BITMAPINFO info = gdi::TopDown32(width, height);
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    Fill(0, 0, width, height, fill);
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
  // Selects a pen, brush or font into the canvas; it is deleted with the canvas.
  void Use(HGDIOBJ object) { used_.emplace_back(object, SelectObject(dc_, object)); }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Writes the bits; points outside the canvas are left out.
  void Set(int x, int y, COLORREF color) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) bits_[y * width_ + x] = gdi::ToPixel(color);
  }
  // [left, right) x [top, bottom)
  void Fill(int left, int top, int right, int bottom, COLORREF color) {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) Set(x, y, color);
    }
  }
  COLORREF At(int x, int y) const { return gdi::ToColor(bits_[y * width_ + x]); }

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  std::uint32_t* bits_ = nullptr;
  std::vector<std::pair<HGDIOBJ, HGDIOBJ>> used_;  // the object and the one it replaced
};

// Exact comparison; on a mismatch the three pictures are saved and the
// first differing pixels reported.
inline testing::AssertionResult SamePixels(const Canvas& actual, const Canvas& expected) {
  Canvas diff(expected.width(), expected.height(), kBlack);  // red where they differ
  int wrong = 0;
  std::string first;
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      if (actual.At(x, y) == expected.At(x, y)) continue;
      diff.Set(x, y, kRed);
      if (++wrong > 5) continue;
      char line[96];
      std::snprintf(line, sizeof line, "\n  (%d,%d): got %06X, want %06X", x, y,
                    static_cast<unsigned>(actual.At(x, y)),
                    static_cast<unsigned>(expected.At(x, y)));
      first += line;
    }
  }
  if (wrong == 0) return testing::AssertionSuccess();
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  const std::string stem =
      std::filesystem::absolute(std::string(test->test_suite_name()) + "." + test->name()).string();
  for (const auto& [canvas, suffix] :
       {std::pair{&actual, ".actual.png"}, {&expected, ".expected.png"}, {&diff, ".diff.png"}}) {
    SaveBitmapPicture(canvas->bitmap(), (stem + suffix).c_str());
  }
  return testing::AssertionFailure() << wrong << " pixels differ" << first
                                     << "\n  pictures: " << stem << ".{actual,expected,diff}.png";
}

// A font of that face and height (negative: the characters' height), upright.
inline LOGFONTA LogFont(const char* face, LONG height = -11, LONG weight = FW_NORMAL) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  std::strncpy(font.lfFaceName, face, sizeof font.lfFaceName - 1);
  return font;
}
