// MessageBoxA played through the headless host's idle handler: Tab, the
// space bar and clicks give the documented results, and a box with an icon
// beeps; the box is modal to the thread, its loop passes the message hooks,
// and the owner is enabled and active again afterwards.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <platform/api.h>
#include <platform/headless.h>

#include "tests/support/test_window.h"

namespace {

class MessageBox : public WindowTest {
 protected:
  MessageBox() {
    other = MakeWindow(WS_POPUP | WS_VISIBLE, 500, 100, 200, 100);
    owner = MakeWindow(WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 300, 200);
    DrainMessages();
  }
  ~MessageBox() override { host::Headless().SetIdleHandler({}); }

  // Runs the box; once it waits, `act` plays the user's part with the box's
  // window, once.
  int Run(UINT type, const std::function<void(HWND)>& act, const char* text = "Continue?") {
    box = nullptr;
    host::Headless().SetIdleHandler([&] {
      if (box != nullptr) return false;
      box = GetActiveWindow();
      owner_enabled_inside = IsWindowEnabled(owner) != FALSE;
      other_enabled_inside = IsWindowEnabled(other) != FALSE;
      focus_id_inside = GetWindowLongA(GetFocus(), GWL_ID);
      owner_of_box = GetWindow(box, GW_OWNER);
      act(box);
      return true;
    });
    const int result = MessageBoxA(owner, text, "Tavrion", type);
    host::Headless().SetIdleHandler({});
    return result;
  }

  HWND owner, other;
  HWND box = nullptr;
  LONG focus_id_inside = 0;
  HWND owner_of_box = nullptr;
  bool owner_enabled_inside = true;
  bool other_enabled_inside = true;
};

// A box with an icon beeps once, with the icon's type.
TEST_F(MessageBox, KeysGiveTheDocumentedResultsAndIconsBeep) {
  const struct {
    UINT type;
    const char* keys;
    int result;
  } cases[] = {
      {MB_OK | MB_ICONHAND, "\r", IDOK},
      {MB_OKCANCEL | MB_ICONEXCLAMATION, "\r", IDOK},
      {MB_YESNOCANCEL | MB_ICONQUESTION, "\t\r", IDNO},
      {MB_YESNOCANCEL, "\t\t ", IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, "\r", IDIGNORE},
      {MB_RETRYCANCEL | MB_ICONASTERISK, "\r", IDRETRY},
      {MB_CANCELTRYCONTINUE | MB_DEFBUTTON3, "\r", IDCONTINUE},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(testing::Message()
                 << "type " << t.type << " keys " << testing::PrintToString(std::string(t.keys)));
    const int beeps = host::Headless().Beeps().count;
    EXPECT_EQ(Run(t.type, [&](HWND) { host::Headless().Type(t.keys); }), t.result);
    const UINT icon = t.type & MB_ICONMASK;
    EXPECT_EQ(host::Headless().Beeps().count - beeps, icon != 0 ? 1 : 0);
    if (icon != 0) {
      EXPECT_EQ(host::Headless().Beeps().last_type, icon);
    }
  }
}

TEST_F(MessageBox, TheBoxIsModalToTheThreadAndGivesTheOwnerBackAfter) {
  const int result = Run(MB_OKCANCEL | MB_ICONQUESTION, [&](HWND b) {
    RECT r;
    GetWindowRect(GetNextDlgTabItem(b, GetFocus(), FALSE), &r);  // Cancel follows OK
    host::Headless().Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(owner_of_box, owner);
  EXPECT_FALSE(owner_enabled_inside);
  EXPECT_FALSE(other_enabled_inside);
  EXPECT_EQ(focus_id_inside, IDOK) << "the default button has the focus";
  EXPECT_FALSE(IsWindow(box));
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_EQ(GetActiveWindow(), owner);
  EXPECT_EQ(host::Headless().Beeps().last_type, MB_ICONQUESTION);
}

// The messages the hook saw taken for a message box's windows (of the dialog
// class, "#32770").
std::vector<UINT> g_hooked;

LRESULT RecordBoxMessages(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  char name[16] = {};
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->hwnd != nullptr &&
      GetClassNameA(GetAncestor(msg->hwnd, GA_ROOT), name, sizeof name) > 0 &&
      std::string(name) == "#32770") {
    g_hooked.push_back(msg->message);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MessageBox, ItsLoopPassesTheMessageHooks) {
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, RecordBoxMessages, nullptr, GetCurrentThreadId());
  g_hooked.clear();
  EXPECT_EQ(Run(MB_OK, [&](HWND) { host::Headless().Type("\r"); }), IDOK);
  UnhookWindowsHookEx(hook);
  // Painted first, then Enter's key-down ends it; the rest of the stroke is
  // for the loop outside, as on the desktop.
  ASSERT_FALSE(g_hooked.empty());
  EXPECT_EQ(g_hooked.front(), WM_PAINT);
  EXPECT_EQ(g_hooked.back(), WM_KEYDOWN);
}

TEST_F(MessageBox, AQuitEndsTheBoxAndReachesTheOuterLoop) {
  EXPECT_EQ(Run(MB_YESNO, [](HWND) { PostQuitMessage(3); }), 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageBox, LongTextWrapsAtASensibleWidth) {
  std::string words;
  for (int i = 0; i < 80; ++i) words += "word ";
  RECT narrow{}, wide{};
  Run(MB_OK, [&](HWND b) {
    GetWindowRect(b, &narrow);
    host::Headless().Type("\r");
  });
  Run(
      MB_OK,
      [&](HWND b) {
        GetWindowRect(b, &wide);
        host::Headless().Type("\r");
      },
      words.c_str());
  EXPECT_LE(wide.right - wide.left, GetSystemMetrics(SM_CXSCREEN) * 5 / 8 + 16);
  EXPECT_GT(wide.bottom - wide.top, narrow.bottom - narrow.top) << "several lines";
}

}  // namespace
