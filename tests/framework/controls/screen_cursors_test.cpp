// The screen's cursor on the headless host: what each setting shows and
// counts, the window under the mouse taking its own cursor back at once,
// controls' own cursors as the mouse moves, the cursor list, and the names
// a definition may use.
#include <gtest/gtest.h>

#include <string>

#include "form_compiler.h"
#include "framework/controls/application.h"
#include "framework/controls/buttons.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/streaming/form_loading.h"
#include "framework/streaming/streams.h"
#include "platform/headless.h"
#include "tests/support/control_sheet.h"

namespace {

constexpr auto Host = host::Headless;

class TCursorForm : public TForm {
  TAVRION_CLASS(TCursorForm, TForm)

 public:
  using TForm::TForm;
  TEdit* Edit1 = nullptr;
  TButton* Button1 = nullptr;
  TLabel* Label1 = nullptr;
};

TAVRION_CLASS_INFO(TCursorForm, "Tests") {
  c.Field<&TCursorForm::Edit1>("Edit1");
  c.Field<&TCursorForm::Button1>("Button1");
  c.Field<&TCursorForm::Label1>("Label1");
}

constexpr std::string_view kDefinition = R"form(
component TCursorForm Form1 {
  Left = 0
  Top = 0
  Width = 300
  Height = 200
  component TEdit Edit1 {
    Left = 10
    Top = 10
    Width = 100
    Height = 21
  }
  component TButton Button1 {
    Left = 10
    Top = 50
    Width = 100
    Height = 25
    Cursor = crHandPoint
  }
  component TLabel Label1 {
    Left = 10
    Top = 100
    Width = 100
    Height = 20
    AutoSize = false
    Cursor = crHourGlass
  }
}
)form";

class ScreenCursors : public testing::Test {
 protected:
  ScreenCursors() {
    Host().Reset();
    StartApplication();
    form_ = Construct<TCursorForm>(Application, CreateNew);
    TMemoryStream stream(formconv::CompileForm(kDefinition));
    ReadComponent(stream, form_);
    form_->SetVisible(true);
    PumpMessages();
  }
  ~ScreenCursors() override {
    Screen->SetCursor(crDefault);
    StopApplication();
  }

  // Moves the mouse to the middle of the control, or for the form to a
  // place where no control is.
  void MoveOver(TControl* control) {
    if (control == form_) return MoveMouseTo(form_->Handle(), 250, 150);
    MoveMouseTo(form_->Handle(), control->Left() + control->Width() / 2,
                control->Top() + control->Height() / 2);
  }

  TCursorForm* form_ = nullptr;
};

// The definition's cursors show in TheMouseShowsTheControlsCursor...
TEST_F(ScreenCursors, CursorNamesAndValuesMapBothWays) {
  const struct {
    const char* name;
    std::int32_t value;
  } names[] = {{"crDefault", 0},   {"crArrow", -2},      {"crCross", -3},      {"crIBeam", -4},
               {"crSizeNESW", -6}, {"crSizeNS", -7},     {"crSizeNWSE", -8},   {"crSizeWE", -9},
               {"crUpArrow", -10}, {"crHourGlass", -11}, {"crDrag", -12},      {"crNoDrop", -13},
               {"crHSplit", -14},  {"crVSplit", -15},    {"crMultiDrag", -16}, {"crSQLWait", -17},
               {"crNo", -18},      {"crAppStart", -19},  {"crHelp", -20},      {"crHandPoint", -21},
               {"crSizeAll", -22}};
  for (const auto& n : names) {
    std::int32_t value = 1;
    std::string name;
    EXPECT_TRUE(IdentToCursor(n.name, value) && value == n.value) << n.name;
    EXPECT_TRUE(CursorToIdent(n.value, name) && name == n.name) << n.value;
  }
  std::string name;
  EXPECT_FALSE(CursorToIdent(crNone, name));
  EXPECT_FALSE(CursorToIdent(crSize, name));
}

