// Update regions, WM_PAINT, device contexts and saved pictures of windows.
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <platform/gdi.h>
#include <platform/headless.h>
#include <platform/icons.h>
#include <platform/picture.h>

#include "platform/gdi/device_context.h"
#include "platform/gdi/surface.h"
#include "tests/support/message_log.h"
#include "tests/support/png_image.h"
#include "tests/support/rect.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_window.h"

namespace {

using Paint = LoggedWindowTest;

// Only for visible windows; a filter for another window leaves it waiting;
// a window that never validates keeps getting WM_PAINT.
TEST_F(Paint, ComesOnlyForVisibleInvalidWindows) {
  HWND shown = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND other = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND hidden = MakeWindow(WS_POPUP, 0, 0, 100, 100);
  HWND inside_hidden = MakeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, hidden);
  DrainMessages();
  InvalidateRect(hidden, nullptr, TRUE);
  InvalidateRect(inside_hidden, nullptr, TRUE);
  EXPECT_FALSE(GetUpdateRect(hidden, nullptr, FALSE));
  EXPECT_TRUE(DrainMessages().empty());

  InvalidateRect(shown, nullptr, FALSE);  // a filter for another window leaves it waiting
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, other, 0, 0, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, shown, 0, 0, PM_REMOVE));
  EXPECT_EQ(std::pair(msg.hwnd, msg.message), std::pair(shown, UINT{WM_PAINT}));

  TestHandlers()[WM_PAINT] = [](HWND, WPARAM, LPARAM) { return 0; };  // never validates
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_PAINT);
    DispatchMessageA(&msg);
  }
  ValidateRect(shown, nullptr);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

