// The host's window objects of the top-level windows, the damage drawn into
// their surfaces, and presenting it.
#include "host_windows.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <set>

#include <platform/codepage.h>
#include <platform/icons.h>

#include "../gdi/rect_list.h"
#include "../gdi/surface.h"
#include "../host/host.h"
#include "caret.h"
#include "state.h"
#include "window_table.h"

namespace user {

namespace {

// Beyond this many rectangles a window's damage becomes their bounds.
constexpr std::size_t kMostDamaged = 32;
constexpr int kIconSize = 32;

struct Shown {
  std::unique_ptr<host::HostWindow> window;
  host::WindowState told;    // what the host was last told
  HICON icon = nullptr;      // what `told.icon` was drawn from
  gdi::RectList damage;      // surface coordinates
  std::vector<RECT> carets;  // where carets lay at the last present
};

// Taken on its own: only the host's locks may be taken under it.
std::mutex& ShownLock() {
  static auto& lock = *new std::mutex;
  return lock;
}

std::map<HWND, Shown>& ShownWindows() {
  static auto& shown = *new std::map<HWND, Shown>;
  return shown;
}

std::atomic<std::uint64_t> last_present{0};

bool IsTopLevel(const Window* w) {
  return w != nullptr && (w->parent == nullptr || w->parent == Desktop());
}

// With the table's lock held; everything but the icon.
host::WindowState StateOf(const Window* w, int z_index) {
  host::WindowState state;
  state.frame = w->rect;
  state.client = ClientScreenRect(w);
  state.title = codepage::Cp1251ToUtf8(w->text);
  state.visible = (w->style & WS_VISIBLE) != 0;
  state.enabled = (w->style & WS_DISABLED) == 0;
  state.active = GetActiveWindow() == w->handle;
  state.topmost = (w->ex_style & WS_EX_TOPMOST) != 0;
  state.caption = (w->style & WS_CAPTION) == WS_CAPTION;
  // A tool pop-up without a caption is a hint: it shows without the focus.
  state.takes_focus =
      (w->ex_style & WS_EX_NOACTIVATE) == 0 &&
      !((w->style & WS_POPUP) != 0 && !state.caption && (w->ex_style & WS_EX_TOOLWINDOW) != 0);
  state.resizable = (w->style & WS_THICKFRAME) != 0;
  state.owner = w->owner != nullptr ? w->owner->handle : nullptr;
  state.z_index = z_index;
  return state;
}

// The icon drawn at 32 x 32 with its transparency in the top byte: drawn on
// black and on white, a pixel that shows the background is see-through.
std::shared_ptr<const gdi::Surface> DrawnIcon(HICON icon) {
  if (icon == nullptr) return nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  const BITMAPINFO info = gdi::TopDown32(kIconSize, kIconSize);
  std::uint32_t* bits[2] = {nullptr, nullptr};
  HBITMAP bitmaps[2];
  for (int i = 0; i < 2; ++i) {
    bitmaps[i] =
        CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits[i]), nullptr, 0);
  }
  auto picture = std::make_shared<gdi::Surface>(kIconSize, kIconSize);
  if (bitmaps[0] != nullptr && bitmaps[1] != nullptr) {
    HGDIOBJ old = SelectObject(dc, bitmaps[0]);
    const RECT all{0, 0, kIconSize, kIconSize};
    for (int i = 0; i < 2; ++i) {
      SelectObject(dc, bitmaps[i]);
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(i == 0 ? BLACK_BRUSH : WHITE_BRUSH)));
      DrawIconEx(dc, 0, 0, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    }
    SelectObject(dc, old);
    for (int y = 0; y < kIconSize; ++y) {
      for (int x = 0; x < kIconSize; ++x) {
        const std::uint32_t on_black = bits[0][y * kIconSize + x] & 0xFFFFFF;
        const std::uint32_t on_white = bits[1][y * kIconSize + x] & 0xFFFFFF;
        picture->At(x, y) = on_black == on_white ? (0xFF000000u | on_black) : 0;
      }
    }
  }
  for (HBITMAP bitmap : bitmaps) DeleteObject(bitmap);
  DeleteDC(dc);
  return picture;
}

