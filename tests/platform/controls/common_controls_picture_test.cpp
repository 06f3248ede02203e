// A picture of the common controls, focused and not, enabled and disabled
// (common_controls.png in the test's folder, for people to look at), and the
// thumb where the position puts it.
#include <filesystem>
#include <string>

#include <platform/picture.h>

#include "controls_fixture.h"

namespace {

using CommonControls = ControlTest;

TEST_F(CommonControls, ShownTogetherInAPicture) {
  TestHandlers()[WM_ERASEBKGND] = [](HWND window, WPARAM dc, LPARAM) {
    RECT all;
    GetClientRect(window, &all);
    return LRESULT{FillRect(reinterpret_cast<HDC>(dc), &all, GetSysColorBrush(COLOR_BTNFACE))};
  };
  // A plain buddy that shows its text as an edit would.
  TestHandlers()[WM_PAINT] = [](HWND window, WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    char text[32] = {};
    GetWindowTextA(window, text, sizeof text);
    RECT all;
    GetClientRect(window, &all);
    if (GetParent(window) != nullptr) FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    all.left += 2;
    DrawTextA(dc, text, -1, &all, DT_SINGLELINE | DT_VCENTER);
    EndPaint(window, &ps);
    return LRESULT{0};
  };
  HWND focused = Make(TRACKBAR_CLASSA, TBS_AUTOTICKS, 10, 10, 190, 40);
  SendMessageA(focused, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  SendMessageA(focused, TBM_SETPOS, TRUE, 3);
  HWND both =
      Make(TRACKBAR_CLASSA, TBS_AUTOTICKS | TBS_BOTH | TBS_ENABLESELRANGE, 210, 10, 180, 40);
  SendMessageA(both, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  SendMessageA(both, TBM_SETSEL, TRUE, MAKELPARAM(2, 6));
  SendMessageA(both, TBM_SETPOS, TRUE, 6);
  EnableWindow(both, FALSE);
  HWND vertical = Make(TRACKBAR_CLASSA, TBS_VERT | TBS_AUTOTICKS, 10, 60, 40, 130);
  SendMessageA(vertical, TBM_SETRANGE, TRUE, MAKELPARAM(0, 5));
  SendMessageA(vertical, TBM_SETPOS, TRUE, 1);

  for (const auto& [style, y, position] :
       {std::tuple{DWORD{0}, 60, 45}, std::tuple{PBS_SMOOTH, 85, 70}}) {
    HWND bar = Make(PROGRESS_CLASSA, style, 60, y, 200, 18);
    SendMessageA(bar, PBM_SETPOS, position, 0);
  }
  HWND upright = Make(PROGRESS_CLASSA, PBS_VERTICAL, 370, 60, 18, 130);
  SendMessageA(upright, PBM_SETPOS, 60, 0);

  HWND buddy = MakeWindow(WS_CHILD | WS_VISIBLE, 60, 120, 90, 21, parent_, WS_EX_CLIENTEDGE);
  HWND updown = Make(UPDOWN_CLASSA, UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 16, 21);
  SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageA(updown, UDM_SETRANGE32, 0, 5000);
  SendMessageA(updown, UDM_SETPOS32, 0, 1234);
  HWND disabled = Make(UPDOWN_CLASSA, 0, 170, 120, 16, 24);
  EnableWindow(disabled, FALSE);
  Make(UPDOWN_CLASSA, UDS_HORZ, 200, 124, 32, 16);

  SetFocus(focused);
  RedrawWindow(parent_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  const std::string path = (std::filesystem::current_path() / "common_controls.png").string();
  ASSERT_TRUE(SaveWindowPicture(parent_, path.c_str(), TRUE));

  // The thumb stands over its position's place on the channel.
  RECT thumb, channel;
  SendMessageA(focused, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  SendMessageA(focused, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  const int travel = channel.right - channel.left - (thumb.right - thumb.left);
  EXPECT_NEAR(thumb.left - channel.left, travel * 3 / 10, 1);
  EXPECT_LT(thumb.top, channel.top);
  EXPECT_GT(thumb.bottom, channel.bottom);
}

}  // namespace
