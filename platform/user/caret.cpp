// The caret: one per thread, owned by a window, hidden as many times as it
// was hidden before it shows, blinking on the host clock without any message.
#include "caret.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>

#include <platform/kernel.h>

#include "../gdi/objects.h"
#include "../host/host.h"
#include "paint.h"
#include "state.h"

namespace user {

namespace {

struct Caret {
  HWND window = nullptr;
  // What the pixels under the caret are XORed with: a bitmap's pixels, or
  // one colour (white for a solid caret, gray for a gray one).
  std::shared_ptr<gdi::Surface> bitmap;
  std::uint32_t color = 0xFFFFFF;
  SIZE size{};
  POINT position{};  // the owner's client coordinates
  int hidden = 1;    // made hidden
  std::uint64_t on_since = 0;
};

std::mutex& CaretLock() {
  static auto& lock = *new std::mutex;
  return lock;
}

std::map<DWORD, Caret>& Carets() {
  static auto& carets = *new std::map<DWORD, Caret>;
  return carets;
}

std::atomic<UINT> blink_time{530};

const HBITMAP kGrayCaret = reinterpret_cast<HBITMAP>(std::uintptr_t{1});

bool Blinks(UINT blink) {
  return blink != 0 && blink != INFINITE;
}

bool IsOn(const Caret& caret, std::uint64_t now) {
  const UINT blink = blink_time;
  return caret.hidden == 0 && (!Blinks(blink) || (now - caret.on_since) / blink % 2 == 0);
}

// The calling thread's caret, or null; with the lock held.
Caret* Mine() {
  const auto it = Carets().find(GetCurrentThreadId());
  return it != Carets().end() ? &it->second : nullptr;
}

// ShowCaret and HideCaret: changes the hide count of the thread's caret if
// `window` (null: any) owns it.
BOOL CountHiding(HWND window, int change) {
  if (window != nullptr && !IsWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  std::lock_guard guard(CaretLock());
  Caret* caret = Mine();
  if (caret == nullptr || (window != nullptr && caret->window != window)) return FALSE;
  const int before = caret->hidden;
  caret->hidden = std::max(0, caret->hidden + change);
  // Shown again: it starts in its "on" phase.
  if (before > 0 && caret->hidden == 0) caret->on_since = host::Current().Now();
  return TRUE;
}

// The caret's box on the screen.
RECT BoxOf(const Caret& caret, const Window* owner) {
  const POINT client = ClientOrigin(owner);
  return {client.x + caret.position.x, client.y + caret.position.y,
          client.x + caret.position.x + caret.size.cx, client.y + caret.position.y + caret.size.cy};
}

// XORs the caret over `picture`, whose (0, 0) is at `corner` on the screen.
void Lay(const Caret& caret, gdi::Surface& picture, POINT corner) {
  const Window* owner = Find(caret.window);
  if (owner == nullptr) return;
  const RECT box = BoxOf(caret, owner);
  gdi::RectList area = VisibleArea(owner, false);
  gdi::Intersect(area, box);
  gdi::Intersect(area,
                 {corner.x, corner.y, corner.x + picture.width(), corner.y + picture.height()});
  for (const RECT& r : area) {
    for (LONG y = r.top; y < r.bottom; ++y) {
      for (LONG x = r.left; x < r.right; ++x) {
        const std::uint32_t mask =
            caret.bitmap != nullptr ? caret.bitmap->At(x - box.left, y - box.top) : caret.color;
        picture.At(x - corner.x, y - corner.y) ^= mask & 0xFFFFFF;
      }
    }
  }
}

}  // namespace

void LayCarets(HWND top_level, gdi::Surface& picture) {
  const Window* top = Find(top_level);
  if (top == nullptr) return;
  const std::uint64_t now = host::Current().Now();
  std::lock_guard guard(CaretLock());
  for (const auto& [thread, caret] : Carets()) {
    if (IsOn(caret, now) && GetAncestor(caret.window, GA_ROOT) == top_level) {
      Lay(caret, picture, ScreenOrigin(top));
    }
  }
}

std::vector<RECT> CaretBoxes(HWND top_level) {
  std::vector<RECT> boxes;
  const Window* top = Find(top_level);
  if (top == nullptr) return boxes;
  const POINT corner = ScreenOrigin(top);
  std::lock_guard guard(CaretLock());
  for (const auto& [thread, caret] : Carets()) {
    const Window* owner = Find(caret.window);
    if (caret.hidden != 0 || owner == nullptr || TopLevelOf(const_cast<Window*>(owner)) != top) {
      continue;
    }
    RECT box = BoxOf(caret, owner);
    OffsetRect(&box, -corner.x, -corner.y);
    boxes.push_back(box);
  }
  return boxes;
}

std::uint64_t NextCaretBlink() {
  const UINT blink = blink_time;
  if (!Blinks(blink)) return host::kForever;
  const std::uint64_t now = host::Current().Now();
  std::uint64_t next = host::kForever;
  std::lock_guard guard(CaretLock());
  for (const auto& [thread, caret] : Carets()) {
    if (caret.hidden != 0) continue;
    next = std::min(next, caret.on_since + ((now - caret.on_since) / blink + 1) * blink);
  }
  return next;
}

void ResetCarets() {
  std::lock_guard guard(CaretLock());
  Carets().clear();
}

void ForgetCaret(HWND window) {
  std::lock_guard guard(CaretLock());
  std::erase_if(Carets(), [&](const auto& entry) { return entry.second.window == window; });
}

}  // namespace user

BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height) {
  if (!IsWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  user::Caret caret;
  caret.window = window;
  caret.size = {width != 0 ? width : GetSystemMetrics(SM_CXBORDER),
                height != 0 ? height : GetSystemMetrics(SM_CYBORDER)};
  if (bitmap == user::kGrayCaret) {
    caret.color = 0x808080;
  } else if (bitmap != nullptr) {
    const std::shared_ptr<gdi::Object> object = gdi::Lookup(bitmap);
    if (object == nullptr || object->kind != gdi::Kind::kBitmap) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    // The bitmap gives the shape; the program keeps it until the caret goes.
    caret.bitmap = std::static_pointer_cast<gdi::Bitmap>(object)->surface;
    caret.size = {caret.bitmap->width(), caret.bitmap->height()};
  }
  caret.on_since = host::Current().Now();
  std::lock_guard guard(user::CaretLock());
  // The thread's old caret goes, whichever window owned it.
  user::Carets()[GetCurrentThreadId()] = std::move(caret);
  return TRUE;
}

BOOL DestroyCaret() {
  std::lock_guard guard(user::CaretLock());
  return user::Carets().erase(GetCurrentThreadId()) != 0 ? TRUE : FALSE;
}

BOOL SetCaretPos(int x, int y) {
  std::lock_guard guard(user::CaretLock());
  user::Caret* caret = user::Mine();
  if (caret == nullptr) return FALSE;
  caret->position = {x, y};
  // A moved caret shows at once where it went.
  caret->on_since = host::Current().Now();
  return TRUE;
}

BOOL GetCaretPos(LPPOINT point) {
  std::lock_guard guard(user::CaretLock());
  const user::Caret* caret = user::Mine();
  if (caret == nullptr || point == nullptr) return FALSE;
  *point = caret->position;
  return TRUE;
}

BOOL ShowCaret(HWND window) {
  return user::CountHiding(window, -1);
}

BOOL HideCaret(HWND window) {
  return user::CountHiding(window, 1);
}

UINT GetCaretBlinkTime() {
  return user::blink_time;
}

BOOL SetCaretBlinkTime(UINT milliseconds) {
  user::blink_time = milliseconds;
  return TRUE;
}
