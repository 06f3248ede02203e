// The screen's cursor on the headless host: what each setting shows and
// counts, the window under the mouse taking its own cursor back at once,
// controls' own cursors, read from cursor_form.form, as the mouse moves, and
// the cursor list.
#include <gtest/gtest.h>

#include <string>

#include "framework/controls/buttons.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "tests/support/fw_application.h"

namespace {

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

class ScreenCursors : public ApplicationTest {
 protected:
  ~ScreenCursors() override { Screen->SetCursor(crDefault); }

  // Moves the mouse to the middle of the control, or for the form to a
  // place where no control is.
  void MoveOver(TControl* control) {
    if (control == form_) return MoveMouseTo(form_->Handle(), 250, 150);
    MoveMouseTo(form_->Handle(), control->Left() + control->Width() / 2,
                control->Top() + control->Height() / 2);
  }

  TCursorForm* form_ = ShowNewForm<TCursorForm>();
};

TEST_F(ScreenCursors, EachSettingShowsItsCursorOnceAndDefaultGivesTheWindowsOwnBack) {
  MoveOver(form_->Edit1);
  EXPECT_EQ(host::Headless().CursorShape(), 32513);  // the edit's own I-beam
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  const struct {
    TCursor value;
    HCURSOR shown;
    int changes;  // of the cursor on the screen
  } steps[] = {
      {crHourGlass, LoadCursorA(nullptr, IDC_WAIT), 1},
      {crHourGlass, LoadCursorA(nullptr, IDC_WAIT), 0},
      {crNone, nullptr, 1},
      {5, arrow, 1},  // a number without a cursor
      {crHandPoint, Screen->Cursors(crHandPoint), 1},
      {crDefault, LoadCursorA(nullptr, IDC_IBEAM), 1},
      {crDefault, LoadCursorA(nullptr, IDC_IBEAM), 0},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.value);
    const int changes = host::Headless().CursorChanges();
    Screen->SetCursor(step.value);
    EXPECT_EQ(Screen->Cursor(), step.value);
    EXPECT_EQ(GetCursor(), step.shown);
    EXPECT_EQ(host::Headless().CursorChanges() - changes, step.changes);
  }
  EXPECT_TRUE(host::Headless().ShownCursorPicture() == std::nullopt);
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
  // A system cursor by its IDC_ number, two numbers for one shape, and the
  // program's own pictures (0).
  const struct {
    TCursor n;
    WORD system;
  } rows[] = {
      {crHourGlass, 32514}, {crSizeAll, 32646}, {crSize, 32646}, {crHandPoint, 0}, {crDrag, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.n);
    const HCURSOR cursor = Screen->Cursors(row.n);
    ASSERT_NE(cursor, nullptr);
    if (row.system != 0) {
      EXPECT_EQ(cursor, LoadCursorA(nullptr, MAKEINTRESOURCEA(row.system)));
    } else {
      SetCursor(cursor);
      EXPECT_TRUE(host::Headless().ShownCursorPicture().has_value());
    }
  }
  EXPECT_EQ(Screen->Cursors(crNone), nullptr);
  EXPECT_EQ(Screen->Cursors(1), LoadCursorA(nullptr, IDC_ARROW));
  const HCURSOR mine = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(32761));
  Screen->InsertCursor(1, mine);
  EXPECT_EQ(Screen->Cursors(1), mine);  // destroyed with the screen
}

}  // namespace
