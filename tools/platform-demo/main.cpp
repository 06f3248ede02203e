// platform-demo: a dialog-like window with one of each system control, shown
// on the desktop through the SDL host. It prints a line for each
// notification a person's input brings ("BN_CLICKED 1", "EN_CHANGE abc"), so
// scripts can drive it with real clicks and keys and read what happened.
//
//   platform-demo [x y width height]   the client area's place and size
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <platform/api.h>
#include <platform/codepage.h>

#include "platform/host/sdl/sdl_host.h"

namespace {

enum ControlId : int {
  kPushButton = 1,
  kCheckBox = 2,
  kThreeState = 3,
  kEdit = 4,
  kTrackBar = 5,
  kProgressBar = 6,
  kUpDown = 7,
  kBuddy = 8,
};

constexpr const char* kClassName = "TavrionPlatformDemo";
constexpr const char* kHintClassName = "TavrionPlatformDemoHint";
constexpr const char* kHintText = "A hint";
constexpr int kLabelX = 10;
constexpr int kLabelY = 12;

HFONT font = nullptr;
// Set once the window shows: what the dialog does to its own controls while
// it makes them is nobody's input.
bool ready = false;
// The controls the dialog talks to after making them.
HWND edit = nullptr;
HWND track = nullptr;
HWND progress = nullptr;
HWND push = nullptr;
// The push button shows and hides a hint: a pop-up above everything that
// leaves the focus where it was.
HWND hint = nullptr;

// One line on stdout, at once: a script reads it while the window stays open.
void Say(const std::string& line) {
  if (!ready) return;
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return codepage::Cp1251ToUtf8(text);
}

HWND Make(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int width,
          int height, int id, DWORD ex_style = 0) {
  HWND w =
      CreateWindowExA(ex_style, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                      parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return w;
}

void MakeControls(HWND dialog) {
  edit = Make(dialog, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, 80, 10, 150, 21, kEdit,
              WS_EX_CLIENTEDGE);
  push = Make(dialog, "BUTTON", "Push", BS_PUSHBUTTON | WS_TABSTOP, 240, 8, 70, 25, kPushButton);
  Make(dialog, "BUTTON", "Check box", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 45, 140, 20, kCheckBox);
  Make(dialog, "BUTTON", "Three states", BS_AUTO3STATE | WS_TABSTOP, 160, 45, 150, 20, kThreeState);
  track = Make(dialog, TRACKBAR_CLASSA, "", TBS_AUTOTICKS | WS_TABSTOP, 10, 80, 300, 40, kTrackBar);
  SendMessageA(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  progress = Make(dialog, PROGRESS_CLASSA, "", 0, 10, 135, 300, 18, kProgressBar);
  SendMessageA(progress, PBM_SETRANGE, 0, MAKELPARAM(0, 10));
  HWND buddy = Make(dialog, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, 10, 170, 80, 21,
                    kBuddy, WS_EX_CLIENTEDGE);
  HWND updown = Make(dialog, UPDOWN_CLASSA, "", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0,
                     0, 16, 21, kUpDown);
  SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageA(updown, UDM_SETRANGE32, 0, 100);
  SendMessageA(updown, UDM_SETPOS32, 0, 5);
}

LRESULT HintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT all;
  GetClientRect(window, &all);
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, kHintText, -1, &all, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  SelectObject(dc, old);
  EndPaint(window, &paint);
  return 0;
}

void ToggleHint(HWND dialog) {
  if (hint == nullptr) {
    hint = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kHintClassName, kHintText,
                           WS_POPUP | WS_BORDER, 0, 0, 0, 0, dialog, nullptr, nullptr, nullptr);
  }
  if (IsWindowVisible(hint)) {
    ShowWindow(hint, SW_HIDE);
    Say("HINT hidden");
    return;
  }
  RECT button;
  GetWindowRect(push, &button);
  SetWindowPos(hint, HWND_TOPMOST, button.left, button.bottom + 2, 80, 20,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Say("HINT shown");
}

void Command(int id, int code, HWND control) {
  if (code == BN_CLICKED && (id == kPushButton || id == kCheckBox || id == kThreeState)) {
    Say("BN_CLICKED " + std::to_string(id));
    if (id == kPushButton) ToggleHint(GetParent(control));
  } else if (code == EN_CHANGE && id == kEdit) {
    Say("EN_CHANGE " + TextOf(control));
  } else if (code == EN_CHANGE && id == kBuddy) {
    Say("UPDOWN " + TextOf(control));
  }
}

LRESULT DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      MakeControls(window);
      return 0;
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_HSCROLL: {
      // The track bar moves the progress bar along.
      if (reinterpret_cast<HWND>(lParam) != track) break;
      const LRESULT position = SendMessageA(track, TBM_GETPOS, 0, 0);
      SendMessageA(progress, PBM_SETPOS, static_cast<WPARAM>(position), 0);
      if (LOWORD(wParam) != TB_ENDTRACK) Say("TRACKBAR " + std::to_string(position));
      return 0;
    }
    case WM_PAINT: {
      // The label: there is no static control, so the dialog writes it.
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      HGDIOBJ old = SelectObject(dc, font);
      SetBkMode(dc, TRANSPARENT);
      const char* label = "Text:";
      TextOutA(dc, kLabelX, kLabelY, label, static_cast<int>(std::strlen(label)));
      SelectObject(dc, old);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_MOVE:
      // Where the client area now lies on the screen.
      Say("WM_MOVE " + std::to_string(GET_X_LPARAM(lParam)) + " " +
          std::to_string(GET_Y_LPARAM(lParam)));
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) Say("DEACTIVATED");
      break;
    case WM_CLOSE:
      Say("WM_CLOSE");
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClass(const char* name, WNDPROC procedure, int background) {
  WNDCLASSA info{};
  info.lpfnWndProc = procedure;
  info.lpszClassName = name;
  info.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  info.hbrBackground = GetSysColorBrush(background);
  RegisterClassA(&info);
}

}  // namespace

int main(int argc, char** argv) {
  RECT client{100, 100, 420, 340};
  if (argc == 5) {
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    client = {x, y, x + std::atoi(argv[3]), y + std::atoi(argv[4])};
  } else if (argc != 1) {
    std::fprintf(stderr, "usage: platform-demo [x y width height]\n");
    return 2;
  }
  std::string reason;
  std::unique_ptr<host::SdlHost> desktop = host::SdlHost::Create(nullptr, reason);
  if (desktop == nullptr) {
    std::fprintf(stderr, "platform-demo: no display: %s; set DISPLAY\n", reason.c_str());
    return 1;
  }
  host::Install(desktop.get());

  LOGFONTA log{};
  log.lfHeight = -11;
  log.lfWeight = FW_NORMAL;
  std::strcpy(log.lfFaceName, "MS Sans Serif");
  font = CreateFontIndirectA(&log);

  RegisterClass(kClassName, DialogProc, COLOR_BTNFACE);
  RegisterClass(kHintClassName, HintProc, COLOR_INFOBK);

  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  RECT frame = client;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND dialog = CreateWindowExA(0, kClassName, "Tavrion platform demo", style, frame.left,
                                frame.top, frame.right - frame.left, frame.bottom - frame.top,
                                nullptr, nullptr, nullptr, nullptr);
  if (dialog == nullptr) {
    std::fprintf(stderr, "platform-demo: the window could not be made\n");
    return 1;
  }
  ShowWindow(dialog, SW_SHOWNORMAL);
  UpdateWindow(dialog);
  SetFocus(edit);
  ready = true;
  Say("READY");

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  DeleteObject(font);
  host::Install(nullptr);
  return static_cast<int>(msg.wParam);
}
