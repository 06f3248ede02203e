// Painting: update regions, BeginPaint/EndPaint, WM_ERASEBKGND, ValidateRect
// and the flags of RedrawWindow, and what ends up on the screen.
#include <string>
#include <vector>

#include <platform/gdi.h>
#include <platform/windows.h>

#include "tests/conformance/support/fixture.h"
#include "tests/conformance/support/pixels.h"
#include "tests/conformance/support/pump.h"
#include "tests/conformance/support/wine.h"

namespace {

using conf::Named;
using conf::Sequence;

// What the last BeginPaint gave.
PAINTSTRUCT last_paint{};
int paints = 0;

// Paints its window with BeginPaint/EndPaint, noting what it was given.
LRESULT PaintByTheBook(HWND window, WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  BeginPaint(window, &ps);
  last_paint = ps;
  ++paints;
  EndPaint(window, &ps);
  return 0;
}

// A 200x150 pop-up A with a child C at (20,30) 60x40, both painted and valid.
void Painted(DWORD parent_style = 0) {
  conf::Handlers()[WM_PAINT] = PaintByTheBook;
  conf::Create("A", WS_POPUP | WS_VISIBLE | parent_style, 100, 100, 200, 150);
  conf::Create("C", WS_CHILD | WS_VISIBLE, 20, 30, 60, 40, Named("A"));
  UpdateWindow(Named("A"));
  // A desktop may expose new windows late: validate until no paint comes.
  for (int round = 0; round < 10; ++round) {
    ValidateRect(Named("A"), nullptr);
    ValidateRect(Named("C"), nullptr);
    paints = 0;
    conf::PumpFor(50);
    if (paints == 0) break;
  }
  last_paint = {};
  paints = 0;
}

void Invalidate(const char* name, RECT r, BOOL erase = FALSE) {
  InvalidateRect(Named(name), &r, erase);
}

struct UpdateCase {
  const char* name;
  void (*act)();
  RECT update;  // empty: none
};

class UpdateRegion : public conf::TableCase<UpdateCase> {};

TEST_P(UpdateRegion, IsWhatWasInvalidatedInsideTheClientArea) {
  Painted();
  GetParam().act();
  RECT r{-1, -1, -1, -1};
  const BOOL pending = GetUpdateRect(Named("A"), &r, FALSE);
  const RECT& want = GetParam().update;
  EXPECT_EQ(pending != FALSE, want.right > want.left);
  EXPECT_EQ(r.left, want.left);
  EXPECT_EQ(r.top, want.top);
  EXPECT_EQ(r.right, want.right);
  EXPECT_EQ(r.bottom, want.bottom);
}

const UpdateCase kUpdates[] = {
    {"Nothing", [] {}, {}},
    {"OneRect",
     [] {
       Invalidate("A", {10, 10, 50, 40});
     },
     {10, 10, 50, 40}},
    {"TwoRectsBound",
     [] {
       Invalidate("A", {10, 10, 20, 20}), Invalidate("A", {30, 30, 40, 40});
     },
     {10, 10, 40, 40}},
    {"Whole", [] { InvalidateRect(Named("A"), nullptr, FALSE); }, {0, 0, 200, 150}},
    {"ClippedToClient",
     [] {
       Invalidate("A", {150, 100, 300, 300});
     },
     {150, 100, 200, 150}},
    {"OutsideClient",
     [] {
       Invalidate("A", {300, 300, 400, 400});
     },
     {}},
    {"ValidatedAll",
     [] {
       Invalidate("A", {10, 10, 50, 40});
       ValidateRect(Named("A"), nullptr);
     },
     {}},
    {"ValidatedTopHalf",
     [] {
       InvalidateRect(Named("A"), nullptr, FALSE);
       ValidateRect(Named("A"), std::data({RECT{0, 0, 200, 75}}));
     },
     {0, 75, 200, 150}},
    {"RedrawInvalidate",
     [] {
       RedrawWindow(Named("A"), std::data({RECT{5, 6, 7, 8}}), nullptr, RDW_INVALIDATE);
     },
     {5, 6, 7, 8}},
    {"RedrawValidate",
     [] {
       InvalidateRect(Named("A"), nullptr, FALSE);
       RedrawWindow(Named("A"), nullptr, nullptr, RDW_VALIDATE);
     },
     {}},
    {"RedrawUpdateNow",
     [] { RedrawWindow(Named("A"), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); },
     {}},
    {"UpdateWindow",
     [] {
       InvalidateRect(Named("A"), nullptr, TRUE);
       UpdateWindow(Named("A"));
     },
     {}},
    {"PumpedAway",
     [] {
       Invalidate("A", {1, 2, 3, 4});
       conf::PumpFor(30);
     },
     {}},
};

INSTANTIATE_TEST_SUITE_P(Paint, UpdateRegion, testing::ValuesIn(kUpdates), conf::RowName{});

// The painting messages of a change, in order.
struct PaintScene {
  const char* name;
  void (*act)();
  Sequence expected;
  DWORD parent_style = 0;
  const char* wine = nullptr;
  // Rows about which windows paint leave erasing out: a desktop may erase a
  // child its parent painted over.
  std::vector<std::string> watched = {"WM_PAINT", "WM_ERASEBKGND"};
};

class PaintMessages : public conf::TableCase<PaintScene> {};

TEST_P(PaintMessages, ComeInOrder) {
  const PaintScene& s = GetParam();
  if (s.wine != nullptr) KNOWN_WINE_DIFFERENCE(s.wine);
  Painted(s.parent_style);
  conf::StartLog();
  s.act();
  conf::PumpFor(30);
  EXPECT_TRUE(conf::Saw(s.expected, s.watched));
}

const PaintScene kPaintScenes[] = {
    {"NoEraseAsked",
     [] {
       Invalidate("A", {0, 0, 10, 10});
     },
     {"A WM_PAINT posted"}},
    {"EraseAsked",
     [] {
       Invalidate("A", {0, 0, 10, 10}, TRUE);
     },
     {"A WM_PAINT posted", "A WM_ERASEBKGND"}},
    {"TwiceIsOnePaint",
     [] {
       Invalidate("A", {0, 0, 10, 10});
       Invalidate("A", {150, 100, 160, 110});
     },
     {"A WM_PAINT posted"}},
    {"ValidatedBeforeThePump",
     [] {
       Invalidate("A", {0, 0, 10, 10}, TRUE);
       ValidateRect(Named("A"), nullptr);
     },
     {}},
    {"UpdateWindowSends",
     [] {
       Invalidate("A", {0, 0, 10, 10}, TRUE);
       UpdateWindow(Named("A"));
     },
     {"A WM_PAINT", "A WM_ERASEBKGND"}},
    {"UpdateWindowWithNothingToPaint", [] { UpdateWindow(Named("A")); }, {}},
    {"EraseNowThenPaintLater",
     [] { RedrawWindow(Named("A"), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW); },
     {"A WM_ERASEBKGND", "A WM_PAINT posted"},
     WS_CLIPCHILDREN},
    {"UpdateNowPaintsInvalidatedChildrenToo",
     [] { RedrawWindow(Named("A"), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); },
     {"A WM_PAINT", "C WM_PAINT"},
     0,
     "RedrawWindow(RDW_UPDATENOW) leaves a child invalidated through its parent to the queue"},
    {"InternalPaint",
     [] { RedrawWindow(Named("A"), nullptr, nullptr, RDW_INTERNALPAINT); },
     {"A WM_PAINT posted"},
     WS_CLIPCHILDREN},
    {"InternalPaintOfAValidWindowErasesNothing",
     [] { RedrawWindow(Named("A"), nullptr, nullptr, RDW_INTERNALPAINT | RDW_ERASE); },
     {"A WM_PAINT posted"},
     WS_CLIPCHILDREN},
    {"AllChildren",
     [] {
       RedrawWindow(Named("A"), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
     },
     {"A WM_PAINT", "C WM_PAINT"},
     0,
     nullptr,
     {"WM_PAINT"}},
    {"NoChildren",
     [] {
       RedrawWindow(Named("A"), nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
     },
     {"A WM_PAINT"}},
    {"InvalidateParentReachesChild",
     [] { InvalidateRect(Named("A"), nullptr, FALSE); },
     {"A WM_PAINT posted", "C WM_PAINT posted"},
     0,
     nullptr,
     {"WM_PAINT"}},
    {"ClipChildrenKeepsChildValid",
     [] { InvalidateRect(Named("A"), nullptr, FALSE); },
     {"A WM_PAINT posted"},
     WS_CLIPCHILDREN},
    {"ChildAloneWhenOnlyItIsInvalid",
     [] {
       Invalidate("C", {0, 0, 5, 5});
     },
     {"C WM_PAINT posted"}},
    {"RectOverChildOnly",
     [] {
       Invalidate("A", {25, 35, 30, 40});
     },
     {"A WM_PAINT posted", "C WM_PAINT posted"},
     0,
     nullptr,
     {"WM_PAINT"}},
    {"RectBesideChild",
     [] {
       Invalidate("A", {150, 100, 160, 110});
     },
     {"A WM_PAINT posted"}},
};

INSTANTIATE_TEST_SUITE_P(Paint, PaintMessages, testing::ValuesIn(kPaintScenes), conf::RowName{});

// What BeginPaint reports: whether the background still needs erasing, and
// the rectangle to paint.
struct BeginCase {
  const char* name;
  BOOL erase_asked;
  LRESULT erase_answer;  // what WM_ERASEBKGND answers
  BOOL f_erase;
};

class BeginPaintReport : public conf::TableCase<BeginCase> {};

TEST_P(BeginPaintReport, TellsWhetherTheBackgroundWasErased) {
  Painted();
  const LRESULT answer = GetParam().erase_answer;
  conf::Handlers()[WM_ERASEBKGND] = [answer](HWND, WPARAM, LPARAM) { return answer; };
  Invalidate("A", {110, 20, 130, 40}, GetParam().erase_asked);
  UpdateWindow(Named("A"));
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(last_paint.fErase != FALSE, GetParam().f_erase != FALSE);
  EXPECT_EQ(last_paint.rcPaint.left, 110);
  EXPECT_EQ(last_paint.rcPaint.top, 20);
  EXPECT_EQ(last_paint.rcPaint.right, 130);
  EXPECT_EQ(last_paint.rcPaint.bottom, 40);
}

const BeginCase kBegins[] = {
    {"ErasedByTheWindow", TRUE, 1, FALSE},
    {"LeftUnerased", TRUE, 0, TRUE},
    {"NoEraseAsked", FALSE, 1, FALSE},
};

INSTANTIATE_TEST_SUITE_P(Paint, BeginPaintReport, testing::ValuesIn(kBegins), conf::RowName{});

// What shows: the class brush where the window erased, its own paint where
// it painted, the child's where a clipping parent left it alone.
struct Shown {
  const char* name;
  const char* window;  // read through its own device context
  DWORD parent_style;
  POINT at;
  bool red;  // red, or else the class's background colour
};

class PaintedPixels : public conf::TableCase<Shown> {};

TEST_P(PaintedPixels, ShowWhatWasDrawn) {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const Shown& s = GetParam();
  conf::Create("A", WS_POPUP | WS_VISIBLE | s.parent_style, 100, 100, 200, 150);
  conf::Create("C", WS_CHILD | WS_VISIBLE, 20, 30, 60, 40, Named("A"));
  // A paints its right half red over whatever the default erase left.
  conf::Handlers()[WM_PAINT] = [red](HWND window, WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (window == Named("A")) {
      const RECT half{100, 0, 200, 150};
      FillRect(dc, &half, red);
    }
    EndPaint(window, &ps);
    return LRESULT{0};
  };
  RedrawWindow(Named("A"), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  conf::PumpFor(30);
  const COLORREF want = s.red ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOW);
  HWND window = Named(s.window);
  EXPECT_EQ(conf::PixelAt(window, s.at.x, s.at.y), want);
  RECT client;
  GetClientRect(window, &client);
  const std::vector<COLORREF> all = conf::ClientPixels(window);
  ASSERT_EQ(all.size(), static_cast<std::size_t>(client.right * client.bottom));
  EXPECT_EQ(all[static_cast<std::size_t>(s.at.y * client.right + s.at.x)], want);
  DeleteObject(red);
}

const Shown kShown[] = {
    {"ErasedLeftHalf", "A", 0, {10, 10}, false},
    {"PaintedRightHalf", "A", 0, {150, 75}, true},
    {"ChildErasedItsOwn", "C", WS_CLIPCHILDREN, {10, 10}, false},
    {"ChildUnderAClippingParent", "C", 0, {59, 39}, false},
    {"BottomRightCorner", "A", 0, {199, 149}, true},
};

INSTANTIATE_TEST_SUITE_P(Paint, PaintedPixels, testing::ValuesIn(kShown), conf::RowName{});

// A parent's device context leaves out what its children cover when it
// clips them, and GetPixel outside the clipping answers CLR_INVALID.
using ParentContext = conf::Case;

TEST_F(ParentContext, ClipsChildrenAway) {
  KNOWN_WINE_DIFFERENCE("GetPixel reads through a WS_CLIPCHILDREN parent's clipping");
  Painted(WS_CLIPCHILDREN);
  EXPECT_EQ(conf::PixelAt(Named("A"), 30, 40), CLR_INVALID);
  EXPECT_NE(conf::PixelAt(Named("A"), 10, 10), CLR_INVALID);
}

}  // namespace
