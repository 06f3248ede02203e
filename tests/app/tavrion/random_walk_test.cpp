// A seeded random walk over the main form's fields as a person would make
// it: typing digits, signs and hexadecimal prefixes, deleting, replacing,
// dragging track bars and clicking the up-down. After every step the chain of
// handlers has ended, and the working file holds the train of the fields as
// shown, or the last accepted train when the fields are refused.
#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <utility>

#include "framework/rtl/intconv.h"
#include "framework/rtl/scope_exit.h"
#include "platform/commctrl.h"
#include "stimulus/wave_writer.h"
#include "tests/app/tavrion/main_form_fixture.h"
#include "tests/support/fw_objects.h"

namespace {

// Stands in front of the change handlers of the form's fields and counts
// their runs (the recalculations) and how deeply they nest.
class TRecalculations : public TObject {
 public:
  void Watch(TForm1& form) {
    for (int i = 0; i < form.ComponentCount(); ++i) {
      auto* edit = dynamic_cast<TEdit*>(form.Components(i));
      if (edit == nullptr || !edit->OnChange.Assigned()) continue;
      handlers_[edit] = edit->OnChange;
      edit->OnChange = MethodOf<&TRecalculations::Changed>(this);
    }
  }
  int runs = 0;
  int deepest = 0;

 private:
  void Changed(TObject* sender) {
    ++runs;
    deepest = std::max(deepest, ++depth_);
    const ScopeExit leave([this] { --depth_; });
    handlers_.at(sender)(sender);
  }

  std::map<TObject*, TNotifyEvent> handlers_;
  int depth_ = 0;
};

// The train the fields stand for, or nothing when they are refused. The
// delay has no change handler: the recalculation read it as it was then.
std::optional<std::vector<unsigned char>> TrainOfFields(TForm1& form, const std::string& delay) {
  stimulus::StimulusParams p = stimulus::ReadParams(
      {form.Edit1->GetText(), form.Edit5->GetText(), delay, form.Edit2->GetText(),
       form.Edit3->GetText(), form.Edit9->GetText(), form.Edit12->GetText()});
  if (!stimulus::PassesGate(p) || stimulus::DeriveAndCheck(p)) return std::nullopt;
  if (!stimulus::WriteWaveFile(p, "expected.wav", [](int) {}).ok) return std::nullopt;
  return ReadBytes("expected.wav");
}

// Every keystroke and mouse move is followed by `settled`, which checks the
// file once the handlers it ran have ended.
class Walker {
 public:
  Walker(unsigned seed, std::function<void()> settled)
      : random_(seed), settled_(std::move(settled)) {}

  void Step(TForm1& form) {
    TEdit* const edits[] = {form.Edit1, form.Edit2,  form.Edit3, form.Edit5,
                            form.Edit9, form.Edit12, form.Edit10};
    TTrackBar* const bars[] = {form.TrackBar1, form.TrackBar2, form.TrackBar3,
                               form.TrackBar4, form.TrackBar5, form.TrackBar6};
    static const char* const kTexts[] = {"-", "+", "0x", "$", " ", "00", "-0", "1e3"};
    switch (Pick(7)) {
      case 0:
      case 1:
        Type(edits[Pick(7)], std::string(1, static_cast<char>('0' + Pick(10))));
        break;
      case 2:
        Type(edits[Pick(7)], "", false, true);
        break;
      case 3:
        Type(edits[Pick(7)], kTexts[Pick(8)] + IntToStr(Pick(2000)), true);
        break;
      case 4:
        Type(edits[Pick(7)], IntToStr(static_cast<int>(Pick(60000)) - 30000), true);
        break;
      case 5:
        Drag(bars[Pick(6)], static_cast<int>(Pick(81)) - 40);
        break;
      default:
        ClickUpDown(form.UpDown1, Pick(2) == 0);
        break;
    }
  }

 private:
  unsigned Pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(random_); }

  void Settle() {
    PumpMessages();
    settled_();
  }

  // Types into the edit at its end, after a backspace when asked, or over
  // all its text.
  void Type(TEdit* edit, const std::string& text, bool replace = false, bool backspace = false) {
    edit->SetFocus();
    const auto end = static_cast<LPARAM>(edit->GetText().size());
    SendMessageA(edit->Handle(), EM_SETSEL, replace ? 0 : end, replace ? -1 : end);
    if (backspace) {
      host::Headless().KeyDown(VK_BACK);
      host::Headless().KeyUp(VK_BACK);
      Settle();
    }
    for (char c : text) {
      host::Headless().Type(std::string(1, c));
      Settle();
    }
  }

  void Drag(TTrackBar* bar, int dx) {
    POINT at = ThumbCentre(bar->Handle());
    ClientToScreen(bar->Handle(), &at);
    host::Headless().MoveMouse(at.x, at.y);
    host::Headless().Press();
    Settle();
    for (const LONG x : {at.x + dx / 2, at.x + dx}) {
      host::Headless().MoveMouse(x, at.y);
      Settle();
    }
    host::Headless().Release();
    Settle();
  }

  void ClickUpDown(TUpDown* updown, bool up) {
    POINT at{up ? updown->Width() * 3 / 4 : updown->Width() / 4, updown->Height() / 2};
    ClientToScreen(updown->Handle(), &at);
    host::Headless().Click(at.x, at.y);
    Settle();
  }

  std::mt19937 random_;
  std::function<void()> settled_;
};

TEST_F(MainFormTest, ARandomWalkKeepsTheFileInStepWithTheFields) {
  std::vector<unsigned char> accepted = WorkingFile();
  int step = 0;
  int mismatches = 0;
  const Owned<TRecalculations> watched = Make<TRecalculations>();
  watched->Watch(*Form1);
  int recalculations = 0;
  std::string delay = Form1->Edit10->GetText();
  Walker walker(20261206, [&] {
    if (watched->runs == recalculations) {
      EXPECT_EQ(WorkingFile(), accepted);
      return;
    }
    recalculations = watched->runs;
    delay = Form1->Edit10->GetText();
    if (const auto train = TrainOfFields(*Form1, delay)) accepted = *train;
    if (WorkingFile() != accepted && ++mismatches <= 3) {
      ADD_FAILURE() << "step " << step << ": " << Form1->Edit1->GetText() << " "
                    << Form1->Edit2->GetText() << " " << Form1->Edit3->GetText() << " "
                    << Form1->Edit5->GetText() << " " << Form1->Edit9->GetText() << " "
                    << Form1->Edit12->GetText() << " delay " << delay;
    }
  });
  for (; step < 1000 && mismatches == 0; ++step) {
    walker.Step(*Form1);
    // Long trains make the walk slow without making it better.
    if (accepted.size() > 200'000) {
      ClickOn(Form1->Button3);
      accepted = WorkingFile();
    }
  }
  // The outer run and at most six nested ones, one for each track bar.
  EXPECT_LE(watched->deepest, 7);
  EXPECT_GE(watched->deepest, 2);
}

}  // namespace
