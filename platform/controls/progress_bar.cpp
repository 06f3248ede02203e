// "msctls_progress32": a range, a position kept inside it, a step, and the
// filled part drawn in the highlight colour, as blocks unless PBS_SMOOTH.
#include <algorithm>

#include "common_controls.h"

namespace controls {
namespace {

struct Progress {
  int low = 0;
  int high = 100;
  int position = 0;
  int step = 10;
  COLORREF bar = CLR_DEFAULT;
  COLORREF background = CLR_DEFAULT;
};

constexpr int kBlockGap = 2;

// Shows the bar as it stands before the message returns, as the desktop's
// does: a long handler that moves it shows its progress without a turn of
// the message loop.
void Repaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

int InRange(const Progress& p, int position) {
  return std::clamp(position, p.low, std::max(p.low, p.high));
}

// Moves to `position`, kept in the range; answers the previous position.
LRESULT MoveTo(HWND window, Progress& p, int position) {
  const int previous = p.position;
  p.position = InRange(p, position);
  if (p.position != previous) Repaint(window);
  return previous;
}

// The previous range as the 16-bit pair the range messages answer. The
// same range leaves the position, and so the fill, where it was.
LRESULT SetRange(HWND window, Progress& p, int low, int high) {
  const LRESULT previous = MAKELPARAM(p.low, p.high);
  if (low == p.low && high == p.high) return previous;
  p.low = low;
  p.high = high;
  p.position = InRange(p, p.position);
  Repaint(window);
  return previous;
}

LRESULT SetColour(HWND window, COLORREF& colour, COLORREF value) {
  const COLORREF previous = colour;
  colour = value;
  InvalidateRect(window, nullptr, TRUE);
  return previous;
}

void FillWith(HDC dc, const RECT& rect, COLORREF colour, int system_colour) {
  if (colour == CLR_DEFAULT) {
    FillRect(dc, &rect, GetSysColorBrush(system_colour));
    return;
  }
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void Paint(HWND window, const Progress& p, HDC dc, const RECT& client) {
  RECT inside = client;
  DrawEdge(dc, &inside, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  FillWith(dc, inside, p.background, COLOR_BTNFACE);
  InflateRect(&inside, -1, -1);
  const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  const bool vertical = (style & PBS_VERTICAL) != 0;
  const int length = vertical ? inside.bottom - inside.top : inside.right - inside.left;
  const int across = vertical ? inside.right - inside.left : inside.bottom - inside.top;
  const long long span = static_cast<long long>(p.high) - p.low;
  int filled =
      span > 0 ? static_cast<int>(length * (static_cast<long long>(p.position) - p.low) / span) : 0;
  // Blocks are two thirds as long as the bar is wide; a begun one shows whole.
  const int block = std::max(1, across * 2 / 3);
  const bool smooth = (style & PBS_SMOOTH) != 0;
  if (!smooth) {
    const int pitch = block + kBlockGap;
    filled = std::min(length, (filled + pitch - 1) / pitch * pitch);
  }
  for (int from = 0; from < filled;) {
    const int to = smooth ? filled : std::min(filled, from + block);
    RECT part = vertical ? RECT{inside.left, inside.bottom - to, inside.right, inside.bottom - from}
                         : RECT{inside.left + from, inside.top, inside.left + to, inside.bottom};
    FillWith(dc, part, p.bar, COLOR_HIGHLIGHT);
    from = to + kBlockGap;
  }
}

// FIXME: marquee bars (PBS_MARQUEE, PBM_SETMARQUEE) are not built.
LRESULT Handle(HWND window, Progress& p, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case PBM_SETRANGE:
      return SetRange(window, p, LOWORD(static_cast<std::uintptr_t>(lParam)),
                      HIWORD(static_cast<std::uintptr_t>(lParam)));
    case PBM_SETRANGE32:
      return SetRange(window, p, static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE: {
      auto* range = reinterpret_cast<PBRANGE*>(lParam);
      if (range != nullptr) *range = {p.low, p.high};
      return wParam != 0 ? p.low : p.high;
    }
    case PBM_SETPOS:
      return MoveTo(window, p, static_cast<int>(wParam));
    case PBM_DELTAPOS:
      return MoveTo(window, p, p.position + static_cast<int>(wParam));
    case PBM_GETPOS:
      return p.position;
    case PBM_SETSTEP: {
      const int previous = p.step;
      p.step = static_cast<int>(wParam);
      return previous;
    }
    case PBM_STEPIT: {
      // Past the end it starts over from the beginning.
      int next = p.position + p.step;
      const int span = p.high - p.low;
      if (span > 0 && (next > p.high || next < p.low)) {
        next = p.low + ((next - p.low) % span + span) % span;
      }
      return MoveTo(window, p, next);
    }
    case PBM_SETBARCOLOR:
      return SetColour(window, p.bar, static_cast<COLORREF>(lParam));
    case PBM_SETBKCOLOR:
      return SetColour(window, p.background, static_cast<COLORREF>(lParam));
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterProgressClass() {
  RegisterControl<Progress, Handle, Paint>(PROGRESS_CLASSA);
}

}  // namespace controls
