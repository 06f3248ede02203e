// Records the messages windows receive, as "Name WM_X" lines, for tests that
// compare sequences against an expected table. A mismatch prints both
// sequences side by side.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <platform/spy.h>
#include <platform/windows.h>

class MessageLog {
 public:
  MessageLog() {
    platform::SetMessageSpy([this](HWND window, UINT message, WPARAM, LPARAM) {
      auto name = names_.find(window);
      if (name == names_.end() && !next_name_.empty()) {
        name = names_.emplace(window, next_name_).first;
        next_name_.clear();
      }
      if (!recording_ || name == names_.end()) return;
      lines_.push_back(name->second + " " + MessageName(message));
    });
  }
  ~MessageLog() { platform::SetMessageSpy({}); }
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  // Only named windows are recorded.
  void Name(HWND window, const std::string& name) { names_[window] = name; }
  // Names the next window not yet named that receives a message: a window
  // being created, before CreateWindowExA returns its handle.
  void NameNext(const std::string& name) { next_name_ = name; }
  void Start() {
    lines_.clear();
    recording_ = true;
  }
  std::vector<std::string> Take() {
    recording_ = false;
    return std::move(lines_);
  }

  static std::string MessageName(UINT message);

 private:
  std::map<HWND, std::string> names_;
  std::vector<std::string> lines_;
  std::string next_name_;
  bool recording_ = false;
};

// Side by side: expected | actual, with the first difference marked.
testing::AssertionResult SameSequence(const std::vector<std::string>& expected,
                                      const std::vector<std::string>& actual);