// A message box that a window's activation shows runs its own loop, which
// must paint the window behind it.
TEST_F(Paint, AWindowThatAppearsIsInvalidWhileItsActivationRuns) {
  HWND top = MakeWindow(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
  HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
  std::vector<UINT> painted_while_activating;
  TestHandlers()[WM_ACTIVATE] = [&](HWND window, WPARAM wParam, LPARAM) {
    if (window == top && LOWORD(wParam) != WA_INACTIVE) painted_while_activating = DrainMessages();
    return 0;
  };
  ShowWindow(top, SW_SHOW);
  EXPECT_EQ(painted_while_activating, (std::vector<UINT>{WM_PAINT, WM_PAINT}));
  EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
  EXPECT_FALSE(GetUpdateRect(child, nullptr, FALSE));
}

TEST_F(Paint, ParentsPaintBeforeChildrenTopLevelWindowsInZOrder) {
  Window("BackChild", WS_CHILD, 0, 0, 10, 10, Window("Back", WS_POPUP, 0, 0, 100, 100));
  Window("FrontChild", WS_CHILD, 0, 0, 10, 10, Window("Front", WS_POPUP, 50, 0, 100, 100));
  DrainMessages();
  log.Start();
  // Every window: frames and backgrounds at once, the painting later.
  InvalidateRect(nullptr, nullptr, FALSE);
  EXPECT_TRUE(log.Saw({"Front WM_NCPAINT", "Front WM_ERASEBKGND", "FrontChild WM_NCPAINT",
                       "FrontChild WM_ERASEBKGND", "Back WM_NCPAINT", "Back WM_ERASEBKGND",
                       "BackChild WM_NCPAINT", "BackChild WM_ERASEBKGND"}));
  log.Start();
  DrainMessages();
  EXPECT_TRUE(log.Saw({"Front WM_PAINT posted", "FrontChild WM_PAINT posted",
                       "Back WM_PAINT posted", "BackChild WM_PAINT posted"}));
}

// A part invalidated again with erasing makes BeginPaint erase, with its own
// context, though the first invalidation did not ask to; EndPaint releases it.
TEST_F(Paint, BeginPaintErasesWhenAnyInvalidationAsked) {
  HWND w = Window("W", WS_POPUP, 0, 0, 100, 100);
  DrainMessages();
  HDC erased_with = nullptr;
  PAINTSTRUCT seen{};
  TestHandlers()[WM_ERASEBKGND] = [&](HWND, WPARAM dc, LPARAM) {
    erased_with = reinterpret_cast<HDC>(dc);
    return 1;
  };
  TestHandlers()[WM_PAINT] = [&](HWND window, WPARAM, LPARAM) {
    BeginPaint(window, &seen);
    SendMessageA(window, WM_USER, 0, 0);  // the painting itself
    EndPaint(window, &seen);
    return 0;
  };
  const RECT a{10, 10, 20, 20}, b{30, 5, 40, 15}, inside_a{12, 12, 18, 18};
  InvalidateRect(w, &a, FALSE);
  InvalidateRect(w, &b, FALSE);
  InvalidateRect(w, &inside_a, TRUE);
  log.Start();
  EXPECT_EQ(DrainMessages(), (std::vector<UINT>{WM_PAINT}));
  EXPECT_TRUE(log.Saw({"W WM_PAINT posted", "W WM_ERASEBKGND", "W 0x0400"}));
  EXPECT_EQ(seen.rcPaint, (RECT{10, 5, 40, 20}));
  EXPECT_FALSE(seen.fErase);
  EXPECT_EQ(erased_with, seen.hdc);
  EXPECT_EQ(gdi::DeviceContext::FromHandle(seen.hdc), nullptr);
}

// What UpdateWindow and RDW_UPDATENOW paint at once, leaving nothing to the
// loop. Flags 0 stand for InvalidateRect and UpdateWindow; the child lies
// wholly in what the parent invalidated, so its frame is owed too.
TEST_F(Paint, UpdateWindowAndTheNowFlagsPaintAtOnce) {
  const struct {
    DWORD style;
    bool child;
    UINT flags;
    Sequence now;
  } cases[] = {
      {0,
       true,
       0,
       {"W WM_PAINT", "W WM_ERASEBKGND default", "C WM_PAINT", "C WM_NCPAINT default",
        "C WM_ERASEBKGND default"}},
      {WS_BORDER,
       false,
       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW,
       {"W WM_PAINT", "W WM_NCPAINT default", "W WM_ERASEBKGND default"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    HWND w = Window("W", WS_POPUP | c.style, 0, 0, 100, 100);
    if (c.child) Window("C", WS_CHILD, 0, 0, 50, 50, w);
    DrainMessages();
    log.Start();
    UpdateWindow(w);  // nothing is invalid yet
    if (c.flags == 0) {
      InvalidateRect(w, nullptr, TRUE);
      UpdateWindow(w);
    } else {
      RedrawWindow(w, nullptr, nullptr, c.flags);
    }
    EXPECT_TRUE(log.Saw(c.now));
    EXPECT_TRUE(DrainMessages().empty());
    ResetTestWindows();
  }
}

TEST_F(Paint, ContextsClipSiblingsAboveAndChildren) {
  HWND parent = MakeWindow(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 200, 100);
  HWND below = MakeWindow(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 100, 100, parent);
  HWND above = MakeWindow(WS_CHILD | WS_VISIBLE, 50, 0, 100, 50, parent);
  // Children stack in the order they were made; this one is raised above.
  SetWindowPos(above, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // Points in the context's coordinates.
  const std::tuple<HWND, POINT, bool> cases[] = {
      {below, {10, 10}, true},   {below, {60, 10}, false},  {below, {60, 60}, true},
      {parent, {10, 10}, false}, {parent, {160, 10}, true}, {parent, {160, 60}, true},
  };
  for (const auto& [window, point, visible] : cases) {
    SCOPED_TRACE(testing::Message() << point.x << "," << point.y);
    HDC dc = GetDC(window);
    const gdi::DeviceContext* context = gdi::DeviceContext::FromHandle(dc);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(gdi::Contains(context->visible(), point), visible);
    EXPECT_EQ(context->origin().x, 100);
    EXPECT_EQ(WindowFromDC(dc), window);
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    EXPECT_EQ(ReleaseDC(window, dc), 0);  // stale
    EXPECT_EQ(WindowFromDC(dc), nullptr);
  }
}

TEST_F(Paint, WindowContextsStartAtTheFrameHiddenWindowsShowNothingPaintContextsEndWithEndPaint) {
  HWND framed = MakeWindow(WS_POPUP | WS_BORDER | WS_VISIBLE, 100, 50, 80, 60);
  HWND hidden = MakeWindow(WS_POPUP, 0, 0, 80, 60);
  HDC window_dc = GetWindowDC(framed);
  HDC client_dc = GetDC(framed);
  const auto* whole = gdi::DeviceContext::FromHandle(window_dc);
  const auto* client = gdi::DeviceContext::FromHandle(client_dc);
  ASSERT_TRUE(whole != nullptr && client != nullptr);
  EXPECT_EQ(std::pair(whole->origin().x, whole->origin().y), std::pair(100, 50));
  EXPECT_GT(client->origin().x, 100);
  EXPECT_EQ(gdi::Bounds(whole->visible()), (RECT{0, 0, 80, 60}));
  ReleaseDC(framed, window_dc);
  ReleaseDC(framed, client_dc);
  HDC hidden_dc = GetDC(hidden);
  EXPECT_TRUE(gdi::DeviceContext::FromHandle(hidden_dc)->visible().empty());
  ReleaseDC(hidden, hidden_dc);

  PAINTSTRUCT paint;
  HDC dc = BeginPaint(framed, &paint);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(ReleaseDC(framed, dc), 0);  // not ReleaseDC's
  EXPECT_EQ(WindowFromDC(dc), framed);
  EXPECT_TRUE(EndPaint(framed, &paint));
  EXPECT_EQ(WindowFromDC(dc), nullptr);
}

// Every window paints itself whole in its own colour. After each change and
// the paint it causes, the screen shows what the z-order says: nothing of a
// window's old place or of the old stacking stays behind.
TEST_F(Paint, GeometryChangesLeaveNoStalePixels) {
  constexpr COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
  const struct {
    const char* name;
    std::function<void(HWND red, HWND blue)> act;
    COLORREF at_red_place, at_overlap, at_right;
  } cases[] = {
      {"red moves without resizing",
       [](HWND red, HWND) { SetWindowPos(red, nullptr, 100, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER); },
       kWhite, kBlue, kRed},
      {"blue raised",
       [](HWND, HWND blue) { SetWindowPos(blue, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); },
       kRed, kBlue, kWhite},
      {"red lowered",
       [](HWND red, HWND) { SetWindowPos(red, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); },
       kRed, kBlue, kWhite},
      {"red hidden", [](HWND red, HWND) { ShowWindow(red, SW_HIDE); }, kWhite, kBlue, kWhite},
      {"blue hidden and shown again, now on top",
       [](HWND, HWND blue) {
         ShowWindow(blue, SW_HIDE);
         DrainMessages();
         SetWindowPos(blue, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
       },
       kRed, kBlue, kWhite},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::map<HWND, COLORREF> colours;
    TestHandlers()[WM_ERASEBKGND] = [](HWND, WPARAM, LPARAM) -> LRESULT { return 1; };
    TestHandlers()[WM_PAINT] = [&](HWND window, WPARAM, LPARAM) -> LRESULT {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client;
      GetClientRect(window, &client);
      HBRUSH brush = CreateSolidBrush(colours[window]);
      FillRect(dc, &client, brush);
      DeleteObject(brush);
      EndPaint(window, &ps);
      return 0;
    };
    HWND top = MakeWindow(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 100);
    // Children stack in creation order: red lies over blue where they meet.
    HWND red = MakeWindow(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 40, 40, top);
    HWND blue = MakeWindow(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 30, 30, 40, 40, top);
    colours = {{top, kWhite}, {red, kRed}, {blue, kBlue}};
    // The window's picture as a person sees it, children included.
    const auto seen = [top](int x, int y) {
      return gdi::ToColor(gdi::WindowSurface(top)->At(x, y));
    };
    DrainMessages();
    ASSERT_EQ(seen(35, 35), kRed);
    c.act(red, blue);
    DrainMessages();
    EXPECT_EQ(seen(15, 15), c.at_red_place);
    EXPECT_EQ(seen(35, 35), c.at_overlap);
    EXPECT_EQ(seen(105, 15), c.at_right);
    EXPECT_EQ(seen(65, 65), kBlue);
    ResetTestWindows();
  }
}

TEST_F(Paint, SavedPictureOfTheClientAreaOrTheWholeWindowWithItsFrame) {
  HWND window = CreateWindowExA(0, TestWindowClass(), "Tavrion v2.2",
                                WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 40, 40, 320,
                                200, nullptr, nullptr, nullptr, nullptr);
  DrainMessages();
  // A red small icon, which the caption shows at its left.
  const DWORD red_rows[16 * 16] = {};
  std::vector<DWORD> red(16 * 16, 0x00FF0000);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, red_rows);
  HBITMAP color = CreateBitmap(16, 16, 1, 32, red.data());
  const ICONINFO info{TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&info);
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  DrainMessages();
  HDC client = GetDC(window);
  SetPixel(client, 0, 0, RGB(0, 0, 255));
  ReleaseDC(window, client);
  TempDir dir;
  const std::string path = dir.File("w.png");

  ASSERT_TRUE(SaveWindowPicture(window, path.c_str(), TRUE));
  PngImage image = ReadPng(path);
  EXPECT_EQ(std::pair(image.width, image.height), std::pair(320, 200));
  // A raised edge (light outer corner), the icon 2 pixels into the caption,
  // the active caption's colour right of the title, and the client area
  // inside the 3-pixel frame and 19-pixel caption.
  EXPECT_EQ(image.At(0, 0), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(image.At(3 + 2, 3 + 1), RGB(255, 0, 0));
  EXPECT_EQ(image.At(3 + 2 + 15, 3 + 16), RGB(255, 0, 0));
  EXPECT_EQ(image.At(3 + 1, 3 + 1), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(image.At(200, 3 + 8), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(image.At(3, 3 + 19), RGB(0, 0, 255));

  ASSERT_TRUE(SaveWindowPicture(window, path.c_str(), FALSE));
  image = ReadPng(path);
  EXPECT_EQ(std::pair(image.width, image.height), std::pair(320 - 6, 200 - 6 - 19));
  EXPECT_EQ(image.At(0, 0), RGB(0, 0, 255));
  DestroyWindow(window);
  DestroyIcon(icon);
  DeleteObject(mask);
  DeleteObject(color);
}

}  // namespace
