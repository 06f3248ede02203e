// Saved pictures of windows: the client area or the whole window, and the
// caret laid over what the window painted, never into it.
#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/picture.h>

#include "tests/support/png_image.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_window.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class WindowPictures : public testing::Test {
 protected:
  WindowPictures() { host::Headless().Reset(); }
  ~WindowPictures() override {
    DestroyCaret();
    ResetTestWindows();
    DrainMessages();
  }
  // The client area as a saved picture shows it now.
  PngImage Shown(HWND window) {
    const std::string path = dir.File("shown.png");
    EXPECT_TRUE(SaveWindowPicture(window, path.c_str(), FALSE));
    return ReadPng(path);
  }
  TempDir dir;
};

TEST_F(WindowPictures, ClientAreaOrWholeWindow) {
  HWND window = MakeWindow(WS_POPUP | WS_BORDER | WS_VISIBLE, 50, 60, 12, 10);
  DrainMessages();
  HDC whole = GetWindowDC(window);
  RECT all{0, 0, 12, 10};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(whole, &all, red);
  ReleaseDC(window, whole);
  HDC client = GetDC(window);
  SetPixel(client, 0, 0, RGB(0, 0, 255));
  ReleaseDC(window, client);
  DeleteObject(red);

  ASSERT_TRUE(SaveWindowPicture(window, dir.File("w.png").c_str(), TRUE));
  PngImage image = ReadPng(dir.File("w.png"));
  ASSERT_EQ(image.width, 12);
  ASSERT_EQ(image.height, 10);
  EXPECT_EQ(image.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(image.At(1, 1), RGB(0, 0, 255));  // the client area starts inside the border

  image = Shown(window);
  EXPECT_EQ(image.width, 10);
  EXPECT_EQ(image.height, 8);
  EXPECT_EQ(image.At(0, 0), RGB(0, 0, 255));
}

// The box of the pixels that are not white; empty when there are none.
RECT NotWhite(const PngImage& image) {
  RECT box{image.width, image.height, 0, 0};
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.At(x, y) == kWhite) continue;
      box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
             std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
    }
  }
  return box.right > box.left ? box : RECT{};
}

void ExpectBox(const RECT& actual, const RECT& expected) {
  EXPECT_EQ(actual.left, expected.left);
  EXPECT_EQ(actual.top, expected.top);
  EXPECT_EQ(actual.right, expected.right);
  EXPECT_EQ(actual.bottom, expected.bottom);
}

TEST_F(WindowPictures, TheCaretShowsOverThePaintingOnlyInItsOnPhase) {
  TestHandlers()[WM_PAINT] = [](HWND window, WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(window, &ps);
    return LRESULT{0};
  };
  HWND window = MakeWindow(WS_POPUP | WS_VISIBLE, 10, 10, 40, 30);
  DrainMessages();
  ASSERT_TRUE(CreateCaret(window, nullptr, 2, 10));
  SetCaretPos(5, 4);
  ShowCaret(window);
  const RECT first{5, 4, 7, 14};
  ExpectBox(NotWhite(Shown(window)), first);
  EXPECT_EQ(Shown(window).At(5, 4), RGB(0, 0, 0));

  // Painted over while shown, then moved, then painted through a window
  // context: only the caret's place now is ever inverted.
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  ExpectBox(NotWhite(Shown(window)), first);
  SetCaretPos(20, 4);
  ExpectBox(NotWhite(Shown(window)), {20, 4, 22, 14});
  HDC dc = GetDC(window);
  RECT all{0, 0, 40, 30};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(GetPixel(dc, 20, 4), kWhite);  // the window's own pixels hold no caret
  ReleaseDC(window, dc);
  ExpectBox(NotWhite(Shown(window)), {20, 4, 22, 14});

  host::Headless().AdvanceClock(GetCaretBlinkTime());  // off
  ExpectBox(NotWhite(Shown(window)), {});
  host::Headless().AdvanceClock(GetCaretBlinkTime());  // on again
  ExpectBox(NotWhite(Shown(window)), {20, 4, 22, 14});
  HideCaret(window);
  ExpectBox(NotWhite(Shown(window)), {});
}

}  // namespace
