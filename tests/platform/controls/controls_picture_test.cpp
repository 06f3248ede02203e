// A dialog holding one of each system control, focused and not, enabled and
// disabled, in the main form's font, saved as controls.png in the test's
// folder for people to look at (docs/controls.png is a copy). The test
// checks only what the picture rests on: every control was made and drawn.
#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <platform/api.h>
#include <platform/codepage.h>
#include <platform/headless.h>
#include <platform/picture.h>

#include "tests/support/test_window.h"

namespace {

TEST(ControlsPicture, OneOfEachControlInADialog) {
  host::Headless().Reset();
  TestHandlers()[WM_ERASEBKGND] = [](HWND window, WPARAM dc, LPARAM) {
    RECT all;
    GetClientRect(window, &all);
    return LRESULT{FillRect(reinterpret_cast<HDC>(dc), &all, GetSysColorBrush(COLOR_BTNFACE))};
  };
  HWND dialog =
      MakeWindow(WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 440, 250);
  SetWindowTextA(dialog, "Tavrion");
  LOGFONTA log{};
  log.lfHeight = -11;
  log.lfWeight = 400;
  std::strcpy(log.lfFaceName, "MS Sans Serif");
  HFONT font = CreateFontIndirectA(&log);
  const auto make = [&](const char* cls, const std::string& utf8, DWORD style, int x, int y,
                        int width, int height, DWORD ex_style = 0) {
    const std::string text = codepage::Utf8ToCp1251(utf8).value();
    HWND w = CreateWindowExA(ex_style, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                             width, height, dialog, nullptr, nullptr, nullptr);
    EXPECT_NE(w, nullptr) << cls << " " << utf8;
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return w;
  };
  const DWORD edit = WS_TABSTOP | ES_AUTOHSCROLL;
  HWND focused = make("EDIT", "300", edit, 10, 10, 120, 21, WS_EX_CLIENTEDGE);
  EnableWindow(make("EDIT", "1000", edit, 150, 10, 120, 21, WS_EX_CLIENTEDGE), FALSE);
  make("EDIT", "tavrion.wav", edit | ES_READONLY, 290, 10, 120, 21, WS_EX_CLIENTEDGE);

  make("BUTTON", "Стимулировать", BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 45, 120, 25);
  make("BUTTON", "По умолчанию", BS_PUSHBUTTON | WS_TABSTOP, 150, 45, 120, 25);
  EnableWindow(make("BUTTON", "О программе", BS_PUSHBUTTON, 290, 45, 120, 25), FALSE);

  HWND check = make("BUTTON", "Стимулировать непрерывно", BS_AUTOCHECKBOX, 10, 80, 180, 20);
  SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  HWND mixed = make("BUTTON", "Три состояния", BS_AUTO3STATE, 200, 80, 110, 20);
  SendMessageA(mixed, BM_SETCHECK, BST_INDETERMINATE, 0);
  EnableWindow(make("BUTTON", "Выключено", BS_AUTOCHECKBOX, 320, 80, 100, 20), FALSE);

  HWND track = make(TRACKBAR_CLASSA, "", TBS_AUTOTICKS, 10, 110, 200, 40);
  SendMessageA(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  SendMessageA(track, TBM_SETPOS, TRUE, 4);
  HWND still = make(TRACKBAR_CLASSA, "", TBS_AUTOTICKS, 220, 110, 200, 40);
  SendMessageA(still, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  SendMessageA(still, TBM_SETPOS, TRUE, 7);
  EnableWindow(still, FALSE);

  HWND progress = make(PROGRESS_CLASSA, "", 0, 10, 165, 260, 18);
  SendMessageA(progress, PBM_SETPOS, 60, 0);
  HWND buddy = make("EDIT", "", edit, 290, 163, 100, 21, WS_EX_CLIENTEDGE);
  HWND updown =
      make(UPDOWN_CLASSA, "", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 16, 21);
  SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageA(updown, UDM_SETRANGE32, 0, 100);
  SendMessageA(updown, UDM_SETPOS32, 0, 5);

  SetFocus(focused);
  SendMessageA(focused, EM_SETSEL, 0, -1);
  RedrawWindow(dialog, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_EQ(GetFocus(), focused);
  char text[8] = {};
  GetWindowTextA(buddy, text, sizeof text);
  EXPECT_STREQ(text, "5");
  const std::string path = (std::filesystem::current_path() / "controls.png").string();
  EXPECT_TRUE(SaveWindowPicture(dialog, path.c_str(), TRUE));
  ResetTestWindows();
  DeleteObject(font);
}

}  // namespace
