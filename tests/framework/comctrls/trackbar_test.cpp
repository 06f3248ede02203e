// The track bar on the headless host: the one rule for range and position
// (clamping, OnChange only on a real change), the fields pushed into a new
// window, and a person's drag raising OnChange on every notification; the
// tick settings reach the window and show.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/comctrls/trackbar.h"
#include "framework/graphics/canvas.h"
#include "platform/commctrl.h"
#include "platform/headless.h"
#include "tests/support/control_sheet.h"
#include "tests/support/fw_objects.h"
#include "tests/support/tick_marks.h"

namespace {

// Counts OnChange and notes the position each one saw.
class ChangeLog : public TObject {
 public:
  void Changed(TObject* sender) {
    positions.push_back(static_cast<TTrackBar*>(sender)->Position());
  }
  std::vector<std::int32_t> positions;
};

class TrackBars : public testing::TestWithParam<bool> {
 protected:
  TrackBars() { host::Headless().Reset(); }
  ~TrackBars() override { FreeShownSheet(sheet_); }

  // A track bar on the sheet: with a window when `windowed`, else loose.
  TTrackBar* Add(bool windowed) {
    auto* bar = Construct<TTrackBar>(sheet_);
    bar->SetBounds(10, 10, 220, 40);
    if (windowed) bar->SetParent(sheet_);
    return bar;
  }
  void Listen(TTrackBar* bar) { bar->OnChange = MethodOf<&ChangeLog::Changed>(&log_); }

