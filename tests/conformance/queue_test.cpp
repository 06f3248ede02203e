// The order in which a message loop gets posted messages, paints, timers and
// the quit message, and what timers and the queue's calls answer.
#include <string>
#include <vector>

#include <platform/kernel.h>
#include <platform/windows.h>

#include "tests/conformance/support/fixture.h"
#include "tests/conformance/support/pump.h"
#include "tests/conformance/support/wine.h"

namespace {

using conf::Named;

HWND Window() {
  return conf::Create("A", WS_POPUP | WS_VISIBLE, 100, 100, 100, 80);
}

// Brings the window to nothing owed, then runs `arrange` with the loop
// stopped and a timer's time passed, and answers what the loop takes.
std::vector<std::string> Taken(void (*arrange)()) {
  Window();
  conf::Handlers()[WM_PAINT] = [](HWND window, WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    EndPaint(window, &ps);
    return LRESULT{0};
  };
  conf::PumpFor(50);
  arrange();
  std::vector<std::string> names;
  for (const MSG& msg : conf::PumpFor(50)) {
    if (msg.message == WM_TIMER || msg.message == WM_USER || msg.message == WM_PAINT ||
        msg.message == WM_QUIT || msg.message == WM_USER + 1) {
      names.push_back(conf::NameOf(msg.hwnd) + " " + std::to_string(msg.message) + " " +
                      std::to_string(msg.wParam));
    }
  }
  return names;
}

std::string Line(UINT message, WPARAM wParam, const char* window = "A") {
  return std::string(window) + " " + std::to_string(message) + " " + std::to_string(wParam);
}

// The loop stopped long enough for a 10 ms timer to fall due.
void TimerDue(UINT_PTR id = 1) {
  SetTimer(Named("A"), id, 10, nullptr);
  Sleep(40);
}

struct Order {
  const char* name;
  void (*arrange)();
  std::vector<std::string> taken;  // the first messages of these kinds, in order
  const char* wine = nullptr;
};

class QueueOrder : public conf::TableCase<Order> {};

TEST_P(QueueOrder, IsTheDesktops) {
  const Order& o = GetParam();
  if (o.wine != nullptr) KNOWN_WINE_DIFFERENCE(o.wine);
  std::vector<std::string> taken = Taken(o.arrange);
  if (taken.size() > o.taken.size()) taken.resize(o.taken.size());
  EXPECT_EQ(taken, o.taken);
}

const Order kOrders[] = {
    {"PostedInOrder",
     [] {
       PostMessageA(Named("A"), WM_USER, 1, 0);
       PostMessageA(Named("A"), WM_USER, 2, 0);
     },
     {Line(WM_USER, 1), Line(WM_USER, 2)}},
    {"PostedBeforeTimer",
     [] {
       TimerDue();
       PostMessageA(Named("A"), WM_USER, 1, 0);
     },
     {Line(WM_USER, 1), Line(WM_TIMER, 1)}},
    {"PostedBeforePaint",
     [] {
       InvalidateRect(Named("A"), nullptr, FALSE);
       PostMessageA(Named("A"), WM_USER, 1, 0);
     },
     {Line(WM_USER, 1), Line(WM_PAINT, 0)}},
    {"PaintBeforeTimer",
     [] {
       TimerDue();
       InvalidateRect(Named("A"), nullptr, FALSE);
     },
     {Line(WM_PAINT, 0), Line(WM_TIMER, 1)}},
    {"PostedBeforeQuit",
     [] {
       PostQuitMessage(3);
       PostMessageA(Named("A"), WM_USER, 1, 0);
     },
     {Line(WM_USER, 1), " 18 3"}},
    {"QuitAfterEveryPosted",
     [] {
       PostMessageA(Named("A"), WM_USER, 1, 0);
       PostQuitMessage(4);
       PostMessageA(Named("A"), WM_USER, 2, 0);
     },
     {Line(WM_USER, 1), Line(WM_USER, 2), " 18 4"}},
    {"PostedQuitIsAPostedMessage",
     [] {
       PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 5, 0);
       PostMessageA(Named("A"), WM_USER, 1, 0);
     },
     {" 18 5", Line(WM_USER, 1)}},
    {"QuitBeforeTimer",
     [] {
       TimerDue();
       PostQuitMessage(6);
     },
     {" 18 6"}},
    {"KilledTimerComesNoMore",
     [] {
       TimerDue();
       KillTimer(Named("A"), 1);
       PostMessageA(Named("A"), WM_USER, 1, 0);
     },
     {Line(WM_USER, 1)}},
    {"TimerSetAgainStartsOver",
     [] {
       TimerDue();
       SetTimer(Named("A"), 1, 10000, nullptr);
       PostMessageA(Named("A"), WM_USER, 1, 0);
     },
     {Line(WM_USER, 1)}},
};

INSTANTIATE_TEST_SUITE_P(Queue, QueueOrder, testing::ValuesIn(kOrders), conf::RowName{});

