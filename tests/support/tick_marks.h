// What a track bar shows of its tick marks, read back from its pixels: one
// line per row (a column for a vertical bar) that has any, "24: 13 34-36 227",
// the places along the channel in the tick colour.
#pragma once

#include <string>
#include <vector>

#include <platform/commctrl.h>

inline std::vector<std::string> TickMarks(HWND trackbar) {
  const bool vertical = (GetWindowLongA(trackbar, GWL_STYLE) & TBS_VERT) != 0;
  RECT client;
  GetClientRect(trackbar, &client);
  const int across = vertical ? client.right : client.bottom;
  const int along = vertical ? client.bottom : client.right;
  HDC dc = GetDC(trackbar);
  std::vector<std::string> lines;
  for (int c = 0; c < across; ++c) {
    std::string line;
    for (int a = 0; a < along; ++a) {
      const auto tick = [&](int at) {
        return at < along &&
               GetPixel(dc, vertical ? c : at, vertical ? at : c) == GetSysColor(COLOR_BTNTEXT);
      };
      if (!tick(a)) continue;
      int run_end = a;
      while (tick(run_end + 1)) ++run_end;
      line += " " + std::to_string(a) + (run_end > a ? "-" + std::to_string(run_end) : "");
      a = run_end;
    }
    if (!line.empty()) lines.push_back(std::to_string(c) + ":" + line);
  }
  ReleaseDC(trackbar, dc);
  return lines;
}
