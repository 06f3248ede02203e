// The up-down on the headless host: the associate rules and their errors,
// the designed geometry beside the edit once the buttons are attached, the
// position and its changing events, a person's click, and the main form's
// up-down, track bar and progress bar read from a definition.
//
// Test ideas: an associate taken by a neighbour; buttons on either side,
// attached before and after the windows exist; a position beyond the range
// in either direction; a click refused by OnChanging.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_compiler.h"
#include "framework/comctrls/progress_bar.h"
#include "framework/comctrls/trackbar.h"
#include "framework/comctrls/updown.h"
#include "framework/rtl/exceptions.h"
#include "framework/streaming/form_loading.h"
#include "framework/streaming/streams.h"
#include "platform/commctrl.h"
#include "platform/headless.h"
#include "tests/support/class_infos.h"
#include "tests/support/control_sheet.h"

namespace {

// A windowed edit of the system class; its class name is the one the
// up-down writes the position into.
class TCustomEdit : public TWinControl {
  TAVRION_CLASS(TCustomEdit, TWinControl)

 public:
  explicit TCustomEdit(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 97, 21); }

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
  }
};

TAVRION_CLASS_INFO(TCustomEdit, "Tests") {
  PublishWinControlProperties(c);
  c.Property<&TControl::GetText, &TControl::SetText>("Text");
}

// An edit kept away from up-downs by its class name.
class TDBEdit : public TCustomEdit {
  TAVRION_CLASS(TDBEdit, TCustomEdit)

 public:
  using TCustomEdit::TCustomEdit;
};

TAVRION_CLASS_INFO(TDBEdit, "Tests") {}

// What the changing and click events saw.
struct EventLog : TObject {
  void Changing(TObject*, bool& allow) {
    calls.push_back("changing");
    if (refuse) allow = false;
  }
  void ChangingEx(TObject*, bool& allow, std::int16_t new_value, TUpDownDirection direction) {
    calls.push_back("ex " + std::to_string(new_value) + " " + std::to_string(direction) +
                    (allow ? "" : " refused"));
  }
  void Click(TObject*, TUDBtnType button) { calls.push_back("click " + std::to_string(button)); }
  void Listen(TUpDown* updown) {
    updown->OnChanging = MethodOf<&EventLog::Changing>(this);
    updown->OnChangingEx = MethodOf<&EventLog::ChangingEx>(this);
    updown->OnClick = MethodOf<&EventLog::Click>(this);
  }
  bool refuse = false;
  std::vector<std::string> calls;
};

class UpDowns : public testing::Test {
 protected:
  UpDowns() { host::Headless().Reset(); }
  ~UpDowns() override { FreeShownSheet(sheet_); }

  template <typename T>
  T* Add(const std::string& name, TWinControl* parent, RECT bounds) {
    auto* control = Construct<T>(sheet_);
    control->SetName(name);
    control->SetBounds(bounds.left, bounds.top, bounds.right, bounds.bottom);
    control->SetParent(parent);
    return control;
  }

  TSheet* sheet_ = MakeShownSheet(500, 200);
  EventLog log_;
};

TEST_F(UpDowns, AnAssociateTakenOrUnsuitableIsRefused) {
  auto* edit1 = Add<TCustomEdit>("Edit1", sheet_, {10, 10, 97, 21});
  auto* edit2 = Add<TCustomEdit>("Edit2", sheet_, {10, 40, 97, 21});
  auto* updown1 = Add<TUpDown>("UpDown1", sheet_, {107, 10, 17, 21});
  auto* updown2 = Add<TUpDown>("UpDown2", sheet_, {107, 40, 17, 21});
  updown1->SetAssociate(edit1);
  updown2->SetAssociate(edit2);
  try {
    updown2->SetAssociate(edit1);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Edit1 is already associated with UpDown1");
  }
  EXPECT_EQ(updown2->Associate(), edit2);

  auto* elsewhere = Construct<TSheet>(sheet_);
  elsewhere->SetParent(sheet_);
  const std::vector<std::pair<std::string, TWinControl*>> unsuitable = {
      {"an edit of another parent", Add<TCustomEdit>("Far", elsewhere, {0, 0, 50, 21})},
      {"another up-down", updown1},
      {"an excluded class", Add<TDBEdit>("Data", sheet_, {10, 70, 97, 21})},
  };
  for (const auto& [name, candidate] : unsuitable) {
    SCOPED_TRACE(name);
    updown2->SetAssociate(candidate);
    EXPECT_EQ(updown2->Associate(), nullptr);
    updown2->SetAssociate(edit2);
  }

  edit1->Free();
  EXPECT_EQ(updown1->Associate(), nullptr);
}

