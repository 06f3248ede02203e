// Dialog keys: the tab order, Tab and Shift+Tab through IsDialogMessageA, and
// Enter and Escape as commands to the dialog, each unless the focused control
// claims the key with its WM_GETDLGCODE answer.
#include <optional>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>
#include <platform/headless.h>

#include "tests/support/message_log.h"
#include "tests/support/test_window.h"

namespace {

class Dialog : public WindowTest {
 protected:
  Dialog() {
    dialog = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
    // Children in z-order as created: A, B, C, D, the group (with E), F.
    a = Control(WS_TABSTOP, dialog);
    b = Control(0, dialog);
    c = Control(WS_TABSTOP | WS_DISABLED, dialog);
    d = Control(WS_TABSTOP, dialog, false);
    group = Control(0, dialog, true, WS_EX_CONTROLPARENT);
    e = Control(WS_TABSTOP, group);
    f = Control(WS_TABSTOP, dialog);
    Pump();
  }
  static HWND Control(DWORD style, HWND parent, bool visible = true, DWORD ex_style = 0) {
    HWND w =
        MakeWindow(WS_CHILD | style | (visible ? WS_VISIBLE : 0), 0, 0, 20, 20, parent, ex_style);
    // Whatever place creation gives a window, these follow in creation order.
    SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return w;
  }

  // The loop of a program with a modeless dialog.
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageA(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
  }

  HWND dialog, a, b, c, d, group, e, f;
};

TEST_F(Dialog, TabOrderIsTheZOrderOfVisibleEnabledTabStopsWithWrapAround) {
  const std::tuple<HWND, BOOL, HWND> cases[] = {
      {nullptr, FALSE, a}, {a, FALSE, e}, {e, FALSE, f}, {f, FALSE, a},
      {nullptr, TRUE, f},  {a, TRUE, f},  {e, TRUE, a},  {b, FALSE, e},
  };
  for (const auto& [from, previous, expected] : cases) {
    EXPECT_EQ(GetNextDlgTabItem(dialog, from, previous), expected)
        << from << (previous ? " backwards" : " forwards");
  }
}

TEST_F(Dialog, TabAndShiftTabMoveTheFocus) {
  SetFocus(a);
  const std::pair<bool, HWND> steps[] = {{false, e}, {false, f}, {true, e}};  // Shift, focus after
  for (const auto& [shift, expected] : steps) {
    if (shift) host::Headless().KeyDown(VK_SHIFT);
    host::Headless().Type("\t");
    if (shift) host::Headless().KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(GetFocus(), expected);
  }
}

TEST_F(Dialog, AControlThatWantsTheTabKeepsIt) {
  TestHandlers()[WM_GETDLGCODE] = [&](HWND window, WPARAM, LPARAM) -> LRESULT {
    return window == a ? DLGC_WANTTAB : 0;
  };
  SetFocus(a);
  MessageLog log;
  log.Name(a, "A");
  log.Start();
  host::Headless().Type("\t");
  Pump();
  EXPECT_TRUE(log.Saw({"A WM_GETDLGCODE", "A WM_KEYDOWN posted", "A WM_GETDLGCODE",
                       "A WM_CHAR posted", "A WM_KEYUP posted"}));
  EXPECT_EQ(GetFocus(), a);
}

TEST_F(Dialog, EnterAndEscapeBecomeCommandsUnlessTheControlWantsThem) {
  HWND ok = MakeWindow(WS_CHILD | WS_VISIBLE, 100, 100, 20, 20, dialog);
  SetWindowLongPtrA(ok, GWLP_ID, IDOK);
  SetWindowLongPtrA(a, GWLP_ID, 9);
  const struct {
    const char* key;
    LRESULT code;        // the focused control's WM_GETDLGCODE answer
    LRESULT default_id;  // the dialog's DM_GETDEFID answer
    std::optional<int> command;
    HWND control;
  } cases[] = {
      {"\r", 0, 0, IDOK, ok},
      {"\r", 0, MAKELPARAM(9, DC_HASDEFID), 9, a},
      {"\r", DLGC_DEFPUSHBUTTON, 0, 9, a},
      {"\r", DLGC_WANTALLKEYS, 0, std::nullopt, nullptr},
      {"\x1B", 0, 0, IDCANCEL, nullptr},
      {"\x1B", DLGC_WANTALLKEYS, 0, std::nullopt, nullptr},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(testing::Message() << int{t.key[0]} << " " << t.code << " " << t.default_id);
    std::optional<int> command;
    LPARAM control = 0;
    int keys_seen = 0;
    TestHandlers()[WM_GETDLGCODE] = [&](HWND, WPARAM, LPARAM) { return t.code; };
    TestHandlers()[DM_GETDEFID] = [&](HWND, WPARAM, LPARAM) { return t.default_id; };
    TestHandlers()[WM_COMMAND] = [&](HWND window, WPARAM wParam, LPARAM lParam) {
      EXPECT_EQ(window, dialog);
      EXPECT_EQ(HIWORD(wParam), 0);  // BN_CLICKED
      command = LOWORD(wParam);
      control = lParam;
      return 0;
    };
    TestHandlers()[WM_KEYDOWN] = [&](HWND, WPARAM, LPARAM) -> LRESULT {
      ++keys_seen;
      return 0;
    };
    SetFocus(a);
    host::Headless().Type(t.key);
    Pump();
    EXPECT_EQ(command, t.command);
    if (t.command) {
      EXPECT_EQ(reinterpret_cast<HWND>(control), t.control);
    }
    EXPECT_EQ(keys_seen, t.command ? 0 : 1);
  }
}

TEST_F(Dialog, OnlyMessagesForTheDialogAreItsOwn) {
  HWND elsewhere = MakeWindow(WS_POPUP, 0, 0, 10, 10);
  bool got = false;
  TestHandlers()[WM_USER] = [&](HWND window, WPARAM, LPARAM) -> LRESULT {
    got = window == e;
    return 0;
  };
  MSG msg{elsewhere, WM_USER, 0, 0, 0, {}};
  EXPECT_FALSE(IsDialogMessageA(dialog, &msg));
  EXPECT_FALSE(got);
  msg.hwnd = e;  // inside the group: still the dialog's
  EXPECT_TRUE(IsDialogMessageA(dialog, &msg));
  EXPECT_TRUE(got);
}

}  // namespace
