// The program started as its entry point starts it, with the first showing
// of the main form handled instead of the whole message loop; for the tests
// and benchmarks on the headless host.
#pragma once

#include "app/tavrion/main_form.h"
#include "platform/commctrl.h"
#include "platform/spy.h"
#include "tests/support/control_sheet.h"

inline void StartProgram() {
  StartApplication();
  Application->Initialize();
  Application->SetTitle("Tavrion");
  Application->CreateForm(Form1);
  Form1->Show();
  PumpMessages();
}

// Counts, while it lives, the trains the program writes in full: each takes
// the progress bar to its end.
class TrainCounter {
 public:
  TrainCounter() {
    platform::SetMessageSpy([this](HWND window, UINT message, WPARAM wparam, LPARAM, auto) {
      if (message == PBM_SETPOS && wparam == 100 &&
          dynamic_cast<TProgressBar*>(FindControl(window)) != nullptr) {
        ++count_;
      }
    });
  }
  ~TrainCounter() { platform::SetMessageSpy({}); }
  TrainCounter(const TrainCounter&) = delete;
  TrainCounter& operator=(const TrainCounter&) = delete;
  int Count() const { return count_; }

 private:
  int count_ = 0;
};

inline void StopProgram() {
  StopApplication();
  Form1 = nullptr;
}
