// The caret: one per thread, owned by a window; hiding nests; it blinks on
// the host clock; it is XORed over the picture, never into the window's own
// pixels.
#include <tuple>
#include <utility>

#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

#include "platform/host/host.h"
#include "platform/user/caret.h"
#include "platform/user/window_picture.h"
#include "tests/support/rect.h"
#include "tests/support/test_window.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

class Caret : public WindowTest {
 protected:
  Caret() {
    window_ = MakeWindow(WS_POPUP | WS_VISIBLE, 10, 10, 40, 30);
    other_ = MakeWindow(WS_POPUP | WS_VISIBLE, 100, 10, 40, 30);
    TestHandlers()[WM_ERASEBKGND] = [](HWND, WPARAM dc, LPARAM) {
      RECT all{0, 0, 40, 30};
      return LRESULT{FillRect(reinterpret_cast<HDC>(dc), &all,
                              static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)))};
    };
    InvalidateRect(window_, nullptr, TRUE);
    DrainMessages();
  }
  ~Caret() override { DestroyCaret(); }
  // The box of the pixels shown other than white; empty when there are none.
  RECT Inverted() {
    const auto picture = user::WindowPicture(window_);
    RECT box{40, 30, 0, 0};
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        if (picture->At(x, y) == kWhite) continue;
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
               std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
      }
    }
    return box.right > box.left ? box : RECT{};
  }

  HWND window_;
  HWND other_;
};

TEST_F(Caret, CallsWithoutTheCaretFail) {
  POINT at{};
  EXPECT_FALSE(SetCaretPos(1, 1));
  EXPECT_FALSE(GetCaretPos(&at));
  EXPECT_FALSE(ShowCaret(nullptr));
  EXPECT_FALSE(HideCaret(nullptr));
  EXPECT_FALSE(DestroyCaret());
  EXPECT_FALSE(CreateCaret(reinterpret_cast<HWND>(std::uintptr_t{0xDEAD0}), nullptr, 1, 1));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);

  ASSERT_TRUE(CreateCaret(window_, nullptr, 1, 1));
  EXPECT_TRUE(GetCaretPos(&at));
  EXPECT_FALSE(ShowCaret(other_));  // not the owner
  EXPECT_FALSE(HideCaret(other_));
  EXPECT_TRUE(ShowCaret(nullptr));  // whichever window owns it
  EXPECT_TRUE(HideCaret(window_));

  // A new caret replaces the thread's old one, whatever window owned it.
  ASSERT_TRUE(CreateCaret(other_, nullptr, 1, 1));
  EXPECT_FALSE(ShowCaret(window_));
  EXPECT_TRUE(ShowCaret(other_));
  EXPECT_TRUE(DestroyCaret());
  EXPECT_FALSE(GetCaretPos(&at));
}

TEST_F(Caret, HidingNestsAndTheCaretIsMadeHidden) {
  ASSERT_TRUE(CreateCaret(window_, nullptr, 0, 0));  // the border's size: 1 x 1
  SetCaretPos(3, 2);
  EXPECT_EQ(Inverted(), RECT{});
  // The third show is one too many and changes nothing.
  const std::pair<BOOL (*)(HWND), bool> steps[] = {
      {ShowCaret, true}, {HideCaret, false}, {HideCaret, false}, {ShowCaret, false},
      {ShowCaret, true}, {ShowCaret, true},  {HideCaret, false}};
  for (const auto& [call, shown] : steps) {
    call(window_);
    EXPECT_EQ(Inverted(), (shown ? RECT{3, 2, 4, 3} : RECT{}));
  }
}

TEST_F(Caret, ItBlinksOnTheHostClockAndAMoveShowsItAtOnce) {
  ASSERT_TRUE(CreateCaret(window_, nullptr, 2, 5));
  EXPECT_EQ(user::NextCaretBlink(), host::kForever);  // hidden
  ShowCaret(window_);
  const std::tuple<std::uint64_t, bool, std::uint64_t> steps[] = {
      {0, true, 530}, {529, true, 530}, {1, false, 1060}, {530, true, 1590}};
  for (const auto& [advance, on, next] : steps) {
    host::Headless().AdvanceClock(advance);
    SCOPED_TRACE(host::Headless().Now());
    EXPECT_EQ(Inverted(), (on ? RECT{0, 0, 2, 5} : RECT{}));
    EXPECT_EQ(user::NextCaretBlink(), next);
  }
  host::Headless().AdvanceClock(600);  // off at 1660
  EXPECT_EQ(Inverted(), RECT{});
  SetCaretPos(10, 0);
  EXPECT_EQ(Inverted(), (RECT{10, 0, 12, 5}));
  EXPECT_EQ(user::NextCaretBlink(), 1660u + 530u);
}

// Painted over while shown, moved, then painted over through a window
// context: only the caret's place now is ever inverted.
TEST_F(Caret, ShowsOverThePaintingNeverInIt) {
  ASSERT_TRUE(CreateCaret(window_, nullptr, 2, 10));
  SetCaretPos(5, 4);
  ShowCaret(window_);
  InvalidateRect(window_, nullptr, TRUE);
  UpdateWindow(window_);
  EXPECT_EQ(Inverted(), (RECT{5, 4, 7, 14}));
  SetCaretPos(20, 4);
  EXPECT_EQ(Inverted(), (RECT{20, 4, 22, 14}));
  HDC dc = GetDC(window_);
  RECT all{0, 0, 40, 30};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(GetPixel(dc, 20, 4), RGB(255, 255, 255));
  ReleaseDC(window_, dc);
  EXPECT_EQ(Inverted(), (RECT{20, 4, 22, 14}));
}

TEST_F(Caret, GoesWithItsWindowNotWithTheFocus) {
  ASSERT_TRUE(CreateCaret(window_, nullptr, 1, 1));
  ShowCaret(window_);
  SetFocus(window_);
  SetFocus(other_);
  POINT at{};
  EXPECT_TRUE(GetCaretPos(&at));
  EXPECT_EQ(Inverted(), (RECT{0, 0, 1, 1}));  // only the control's WM_KILLFOCUS would destroy it
  DestroyWindow(window_);
  EXPECT_FALSE(GetCaretPos(&at));
}

}  // namespace
