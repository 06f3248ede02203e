// The program started as its entry point starts it, with the first showing
// of the main form handled instead of the whole message loop; for the tests
// and benchmarks on the headless host.
#pragma once

#include "app/tavrion/main_form.h"
#include "tests/support/control_sheet.h"

inline void StartProgram() {
  StartApplication();
  Application->Initialize();
  Application->SetTitle("Tavrion");
  Application->CreateForm(Form1);
  Form1->Show();
  PumpMessages();
}

inline void StopProgram() {
  StopApplication();
  Form1 = nullptr;
}
