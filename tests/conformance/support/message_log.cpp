#include "tests/conformance/support/message_log.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include <platform/kernel.h>
#include <platform/resources.h>

#include "tests/conformance/support/pump.h"
#include "tests/support/expected_message.h"
#include "tests/support/message_names.h"
#include "tests/support/side_by_side.h"

namespace conf {

namespace {

struct LogState {
  std::map<HWND, std::string> names;
  std::string next_name;
  std::vector<Logged> lines;
  bool recording = false;
};

LogState& State() {
  static LogState state;
  return state;
}

// The message Dispatch hands over now: the one delivery that counts as posted.
const MSG* dispatching = nullptr;

LRESULT LoggedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LogState& s = State();
  auto name = s.names.find(window);
  if (name == s.names.end() && !s.next_name.empty()) {
    name = s.names.emplace(window, s.next_name).first;
    s.next_name.clear();
  }
  const bool posted = dispatching != nullptr && dispatching->hwnd == window &&
                      dispatching->message == message && dispatching->wParam == wParam &&
                      dispatching->lParam == lParam;
  if (posted) dispatching = nullptr;
  if (s.recording && name != s.names.end()) {
    s.lines.push_back({name->second, message, posted, wParam, lParam});
  }
  const auto handler = Handlers().find(message);
  if (handler != Handlers().end()) return handler->second(window, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

BOOL Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

std::map<UINT, Handler>& Handlers() {
  static std::map<UINT, Handler> handlers;
  return handlers;
}

const char* LoggedClass() {
  static const char* const name = [] {
    WNDCLASSA info{};
    info.lpfnWndProc = LoggedProc;
    info.hInstance = GetModuleHandleA(nullptr);
    info.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    info.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_WINDOW + 1));
    info.lpszClassName = "ConformanceLogged";
    RegisterClassA(&info);
    return info.lpszClassName;
  }();
  return name;
}

void Name(HWND window, const std::string& name) {
  std::erase_if(State().names, [&](const auto& entry) { return entry.second == name; });
  State().names[window] = name;
}

void NameNext(const std::string& name) {
  State().next_name = name;
}

std::string NameOf(HWND window) {
  const auto it = State().names.find(window);
  return it != State().names.end() ? it->second : std::string();
}

HWND Named(const std::string& name) {
  for (const auto& [window, text] : State().names) {
    if (text == name) return window;
  }
  return nullptr;
}

HWND Create(const std::string& name, DWORD style, int x, int y, int width, int height, HWND parent,
            DWORD ex_style, const char* cls) {
  NameNext(name);
  HWND window =
      CreateWindowExA(ex_style, cls != nullptr ? cls : LoggedClass(), name.c_str(), style, x, y,
                      width, height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window != nullptr) Name(window, name);
  NameNext("");
  return window;
}

void StartLog() {
  State().lines.clear();
  State().recording = true;
}

std::vector<Logged> TakeLog() {
  State().recording = false;
  return std::move(State().lines);
}

Sequence operator+(Sequence a, const Sequence& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

testing::AssertionResult Saw(const Sequence& expected, const std::vector<std::string>& watched) {
  std::vector<ExpectedMessage> want;
  std::set<UINT> looked_at;
  for (const std::string& line : expected) {
    want.push_back(ParseExpectedMessage(line, Named, {"posted"}));
    looked_at.insert(want.back().message);
  }
  for (const std::string& name : watched) looked_at.insert(MessageNumber(name));
  std::vector<Logged> actual = TakeLog();
  std::erase_if(actual, [&](const Logged& r) { return !looked_at.contains(r.message); });
  const auto how = [](const Logged& r) { return std::string(r.posted ? "posted" : ""); };
  return CompareTable(
      expected, want, actual,
      [&](const ExpectedMessage& e, const Logged& r) {
        return e.Matches(r.window, r.message, how(r), r.wparam, r.lparam);
      },
      [&](const Logged& r, const ExpectedMessage& e) {
        return DescribeMessage(r.window, r.message, how(r), r.wparam, r.lparam, e, NameOf);
      });
}

void ResetCase() {
  Handlers().clear();
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&windows));
  for (HWND w : windows) {
    if (IsWindow(w)) DestroyWindow(w);
  }
  ReleaseCapture();
  Pump();
  State() = LogState{};
}

void Dispatch(const MSG& msg) {
  const MSG* outer = dispatching;
  dispatching = &msg;
  DispatchMessageA(&msg);
  dispatching = outer;
}

}  // namespace conf
