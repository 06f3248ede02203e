// The application object and forms on the headless host: the main form, the
// loop's end, exception boxes, tab order in a form read from its definition,
// and activation around a modal form.
#include <gtest/gtest.h>

#include <string>

#include "framework/controls/edit.h"
#include "tests/support/fw_application.h"
#include "tests/support/fw_objects.h"

namespace {

class TTabForm : public TForm {
  TAVRION_CLASS(TTabForm, TForm)

 public:
  using TForm::TForm;
  TEdit* First = nullptr;
  TEdit* Second = nullptr;
  TEdit* Third = nullptr;
};

// Counts one message and ends the loop from inside its handling.
struct Quitter : TObject {
  TForm* form = nullptr;
  int handled = 0;
  void WndProc(TMessage& message) {
    if (message.Msg == WM_USER) {
      ++handled;
      Application->Terminate();
      return;
    }
    form->WndProc(message);
  }
};

TAVRION_CLASS_INFO(TTabForm, "Tests") {
  c.Field<&TTabForm::First>("First");
  c.Field<&TTabForm::Second>("Second");
  c.Field<&TTabForm::Third>("Third");
}

using Apps = ApplicationTest;

TEST_F(Apps, TheFirstFormMadeIsTheMainFormAndHasItsWindow) {
  TForm* first = nullptr;
  TForm* second = nullptr;
  Application->CreateForm(first);
  Application->CreateForm(second);
  EXPECT_EQ(Application->MainForm(), first);
  EXPECT_TRUE(first->HandleAllocated());
  EXPECT_EQ(GetWindow(first->Handle(), GW_OWNER), Application->Handle());
}

TEST_F(Apps, TerminateInAHandlerEndsTheLoop) {
  TForm* form = nullptr;
  Application->CreateForm(form);
  Quitter quitter;
  quitter.form = form;
  form->WindowProc = MethodOf<&Quitter::WndProc>(&quitter);
  PostMessageA(form->Handle(), WM_USER, 0, 0);
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(quitter.handled, 1);
  form->WindowProc = MethodOf<&TForm::WndProc>(form);
  EXPECT_FALSE(Application->Running());
}

TEST_F(Apps, AnExceptionIsShownWithOneFinalFullStop) {
  const struct {
    std::string message;
    std::string shown;
  } cases[] = {
      {"abc", "abc."}, {"done.", "done."}, {"stop!", "stop!"}, {"why?", "why?."}, {"(1)", "(1)"}};
  for (const auto& c : cases) {
    // Ctrl+C copies the box's text; Enter closes it.
    OnceIdle([] { return true; },
             [] {
               PressKey('C', VK_CONTROL);
               PressKey(VK_RETURN);
             });
    try {
      throw Exception(c.message);
    } catch (...) {
      Application->HandleException(Application);
    }
    const std::string rule = "---------------------------\r\n";
    EXPECT_EQ(
        host::Headless().Clipboard().value_or(""),
        rule + Application->Title() + "\r\n" + rule + c.shown + "\r\n" + rule + "OK   \r\n" + rule);
  }
}

TEST_F(Apps, TabAndShiftTabWalkAFormReadFromItsDefinition) {
  auto* form = ShowNewForm<TTabForm>();
  ASSERT_NE(form->Third, nullptr);
  const struct {
    bool back;
    TEdit* focused;
  } steps[] = {{false, form->Third},
               {false, form->First},
               {false, form->Second},
               {true, form->First},
               {true, form->Third}};
  EXPECT_EQ(GetFocus(), form->Second->Handle());  // first in tab order
  for (const auto& step : steps) {
    PressKey(VK_TAB, step.back ? VK_SHIFT : 0);
    PumpMessages();
    EXPECT_EQ(GetFocus(), step.focused->Handle()) << step.focused->Name();
    EXPECT_EQ(form->ActiveControl(), step.focused);
  }
}

TEST_F(Apps, ClosingAModalFormLeavesTheMainFormsOnActivateAlone) {
  TForm* main = nullptr;
  Application->CreateForm(main);
  EventCounter activations;
  main->OnActivate = MethodOf<&EventCounter::Count>(&activations);
  main->SetVisible(true);
  PumpMessages();
  EXPECT_EQ(activations.count, 1);
  TForm* dialog = nullptr;
  Application->CreateForm(dialog);
  OnceIdle([] { return true; },
           [&] {
             dialog->SetModalResult(mrOk);
             PostMessageA(dialog->Handle(), WM_NULL, 0, 0);  // the loop looks again
           });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  PumpMessages();
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(activations.count, 1);
  EXPECT_EQ(Screen->FocusedForm(), main);
}

}  // namespace