struct GeometryCase {
  std::string name;
  TUDAlignButton align;
  bool windows_first;  // attached by the setter to existing windows
};

TEST_F(UpDowns, TheEditKeepsItsDesignedBoundsWithTheButtonsBesideIt) {
  const RECT designed{100, 20, 97, 21};
  const std::vector<GeometryCase> cases = {
      {"right, made with the window", udRight, false},
      {"left, made with the window", udLeft, false},
      {"right, attached to windows", udRight, true},
      {"left, attached to windows", udLeft, true},
  };
  for (const GeometryCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto* box = Construct<TSheet>(sheet_);
    box->SetBounds(0, 0, 400, 100);
    if (c.windows_first) box->SetParent(sheet_);
    auto* edit = Add<TCustomEdit>("", box, designed);
    auto* updown = Add<TUpDown>("", box, {197, 20, 41, 21});
    updown->SetAlignButton(c.align);
    updown->SetAssociate(edit);
    if (!c.windows_first) box->SetParent(sheet_);
    ASSERT_TRUE(updown->HandleAllocated());
    EXPECT_EQ(edit->Left(), designed.left);
    EXPECT_EQ(edit->Width(), designed.right);
    EXPECT_EQ(updown->Width(), 41);
    EXPECT_EQ(updown->Top(), edit->Top());
    if (c.align == udRight) {
      EXPECT_EQ(updown->Left(), edit->Left() + edit->Width());
    } else {
      EXPECT_EQ(updown->Left() + updown->Width(), edit->Left());
    }
    box->Free();
  }
}

struct PositionCase {
  std::string name;
  std::int16_t from, to;
  bool refuse;
  std::int16_t position;
  std::vector<std::string> calls;  // direction: 0 none, 1 up, 2 down
};

TEST_F(UpDowns, PositionAsksTheChangingEventsFirst) {
  const std::vector<PositionCase> cases = {
      {"up within the range", 0, 30, false, 30, {"changing", "ex 30 1"}},
      {"down within the range", 30, 10, false, 10, {"changing", "ex 10 2"}},
      {"beyond Max going up has no direction", 0, 70, false, 70, {"changing", "ex 70 0"}},
      {"beyond Min going down has no direction", 0, -5, false, -5, {"changing", "ex -5 0"}},
      {"a step is measured from the clamped position", 70, 65, false, 65, {"changing", "ex 65 0"}},
      {"refused by OnChanging", 10, 20, true, 10, {"changing", "ex 20 1 refused"}},
      {"the same position asks nobody", 10, 10, false, 10, {}},
  };
  for (const PositionCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto* updown = Add<TUpDown>("", sheet_, {10, 10, 17, 21});
    updown->SetMax(60);
    updown->SetPosition(c.from);
    log_.Listen(updown);
    log_.refuse = c.refuse;
    log_.calls.clear();
    updown->SetPosition(c.to);
    EXPECT_EQ(log_.calls, c.calls);
    EXPECT_EQ(updown->Position(), std::clamp<std::int16_t>(c.position, 0, 60));
    updown->Free();
  }
}

TEST_F(UpDowns, AClickOnAnArrowStepsThroughTheChangingEvents) {
  auto* edit = Add<TCustomEdit>("", sheet_, {10, 10, 97, 21});
  auto* updown = Add<TUpDown>("", sheet_, {107, 10, 17, 30});
  updown->SetThousands(false);
  updown->SetMax(2000);
  updown->SetPosition(1234);
  updown->SetAssociate(edit);
  EXPECT_EQ(edit->GetText(), "1234");
  log_.Listen(updown);
  auto click_up = [&] {
    MoveMouseTo(updown->Handle(), updown->Width() / 2, updown->Height() / 4);
    host::Headless().Press();
    PumpMessages();
    host::Headless().Release();
    PumpMessages();
  };
  click_up();
  EXPECT_EQ(log_.calls, (std::vector<std::string>{"changing", "ex 1235 1", "click 0"}));
  EXPECT_EQ(updown->Position(), 1235);
  EXPECT_EQ(edit->GetText(), "1235");
  EXPECT_EQ(GetCapture(), nullptr);
  log_.calls.clear();
  log_.refuse = true;
  click_up();
  EXPECT_EQ(log_.calls, (std::vector<std::string>{"changing", "ex 1236 1 refused"}));
  EXPECT_EQ(updown->Position(), 1235);
  EXPECT_EQ(edit->GetText(), "1235");
}

