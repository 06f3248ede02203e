// WH_GETMESSAGE and WH_CALLWNDPROC hooks: what they see, in which order,
// and what a WH_GETMESSAGE hook may change.
#include <string>
#include <vector>

#include <platform/kernel.h>
#include <platform/windows.h>

#include "tests/conformance/support/fixture.h"
#include "tests/conformance/support/pump.h"
#include "tests/conformance/support/wine.h"

namespace {

using conf::Named;

// What the hooks saw, as "get WM_USER 1 remove" / "call WM_USER 1 this".
std::vector<std::string> seen;

std::string Seen(const char* kind, UINT message, WPARAM wParam, const char* how) {
  return std::string(kind) + " " + std::to_string(message) + " " + std::to_string(wParam) + " " +
         how;
}

LRESULT GetHook(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && msg->message >= WM_USER) {
    seen.push_back(Seen("get", msg->message, msg->wParam, wParam == PM_REMOVE ? "remove" : "keep"));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A second WH_GETMESSAGE hook, newer: turns WM_USER+1 into WM_USER+2.
LRESULT RewritingHook(int code, WPARAM wParam, LPARAM lParam) {
  MSG* msg = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && msg->message >= WM_USER) {
    seen.push_back(Seen("rewrite", msg->message, msg->wParam, "-"));
    if (msg->message == WM_USER + 1) msg->message = WM_USER + 2;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CallHook(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && cwp->message >= WM_USER) {
    seen.push_back(Seen("call", cwp->message, cwp->wParam, wParam != 0 ? "this" : "other"));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct HookScene {
  const char* name;
  std::vector<std::pair<int, HOOKPROC>> hooks;  // set oldest first
  void (*act)();
  std::vector<std::string> expected;  // the hooks' lines and the window's "proc ..." lines
  const char* wine = nullptr;
};

class Hooks : public conf::TableCase<HookScene> {
 protected:
  ~Hooks() override {
    for (HHOOK hook : hooks_) UnhookWindowsHookEx(hook);
  }
  std::vector<HHOOK> hooks_;
};

TEST_P(Hooks, SeeMessagesInOrder) {
  const HookScene& s = GetParam();
  if (s.wine != nullptr) KNOWN_WINE_DIFFERENCE(s.wine);
  conf::Create("A", WS_POPUP | WS_VISIBLE, 100, 100, 100, 80);
  conf::PumpFor(30);
  seen.clear();
  for (UINT m = WM_USER; m <= WM_USER + 2; ++m) {
    conf::Handlers()[m] = [m](HWND, WPARAM w, LPARAM) {
      seen.push_back(Seen("proc", m, w, "-"));
      return LRESULT{0};
    };
  }
  for (const auto& [kind, proc] : s.hooks) {
    hooks_.push_back(SetWindowsHookExA(kind, proc, nullptr, GetCurrentThreadId()));
    ASSERT_NE(hooks_.back(), nullptr);
  }
  s.act();
  conf::PumpFor(30);
  EXPECT_EQ(seen, s.expected);
}

void Post(UINT message, WPARAM w) {
  PostMessageA(Named("A"), message, w, 0);
}

const HookScene kScenes[] = {
    {"GetSeesPostedBeforeTheProcedure",
     {{WH_GETMESSAGE, GetHook}},
     [] { Post(WM_USER, 1); },
     {Seen("get", WM_USER, 1, "remove"), Seen("proc", WM_USER, 1, "-")}},
    {"GetSeesAPeekThatKeeps",
     {{WH_GETMESSAGE, GetHook}},
     [] {
       Post(WM_USER, 2);
       MSG m;
       PeekMessageA(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
     },
     {Seen("get", WM_USER, 2, "keep"), Seen("get", WM_USER, 2, "remove"),
      Seen("proc", WM_USER, 2, "-")}},
    {"GetDoesNotSeeSent",
     {{WH_GETMESSAGE, GetHook}},
     [] { SendMessageA(Named("A"), WM_USER, 3, 0); },
     {Seen("proc", WM_USER, 3, "-")}},
    {"GetNewestFirstAndItsChangeReachesTheOthers",
     {{WH_GETMESSAGE, GetHook}, {WH_GETMESSAGE, RewritingHook}},
     [] { Post(WM_USER + 1, 4); },
     {Seen("rewrite", WM_USER + 1, 4, "-"), Seen("get", WM_USER + 2, 4, "remove"),
      Seen("proc", WM_USER + 2, 4, "-")}},
    {"CallSeesSentBeforeTheProcedure",
     {{WH_CALLWNDPROC, CallHook}},
     [] { SendMessageA(Named("A"), WM_USER, 5, 0); },
     {Seen("call", WM_USER, 5, "this"), Seen("proc", WM_USER, 5, "-")}},
    {"CallDoesNotSeePosted",
     {{WH_CALLWNDPROC, CallHook}},
     [] { Post(WM_USER, 6); },
     {Seen("proc", WM_USER, 6, "-")}},
    {"CallSeesSendsFromInsideAProcedure",
     {{WH_CALLWNDPROC, CallHook}},
     [] {
       conf::Handlers()[WM_USER + 1] = [](HWND window, WPARAM, LPARAM) {
         seen.push_back(Seen("proc", WM_USER + 1, 7, "-"));
         return SendMessageA(window, WM_USER, 8, 0);
       };
       Post(WM_USER + 1, 7);
     },
     {Seen("proc", WM_USER + 1, 7, "-"), Seen("call", WM_USER, 8, "this"),
      Seen("proc", WM_USER, 8, "-")}},
    {"BothKindsEachTheirOwn",
     {{WH_GETMESSAGE, GetHook}, {WH_CALLWNDPROC, CallHook}},
     [] {
       Post(WM_USER, 9);
       SendMessageA(Named("A"), WM_USER, 10, 0);
     },
     {Seen("call", WM_USER, 10, "this"), Seen("proc", WM_USER, 10, "-"),
      Seen("get", WM_USER, 9, "remove"), Seen("proc", WM_USER, 9, "-")}},
};

INSTANTIATE_TEST_SUITE_P(Hooks, Hooks, testing::ValuesIn(kScenes), conf::RowName{});

// The hook calls' answers.
using HookCalls = conf::Case;

TEST_F(HookCalls, UnhookAnswersOnceAndRefusesAStaleHandle) {
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, GetHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  EXPECT_TRUE(UnhookWindowsHookEx(hook));
  SetLastError(0);
  EXPECT_FALSE(UnhookWindowsHookEx(hook));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HOOK_HANDLE);
  seen.clear();
  conf::Create("A", WS_POPUP, 0, 0, 10, 10);
  Post(WM_USER, 1);
  conf::Pump();
  EXPECT_TRUE(seen.empty());
}

}  // namespace
