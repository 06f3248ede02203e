// "msctls_updown32": two arrow buttons that step a position inside a range,
// optionally bound to a buddy window that shows the position as text and
// gives its Up and Down keys. Each step asks the parent first (UDN_DELTAPOS),
// then tells it the new position (SB_THUMBPOSITION); a release ends with
// SB_ENDSCROLL.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <platform/kernel.h>

#include "common_controls.h"

namespace controls {
namespace {

enum class Arrow { kNone, kUp, kDown };

struct UpDown {
  int lower = 100;  // the range as given: the "minimum" may lie above the "maximum"
  int upper = 0;
  int position = 0;
  int base = 10;
  HWND buddy = nullptr;
  std::vector<UDACCEL> accel = {{0, 1}, {2, 5}, {5, 20}};
  Arrow pressed = Arrow::kNone;
  DWORD pressed_at = 0;
};

// A bordered buddy's border lies under the up-down by this much.
constexpr int kBuddyBorderOverlap = 2;
// FIXME: the locale's separator; always the "," of the default locale.
constexpr char kThousandsSeparator = ',';
// The buddy's subclass: the up-down it serves and the procedure it replaced.
constexpr const char* kOwnerProp = "msctls_updown32.owner";
constexpr const char* kOldProcProp = "msctls_updown32.proc";

DWORD Style(HWND window) {
  return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
}

UpDown* StateOf(HWND window) {
  return reinterpret_cast<UpDown*>(GetWindowLongPtrA(window, 0));
}

int Low(const UpDown& u) {
  return std::min(u.lower, u.upper);
}
int High(const UpDown& u) {
  return std::max(u.lower, u.upper);
}

std::string Format(const UpDown& u, DWORD style) {
  char digits[16];
  if (u.base == 16) {
    std::snprintf(digits, sizeof digits, "0x%04X", static_cast<unsigned>(u.position));
    return digits;
  }
  std::snprintf(digits, sizeof digits, "%d", u.position);
  std::string text = digits;
  if ((style & UDS_NOTHOUSANDS) != 0) return text;
  const std::size_t first = text[0] == '-' ? 1 : 0;
  for (std::size_t at = text.size(); at > first + 3; at -= 3) {
    text.insert(at - 3, 1, kThousandsSeparator);
  }
  return text;
}

// The buddy's text as a number, when it is one.
bool Parse(const std::string& text, int base, int& value) {
  std::string plain;
  for (char c : text) {
    if (c != kThousandsSeparator || base != 10) plain += c;
  }
  if (base == 16 && plain.rfind("0x", 0) == 0) plain.erase(0, 2);
  if (plain.empty()) return false;
  char* end = nullptr;
  const long parsed = std::strtol(plain.c_str(), &end, base);
  if (*end != '\0' || parsed < -0x7FFFFFFFL - 1 || parsed > 0x7FFFFFFFL) return false;
  value = static_cast<int>(parsed);
  return true;
}

bool BuddyInt(HWND window, const UpDown& u) {
  return (Style(window) & UDS_SETBUDDYINT) != 0 && IsWindow(u.buddy);
}

// Takes the position from the buddy's text; false when it holds no number
// inside the range.
// Without a buddy there is nothing to read, which counts as failing.
bool ReadBuddy(HWND window, UpDown& u) {
  if (u.buddy == nullptr) return false;
  if (!BuddyInt(window, u)) return true;
  char text[64] = {};
  GetWindowTextA(u.buddy, text, sizeof text);
  int value = 0;
  if (!Parse(text, u.base, value) || value < Low(u) || value > High(u)) return false;
  u.position = value;
  return true;
}

void WriteBuddy(HWND window, const UpDown& u) {
  if (!BuddyInt(window, u)) return;
  const std::string text = Format(u, Style(window));
  char shown[64] = {};
  GetWindowTextA(u.buddy, shown, sizeof shown);
  if (text != shown) SendMessageA(u.buddy, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT SetPosition(HWND window, UpDown& u, int position) {
  const int previous = u.position;
  u.position = std::clamp(position, Low(u), High(u));
  WriteBuddy(window, u);
  return previous;
}

// The increment of a press held this long, by the acceleration table.
int Increment(const UpDown& u, DWORD held_ms) {
  int increment = u.accel.empty() ? 1 : static_cast<int>(u.accel.front().nInc);
  for (const UDACCEL& a : u.accel) {
    if (static_cast<DWORD>(a.nSec) * 1000 <= held_ms) increment = static_cast<int>(a.nInc);
  }
  return increment;
}

// One step toward the upper (or the lower) arrow's end of the range.
void Step(HWND window, UpDown& u, Arrow arrow, int increment) {
  ReadBuddy(window, u);
  int delta = arrow == Arrow::kUp ? increment : -increment;
  if (u.lower > u.upper) delta = -delta;  // the up arrow goes toward the "maximum"
  NMUPDOWN note{};
  note.hdr.hwndFrom = window;
  note.hdr.idFrom = static_cast<UINT_PTR>(GetWindowLongPtrA(window, GWLP_ID));
  note.hdr.code = UDN_DELTAPOS;
  note.iPos = u.position;
  note.iDelta = delta;
  if (SendMessageA(GetParent(window), WM_NOTIFY, note.hdr.idFrom,
                   reinterpret_cast<LPARAM>(&note)) != 0) {
    return;
  }
  const bool wrap = (Style(window) & UDS_WRAP) != 0;
  long long next = static_cast<long long>(u.position) + note.iDelta;
  if (next > High(u)) next = wrap ? Low(u) : High(u);
  if (next < Low(u)) next = wrap ? High(u) : Low(u);
  if (next != u.position) {
    u.position = static_cast<int>(next);
    WriteBuddy(window, u);
  }
  SendScroll(window, (Style(window) & UDS_HORZ) == 0, SB_THUMBPOSITION, u.position);
}

void EndSteps(HWND window, const UpDown& u) {
  SendScroll(window, (Style(window) & UDS_HORZ) == 0, SB_ENDSCROLL, u.position);
}

// Up and Down step the up-down when it has UDS_ARROWKEYS; true when taken.
bool ArrowKey(HWND window, UINT message, WPARAM key) {
  UpDown* u = StateOf(window);
  if (u == nullptr || (Style(window) & UDS_ARROWKEYS) == 0 || (key != VK_UP && key != VK_DOWN)) {
    return false;
  }
  // FIXME: held keys step by the first increment; no acceleration.
  if (message == WM_KEYDOWN) {
    Step(window, *u, key == VK_UP ? Arrow::kUp : Arrow::kDown, Increment(*u, 0));
  } else {
    EndSteps(window, *u);
  }
  return true;
}

LRESULT BuddyProc(HWND buddy, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* owner = static_cast<HWND>(GetPropA(buddy, kOwnerProp));
  auto old = reinterpret_cast<WNDPROC>(GetPropA(buddy, kOldProcProp));
  if ((message == WM_KEYDOWN || message == WM_KEYUP) && ArrowKey(owner, message, wParam)) return 0;
  if (message == WM_NCDESTROY) {
    RemovePropA(buddy, kOwnerProp);
    RemovePropA(buddy, kOldProcProp);
    SetWindowLongPtrA(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    if (UpDown* u = StateOf(owner); u != nullptr && u->buddy == buddy) u->buddy = nullptr;
  }
  return old != nullptr ? CallWindowProcA(old, buddy, message, wParam, lParam)
                        : DefWindowProcA(buddy, message, wParam, lParam);
}

void Unhook(HWND buddy) {
  if (!IsWindow(buddy) || GetPropA(buddy, kOldProcProp) == nullptr) return;
  auto old = reinterpret_cast<LONG_PTR>(RemovePropA(buddy, kOldProcProp));
  RemovePropA(buddy, kOwnerProp);
  // Someone who subclassed the buddy after us keeps their procedure.
  if (GetWindowLongPtrA(buddy, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(BuddyProc)) {
    SetWindowLongPtrA(buddy, GWLP_WNDPROC, old);
  }
}

void Hook(HWND window, HWND buddy) {
  SetPropA(buddy, kOwnerProp, window);
  SetPropA(buddy, kOldProcProp,
           reinterpret_cast<HANDLE>(
               SetWindowLongPtrA(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BuddyProc))));
}

// With UDS_ALIGNRIGHT or UDS_ALIGNLEFT the buddy gives up the up-down's width
// (less the part of a border the up-down covers) and the up-down takes its
// place beside it, as high as the buddy.
void Align(HWND window, HWND buddy) {
  const DWORD style = Style(window);
  if ((style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) == 0) return;
  RECT b;
  GetWindowRect(buddy, &b);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&b), 2);
  RECT own;
  GetWindowRect(window, &own);
  const int width = own.right - own.left;
  const bool bordered = (GetWindowLongA(buddy, GWL_STYLE) & WS_BORDER) != 0 ||
                        (GetWindowLongA(buddy, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
  const int taken = width - (bordered ? kBuddyBorderOverlap : 0);
  const int buddy_width = std::max(0, static_cast<int>(b.right - b.left) - taken);
  const int height = b.bottom - b.top;
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if ((style & UDS_ALIGNLEFT) != 0) {
    SetWindowPos(buddy, nullptr, b.right - buddy_width, b.top, buddy_width, height, flags);
    SetWindowPos(window, nullptr, b.left, b.top, width, height, flags);
  } else {
    SetWindowPos(buddy, nullptr, b.left, b.top, buddy_width, height, flags);
    SetWindowPos(window, nullptr, b.left + buddy_width - (width - taken), b.top, width, height,
                 flags);
  }
}

LRESULT SetBuddy(HWND window, UpDown& u, HWND buddy) {
  const HWND previous = u.buddy;
  Unhook(previous);
  u.buddy = IsWindow(buddy) ? buddy : nullptr;
  if (u.buddy != nullptr) {
    Hook(window, u.buddy);
    Align(window, u.buddy);
  }
  return reinterpret_cast<LRESULT>(previous);
}

Arrow ArrowAt(HWND window, POINT at) {
  RECT client;
  GetClientRect(window, &client);
  if (!PtInRect(&client, at)) return Arrow::kNone;
  if ((Style(window) & UDS_HORZ) != 0) return at.x >= client.right / 2 ? Arrow::kUp : Arrow::kDown;
  return at.y < client.bottom / 2 ? Arrow::kUp : Arrow::kDown;
}

void Press(HWND window, UpDown& u, POINT at) {
  const Arrow arrow = ArrowAt(window, at);
  if (arrow == Arrow::kNone) return;
  if (u.buddy != nullptr) SetFocus(u.buddy);
  SetCapture(window);
  u.pressed = arrow;
  u.pressed_at = GetTickCount();
  InvalidateRect(window, nullptr, TRUE);
  Step(window, u, arrow, Increment(u, 0));
  SetTimer(window, kRepeatTimer, kFirstRepeatDelay, nullptr);
}

void Repeat(HWND window, UpDown& u) {
  SetTimer(window, kRepeatTimer, kRepeatInterval, nullptr);
  // Held outside its arrow, a press waits until the cursor comes back.
  if (ArrowAt(window, CursorIn(window)) != u.pressed) return;
  Step(window, u, u.pressed, Increment(u, GetTickCount() - u.pressed_at));
}

void Release(HWND window, UpDown& u) {
  if (u.pressed == Arrow::kNone) return;
  u.pressed = Arrow::kNone;
  KillTimer(window, kRepeatTimer);
  ReleaseCapture();
  InvalidateRect(window, nullptr, TRUE);
  EndSteps(window, u);
}

// A filled triangle centred in `box`, its tip toward the smaller coordinate
// (up, left) or the larger one (down, right).
void PaintArrow(HDC dc, const RECT& box, bool horizontal, bool tip_first, int colour) {
  const int w = box.right - box.left;
  const int h = box.bottom - box.top;
  const int size = std::max(1, std::min(horizontal ? h : w, horizontal ? w * 2 : h * 2) / 4);
  HBRUSH brush = GetSysColorBrush(colour);
  const int cx = box.left + w / 2;
  const int cy = box.top + h / 2;
  for (int row = 0; row < size; ++row) {  // row 0 is the tip
    const int along = tip_first ? row - size / 2 : size / 2 - row;
    RECT line = horizontal ? RECT{cx + along, cy - row, cx + along + 1, cy + row + 1}
                           : RECT{cx - row, cy + along, cx + row + 1, cy + along + 1};
    FillRect(dc, &line, brush);
  }
}

void Paint(HWND window, const UpDown& u, HDC dc, const RECT& client) {
  const bool horizontal = (Style(window) & UDS_HORZ) != 0;
  RECT up = client;
  RECT down = client;
  if (horizontal) {
    down.right = up.left = client.right / 2;
  } else {
    up.bottom = down.top = client.bottom / 2;
  }
  const int colour = IsWindowEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
  for (auto [box, arrow] : {std::pair{up, Arrow::kUp}, std::pair{down, Arrow::kDown}}) {
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    const bool pressed = u.pressed == arrow;
    DrawEdge(dc, &box, pressed ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT);
    if (pressed) OffsetRect(&box, 1, 1);
    // Up points up, or right when horizontal.
    PaintArrow(dc, box, horizontal, horizontal != (arrow == Arrow::kUp), colour);
  }
}

// FIXME: UDS_HOTTRACK is not built.
LRESULT Handle(HWND window, UpDown& u, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case UDM_SETRANGE:
      u.upper = LowShort(lParam);
      u.lower = HighShort(lParam);
      return 0;
    case UDM_GETRANGE:
      return MAKELPARAM(u.upper, u.lower);
    case UDM_SETRANGE32:
      u.lower = static_cast<int>(wParam);
      u.upper = static_cast<int>(lParam);
      return 0;
    case UDM_GETRANGE32:
      if (wParam != 0) *reinterpret_cast<int*>(wParam) = u.lower;
      if (lParam != 0) *reinterpret_cast<int*>(lParam) = u.upper;
      return 0;
    case UDM_SETPOS:
      return SetPosition(window, u, LowShort(lParam));
    case UDM_SETPOS32:
      return SetPosition(window, u, static_cast<int>(lParam));
    case UDM_GETPOS: {
      const bool read = ReadBuddy(window, u);
      return MAKELPARAM(u.position, read ? 0 : 1);
    }
    case UDM_GETPOS32: {
      const bool read = ReadBuddy(window, u);
      if (lParam != 0) *reinterpret_cast<BOOL*>(lParam) = read ? FALSE : TRUE;
      return u.position;
    }
    case UDM_SETBUDDY:
      return SetBuddy(window, u, reinterpret_cast<HWND>(wParam));
    case UDM_GETBUDDY:
      return reinterpret_cast<LRESULT>(u.buddy);
    case UDM_SETACCEL: {
      const auto* table = reinterpret_cast<const UDACCEL*>(lParam);
      if (wParam == 0 || table == nullptr) return FALSE;
      u.accel.assign(table, table + wParam);
      return TRUE;
    }
    case UDM_GETACCEL: {
      auto* table = reinterpret_cast<UDACCEL*>(lParam);
      const std::size_t count = std::min<std::size_t>(wParam, u.accel.size());
      if (table != nullptr) std::copy_n(u.accel.begin(), count, table);
      return static_cast<LRESULT>(u.accel.size());
    }
    case UDM_SETBASE: {
      if (wParam != 10 && wParam != 16) return 0;
      const int previous = u.base;
      u.base = static_cast<int>(wParam);
      WriteBuddy(window, u);
      return previous;
    }
    case UDM_GETBASE:
      return u.base;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(window, u, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      Release(window, u);
      return 0;
    case WM_TIMER:
      if (wParam != kRepeatTimer || u.pressed == Arrow::kNone) break;
      Repeat(window, u);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window && u.pressed != Arrow::kNone) {
        u.pressed = Arrow::kNone;
        KillTimer(window, kRepeatTimer);
        InvalidateRect(window, nullptr, TRUE);
      }
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (ArrowKey(window, message, wParam)) return 0;
      break;
    case WM_CREATE:
      // The buddy of UDS_AUTOBUDDY is the window before this one.
      if ((Style(window) & UDS_AUTOBUDDY) != 0) {
        SetBuddy(window, u, GetWindow(window, GW_HWNDPREV));
      }
      break;
    case WM_DESTROY:
      Unhook(u.buddy);
      u.buddy = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void RegisterUpDownClass() {
  RegisterControl<UpDown, Handle, Paint>(UPDOWN_CLASSA);
}

}  // namespace controls
