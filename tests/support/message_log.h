// Records the messages windows receive, with how each came and its
// parameters, for tests that compare sequences against expected tables. A mismatch prints
// both sequences side by side.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <platform/spy.h>
#include <platform/windows.h>

#include "tests/support/test_window.h"

struct RecordedMessage {
  std::string window;
  UINT message;
  platform::Delivery how;
  WPARAM wparam;
  LPARAM lparam;
};

// An expected entry: "Name WM_X", then any of
//   posted   taken from the queue and dispatched
//   default  sent from inside the default handling of another message
//   w=N      the wParam (decimal, or hex with 0x; -1 for all bits set), or
//            w=Name, the handle of a window the log knows by that name
//   l=N      the lParam's low 32 bits, where messages pack their fields
//   ?        the message may be missing
// An entry without "posted" or "default" was sent directly.
using Sequence = std::vector<std::string>;
Sequence operator+(Sequence a, const Sequence& b);

// Pieces that many sequences share, for windows named as in the log.
namespace pieces {
// The active window deactivated with nothing to take over: the focus goes.
Sequence LastDeactivation(const std::string& window);
// Activation handed from one top-level window to another that is not on
// top: raised, the old one told first, then the focus follows from the
// default handling of WM_ACTIVATE.
Sequence Activation(const std::string& from, const std::string& to);
}  // namespace pieces

using WindowNames = std::map<HWND, std::string>;

// Whether the messages match the table, optional entries allowed to be
// missing; `names` resolve w=Name. On a mismatch: expected | actual, with the
// first difference marked.
testing::AssertionResult SameSequence(const Sequence& expected,
                                      const std::vector<RecordedMessage>& actual,
                                      const WindowNames& names = {});

class MessageLog {
 public:
  MessageLog();
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  // Only named windows are recorded. A name given again leaves its old window.
  void Name(HWND window, const std::string& name) {
    std::erase_if(names_, [&](const auto& entry) { return entry.second == name; });
    names_[window] = name;
  }
  // Names the next window not yet named that receives a message: a window
  // being created, before CreateWindowExA returns its handle.
  void NameNext(const std::string& name) { next_name_ = name; }
  void Start() {
    lines_.clear();
    recording_ = true;
  }
  std::vector<RecordedMessage> Take() {
    recording_ = false;
    return std::move(lines_);
  }

  // Takes the messages and compares them with the table (see SameSequence).
  testing::AssertionResult Saw(const Sequence& expected) {
    return SameSequence(expected, Take(), names_);
  }
  // The same for only the messages named in `only` ("WM_CHAR", "0x0401").
  testing::AssertionResult Saw(const Sequence& expected, const std::set<std::string>& only) {
    std::vector<RecordedMessage> lines = Take();
    std::erase_if(lines,
                  [&](const RecordedMessage& r) { return !only.contains(MessageName(r.message)); });
    return SameSequence(expected, lines, names_);
  }

  static std::string MessageName(UINT message);

 private:
  WindowNames names_;
  std::vector<RecordedMessage> lines_;
  std::string next_name_;
  bool recording_ = false;
};

// A window test that records messages.
class LoggedWindowTest : public WindowTest {
 protected:
  // A visible test window, named in the log.
  HWND Window(const char* name, DWORD style, int x, int y, int width, int height,
              HWND parent = nullptr, DWORD ex_style = 0, bool double_clicks = false) {
    HWND window =
        MakeWindow(style | WS_VISIBLE, x, y, width, height, parent, ex_style, double_clicks);
    log.Name(window, name);
    return window;
  }
  MessageLog log;
};