// The root of the definition below: the main form's delay edit with its
// up-down, a track bar and the progress bar.
class TPartForm : public TWinControl {
  TAVRION_CLASS(TPartForm, TWinControl)

 public:
  explicit TPartForm(TComponent* owner) : TWinControl(owner) {
    control_style_ |= csAcceptsControls;
  }
  void TrackBar6Change(TObject*) { ++changes; }
  TCustomEdit* Edit10 = nullptr;
  TUpDown* UpDown1 = nullptr;
  TTrackBar* TrackBar6 = nullptr;
  TProgressBar* ProgressBar1 = nullptr;
  int changes = 0;
};

TAVRION_CLASS_INFO(TPartForm, "Tests") {
  c.Method<&TPartForm::TrackBar6Change>("TrackBar6Change");
  c.Field<&TPartForm::Edit10>("Edit10");
  c.Field<&TPartForm::UpDown1>("UpDown1");
  c.Field<&TPartForm::TrackBar6>("TrackBar6");
  c.Field<&TPartForm::ProgressBar1>("ProgressBar1");
}

constexpr const char* kPartForm = R"(
component TPartForm Form1 {
  Left = 0
  Top = 0
  Width = 488
  Height = 356
  component TCustomEdit Edit10 {
    Left = 168
    Top = 112
    Width = 97
    Height = 21
    TabOrder = 0
    Text = "0"
  }
  component TUpDown UpDown1 {
    Left = 265
    Top = 112
    Width = 41
    Height = 21
    Associate = Edit10
    Min = 0
    Max = 60
    Orientation = udHorizontal
    Position = 0
    TabOrder = 1
    Thousands = false
    Wrap = false
  }
  component TProgressBar ProgressBar1 {
    Left = 336
    Top = 328
    Width = 97
    Height = 22
    Min = 0
    Max = 100
    TabOrder = 2
  }
  component TTrackBar TrackBar6 {
    Left = 217
    Top = 87
    Width = 97
    Height = 24
    Max = 44100
    Min = 4100
    Orientation = trHorizontal
    Frequency = 4000
    Position = 44100
    SelEnd = 0
    SelStart = 0
    TabOrder = 3
    TickMarks = tmBottomRight
    TickStyle = tsAuto
    OnChange = TrackBar6Change
  }
}
)";

TEST_F(UpDowns, TheMainFormsCommonControlsReadAndShowAsDesigned) {
  auto* form = Construct<TPartForm>(nullptr);
  TMemoryStream stream(formconv::CompileForm(kPartForm));
  ReadComponent(stream, form);
  EXPECT_EQ(form->changes, 0);
  ASSERT_NE(form->UpDown1, nullptr);
  EXPECT_EQ(form->UpDown1->Associate(), form->Edit10);
  EXPECT_EQ(form->TrackBar6->Position(), 44100);
  EXPECT_EQ(form->TrackBar6->Min(), 4100);

  form->SetParent(sheet_);
  ASSERT_TRUE(form->UpDown1->HandleAllocated());
  const RECT edit = form->Edit10->BoundsRect();
  const RECT updown = form->UpDown1->BoundsRect();
  EXPECT_EQ(edit.left, 168);
  EXPECT_EQ(edit.right, 265);
  EXPECT_EQ(updown.left, 265);
  EXPECT_EQ(updown.right, 306);
  EXPECT_EQ(updown.bottom - updown.top, 21);
  EXPECT_EQ(form->Edit10->GetText(), "0");
  EXPECT_EQ(SendMessageA(form->UpDown1->Handle(), UDM_GETRANGE, 0, 0), MAKELPARAM(60, 0));
  EXPECT_EQ(SendMessageA(form->TrackBar6->Handle(), TBM_GETPOS, 0, 0), 44100);
  EXPECT_EQ(SendMessageA(form->ProgressBar1->Handle(), PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(form->changes, 0);
  form->Free();
}

TEST(ComCtrlsClassInfo, EveryClassInfoBuilds) {
  ExpectEveryClassInfoBuilds();
}

}  // namespace
