#include "tests/support/message_log.h"

#include "tests/support/expected_message.h"
#include "tests/support/message_names.h"
#include "tests/support/side_by_side.h"

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

std::string HowWord(platform::Delivery how) {
  switch (how) {
    case platform::Delivery::kPosted:
      return "posted";
    case platform::Delivery::kSentByDefault:
      return "default";
    case platform::Delivery::kSent:
      break;
  }
  return "";
}

}  // namespace

std::string MessageLog::MessageName(UINT message) {
  return ::MessageName(message);
}

testing::AssertionResult SameSequence(const Sequence& expected,
                                      const std::vector<RecordedMessage>& actual,
                                      const WindowNames& names) {
  const auto handle = [&](const std::string& name) -> HWND {
    for (const auto& [window, text] : names) {
      if (text == name) return window;
    }
    return nullptr;
  };
  const auto name = [&](HWND window) {
    const auto it = names.find(window);
    return it != names.end() ? it->second : std::string();
  };
  std::vector<ExpectedMessage> parsed;
  for (const std::string& line : expected) {
    parsed.push_back(ParseExpectedMessage(line, handle, {"posted", "default"}));
  }
  return CompareTable(
      expected, parsed, actual,
      [](const ExpectedMessage& e, const RecordedMessage& r) {
        return e.Matches(r.window, r.message, HowWord(r.how), r.wparam, r.lparam);
      },
      [&](const RecordedMessage& r, const ExpectedMessage& e) {
        return DescribeMessage(r.window, r.message, HowWord(r.how), r.wparam, r.lparam, e, name);
      });
}
