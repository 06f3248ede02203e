// The real main form on the headless host, started as the program starts it,
// in a folder of its own, with what a person does to it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/tavrion/main_form.h"
#include "framework/dialogs/dialogs.h"
#include "platform/headless.h"
#include "tests/app/tavrion/program.h"
#include "tests/support/control_sheet.h"

inline host::HeadlessHost& Host() {
  return host::Headless();
}

// The file's bytes; none when it does not exist.
inline std::vector<char> ReadFile(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return {};
  std::vector<char> bytes(static_cast<std::size_t>(size));
  std::ifstream(path, std::ios::binary)
      .read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("tavrion-form-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    Host().Reset();
    // Every message box the form shows is noted and closed with Enter.
    Host().SetIdleHandler([this] {
      if (Form1 != nullptr && Form1->StimulationPending() && during_wait && during_wait()) {
        return true;
      }
      if (Form1 == nullptr || GetActiveWindow() == Form1->Handle() ||
          GetActiveWindow() == nullptr) {
        return false;
      }
      messages.push_back(DialogText());
      Host().KeyDown(VK_RETURN);
      Host().KeyUp(VK_RETURN);
      return true;
    });
    StartProgram();
  }
  void TearDown() override {
    Host().SetIdleHandler({});
    StopProgram();
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
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
    Host().Type(text);
    PumpMessages();
  }

  static POINT CentreOf(TWinControl* control) {
    POINT p{control->Width() / 2, control->Height() / 2};
    ClientToScreen(control->Handle(), &p);
    return p;
  }
  static void ClickOn(TWinControl* control) {
    const POINT p = CentreOf(control);
    Host().Click(p.x, p.y);
    PumpMessages();
  }

  std::vector<char> WorkingFile() const { return ReadFile(folder_ / "tavrion.wav"); }
  // Where the test was started: pictures for people to look at go there.
  const std::filesystem::path& StartFolder() const { return previous_; }

  std::vector<std::string> messages;
  // Asked whenever the program would wait while a stimulation is pending;
  // true when it did something.
  std::function<bool()> during_wait;

 private:
  std::filesystem::path folder_;
  std::filesystem::path previous_;
};