TEST_F(ScreenCursors, EachSettingShowsItsCursorOnceAndDefaultGivesTheWindowsOwnBack) {
  MoveOver(form_->Edit1);
  EXPECT_EQ(Host().CursorShape(), 32513);  // the edit's own I-beam
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  const struct {
    TCursor value;
    HCURSOR shown;
    int changes;  // of the cursor on the screen
    int counted;
  } steps[] = {
      {crHourGlass, LoadCursorA(nullptr, IDC_WAIT), 1, 1},
      {crHourGlass, LoadCursorA(nullptr, IDC_WAIT), 0, 1},
      {crNone, nullptr, 1, 1},
      {5, arrow, 1, 1},  // a number without a cursor
      {crHandPoint, Screen->Cursors(crHandPoint), 1, 1},
      {crDefault, LoadCursorA(nullptr, IDC_IBEAM), 1, 0},
      {crDefault, LoadCursorA(nullptr, IDC_IBEAM), 0, 1},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.value);
    const int changes = Host().CursorChanges();
    const int counted = Screen->CursorCount();
    Screen->SetCursor(step.value);
    EXPECT_EQ(Screen->Cursor(), step.value);
    EXPECT_EQ(GetCursor(), step.shown);
    EXPECT_EQ(Host().CursorChanges() - changes, step.changes);
    EXPECT_EQ(Screen->CursorCount() - counted, step.counted);
  }
  EXPECT_TRUE(Host().ShownCursorPicture() == std::nullopt);
}

TEST_F(ScreenCursors, TheMouseShowsTheControlsCursorUnlessTheScreenSetsOne) {
  const struct {
    TControl* over;
    TCursor screen;
    TCursor shown;
  } steps[] = {
      {form_->Button1, crDefault, crHandPoint},
      {form_->Label1, crDefault, crHourGlass},
      {form_, crDefault, crArrow},
      {form_->Edit1, crDefault, crIBeam},
      {form_->Button1, crHourGlass, crHourGlass},
      {form_->Edit1, crHourGlass, crHourGlass},
  };
  MoveOver(form_);
  for (const auto& step : steps) {
    SCOPED_TRACE(step.over->Name() + " " + std::to_string(step.screen));
    Screen->SetCursor(step.screen);
    MoveOver(step.over);
    EXPECT_EQ(GetCursor(), Screen->Cursors(step.shown));
  }
}

TEST_F(ScreenCursors, TheListHoldsTheSystemsAndTheProgramsCursorsAndTakesNewOnes) {
  // The system's by their IDC_ numbers (0: the program's own).
  const struct {
    TCursor n;
    WORD system;
  } rows[] = {{crSizeAll, 32646},  {crHandPoint, 0},  {crHelp, 32651},     {crAppStart, 32650},
              {crNo, 32648},       {crSQLWait, 0},    {crMultiDrag, 0},    {crVSplit, 0},
              {crHSplit, 0},       {crNoDrop, 0},     {crDrag, 0},         {crHourGlass, 32514},
              {crUpArrow, 32516},  {crSizeWE, 32644}, {crSizeNWSE, 32642}, {crSizeNS, 32645},
              {crSizeNESW, 32643}, {crSize, 32646},   {crIBeam, 32513},    {crCross, 32515},
              {crArrow, 32512}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.n);
    const HCURSOR cursor = Screen->Cursors(row.n);
    ASSERT_NE(cursor, nullptr);
    if (row.system != 0) {
      EXPECT_EQ(cursor, LoadCursorA(nullptr, MAKEINTRESOURCEA(row.system)));
    } else {
      SetCursor(cursor);
      EXPECT_TRUE(Host().ShownCursorPicture().has_value());
    }
  }
  EXPECT_EQ(Screen->Cursors(crNone), nullptr);
  EXPECT_EQ(Screen->Cursors(1), LoadCursorA(nullptr, IDC_ARROW));
  const HCURSOR mine = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(32761));
  Screen->InsertCursor(1, mine);
  EXPECT_EQ(Screen->Cursors(1), mine);  // destroyed with the screen
}

}  // namespace
