// The state and style sets of components, controls and canvases: each a type
// of its own, so a flag of one set does not go into another, with the bit
// values the sets are published with.
#include <gtest/gtest.h>

#include "framework/controls/control.h"
#include "framework/graphics/canvas.h"

namespace {

template <typename Set, typename Flag>
concept Takes = requires(Set set, Flag flag) {
  set.Include(flag);
};

template <typename A, typename B>
concept Combine = requires(A a, B b) {
  a | b;
};

static_assert(Takes<TControlState, TControlStateFlag>);
static_assert(!Takes<TControlState, TControlStyleFlag>);
static_assert(!Takes<TControlStyle, TControlStateFlag>);
static_assert(!Takes<TControlState, TComponentStateFlag>);
static_assert(!Takes<TComponentState, TCanvasStateFlag>);
static_assert(!Takes<TControlStyle, int>);
static_assert(Combine<TComponentStateFlag, TComponentStateFlag>);
static_assert(!Combine<TComponentStateFlag, TControlStateFlag>);
static_assert(!Combine<TControlStyleFlag, TControlStateFlag>);
static_assert(!Combine<TCanvasStateFlag, int>);

static_assert(TComponentState(csLoading | csReading | csDestroying | csDesigning | csUpdating |
                              csFreeNotification | csInline)
                  .ToBits() == 0x35B);
static_assert(TControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque |
                            csDoubleClicks | csFixedHeight)
                  .ToBits() == 0x2CB);
static_assert(TControlState(csLButtonDown | csClicked | csReadingState | csFocusing | csCustomPaint)
                  .ToBits() == 0x12B);
static_assert(TCanvasState(csHandleValid | csFontValid | csPenValid | csBrushValid) ==
              TCanvasState(csAllValid));

TEST(FlagSets, IncludeExcludeAndAsk) {
  TControlState state = csLButtonDown | csFocusing;
  state.Include(csCustomPaint).Exclude(csLButtonDown | csClicked);
  EXPECT_EQ(state, csFocusing | csCustomPaint);
  EXPECT_TRUE(state.Has(csFocusing));
  EXPECT_FALSE(state.Has(csLButtonDown));
  EXPECT_TRUE(state.HasAny(csClicked | csCustomPaint));
  EXPECT_FALSE(state.HasAny(csClicked | csReadingState));
  EXPECT_TRUE(state.Exclude(state).Empty());
}

}  // namespace
