// The progress bar on the headless host: range and position as the window
// holds them, the position kept across a new window, and the range errors.
#include <gtest/gtest.h>

#include <functional>

#include "framework/comctrls/progress_bar.h"
#include "framework/graphics/canvas.h"
#include "platform/commctrl.h"
#include "platform/headless.h"
#include "tests/support/control_sheet.h"
#include "tests/support/fw_objects.h"

namespace {

class ProgressBars : public testing::Test {
 protected:
  ProgressBars() { host::Headless().Reset(); }
  ~ProgressBars() override { FreeShownSheet(sheet_); }
  TProgressBar* Add() {
    auto* bar = Construct<TProgressBar>(sheet_);
    bar->SetBounds(10, 10, 97, 22);
    return bar;
  }
  static LRESULT Ask(TProgressBar* bar, UINT message, WPARAM wparam = 0) {
    return SendMessageA(bar->Handle(), message, wparam, 0);
  }

  TSheet* sheet_ = MakeShownSheet(300, 100);
};

TEST_F(ProgressBars, TheWindowTakesTheFieldsAndKeepsThePositionWhenMadeAgain) {
  TProgressBar* bar = Add();
  bar->SetParams(10, 500);
  bar->SetPosition(42);
  bar->SetStep(7);
  bar->SetParent(sheet_);
  ASSERT_TRUE(bar->HandleAllocated());
  EXPECT_EQ(Ask(bar, PBM_GETRANGE, TRUE), 10);
  EXPECT_EQ(Ask(bar, PBM_GETRANGE, FALSE), 500);
  EXPECT_EQ(Ask(bar, PBM_GETPOS), 42);
  EXPECT_EQ(Ask(bar, PBM_STEPIT), 42);  // answers the position before the step
  EXPECT_EQ(bar->Position(), 49);
  const HWND first = bar->Handle();
  bar->SetSmooth(true);
  EXPECT_NE(bar->Handle(), first);
  EXPECT_EQ(bar->Position(), 49);
  EXPECT_EQ(bar->Min(), 10);
  EXPECT_EQ(bar->Max(), 500);
}

TEST_F(ProgressBars, RangeAndPositionMessagesReachTheWindow) {
  const struct {
    const char* name;
    std::function<void(TProgressBar&)> act;
    std::int32_t min, max, position;
  } cases[] = {
      {"a wider range keeps the position", [](TProgressBar& b) { b.SetMax(1000); }, 0, 1000, 50},
      {"a narrower range clamps it", [](TProgressBar& b) { b.SetMax(20); }, 0, 20, 20},
      {"a lower minimum puts the bar at it", [](TProgressBar& b) { b.SetParams(-5, 100); }, -5, 100,
       -5},
      {"a position set under the window", [](TProgressBar& b) { b.SetPosition(77); }, 0, 100, 77},
      {"a position beyond the range clamps", [](TProgressBar& b) { b.SetPosition(300); }, 0, 100,
       100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TProgressBar* bar = Add();
    bar->SetParent(sheet_);
    bar->SetPosition(50);
    c.act(*bar);
    EXPECT_EQ(Ask(bar, PBM_GETRANGE, TRUE), c.min);
    EXPECT_EQ(Ask(bar, PBM_GETRANGE, FALSE), c.max);
    EXPECT_EQ(bar->Min(), c.min);
    EXPECT_EQ(bar->Max(), c.max);
    EXPECT_EQ(bar->Position(), c.position);
    bar->Free();
  }
}

TEST_F(ProgressBars, AnUpsideDownRangeRaisesWithOrWithoutWindow) {
  for (bool windowed : {false, true}) {
    SCOPED_TRACE(windowed ? "windowed" : "fields");
    TProgressBar* bar = Add();
    if (windowed) bar->SetParent(sheet_);
    const std::string refused = "TProgressBar property out of range";
    EXPECT_EQ(RaisedMessage<EInvalidOperation>([&] { bar->SetMin(101); }), refused);
    EXPECT_EQ(RaisedMessage<EInvalidOperation>([&] { bar->SetMax(-1); }), refused);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    bar->Free();
  }
}

}  // namespace
