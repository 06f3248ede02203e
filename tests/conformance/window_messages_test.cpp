// The messages a window gets as it is made, shown, moved, sized, enabled,
// closed and destroyed, in order, and how each came.
#include <string>
#include <vector>

#include <platform/windows.h>

#include "tests/conformance/support/fixture.h"
#include "tests/conformance/support/pump.h"
#include "tests/conformance/support/wine.h"

namespace {

using conf::Named;
using conf::Sequence;

// Windows without a frame, so that their client areas are where they are.
HWND Popup(const char* name, DWORD style = 0) {
  return conf::Create(name, WS_POPUP | style, 100, 100, 200, 150);
}
HWND Parent() {
  return Popup("P", WS_VISIBLE);
}
HWND Child(const char* name = "C", DWORD ex_style = 0) {
  return conf::Create(name, WS_CHILD | WS_VISIBLE, 10, 20, 50, 40, Named("P"), ex_style);
}

void Move(const char* name, int x, int y) {
  SetWindowPos(Named(name), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void Size(const char* name, int cx, int cy) {
  SetWindowPos(Named(name), nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct Scene {
  const char* name;
  void (*arrange)();  // before the log starts
  void (*act)();
  Sequence expected;
  std::vector<std::string> watched = {};  // messages that must not come but where listed
  const char* wine = nullptr;             // why Wine differs
};

class WindowMessages : public conf::TableCase<Scene> {};

TEST_P(WindowMessages, ComeInOrder) {
  const Scene& s = GetParam();
  if (s.wine != nullptr) KNOWN_WINE_DIFFERENCE(s.wine);
  if (s.arrange != nullptr) s.arrange();
  conf::PumpFor(20);
  conf::StartLog();
  s.act();
  conf::PumpFor(20);
  EXPECT_TRUE(conf::Saw(s.expected, s.watched));
}

const Scene kScenes[] = {
    {"CreateOverlapped",
     nullptr,
     [] { conf::Create("A", WS_OVERLAPPED | WS_CAPTION, 100, 100, 200, 150); },
     {"A WM_GETMINMAXINFO", "A WM_NCCREATE", "A WM_CREATE"},
     {"WM_SHOWWINDOW", "WM_ACTIVATE"}},
    {"CreateSizablePopup",
     nullptr,
     [] { Popup("A", WS_THICKFRAME); },
     {"A WM_GETMINMAXINFO", "A WM_NCCREATE", "A WM_CREATE"}},
    {"CreatePopup",
     nullptr,
     [] { Popup("A"); },
     {"A WM_NCCREATE", "A WM_NCCALCSIZE", "A WM_CREATE", "A WM_SIZE w=0 l=0x009600C8",
      "A WM_MOVE l=0x00640064"},
     {"WM_GETMINMAXINFO", "WM_SHOWWINDOW", "WM_ACTIVATE"}},
    {"CreateChild",
     [] { Parent(); },
     [] { Child(); },
     {"C WM_NCCREATE", "C WM_NCCALCSIZE", "C WM_CREATE", "C WM_SIZE l=0x00280032",
      "C WM_MOVE l=0x0014000A", "P WM_PARENTNOTIFY w=1"}},
    {"CreateChildNoParentNotify",
     [] { Parent(); },
     [] { Child("C", WS_EX_NOPARENTNOTIFY); },
     {"C WM_CREATE"},
     {"WM_PARENTNOTIFY"}},
    {"CreateChildSeesNoActivation",
     [] { Parent(); },
     [] { Child(); },
     {"C WM_CREATE"},
     {"WM_ACTIVATE", "WM_SETFOCUS", "WM_GETMINMAXINFO"}},
    {"ShowHidden",
     [] { Popup("A"); },
     [] { ShowWindow(Named("A"), SW_SHOW); },
     {"A WM_SHOWWINDOW w=1 l=0", "A WM_WINDOWPOSCHANGING", "A WM_ACTIVATE w=1", "A WM_SETFOCUS",
      "A WM_WINDOWPOSCHANGED"}},
    {"ShowNoActivate",
     [] { Popup("A"); },
     [] { ShowWindow(Named("A"), SW_SHOWNA); },
     {"A WM_SHOWWINDOW w=1 l=0"},
     {"WM_ACTIVATE", "WM_SETFOCUS"}},
    {"ShowVisibleAgain",
     [] { Popup("A", WS_VISIBLE); },
     [] { ShowWindow(Named("A"), SW_SHOW); },
     {},
     {"WM_SHOWWINDOW"}},
    {"HideVisible",
     [] { Popup("A", WS_VISIBLE); },
     [] { ShowWindow(Named("A"), SW_HIDE); },
     {"A WM_SHOWWINDOW w=0 l=0", "A WM_WINDOWPOSCHANGING", "A WM_WINDOWPOSCHANGED"}},
    {"HideHidden",
     [] { Popup("A"); },
     [] { ShowWindow(Named("A"), SW_HIDE); },
     {},
     {"WM_SHOWWINDOW", "WM_WINDOWPOSCHANGING"}},
    {"ShowChild",
     [] { Parent(), conf::Create("C", WS_CHILD, 10, 20, 50, 40, Named("P")); },
     [] { ShowWindow(Named("C"), SW_SHOW); },
     {"C WM_SHOWWINDOW w=1 l=0", "C WM_WINDOWPOSCHANGING", "C WM_WINDOWPOSCHANGED"},
     {"WM_ACTIVATE"}},
    {"MoveTopLevel",
     [] { Popup("A", WS_VISIBLE); },
     [] { Move("A", 150, 130); },
     {"A WM_WINDOWPOSCHANGING", "A WM_WINDOWPOSCHANGED", "A WM_MOVE l=0x00820096"},
     {"WM_SIZE"}},
    {"SizeTopLevel",
     [] { Popup("A", WS_VISIBLE); },
     [] { Size("A", 220, 170); },
     {"A WM_WINDOWPOSCHANGING", "A WM_NCCALCSIZE", "A WM_WINDOWPOSCHANGED",
      "A WM_SIZE w=0 l=0x00AA00DC"},
     {"WM_MOVE"}},
    {"MoveAndSize",
     [] { Popup("A", WS_VISIBLE); },
     [] { SetWindowPos(Named("A"), nullptr, 50, 60, 70, 80, SWP_NOZORDER | SWP_NOACTIVATE); },
     {"A WM_WINDOWPOSCHANGING", "A WM_WINDOWPOSCHANGED", "A WM_MOVE l=0x003C0032",
      "A WM_SIZE l=0x00500046"}},
    {"SetSamePosition",
     [] { Popup("A", WS_VISIBLE); },
     [] { SetWindowPos(Named("A"), nullptr, 100, 100, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE); },
     {"A WM_WINDOWPOSCHANGING"},
     {"WM_WINDOWPOSCHANGED", "WM_MOVE", "WM_SIZE"}},
    {"MoveHidden",
     [] { Popup("A"); },
     [] { Move("A", 10, 10); },
     {"A WM_WINDOWPOSCHANGING", "A WM_WINDOWPOSCHANGED", "A WM_MOVE l=0x000A000A"}},
    {"MoveChildKeepsParentCoordinates",
     [] { Parent(), Child(); },
     [] { Move("C", 30, 5); },
     {"C WM_WINDOWPOSCHANGING", "C WM_WINDOWPOSCHANGED", "C WM_MOVE l=0x0005001E"},
     {"WM_SIZE"}},
    {"MoveWindowRepaintsNothingSent",
     [] { Parent(), Child(); },
     [] { MoveWindow(Named("C"), 0, 0, 60, 30, FALSE); },
     {"C WM_WINDOWPOSCHANGING", "C WM_NCCALCSIZE", "C WM_WINDOWPOSCHANGED", "C WM_MOVE l=0",
      "C WM_SIZE l=0x001E003C"}},
    {"DestroyHidden",
     [] { Popup("A"); },
     [] { DestroyWindow(Named("A")); },
     {"A WM_DESTROY", "A WM_NCDESTROY"},
     {"WM_SHOWWINDOW"}},
    {"DestroyVisibleHidesFirst",
     [] { Popup("A", WS_VISIBLE); },
     [] { DestroyWindow(Named("A")); },
     {"A WM_WINDOWPOSCHANGING", "A WM_WINDOWPOSCHANGED", "A WM_DESTROY", "A WM_NCDESTROY"}},
    {"DestroyParentThenChildren",
     [] { Parent(), Child(); },
     [] { DestroyWindow(Named("P")); },
     {"P WM_DESTROY", "C WM_DESTROY", "C WM_NCDESTROY", "P WM_NCDESTROY"}},
    {"DestroyChildTellsParent",
     [] { Parent(), Child(); },
     [] { DestroyWindow(Named("C")); },
     {"P WM_PARENTNOTIFY w=2", "C WM_DESTROY", "C WM_NCDESTROY"}},
    {"DestroyChildNoParentNotify",
     [] { Parent(), Child("C", WS_EX_NOPARENTNOTIFY); },
     [] { DestroyWindow(Named("C")); },
     {"C WM_DESTROY", "C WM_NCDESTROY"},
     {"WM_PARENTNOTIFY"}},
    {"CloseCommandDestroys",
     [] { Popup("A", WS_VISIBLE); },
     [] { SendMessageA(Named("A"), WM_SYSCOMMAND, SC_CLOSE, 0); },
     {"A WM_SYSCOMMAND", "A WM_CLOSE", "A WM_DESTROY", "A WM_NCDESTROY"}},
    {"CloseMessageDestroys",
     [] { Popup("A", WS_VISIBLE); },
     [] { SendMessageA(Named("A"), WM_CLOSE, 0, 0); },
     {"A WM_CLOSE", "A WM_DESTROY", "A WM_NCDESTROY"}},
    {"SetTextIsSent",
     [] { Popup("A"); },
     [] { SetWindowTextA(Named("A"), "new"); },
     {"A WM_SETTEXT"}},
    {"GetTextAsksTheWindow",
     [] { Popup("A"); },
     [] {
       char text[16];
       GetWindowTextA(Named("A"), text, sizeof text);
     },
     {"A WM_GETTEXT w=16"}},
    {"DisableSendsEnable",
     [] { Popup("A", WS_VISIBLE); },
     [] { EnableWindow(Named("A"), FALSE); },
     {"A WM_ENABLE w=0"}},
    {"DisableDisabledSendsNothing",
     [] {
       Popup("A", WS_VISIBLE);
       EnableWindow(Named("A"), FALSE);
     },
     [] { EnableWindow(Named("A"), FALSE); },
     {},
     {"WM_ENABLE"}},
    {"EnableDisabled",
     [] {
       Popup("A", WS_VISIBLE);
       EnableWindow(Named("A"), FALSE);
     },
     [] { EnableWindow(Named("A"), TRUE); },
     {"A WM_ENABLE w=1"}},
    {"PostedComesPosted",
     [] { Popup("A"); },
     [] { PostMessageA(Named("A"), WM_USER, 1, 2); },
     {"A WM_USER posted w=1 l=2"}},
    {"SentBeforePosted",
     [] { Popup("A"); },
     [] {
       PostMessageA(Named("A"), WM_USER, 1, 0);
       SendMessageA(Named("A"), WM_USER, 2, 0);
     },
     {"A WM_USER w=2", "A WM_USER posted w=1"}},
    {"PostedInOrder",
     [] { Popup("A"), Popup("B"); },
     [] {
       PostMessageA(Named("A"), WM_USER, 1, 0);
       PostMessageA(Named("B"), WM_USER, 2, 0);
       PostMessageA(Named("A"), WM_USER, 3, 0);
     },
     {"A WM_USER posted w=1", "B WM_USER posted w=2", "A WM_USER posted w=3"}},
};

INSTANTIATE_TEST_SUITE_P(Windows, WindowMessages, testing::ValuesIn(kScenes), conf::RowName{});

}  // namespace
