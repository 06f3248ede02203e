// The single-line edit's layout, scrolling, caret and painting.
#include <algorithm>

#include <platform/text.h>

#include "edit_state.h"

namespace controls::edit {
namespace {

// Pixels between the client area's sides and the text, beside the margins,
// so that the first character and the caret do not touch the frame.
constexpr int kGap = 1;

HFONT FontOf(const State& state) {
  return state.font != nullptr ? state.font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// A screen context with the edit's font, released when it goes.
class MeasuringContext {
 public:
  explicit MeasuringContext(HFONT font) : dc_(GetDC(nullptr)) { old_ = SelectObject(dc_, font); }
  ~MeasuringContext() {
    SelectObject(dc_, old_);
    ReleaseDC(nullptr, dc_);
  }
  MeasuringContext(const MeasuringContext&) = delete;
  MeasuringContext& operator=(const MeasuringContext&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The largest boundary at or left of `x`, and the smallest at or right of it.
int OffsetAtOrBefore(const State& state, int x) {
  const auto it = std::upper_bound(state.offsets.begin(), state.offsets.end(), x);
  return it == state.offsets.begin() ? 0 : *(it - 1);
}
int OffsetAtOrAfter(const State& state, int x) {
  const auto it = std::lower_bound(state.offsets.begin(), state.offsets.end(), x);
  return it == state.offsets.end() ? state.offsets.back() : *it;
}

// Keeps the caret inside the format rectangle, jumping a quarter of its
// width past the edge so that typing does not scroll at every character.
// FIXME: sends no EN_HSCROLL.
void ScrollToCaret(HWND window, State& state, const RECT& format) {
  const int width = std::max<int>(1, format.right - format.left);
  if ((StyleOf(window) & ES_AUTOHSCROLL) == 0 || state.offsets.back() < width) {
    state.scroll = 0;
    return;
  }
  const int x = state.offsets[state.caret];
  if (x < state.scroll) {
    state.scroll = OffsetAtOrBefore(state, std::max(0, x - width / 4));
  } else if (x >= state.scroll + width) {
    state.scroll = OffsetAtOrAfter(state, x - width + width / 4);
  }
}

// The client x of the text's first character: scrolled, or moved right for
// ES_RIGHT and ES_CENTER while the text is narrower than the rectangle.
int TextLeft(HWND window, const State& state, const RECT& format) {
  const int room = std::max<int>(0, format.right - format.left - state.offsets.back());
  const DWORD style = StyleOf(window);
  const int shift = (style & ES_RIGHT) != 0 ? room : (style & ES_CENTER) != 0 ? room / 2 : 0;
  return format.left - state.scroll + shift;
}

}  // namespace

void FontMetrics(HFONT font, int& height, int& average_width) {
  const MeasuringContext measuring(font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(measuring.dc(), &metrics);
  height = metrics.tmHeight;
  average_width = metrics.tmAveCharWidth;
}

void Measure(HWND window, State& state) {
  if (state.measured) return;
  const std::string shown = Shown(window, state);
  const MeasuringContext measuring(FontOf(state));
  TEXTMETRICA metrics{};
  GetTextMetricsA(measuring.dc(), &metrics);
  state.line_height = metrics.tmHeight;
  state.offsets.assign(shown.size() + 1, 0);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    SIZE size{};
    GetTextExtentPoint32A(measuring.dc(), &shown[i], 1, &size);
    state.offsets[i + 1] = state.offsets[i] + size.cx;
  }
  state.measured = true;
}

RECT FormatRect(HWND window, State& state) {
  Measure(window, state);
  RECT rect;
  GetClientRect(window, &rect);
  rect.left += kGap + state.left_margin;
  rect.right = std::max(rect.left, rect.right - kGap - state.right_margin);
  // The line sits in the middle of a client area taller than it.
  rect.top = std::max<LONG>(0, (rect.bottom - state.line_height) / 2);
  rect.bottom = rect.top + state.line_height;
  return rect;
}

bool Fits(HWND window, State& state, std::string_view shown) {
  const RECT format = FormatRect(window, state);
  const MeasuringContext measuring(FontOf(state));
  SIZE size{};
  GetTextExtentPoint32A(measuring.dc(), shown.data(), static_cast<int>(shown.size()), &size);
  return size.cx <= format.right - format.left;
}

int CharFromX(HWND window, State& state, int x) {
  const RECT format = FormatRect(window, state);
  const int at = x - TextLeft(window, state, format);
  const int n = static_cast<int>(state.offsets.size()) - 1;
  for (int i = 0; i < n; ++i) {
    if (at < (state.offsets[i] + state.offsets[i + 1]) / 2) return i;
  }
  return n;
}

int XOfChar(HWND window, State& state, int index) {
  const RECT format = FormatRect(window, state);
  return TextLeft(window, state, format) + state.offsets[index];
}

void Refresh(HWND window, State& state) {
  const RECT format = FormatRect(window, state);
  const int n = static_cast<int>(state.text.size());
  state.anchor = std::clamp(state.anchor, 0, n);
  state.caret = std::clamp(state.caret, 0, n);
  ScrollToCaret(window, state, format);
  if (state.focused) SetCaretPos(XOfChar(window, state, state.caret), format.top);
  InvalidateRect(window, nullptr, FALSE);
}

void MakeCaret(HWND window, State& state) {
  const RECT format = FormatRect(window, state);
  CreateCaret(window, nullptr, 0, state.line_height);
  SetCaretPos(XOfChar(window, state, state.caret), format.top);
  ShowCaret(window);
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const DWORD style = StyleOf(window);
  const bool enabled = IsWindowEnabled(window) != FALSE;
  // A read-only or disabled edit asks for the colours of static text.
  const UINT colour_message =
      enabled && (style & ES_READONLY) == 0 ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
  HWND parent = GetParent(window);
  auto brush = parent != nullptr ? reinterpret_cast<HBRUSH>(SendMessageA(
                                       parent, colour_message, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(window)))
                                 : nullptr;
  if (brush == nullptr) {
    brush = reinterpret_cast<HBRUSH>(DefWindowProcA(
        window, colour_message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  }
  State* state = StateOf(window);
  if (state == nullptr) {
    EndPaint(window, &paint);
    return;
  }
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, brush);
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));

  const RECT format = FormatRect(window, *state);
  const std::string shown = Shown(window, *state);
  const HGDIOBJ old_font = SelectObject(dc, FontOf(*state));
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, format.left, client.top, format.right, client.bottom);
  const int x = TextLeft(window, *state, format);
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, x, format.top, shown.data(), static_cast<int>(shown.size()));
  const bool show_selection = state->focused || (style & ES_NOHIDESEL) != 0;
  if (state->HasSelection() && show_selection) {
    const int start = state->SelStart();
    const int end = state->SelEnd();
    const RECT selected{x + state->offsets[start], format.top, x + state->offsets[end],
                        format.bottom};
    SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    ExtTextOutA(dc, selected.left, format.top, ETO_OPAQUE | ETO_CLIPPED, &selected,
                shown.data() + start, static_cast<UINT>(end - start), nullptr);
  }
  RestoreDC(dc, saved);
  SelectObject(dc, old_font);
  EndPaint(window, &paint);
}

}  // namespace controls::edit
