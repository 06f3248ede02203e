#include "tests/support/message_log.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <stdexcept>

MessageLog::MessageLog() {
  platform::SetMessageSpy(
      [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam, platform::Delivery how) {
        auto name = names_.find(window);
        if (name == names_.end() && !next_name_.empty()) {
          name = names_.emplace(window, next_name_).first;
          next_name_.clear();
        }
        if (!recording_ || name == names_.end()) return;
        lines_.push_back({name->second, message, how, wParam, lParam});
      });
}

MessageLog::~MessageLog() {
  platform::SetMessageSpy({});
}

Sequence operator+(Sequence a, const Sequence& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Sequence pieces::Creation(const std::string& w, bool top_level) {
  const Sequence made = {w + " WM_NCCREATE", w + " WM_NCCALCSIZE", w + " WM_CREATE", w + " WM_SIZE",
                         w + " WM_MOVE"};
  return top_level ? Sequence{w + " WM_GETMINMAXINFO"} + made : made;
}

Sequence pieces::FirstActivation(const std::string& w) {
  return {w + " WM_ACTIVATEAPP w=1", w + " WM_NCACTIVATE w=1", w + " WM_ACTIVATE w=1",
          w + " WM_SETFOCUS default w=0"};
}

Sequence pieces::LastDeactivation(const std::string& w) {
  return {w + " WM_NCACTIVATE w=0", w + " WM_ACTIVATE w=0", w + " WM_ACTIVATEAPP w=0",
          w + " WM_KILLFOCUS w=0"};
}

Sequence pieces::Activation(const std::string& from, const std::string& to) {
  return {to + " WM_WINDOWPOSCHANGING",
          to + " WM_WINDOWPOSCHANGED",
          from + " WM_NCACTIVATE w=0",
          from + " WM_ACTIVATE w=0",
          to + " WM_NCACTIVATE w=1",
          to + " WM_ACTIVATE w=1",
          from + " WM_KILLFOCUS default w=" + to,
          to + " WM_SETFOCUS default w=" + from};
}

namespace {

const std::map<UINT, const char*>& Names() {
  static const std::map<UINT, const char*> kNames = {
      {WM_CREATE, "WM_CREATE"},
      {WM_DESTROY, "WM_DESTROY"},
      {WM_MOVE, "WM_MOVE"},
      {WM_SIZE, "WM_SIZE"},
      {WM_ACTIVATE, "WM_ACTIVATE"},
      {WM_SETFOCUS, "WM_SETFOCUS"},
      {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_ENABLE, "WM_ENABLE"},
      {WM_SETTEXT, "WM_SETTEXT"},
      {WM_GETTEXT, "WM_GETTEXT"},
      {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
      {WM_PAINT, "WM_PAINT"},
      {WM_CLOSE, "WM_CLOSE"},
      {WM_ERASEBKGND, "WM_ERASEBKGND"},
      {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
      {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
      {WM_CANCELMODE, "WM_CANCELMODE"},
      {WM_SETCURSOR, "WM_SETCURSOR"},
      {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
      {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
      {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
      {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
      {WM_NCCREATE, "WM_NCCREATE"},
      {WM_NCDESTROY, "WM_NCDESTROY"},
      {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
      {WM_NCHITTEST, "WM_NCHITTEST"},
      {WM_NCPAINT, "WM_NCPAINT"},
      {WM_NCACTIVATE, "WM_NCACTIVATE"},
      {WM_KEYDOWN, "WM_KEYDOWN"},
      {WM_KEYUP, "WM_KEYUP"},
      {WM_CHAR, "WM_CHAR"},
      {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
      {WM_SYSKEYUP, "WM_SYSKEYUP"},
      {WM_COMMAND, "WM_COMMAND"},
      {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
      {WM_TIMER, "WM_TIMER"},
      {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
      {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_LBUTTONUP, "WM_LBUTTONUP"},
      {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
      {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
      {WM_RBUTTONUP, "WM_RBUTTONUP"},
      {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
      {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
      {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
      {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
      {WM_GETDLGCODE, "WM_GETDLGCODE"},
      {0x007C, "WM_STYLECHANGING"},
      {0x007D, "WM_STYLECHANGED"},
  };
  return kNames;
}

struct Expected {
  std::string window;
  UINT message = 0;
  platform::Delivery how = platform::Delivery::kSent;
  bool has_wparam = false;
  WPARAM wparam = 0;
  bool has_lparam = false;
  std::uint32_t lparam = 0;
  bool optional = false;
};

UINT MessageNumber(const std::string& name) {
  for (const auto& [number, text] : Names()) {
    if (name == text) return number;
  }
  if (name.rfind("0x", 0) == 0) return static_cast<UINT>(std::stoul(name, nullptr, 16));
  throw std::invalid_argument("unknown message name in an expected sequence: " + name);
}

Expected Parse(const std::string& line, const WindowNames& names) {
  std::istringstream words(line);
  Expected e;
  std::string message;
  words >> e.window >> message;
  e.message = MessageNumber(message);
  for (std::string word; words >> word;) {
    if (word == "posted") {
      e.how = platform::Delivery::kPosted;
    } else if (word == "default") {
      e.how = platform::Delivery::kSentByDefault;
    } else if (word == "?") {
      e.optional = true;
    } else if (word.rfind("l=", 0) == 0) {
      e.has_lparam = true;
      e.lparam = static_cast<std::uint32_t>(std::stoll(word.substr(2), nullptr, 0));
    } else if (word.rfind("w=", 0) == 0) {
      e.has_wparam = true;
      const std::string value = word.substr(2);
      const auto named = std::find_if(names.begin(), names.end(),
                                      [&](const auto& entry) { return entry.second == value; });
      e.wparam = named != names.end() ? reinterpret_cast<WPARAM>(named->first)
                                      : static_cast<WPARAM>(std::stoll(value, nullptr, 0));
    } else {
      throw std::invalid_argument("unknown word in an expected sequence: " + line);
    }
  }
  return e;
}

bool Matches(const Expected& e, const RecordedMessage& r) {
  return e.window == r.window && e.message == r.message && e.how == r.how &&
         (!e.has_wparam || e.wparam == r.wparam) &&
         (!e.has_lparam || e.lparam == static_cast<std::uint32_t>(r.lparam));
}

// The actual message in the table's words, its parameters shown where the
// expected entry beside it names them.
std::string Describe(const RecordedMessage& r, const Expected& e, const WindowNames& names) {
  std::string text = r.window + " " + MessageLog::MessageName(r.message);
  if (r.how == platform::Delivery::kPosted) text += " posted";
  if (r.how == platform::Delivery::kSentByDefault) text += " default";
  const auto number = [&text](const char* word, std::uint64_t value) {
    char digits[32];
    std::snprintf(digits, sizeof digits, " %s=0x%llX", word,
                  static_cast<unsigned long long>(value));
    text += digits;
  };
  const auto named = names.find(reinterpret_cast<HWND>(r.wparam));
  if (e.has_wparam && r.wparam != 0 && named != names.end()) {
    text += " w=" + named->second;
  } else if (e.has_wparam) {
    number("w", r.wparam);
  }
  if (e.has_lparam) number("l", static_cast<std::uint32_t>(r.lparam));
  return text;
}

}  // namespace

std::string MessageLog::MessageName(UINT message) {
  const auto it = Names().find(message);
  if (it != Names().end()) return it->second;
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", message);
  return text;
}

testing::AssertionResult SameSequence(const Sequence& expected,
                                      const std::vector<RecordedMessage>& actual,
                                      const WindowNames& names) {
  struct Row {
    std::string want, got;
    bool ok;
  };
  // An expected entry beside the message it matched, beside none when an
  // optional one was missing; after the first mismatch, the rest side by side.
  std::vector<Row> rows;
  std::size_t a = 0;
  bool same = true;
  for (const std::string& line : expected) {
    const Expected e = Parse(line, names);
    if (!same) {
      rows.push_back({line, a < actual.size() ? Describe(actual[a++], e, names) : "", true});
    } else if (a < actual.size() && Matches(e, actual[a])) {
      rows.push_back({line, Describe(actual[a++], e, names), true});
    } else if (e.optional) {
      rows.push_back({line, "", true});
    } else {
      same = false;
      rows.push_back({line, a < actual.size() ? Describe(actual[a++], e, names) : "", false});
    }
  }
  if (same && a == actual.size()) return testing::AssertionSuccess();
  for (bool first = same; a < actual.size(); ++a, first = false) {
    rows.push_back({"", Describe(actual[a], Expected{}, names), !first});
  }
  std::ostringstream out;
  out << "\n" << std::string(40, ' ') << "expected | actual\n";
  for (const Row& row : rows) {
    out << (row.ok ? "  " : "> ")
        << std::string(38 - std::min<std::size_t>(38, row.want.size()), ' ') << row.want << " | "
        << row.got << "\n";
  }
  return testing::AssertionFailure() << out.str();
}
