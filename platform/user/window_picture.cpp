// Pictures of windows as they are shown: the surface with the caret over it.
#include "window_picture.h"

#include <platform/picture.h>
#include <platform/windows.h>

#include "../gdi/png_writer.h"
#include "caret.h"

namespace user {

std::shared_ptr<gdi::Surface> WindowPicture(HWND top_level) {
  std::shared_ptr<gdi::Surface> surface = gdi::WindowSurface(top_level);
  if (surface == nullptr) return nullptr;
  auto picture = std::make_shared<gdi::Surface>(*surface);
  LayCarets(top_level, *picture);
  return picture;
}

}  // namespace user

BOOL SaveWindowPicture(HWND window, LPCSTR path, BOOL whole_window) {
  RECT frame;
  if (path == nullptr || !GetWindowRect(window, &frame)) return FALSE;
  HWND top = GetAncestor(window, GA_ROOT);
  std::shared_ptr<gdi::Surface> picture = user::WindowPicture(top);
  RECT top_frame;
  if (picture == nullptr || !GetWindowRect(top, &top_frame)) return FALSE;
  RECT area = frame;
  if (!whole_window) {
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
  }
  const RECT in_picture{area.left - top_frame.left, area.top - top_frame.top,
                        area.right - top_frame.left, area.bottom - top_frame.top};
  return gdi::WritePng(*picture, in_picture, path) ? TRUE : FALSE;
}