bool SameSize(const RECT& a, const RECT& b) {
  return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

void Fit(gdi::Surface& surface, const RECT& frame) {
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  if (surface.width() != width || surface.height() != height) surface.Resize(width, height);
}

// With the shown lock held: the record of a top-level window, its host
// window opened now if it has none.
Shown& Open(HWND handle, const host::WindowState& state) {
  Shown& shown = ShownWindows()[handle];
  if (shown.window == nullptr) {
    shown.window = host::Current().OpenWindow(handle, state);
    shown.told = state;
    Fit(*shown.window->surface(), state.frame);
  }
  return shown;
}

void AddDamage(gdi::RectList& damage, const RECT& area) {
  if (gdi::IsEmpty(area) || gdi::WithinOnePiece(damage, area)) return;
  damage.push_back(area);
  if (damage.size() > kMostDamaged) damage = {gdi::Bounds(damage)};
}

struct TopLevel {
  HWND handle;
  host::WindowState state;
  HICON icon;
};

// The top-level windows, topmost first.
std::vector<TopLevel> TopLevels() {
  std::lock_guard table(Lock());
  std::vector<TopLevel> tops;
  int z_index = 0;
  for (const Window* w : Desktop()->children) {
    const bool visible = (w->style & WS_VISIBLE) != 0;
    tops.push_back({w->handle, StateOf(w, visible ? z_index : -1), IconOf(w, ICON_BIG)});
    if (visible) ++z_index;
  }
  return tops;
}

// Tells the host what changed of one window and shows its damage.
void PresentOne(TopLevel& top) {
  std::shared_ptr<gdi::Surface> surface;
  gdi::RectList damage;
  {
    std::lock_guard guard(ShownLock());
    Shown& shown = ShownWindows()[top.handle];
    if (shown.window != nullptr && shown.icon == top.icon) top.state.icon = shown.told.icon;
  }
  bool icon_drawn = false;
  if (top.state.icon == nullptr && top.icon != nullptr) {
    top.state.icon = DrawnIcon(top.icon);
    icon_drawn = true;
  }
  const std::vector<RECT> carets = CaretBoxes(top.handle);
  {
    std::lock_guard guard(ShownLock());
    Shown& shown = Open(top.handle, top.state);
    if (icon_drawn) shown.icon = top.icon;
    surface = shown.window->surface();
    Fit(*surface, top.state.frame);
    if (!(shown.told == top.state)) {
      // A window shown again, or resized, shows all of itself.
      if (top.state.visible &&
          (!shown.told.visible || !SameSize(shown.told.frame, top.state.frame))) {
        AddDamage(shown.damage, {0, 0, surface->width(), surface->height()});
      }
      shown.told = top.state;
      shown.window->Update(top.state);
    }
    for (const RECT& box : shown.carets) AddDamage(shown.damage, box);
    for (const RECT& box : carets) AddDamage(shown.damage, box);
    shown.carets = carets;
    if (!top.state.visible) {
      shown.damage.clear();
      return;
    }
    damage.swap(shown.damage);
  }
  gdi::Intersect(damage, {0, 0, surface->width(), surface->height()});
  if (damage.empty()) return;
  std::shared_ptr<gdi::Surface> picture = surface;
  if (!carets.empty()) {
    picture = std::make_shared<gdi::Surface>(*surface);
    LayCarets(top.handle, *picture);
  }
  std::lock_guard guard(ShownLock());
  const auto it = ShownWindows().find(top.handle);
  if (it != ShownWindows().end() && it->second.window != nullptr) {
    it->second.window->Present(*picture, damage);
  }
}

}  // namespace

void PresentWindows() {
  host::Host& host = host::Current();
  if (!host.IsUserInterfaceThread()) return;
  last_present = host.Now();
  std::vector<TopLevel> tops = TopLevels();
  {
    std::set<HWND> live;
    for (const TopLevel& top : tops) live.insert(top.handle);
    std::lock_guard guard(ShownLock());
    std::erase_if(ShownWindows(), [&](const auto& entry) { return live.count(entry.first) == 0; });
  }
  // Bottom first: windows that appear in the same present are stacked by
  // the order they are shown in, and the topmost must end on top.
  for (auto top = tops.rbegin(); top != tops.rend(); ++top) PresentOne(*top);
}

void PresentIfDue() {
  host::Host& host = host::Current();
  if (!host.IsUserInterfaceThread()) return;
  const std::uint64_t now = host.Now();
  // A clock set back (a headless host's reset) presents at once.
  if (now >= last_present && now - last_present < kPresentInterval) return;
  PresentWindows();
  host.WhileBusy();
}

std::shared_ptr<gdi::Surface> OpenHostWindow(HWND top_level) {
  host::WindowState state;
  {
    std::lock_guard table(Lock());
    const Window* w = Find(top_level);
    if (!IsTopLevel(w)) return nullptr;
    state = StateOf(w, 0);
  }
  // Never under the table's lock: the host's own locks are taken under this
  // one, and a window that went meanwhile is dropped at the next present.
  std::lock_guard guard(ShownLock());
  Shown& shown = Open(top_level, state);
  Fit(*shown.window->surface(), state.frame);
  return shown.window->surface();
}

void CloseHostWindow(HWND top_level) {
  std::unique_ptr<host::HostWindow> closing;
  {
    std::lock_guard guard(ShownLock());
    const auto it = ShownWindows().find(top_level);
    if (it == ShownWindows().end()) return;
    closing = std::move(it->second.window);
    ShownWindows().erase(it);
  }
}

}  // namespace user

namespace gdi {

std::shared_ptr<Surface> WindowSurface(HWND top_level) {
  if (top_level == nullptr) {
    static auto& lock = *new std::mutex;
    static const std::shared_ptr<Surface> screen = std::make_shared<Surface>(0, 0);
    std::lock_guard guard(lock);
    screen->Resize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return screen;
  }
  return user::OpenHostWindow(top_level);
}

void DamageWindowSurface(HWND top_level, const RECT& area) {
  if (top_level == nullptr) return;
  std::lock_guard guard(user::ShownLock());
  const auto it = user::ShownWindows().find(top_level);
  if (it != user::ShownWindows().end()) user::AddDamage(it->second.damage, area);
}

}  // namespace gdi
