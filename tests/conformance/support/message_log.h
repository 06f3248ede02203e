// A message log built from the desktop API alone: windows of the logged
// class record every message they receive, by the name the test gave the
// window, with its parameters and whether it was posted (dispatched by
// Dispatch) or sent.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <platform/windows.h>

namespace conf {

struct Logged {
  std::string window;
  UINT message;
  bool posted;
  WPARAM wparam;
  LPARAM lparam;
};

using Handler = std::function<LRESULT(HWND, WPARAM, LPARAM)>;

// Handlers by message for every window of the logged class; a message
// without one goes to DefWindowProcA. Cleared between cases.
std::map<UINT, Handler>& Handlers();

// The logged class, registered on first use.
const char* LoggedClass();

// Only named windows are logged. A name given again leaves its old window.
void Name(HWND window, const std::string& name);
// Names the next unnamed window that receives a message: one being created,
// before CreateWindowExA answers its handle.
void NameNext(const std::string& name);
HWND Named(const std::string& name);
// The window's name, empty for an unnamed one (or null).
std::string NameOf(HWND window);

// A window of the logged class (or `cls`), named before its first message.
HWND Create(const std::string& name, DWORD style, int x, int y, int width, int height,
            HWND parent = nullptr, DWORD ex_style = 0, const char* cls = nullptr);

// Dispatches as a program's loop does, noting the message so that the log
// knows it came posted.
void Dispatch(const MSG& msg);

void StartLog();
std::vector<Logged> TakeLog();

// An expected table: one line per message, "Name WM_X", then any of
//   posted   taken from the queue and dispatched (sent otherwise)
//   w=N      the wParam (decimal, 0x hex, -1 for all bits), or w=Name, the
//            handle of a named window
//   l=N      the lParam's low 32 bits, or l=Name
//   ?        the message may be missing
using Sequence = std::vector<std::string>;
Sequence operator+(Sequence a, const Sequence& b);

// Takes the log and compares it with the table, looking only at the
// messages the table names (and those in `watched`, by name), so that a
// system's extra messages of other kinds do not matter. On a mismatch:
// expected | actual, the first difference marked.
testing::AssertionResult Saw(const Sequence& expected,
                             const std::vector<std::string>& watched = {});

// Destroys the thread's windows, forgets names and handlers, takes what the
// queue holds: a case starts from nothing.
void ResetCase();

}  // namespace conf