// What the queue's calls answer.
struct Answer {
  const char* name;
  bool (*check)();
  const char* wine = nullptr;
};

class QueueAnswers : public conf::TableCase<Answer> {};

TEST_P(QueueAnswers, AreAsDocumented) {
  if (GetParam().wine != nullptr) KNOWN_WINE_DIFFERENCE(GetParam().wine);
  Window();
  conf::PumpFor(30);
  EXPECT_TRUE(GetParam().check());
}

bool timer_proc_called = false;

const Answer kAnswers[] = {
    {"WindowTimerAnswersNonzero", [] { return SetTimer(Named("A"), 7, 100, nullptr) != 0; }},
    {"ThreadTimerGetsAnId",
     [] {
       const UINT_PTR id = SetTimer(nullptr, 0, 100, nullptr);
       KillTimer(nullptr, id);
       return id != 0;
     }},
    {"KillUnknownTimerFails", [] { return KillTimer(Named("A"), 99) == FALSE; }},
    {"KillTwiceFailsTheSecondTime",
     [] {
       SetTimer(Named("A"), 1, 100, nullptr);
       return KillTimer(Named("A"), 1) != FALSE && KillTimer(Named("A"), 1) == FALSE;
     }},
    {"TimerMessageCarriesIdAndNoProc",
     [] {
       MSG timer{};
       SetTimer(Named("A"), 3, 10, nullptr);
       Sleep(40);
       PeekMessageA(&timer, Named("A"), WM_TIMER, WM_TIMER, PM_REMOVE);
       return timer.message == WM_TIMER && timer.wParam == 3 && timer.lParam == 0;
     }},
    {"TimerProcInsteadOfTheWindow",
     [] {
       timer_proc_called = false;
       conf::StartLog();
       SetTimer(Named("A"), 4, 10, [](HWND, UINT message, UINT_PTR id, DWORD) {
         timer_proc_called = message == WM_TIMER && id == 4;
       });
       conf::PumpUntil([] { return timer_proc_called; });
       KillTimer(Named("A"), 4);
       return timer_proc_called && conf::Saw({}, {"WM_TIMER"});
     }},
    {"TimerRepeats",
     [] {
       int count = 0;
       conf::Handlers()[WM_TIMER] = [&count](HWND, WPARAM, LPARAM) { return LRESULT{++count}; };
       SetTimer(Named("A"), 1, 10, nullptr);
       return conf::PumpUntil([&] { return count >= 3; });
     }},
    {"PeekNoRemoveLeavesIt",
     [] {
       PostMessageA(Named("A"), WM_USER, 1, 0);
       MSG a{}, b{};
       return PeekMessageA(&a, nullptr, WM_USER, WM_USER, PM_NOREMOVE) != FALSE &&
              PeekMessageA(&b, nullptr, WM_USER, WM_USER, PM_REMOVE) != FALSE && a.wParam == 1 &&
              b.wParam == 1;
     }},
    {"FilterTakesALaterMessage",
     [] {
       PostMessageA(Named("A"), WM_USER, 1, 0);
       PostMessageA(Named("A"), WM_USER + 1, 2, 0);
       MSG m{};
       return PeekMessageA(&m, nullptr, WM_USER + 1, WM_USER + 1, PM_REMOVE) != FALSE &&
              m.wParam == 2 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE) != FALSE &&
              m.message == WM_USER;
     }},
    {"WindowFilterLeavesOthers",
     [] {
       HWND b = conf::Create("B", WS_POPUP, 0, 0, 10, 10);
       PostMessageA(Named("A"), WM_USER, 1, 0);
       PostMessageA(b, WM_USER, 2, 0);
       MSG m{};
       return PeekMessageA(&m, b, 0, 0, PM_REMOVE) != FALSE && m.wParam == 2;
     }},
    {"GetMessageAnswersZeroForQuit",
     [] {
       PostQuitMessage(9);
       MSG m{};
       return GetMessageA(&m, nullptr, 0, 0) == 0 && m.message == WM_QUIT && m.wParam == 9;
     }},
    {"PostToDestroyedWindowFails",
     [] {
       HWND b = conf::Create("B", WS_POPUP, 0, 0, 10, 10);
       DestroyWindow(b);
       return PostMessageA(b, WM_USER, 0, 0) == FALSE;
     }},
    {"SendAnswersTheProceduresResult",
     [] {
       conf::Handlers()[WM_USER] = [](HWND, WPARAM w, LPARAM l) { return LRESULT(w + l); };
       return SendMessageA(Named("A"), WM_USER, 40, 2) == 42;
     }},
    {"MessageTimeFollowsTheClock",
     [] {
       PostMessageA(Named("A"), WM_USER, 0, 0);
       MSG m{};
       PeekMessageA(&m, nullptr, WM_USER, WM_USER, PM_REMOVE);
       return GetTickCount() - m.time < 1000;
     }},
};

INSTANTIATE_TEST_SUITE_P(Queue, QueueAnswers, testing::ValuesIn(kAnswers), conf::RowName{});

}  // namespace
