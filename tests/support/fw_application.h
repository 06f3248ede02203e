// Tests of the application on the headless host: each starts from a reset
// host with a new application and ends it, idle handler and all.
#pragma once

#include <functional>
#include <utility>

#include <gtest/gtest.h>

#include "framework/controls/application.h"
#include "platform/headless.h"
#include "tests/support/control_sheet.h"

class ApplicationTest : public testing::Test {
 protected:
  ApplicationTest() { StartOnResetHost(); }
  ~ApplicationTest() override { Stop(); }
  static void StartOnResetHost() {
    host::Headless().Reset();
    StartApplication();
  }
  static void Stop() {
    host::Headless().SetIdleHandler({});
    StopApplication();
  }
};

// A new form of the application, shown, with every waiting message handled.
template <typename T = TForm>
T* ShowNewForm() {
  T* form = nullptr;
  Application->CreateForm(form);
  form->SetVisible(true);
  PumpMessages();
  return form;
}

// Runs `act` once, the first time the program waits with `ready` true: from
// inside the loop of a box or a modal form.
inline void OnceIdle(std::function<bool()> ready, std::function<void()> act) {
  host::Headless().SetIdleHandler([ready, act, done = false]() mutable {
    if (done || !ready()) return false;
    done = true;
    act();
    return true;
  });
}

// Puts `act` in front of a control's window procedure while it lives; `act`
// answers whether it took the message.
class MessageTap : public TObject {
 public:
  MessageTap(TControl* control, std::function<bool(TMessage&)> act)
      : control_(control), act_(std::move(act)), next_(control->WindowProc) {
    control->WindowProc = MethodOf<&MessageTap::WndProc>(this);
  }
  ~MessageTap() override { control_->WindowProc = next_; }
  MessageTap(const MessageTap&) = delete;
  MessageTap& operator=(const MessageTap&) = delete;

 private:
  void WndProc(TMessage& message) {
    if (!act_(message)) next_(message);
  }

  TControl* control_;
  std::function<bool(TMessage&)> act_;
  TWndMethod next_;
};