  TSheet* sheet_ = MakeShownSheet(400, 200);
  ChangeLog log_;
};

enum Setter { kPosition, kMin, kMax };

// A bar set to min, max and position (Max first, as a stream reads them),
// then one property set with the handler bound.
struct PositionCase {
  const char* name;
  std::int32_t min, max, start;
  Setter setter;
  std::int32_t value, position;
  std::vector<std::int32_t> changes;
};

const PositionCase kPositionCases[] = {
    {"the same position again", -32767, 32767, 32767, kPosition, 32767, 32767, {}},
    {"beyond Max clamps to where it is", -32767, 32767, 32767, kPosition, 40000, 32767, {}},
    {"a real change tells once", -32767, 32767, 32767, kPosition, 0, 0, {0}},
    {"beyond Max from elsewhere tells once", 0, 10, 0, kPosition, 40000, 10, {10}},
    {"below Min clamps", 0, 10, 5, kPosition, -3, 0, {0}},
    {"Min in stream order moves the position", 0, 44100, 0, kMin, 4100, 4100, {4100}},
    {"Max below the position pulls it down", 0, 10, 8, kMax, 6, 6, {6}},
    {"Min above Max is ignored", 0, 10, 4, kMin, 11, 4, {}},
    {"Max below Min is ignored", 3, 10, 4, kMax, 2, 4, {}},
};

TEST_P(TrackBars, PositionIsClampedAndChangesAreToldOnce) {
  const bool windowed = GetParam();
  for (const PositionCase& c : kPositionCases) {
    SCOPED_TRACE(c.name);
    TTrackBar* bar = Add(windowed);
    bar->SetMax(c.max);
    bar->SetMin(c.min);
    bar->SetPosition(c.start);
    Listen(bar);
    log_.positions.clear();
    if (c.setter == kPosition) bar->SetPosition(c.value);
    if (c.setter == kMin) bar->SetMin(c.value);
    if (c.setter == kMax) bar->SetMax(c.value);
    EXPECT_EQ(bar->Position(), c.position);
    EXPECT_EQ(log_.positions, c.changes);
    EXPECT_EQ(bar->HandleAllocated(), windowed);
    if (windowed) {
      EXPECT_EQ(SendMessageA(bar->Handle(), TBM_GETPOS, 0, 0), c.position);
    }
    bar->Free();
  }
}

TEST_P(TrackBars, AnUpsideDownRangeRaisesAndChangesNothing) {
  TTrackBar* bar = Add(GetParam());
  Listen(bar);
  EXPECT_EQ(RaisedMessage<EInvalidOperation>([&] { bar->SetParams(5, 10, 0); }),
            "TTrackBar property out of range");
  EXPECT_EQ(bar->Min(), 0);
  EXPECT_EQ(bar->Max(), 10);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_TRUE(log_.positions.empty());
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutWindow, TrackBars, testing::Bool(),
                         [](const auto& info) { return info.param ? "Windowed" : "Fields"; });

class TrackBarWindow : public TrackBars {};

TEST_F(TrackBarWindow, ANewWindowTakesEveryFieldAndTellsNothing) {
  TTrackBar* bar = Add(false);
  bar->SetMax(10000);
  bar->SetMin(100);
  bar->SetPosition(1000);
  bar->SetLineSize(5);
  bar->SetPageSize(50);
  bar->SetThumbLength(14);
  bar->SetSelStart(200);
  bar->SetSelEnd(300);
  Listen(bar);
  bar->SetParent(sheet_);
  ASSERT_TRUE(bar->HandleAllocated());
  struct Ask {
    UINT message;
    LRESULT expected;
  };
  auto check = [&] {
    for (const Ask& a : std::vector<Ask>{{TBM_GETRANGEMIN, 100},
                                         {TBM_GETRANGEMAX, 10000},
                                         {TBM_GETPOS, 1000},
                                         {TBM_GETLINESIZE, 5},
                                         {TBM_GETPAGESIZE, 50},
                                         {TBM_GETTHUMBLENGTH, 14},
                                         {TBM_GETSELSTART, 200},
                                         {TBM_GETSELEND, 300}}) {
      EXPECT_EQ(SendMessageA(bar->Handle(), a.message, 0, 0), a.expected) << a.message;
    }
  };
  check();
  bar->SetTickStyle(tsNone);  // a new window
  check();
  EXPECT_TRUE(log_.positions.empty());
}

TEST_F(TrackBarWindow, ADragRaisesOnChangeOnEveryNotification) {
  TTrackBar* bar = Add(true);
  bar->SetTickStyle(tsNone);
  Listen(bar);
  PumpMessages();
  auto thumb_at = [&](std::int32_t position) {
    SendMessageA(bar->Handle(), TBM_SETPOS, TRUE, position);
    return ThumbCentre(bar->Handle());
  };
  const POINT at3 = thumb_at(3);
  const POINT at7 = thumb_at(7);
  const POINT at0 = thumb_at(0);
  auto& h = host::Headless();
  MoveMouseTo(bar->Handle(), at0.x, at0.y);
  h.Press();
  PumpMessages();
  for (int x : {at3.x, at3.x + 1, at7.x}) MoveMouseTo(bar->Handle(), x, at0.y);
  h.Release();
  PumpMessages();
  // Each new place, then the closing pair that repeats where the drag ended.
  EXPECT_EQ(log_.positions, (std::vector<std::int32_t>{3, 7, 7, 7}));
  EXPECT_EQ(bar->Position(), 7);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TrackBarWindow, TickSettingsReachTheWindowAndShow) {
  TTrackBar* bar = Add(false);
  bar->SetBounds(0, 0, 241, 25);
  bar->SetMax(1000);
  bar->SetMin(1);
  bar->SetFrequency(100);
  const struct {
    const char* name;
    std::function<void()> set;
    std::vector<std::string> marks;
    LRESULT count;
  } steps[] = {
      {"a frequency set before the window",
       [&] { bar->SetParent(sheet_); },
       {"24: 13 34 55 77 98 120 141 162 184 205 227"},
       11},
      {"a frequency set on the window", [&] { bar->SetFrequency(500); }, {"24: 13 120 227"}, 3},
      {"tsManual", [&] { bar->SetTickStyle(tsManual); }, {"24: 13 227"}, 2},
      {"tsNone", [&] { bar->SetTickStyle(tsNone); }, {}, 0},
      {"tmTopLeft",
       [&] {
         bar->SetTickStyle(tsAuto);
         bar->SetTickMarks(tmTopLeft);
       },
       {"5: 13 227", "6: 13 120 227", "7: 13 120 227", "8: 13 120 227"},
       3},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    s.set();
    UpdateWindow(bar->Handle());
    EXPECT_EQ(TickMarks(bar->Handle()), s.marks);
    EXPECT_EQ(SendMessageA(bar->Handle(), TBM_GETNUMTICS, 0, 0), s.count);
  }
}

}  // namespace
