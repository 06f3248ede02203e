// The real main form on the headless host, started as the program starts it,
// in a folder of its own, with what a person does to it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/tavrion/main_form.h"
#include "platform/headless.h"
#include "tests/app/tavrion/program.h"
#include "tests/support/temp_dir.h"

class MainFormTest : public ::testing::Test {
 public:
  // How many trains the program wrote in full since it started.
  static int TrainsWritten() { return trains_->Count(); }

 protected:
  void SetUp() override {
    dir_.emplace();
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_->path());
    host::Headless().Reset();
    trains_.emplace();
    // Every message box the form shows is noted and closed with Enter.
    host::Headless().SetIdleHandler([this] {
      if (Form1 != nullptr && Form1->StimulationPending() && during_wait && during_wait()) {
        return true;
      }
      if (Form1 == nullptr || GetActiveWindow() == Form1->Handle() ||
          GetActiveWindow() == nullptr) {
        return false;
      }
      messages.push_back(DialogText());
      host::Headless().KeyDown(VK_RETURN);
      host::Headless().KeyUp(VK_RETURN);
      return true;
    });
    StartProgram();
  }
  void TearDown() override {
    host::Headless().SetIdleHandler({});
    trains_.reset();
    StopProgram();
    std::filesystem::current_path(previous_);
    dir_.reset();
  }
  // The program anew in a new folder, for the next case of a table.
  void Restart() {
    TearDown();
    SetUp();
  }

  // The text of the message dialog that is active now.
  static std::string DialogText() {
    auto* form = dynamic_cast<TCustomForm*>(FindControl(GetActiveWindow()));
    auto* label = form != nullptr ? dynamic_cast<TLabel*>(form->FindComponent("Message")) : nullptr;
    return label != nullptr ? label->Caption() : "?";
  }

  // Replaces an edit's text as a person does: click into it, select all,
  // type.
  static void Retype(TEdit* edit, const std::string& text) {
    edit->SetFocus();
    SendMessageA(edit->Handle(), EM_SETSEL, 0, -1);
    host::Headless().Type(text);
    PumpMessages();
  }

  static void Press(UINT key) {
    host::Headless().KeyDown(key);
    host::Headless().KeyUp(key);
    PumpMessages();
  }
  // Types a new working-file name and confirms it with Enter.
  static void Confirm(const std::string& name) {
    Retype(Form1->Edit4, name);
    Press(VK_RETURN);
  }

  static POINT CentreOf(TWinControl* control) {
    POINT p{control->Width() / 2, control->Height() / 2};
    ClientToScreen(control->Handle(), &p);
    return p;
  }
  static void ClickOn(TWinControl* control) {
    const POINT p = CentreOf(control);
    host::Headless().Click(p.x, p.y);
    PumpMessages();
  }

  static std::vector<unsigned char> WorkingFile() { return ReadBytes("tavrion.wav"); }

  std::vector<std::string> messages;
  // Asked whenever the program would wait while a stimulation is pending;
  // true when it did something.
  std::function<bool()> during_wait;

 private:
  static inline std::optional<TrainCounter> trains_;
  std::optional<TempDir> dir_;
  std::filesystem::path previous_;
};
