// "msctls_trackbar32": a thumb on a channel between a minimum and a maximum.
// The user drags the thumb, pages by pressing the channel (repeating while
// held) or uses the keys; each move is told to the parent with WM_HSCROLL or
// WM_VSCROLL, and each gesture ends with TB_ENDTRACK. Positions set by the
// program are kept in the range and told to nobody.
#include <algorithm>
#include <vector>

#include "common_controls.h"

namespace controls {
namespace {

enum class Gesture { kNone, kDrag, kPage };

struct Trackbar {
  int min = 0;
  int max = 100;
  int position = 0;
  int line = 1;
  int page = 0;  // 0: a fifth of the range
  int frequency = 1;
  std::vector<int> tics;  // sorted; with TBS_AUTOTICKS also every frequency step
  int sel_start = 0;
  int sel_end = 0;
  int thumb_length = 20;
  Gesture gesture = Gesture::kNone;
  int grip = 0;                // where along the thumb a drag holds it, from its centre
  int page_target = 0;         // where along the channel the press that pages is
  WORD page_code = TB_PAGEUP;  // the direction of the press that pages
};

// Across the channel: the thumb keeps kThumbTop from the top (left) edge, or
// kThumbTop + kTicksBefore with ticks on that side; ticks after the thumb
// begin kTickGapAfter past it, ticks before it end kTickGapBefore short of it.
constexpr int kThumbTop = 2;
constexpr int kTicksBefore = 8;
constexpr int kTickGapAfter = 2;
constexpr int kTickGapBefore = 1;
constexpr int kTickLength = 3;  // the marks at Min and Max are one longer, away from the thumb
constexpr int kChannelWidth = 4;
constexpr int kEndGap = 3;  // between the channel's ends and the client's

DWORD Style(HWND window) {
  return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
}

bool Vertical(HWND window) {
  return (Style(window) & TBS_VERT) != 0;
}

int PageSize(const Trackbar& t) {
  return t.page > 0 ? t.page : std::max(1, (t.max - t.min) / 5);
}

// The geometry in "along" (the channel's direction) and "across" coordinates.
struct Layout {
  int first = 0;  // the thumb centre's places at the minimum and the maximum
  int last = 0;
  int thumb_along = 0;
  int thumb_across = 0;
  int thumb_top = 0;  // across
  bool ticks_before = false;
  bool ticks_after = false;
};

Layout LayOut(HWND window, const Trackbar& t) {
  RECT client;
  GetClientRect(window, &client);
  const bool vertical = Vertical(window);
  const int along = vertical ? client.bottom : client.right;
  const DWORD style = Style(window);
  Layout l;
  l.thumb_across = (style & TBS_FIXEDLENGTH) ? t.thumb_length : 20;
  l.thumb_along = (l.thumb_across / 2) | 1;  // odd, so the point has a middle
  // The channel reaches half a thumb past the thumb's farthest places.
  l.first = 2 * (l.thumb_along / 2) + kEndGap;
  l.last = std::max(l.first, along - 1 - l.first);
  const bool ticks = (style & TBS_NOTICKS) == 0;
  l.ticks_before = ticks && (style & (TBS_TOP | TBS_BOTH)) != 0;
  l.ticks_after = ticks && ((style & TBS_TOP) == 0 || (style & TBS_BOTH) != 0);
  l.thumb_top = kThumbTop + (l.ticks_before ? kTicksBefore : 0);
  return l;
}

int PlaceOf(const Layout& l, const Trackbar& t, int position) {
  if (t.max <= t.min) return l.first;
  return l.first + static_cast<int>(static_cast<long long>(position - t.min) * (l.last - l.first) /
                                    (static_cast<long long>(t.max) - t.min));
}

int PositionAt(const Layout& l, const Trackbar& t, int place) {
  if (l.last <= l.first) return t.min;
  const long long span = static_cast<long long>(t.max) - t.min;
  const long long offset = static_cast<long long>(place - l.first) * span;
  const long long half = (l.last - l.first) / 2;
  const long long steps = (offset + (offset < 0 ? -half : half)) / (l.last - l.first);
  return static_cast<int>(std::clamp<long long>(t.min + steps, t.min, t.max));
}

// An along/across rectangle in client coordinates.
RECT ToClient(bool vertical, int along0, int across0, int along1, int across1) {
  return vertical ? RECT{across0, along0, across1, along1} : RECT{along0, across0, along1, across1};
}

RECT ThumbRect(HWND window, const Trackbar& t) {
  const Layout l = LayOut(window, t);
  const int start = PlaceOf(l, t, t.position) - l.thumb_along / 2;
  return ToClient(Vertical(window), start, l.thumb_top, start + l.thumb_along,
                  l.thumb_top + l.thumb_across);
}

// Across, the channel's middle lies a pixel from the thumb's toward the
// thumb's flat end (none for a thumb with ticks on both sides). A channel
// that shows a selection is three quarters of the thumb wide, so that the
// selection reads beside the thumb's body.
RECT ChannelRect(HWND window, const Trackbar& t) {
  const Layout l = LayOut(window, t);
  int toward_flat = -1;  // ticks after the thumb, or none
  if (l.ticks_before) toward_flat = l.ticks_after ? 0 : 1;
  const int middle = l.thumb_top + l.thumb_across / 2 + toward_flat;
  const int width =
      (Style(window) & TBS_ENABLESELRANGE) != 0 ? l.thumb_across * 3 / 4 : kChannelWidth;
  const int top = middle - (width + 1) / 2;
  return ToClient(Vertical(window), l.first - l.thumb_along / 2, top,
                  l.last + l.thumb_along - l.thumb_along / 2, top + width);
}

int Along(HWND window, POINT at) {
  return Vertical(window) ? at.y : at.x;
}

void Clamp(Trackbar& t) {
  t.position = std::clamp(t.position, t.min, std::max(t.min, t.max));
}

// Moves the thumb; whether it moved.
bool MoveTo(HWND window, Trackbar& t, int position) {
  const int previous = t.position;
  t.position = position;
  Clamp(t);
  if (t.position == previous) return false;
  InvalidateRect(window, nullptr, TRUE);
  return true;
}

void Notify(HWND window, WORD code, int position = 0) {
  SendScroll(window, Vertical(window), code, position);
}

// One page toward the pressed place, while the thumb has not reached it: the
// first page of a press sets the direction, so the thumb never swings back.
void PageTowardTarget(HWND window, Trackbar& t, bool first) {
  const RECT thumb = ThumbRect(window, t);
  const bool vertical = Vertical(window);
  const int start = vertical ? thumb.top : thumb.left;
  const int end = vertical ? thumb.bottom : thumb.right;
  const bool up = t.page_target < start;
  if (!up && t.page_target < end) return;
  if (!first && up != (t.page_code == TB_PAGEUP)) return;
  t.page_code = up ? TB_PAGEUP : TB_PAGEDOWN;
  MoveTo(window, t, t.position + (up ? -PageSize(t) : PageSize(t)));
  Notify(window, t.page_code);
}

void Press(HWND window, Trackbar& t, POINT at) {
  if (GetFocus() != window) SetFocus(window);
  SetCapture(window);
  const RECT thumb = ThumbRect(window, t);
  if ((Style(window) & TBS_NOTHUMB) == 0 && PtInRect(&thumb, at)) {
    t.gesture = Gesture::kDrag;
    const Layout l = LayOut(window, t);
    t.grip = Along(window, at) - PlaceOf(l, t, t.position);
    InvalidateRect(window, nullptr, TRUE);
    return;
  }
  t.gesture = Gesture::kPage;
  t.page_target = Along(window, at);
  PageTowardTarget(window, t, true);
  SetTimer(window, kRepeatTimer, kFirstRepeatDelay, nullptr);
}

void Drag(HWND window, Trackbar& t, POINT at) {
  if (t.gesture == Gesture::kPage) t.page_target = Along(window, at);
  if (t.gesture != Gesture::kDrag) return;
  const Layout l = LayOut(window, t);
  if (MoveTo(window, t, PositionAt(l, t, Along(window, at) - t.grip))) {
    Notify(window, TB_THUMBTRACK, t.position);
  }
}

void Release(HWND window, Trackbar& t) {
  const Gesture gesture = t.gesture;
  if (gesture == Gesture::kNone) return;
  t.gesture = Gesture::kNone;
  KillTimer(window, kRepeatTimer);
  ReleaseCapture();
  InvalidateRect(window, nullptr, TRUE);
  if (gesture == Gesture::kDrag) Notify(window, TB_THUMBPOSITION, t.position);
  Notify(window, TB_ENDTRACK);
}

// The scroll code of a key, or false for a key the track bar leaves alone.
bool KeyCode(UINT key, WORD& code) {
  switch (key) {
    case VK_LEFT:
    case VK_UP:
      code = TB_LINEUP;
      return true;
    case VK_RIGHT:
    case VK_DOWN:
      code = TB_LINEDOWN;
      return true;
    case VK_PRIOR:
      code = TB_PAGEUP;
      return true;
    case VK_NEXT:
      code = TB_PAGEDOWN;
      return true;
    case VK_HOME:
      code = TB_TOP;
      return true;
    case VK_END:
      code = TB_BOTTOM;
      return true;
    default:
      return false;
  }
}

void Key(HWND window, Trackbar& t, WORD code) {
  int target = t.position;
  switch (code) {
    case TB_LINEUP:
      target -= t.line;
      break;
    case TB_LINEDOWN:
      target += t.line;
      break;
    case TB_PAGEUP:
      target -= PageSize(t);
      break;
    case TB_PAGEDOWN:
      target += PageSize(t);
      break;
    case TB_TOP:
      target = t.min;
      break;
    default:
      target = t.max;
      break;
  }
  MoveTo(window, t, target);
  Notify(window, code);
}

bool AutoTicks(HWND window) {
  return (Style(window) & TBS_AUTOTICKS) != 0;
}

// With TBS_AUTOTICKS a new range or frequency makes the list anew, one tick
// every frequency step between the ends; ticks the program set are dropped.
void MakeAutoTicks(Trackbar& t) {
  t.tics.clear();
  if (t.frequency <= 0) return;
  for (long long p = static_cast<long long>(t.min) + t.frequency; p < t.max; p += t.frequency) {
    t.tics.push_back(static_cast<int>(p));
  }
}

void Tick(HDC dc, bool vertical, int place, int across0, int across1) {
  RECT mark = ToClient(vertical, place, across0, place + 1, across1);
  FillRect(dc, &mark, GetSysColorBrush(COLOR_BTNTEXT));
}

// One mark on each side that has ticks; `extra` lengthens it away from the thumb.
void PaintTick(HDC dc, bool vertical, const Layout& l, int place, int extra) {
  if (l.ticks_before) {
    const int end = l.thumb_top - kTickGapBefore;
    Tick(dc, vertical, place, end - kTickLength - extra, end);
  }
  if (l.ticks_after) {
    const int start = l.thumb_top + l.thumb_across + kTickGapAfter;
    Tick(dc, vertical, place, start, start + kTickLength + extra);
  }
}

void PaintTicks(HDC dc, HWND window, const Trackbar& t, const Layout& l) {
  const bool vertical = Vertical(window);
  int last_place = -1;  // a dense range puts many ticks on one pixel: drawn once
  for (int p : t.tics) {
    if (p < t.min || p > t.max) continue;
    const int place = PlaceOf(l, t, p);
    if (place == last_place) continue;
    last_place = place;
    PaintTick(dc, vertical, l, place, 0);
  }
  for (int end : {t.min, t.max}) PaintTick(dc, vertical, l, PlaceOf(l, t, end), 1);
}

// The thumb as a pointer toward ticks on one side: a body with a 45-degree
// point, lit on its start side and shaded on its end side.
void PaintPointer(HDC dc, bool vertical, const RECT& thumb, bool toward_after, int face) {
  const int along = vertical ? thumb.bottom - thumb.top : thumb.right - thumb.left;
  const int across = vertical ? thumb.right - thumb.left : thumb.bottom - thumb.top;
  const int half = (along - 1) / 2;
  const auto put = [&](int a, int c, int colour) {
    SetPixel(dc, vertical ? thumb.left + c : thumb.left + a,
             vertical ? thumb.top + a : thumb.top + c, GetSysColor(colour));
  };
  for (int c = 0; c < across; ++c) {
    const int from_tip = toward_after ? across - 1 - c : c;
    const int inset = std::max(0, half - from_tip);
    const int lo = inset;
    const int hi = along - 1 - inset;
    const bool flat_end = toward_after ? c == 0 : c == across - 1;
    for (int a = lo; a <= hi; ++a) {
      int colour = face;
      if (flat_end) colour = toward_after ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW;
      if (a == lo) colour = COLOR_BTNHIGHLIGHT;
      if (a == hi) colour = COLOR_3DDKSHADOW;
      if (a == hi - 1 && hi - 1 > lo && !flat_end) colour = COLOR_BTNSHADOW;
      put(a, c, colour);
    }
  }
}

void Paint(HWND window, const Trackbar& t, HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const Layout l = LayOut(window, t);
  const bool vertical = Vertical(window);
  const DWORD style = Style(window);
  RECT channel = ChannelRect(window, t);
  DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &channel, GetSysColorBrush(COLOR_WINDOW));
  if ((style & TBS_ENABLESELRANGE) != 0 && t.sel_end > t.sel_start) {
    const RECT inner = channel;
    RECT selection =
        vertical
            ? RECT{inner.left, PlaceOf(l, t, t.sel_start), inner.right, PlaceOf(l, t, t.sel_end)}
            : RECT{PlaceOf(l, t, t.sel_start), inner.top, PlaceOf(l, t, t.sel_end), inner.bottom};
    FillRect(dc, &selection, GetSysColorBrush(COLOR_HIGHLIGHT));
  }
  PaintTicks(dc, window, t, l);
  if ((style & TBS_NOTHUMB) == 0) {
    const bool enabled = IsWindowEnabled(window) != FALSE;
    const int face = t.gesture == Gesture::kDrag || !enabled ? COLOR_3DLIGHT : COLOR_BTNFACE;
    RECT thumb = ThumbRect(window, t);
    if (l.ticks_before == l.ticks_after) {
      FillRect(dc, &thumb, GetSysColorBrush(face));
      DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    } else {
      PaintPointer(dc, vertical, thumb, l.ticks_after, face);
    }
  }
  if (GetFocus() == window) DrawFocusRect(dc, &client);
}

LRESULT SetRange(HWND window, Trackbar& t, int min, int max, bool redraw) {
  t.min = min;
  t.max = max;
  Clamp(t);
  if (AutoTicks(window)) MakeAutoTicks(t);
  if (redraw) InvalidateRect(window, nullptr, TRUE);
  return 0;
}

LRESULT Redraw(HWND window, WPARAM redraw) {
  if (redraw != 0) InvalidateRect(window, nullptr, TRUE);
  return 0;
}

// Stores `value` and answers the previous one.
LRESULT Swap(int& field, int value) {
  const int previous = field;
  field = value;
  return previous;
}

// FIXME: TBS_REVERSED, TBS_DOWNISLEFT, tool tips and buddies are not built.
LRESULT Handle(HWND window, Trackbar& t, UINT message, WPARAM wParam, LPARAM lParam) {
  const int value = static_cast<int>(lParam);
  switch (message) {
    case TBM_GETPOS:
      return t.position;
    case TBM_GETRANGEMIN:
      return t.min;
    case TBM_GETRANGEMAX:
      return t.max;
    case TBM_SETPOS:
      t.position = value;
      Clamp(t);
      return Redraw(window, wParam);
    case TBM_SETRANGE:
      return SetRange(window, t, LowShort(lParam), HighShort(lParam), wParam != 0);
    case TBM_SETRANGEMIN:
      return SetRange(window, t, value, t.max, wParam != 0);
    case TBM_SETRANGEMAX:
      return SetRange(window, t, t.min, value, wParam != 0);
    case TBM_SETTIC:
      if (value < t.min || value > t.max) return FALSE;
      t.tics.insert(std::upper_bound(t.tics.begin(), t.tics.end(), value), value);
      InvalidateRect(window, nullptr, TRUE);
      return TRUE;
    case TBM_GETTIC:
      return static_cast<std::size_t>(wParam) < t.tics.size() ? t.tics[wParam] : -1;
    case TBM_CLEARTICS:
      t.tics.clear();
      return Redraw(window, wParam);
    case TBM_GETTICPOS:
      if (static_cast<std::size_t>(wParam) >= t.tics.size()) return -1;
      return PlaceOf(LayOut(window, t), t, t.tics[wParam]);
    case TBM_GETNUMTICS:  // the ends count too
      if ((Style(window) & TBS_NOTICKS) != 0) return 0;
      return static_cast<LRESULT>(t.tics.size() + 2);
    case TBM_SETSEL:
      t.sel_start = LowShort(lParam);
      t.sel_end = HighShort(lParam);
      return Redraw(window, wParam);
    case TBM_SETSELSTART:
      t.sel_start = value;
      return Redraw(window, wParam);
    case TBM_SETSELEND:
      t.sel_end = value;
      return Redraw(window, wParam);
    case TBM_GETSELSTART:
      return t.sel_start;
    case TBM_GETSELEND:
      return t.sel_end;
    case TBM_CLEARSEL:
      t.sel_start = t.sel_end = 0;
      return Redraw(window, wParam);
    case TBM_SETTICFREQ:
      t.frequency = static_cast<int>(wParam);
      if (AutoTicks(window)) MakeAutoTicks(t);
      return Redraw(window, TRUE);
    case TBM_SETPAGESIZE:
      return Swap(t.page, value);
    case TBM_GETPAGESIZE:
      return PageSize(t);
    case TBM_SETLINESIZE:
      return Swap(t.line, value);
    case TBM_GETLINESIZE:
      return t.line;
    case TBM_SETTHUMBLENGTH:
      // Only a fixed-length thumb takes another length.
      if ((Style(window) & TBS_FIXEDLENGTH) == 0) return 0;
      t.thumb_length = static_cast<int>(wParam);
      return Redraw(window, TRUE);
    case TBM_GETTHUMBLENGTH:
      return LayOut(window, t).thumb_across;
    case TBM_GETTHUMBRECT:
      *reinterpret_cast<RECT*>(lParam) = ThumbRect(window, t);
      return 0;
    case TBM_GETCHANNELRECT:
      *reinterpret_cast<RECT*>(lParam) = ChannelRect(window, t);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(window, t, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSEMOVE:
      Drag(window, t, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      Release(window, t);
      return 0;
    case WM_TIMER:
      if (wParam != kRepeatTimer || t.gesture != Gesture::kPage) break;
      SetTimer(window, kRepeatTimer, kRepeatInterval, nullptr);
      PageTowardTarget(window, t, false);
      return 0;
    case WM_CAPTURECHANGED:
      // Capture taken away mid-gesture: the gesture ends unfinished.
      if (reinterpret_cast<HWND>(lParam) != window && t.gesture != Gesture::kNone) {
        t.gesture = Gesture::kNone;
        KillTimer(window, kRepeatTimer);
        InvalidateRect(window, nullptr, TRUE);
      }
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: {
      WORD code = 0;
      if (!KeyCode(static_cast<UINT>(wParam), code)) break;
      if (message == WM_KEYDOWN) {
        Key(window, t, code);
      } else {
        Notify(window, TB_ENDTRACK);
      }
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void RegisterTrackbarClass() {
  RegisterControl<Trackbar, Handle, Paint>(TRACKBAR_CLASSA);
}

}  // namespace controls
