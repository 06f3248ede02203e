// Creating and destroying windows: the messages in their real order, and
// what a refusal in WM_NCCREATE or WM_CREATE does.
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include <platform/kernel.h>

#include "tests/support/message_log.h"
#include "tests/support/test_window.h"

namespace {

using CreateDestroy = LoggedWindowTest;

TEST_F(CreateDestroy, VisibleActiveWindowIsHiddenAndDeactivatedFirst) {
  HWND top = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100);
  ASSERT_EQ(GetActiveWindow(), top);
  ASSERT_EQ(GetFocus(), top);
  log.Name(top, "Top");
  log.Start();
  DestroyWindow(top);
  const Sequence destroyed = Sequence{"Top WM_WINDOWPOSCHANGING", "Top WM_WINDOWPOSCHANGED"} +
                             pieces::LastDeactivation("Top") +
                             Sequence{"Top WM_DESTROY", "Top WM_NCDESTROY"};
  EXPECT_TRUE(log.Saw(destroyed));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(CreateDestroy, RefusalsAndFailuresGiveNoWindow) {
  for (const UINT refusing : {WM_NCCREATE, WM_CREATE}) {
    TestHandlers()[refusing] = [refusing](HWND, WPARAM, LPARAM) -> LRESULT {
      return refusing == WM_CREATE ? -1 : FALSE;
    };
    std::vector<HWND> destroyed;
    TestHandlers()[WM_NCDESTROY] = [&](HWND w, WPARAM, LPARAM) {
      destroyed.push_back(w);
      return 0;
    };
    EXPECT_EQ(MakeWindow(WS_POPUP, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(destroyed.size(), 1u);
    EXPECT_FALSE(IsWindow(destroyed.empty() ? nullptr : destroyed[0]));
    TestHandlers().clear();
  }
  EXPECT_EQ(MakeWindow(WS_CHILD, 0, 0, 1, 1), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_TLW_WITH_WSCHILD);
}

// Classes registered without a module belong to the program's; a window made
// without a module finds any of the program's own classes, then global ones.
TEST_F(CreateDestroy, ClassesAreFoundByModuleThenGlobally) {
  const HINSTANCE program = GetModuleHandleA(nullptr);
  const auto other_module = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x5000});
  const auto registered = [](const char* name, HINSTANCE instance, UINT style) {
    WNDCLASSA info{};
    info.style = style;
    info.lpfnWndProc = DefWindowProcA;
    info.hInstance = instance;
    info.lpszClassName = name;
    return RegisterClassA(&info);
  };
  ASSERT_NE(registered("OwnClass", nullptr, 0), 0);
  ASSERT_NE(registered("OtherModuleClass", other_module, 0), 0);
  ASSERT_NE(registered("SharedClass", other_module, CS_GLOBALCLASS), 0);
  EXPECT_EQ(registered("ownclass", program, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
  EXPECT_NE(registered("OwnClass", nullptr, CS_GLOBALCLASS), 0);  // global and own may share a name

  const std::tuple<LPCSTR, HINSTANCE, bool> creations[] = {
      {"OwnClass", nullptr, true},         {"OwnClass", program, true},
      {"OtherModuleClass", nullptr, true}, {"OtherModuleClass", program, false},
      {"SharedClass", program, true},
  };
  for (const auto& [name, instance, created] : creations) {
    SetLastError(0);
    HWND w =
        CreateWindowExA(0, name, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    EXPECT_EQ(w != nullptr, created) << reinterpret_cast<std::uintptr_t>(name);
    EXPECT_EQ(GetLastError(), created ? 0u : ERROR_CANNOT_FIND_WND_CLASS);
    if (w != nullptr) DestroyWindow(w);
  }

  const std::tuple<HINSTANCE, const char*, bool> lookups[] = {
      {program, "ownclass", true},
      {nullptr, "OtherModuleClass", false},
      {program, "OtherModuleClass", false},
      {other_module, "OtherModuleClass", true},
  };
  for (const auto& [instance, name, found] : lookups) {
    WNDCLASSA info{};
    EXPECT_EQ(GetClassInfoA(instance, name, &info) != FALSE, found) << name;
  }

  EXPECT_TRUE(UnregisterClassA("OwnClass", nullptr));
  EXPECT_FALSE(UnregisterClassA("OtherModuleClass", nullptr));
  EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
}

TEST_F(CreateDestroy, PropertiesAreNamedByTextOrAtom) {
  HWND w = MakeWindow(WS_POPUP, 0, 0, 10, 10);
  const ATOM atom = GlobalAddAtomA("ControlOfs0001");
  const std::pair<LPCSTR, LPCSTR> cases[] = {
      {MAKEINTATOM(atom), "CONTROLOFS0001"},
      {"ControlOfs0001", MAKEINTATOM(atom)},
      {MAKEINTATOM(1234), "#1234"},
      {"#1234", MAKEINTATOM(1234)},
  };
  for (const auto& [set_as, get_as] : cases) {
    EXPECT_TRUE(SetPropA(w, set_as, reinterpret_cast<HANDLE>(7)));
    EXPECT_EQ(GetPropA(w, get_as), reinterpret_cast<HANDLE>(7));
    EXPECT_EQ(RemovePropA(w, get_as), reinterpret_cast<HANDLE>(7));
    EXPECT_EQ(GetPropA(w, set_as), nullptr);
  }
}

TEST_F(CreateDestroy, TextIsCutToTheBuffer) {
  HWND w = MakeWindow(WS_POPUP, 0, 0, 10, 10);
  EXPECT_TRUE(SetWindowTextA(w, "Tavrion"));
  char text[4];
  EXPECT_EQ(GetWindowTextA(w, text, sizeof text), 3);
  EXPECT_STREQ(text, "Tav");
  EXPECT_EQ(GetWindowTextLengthA(w), 7);
}

}  // namespace
