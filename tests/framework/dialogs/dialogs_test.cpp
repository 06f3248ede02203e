// The message dialog on the headless host: its layout in units of the
// system's message font (6 by 12 pixels here), centred on the 1024 by 768
// screen; its buttons, their order and which of them Enter and Escape press;
// and that it goes in every case.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/controls/buttons.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/dialogs/dialogs.h"
#include "framework/graphics/icon.h"
#include "tests/support/fw_application.h"
#include "tests/support/rect.h"

namespace {

class Dialogs : public ApplicationTest {
 protected:
  // Runs `act` once on the message form, when it is up and waits for input.
  static void WhenShown(std::function<void(TForm*)> act) {
    OnceIdle(
        [] {
          auto* form = dynamic_cast<TMessageForm*>(Screen->ActiveForm());
          return form != nullptr && form->Active();
        },
        [act] { act(dynamic_cast<TForm*>(Screen->ActiveForm())); });
  }
};

template <typename T>
T* Child(TForm* form, const char* name) {
  return dynamic_cast<T*>(form->FindComponent(name));
}

TEST_F(Dialogs, ShowMessageLaysOutItsTextAndOkButtonInFontUnitsCentredOnTheScreen) {
  Application->SetTitle("Tavrion");
  const std::string words = "Pulse trains are written to the working file as they are set. ";
  // The text 8 units in, the button 10 units below it and as wide as the
  // text's width or 50 units, whichever is more, 8 units above the bottom.
  const struct {
    const char* name;
    std::string text;
    RECT label, ok, form;
  } cases[] = {
      {"short", "Hello", {12, 12, 44, 24}, {12, 39, 87, 60}, {459, 335, 564, 432}},
      {"long, wrapped at half the screen",
       words + words + words + words + words,
       {12, 12, 505, 48},
       {221, 63, 296, 84},
       {250, 323, 773, 444}},
      {"empty", "", {12, 12, 20, 24}, {12, 39, 87, 60}, {459, 335, 564, 432}},
      {"two lines", "First\nSecond", {12, 12, 57, 36}, {12, 51, 87, 72}, {459, 329, 564, 438}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WhenShown([&](TForm* form) {
      EXPECT_EQ(form->Caption(), "Tavrion");
      EXPECT_EQ(form->BorderStyle(), TFormBorderStyle::bsDialog);
      EXPECT_EQ(Child<TImage>(form, "Image"), nullptr);
      auto* label = Child<TLabel>(form, "Message");
      auto* ok = Child<TButton>(form, "OK");
      ASSERT_TRUE(label != nullptr && ok != nullptr);
      EXPECT_EQ(label->Caption(), c.text);
      EXPECT_EQ(label->BoundsRect(), c.label);
      EXPECT_EQ(ok->BoundsRect(), c.ok);
      EXPECT_EQ(form->ClientHeight(), c.ok.bottom + 12);
      EXPECT_EQ(form->BoundsRect(), c.form);
      EXPECT_TRUE(ok->Default() && ok->Cancel());
      PressKey(VK_RETURN);
    });
    ShowMessage(c.text);
  }
}

TEST_F(Dialogs, TabsAreExpandedWhenTheTextIsMeasured) {
  // A tab reaches the next stop of eight average characters.
  for (const auto& [text, width] : {std::pair{"a b", 23}, std::pair{"a\tb", 62}}) {
    TForm* form = CreateMessageDialog(text, mtCustom, MsgDlgButtons({mbOK}));
    EXPECT_EQ(Child<TLabel>(form, "Message")->Width(), width) << text;
    form->Free();
  }
}

TEST_F(Dialogs, EnterAndEscapeCloseTheMessageWithItsButtonsResult) {
  const struct {
    TMsgDlgButtons buttons;
    UINT key;
    int result;
  } cases[] = {
      {MsgDlgButtons({mbOK}), VK_RETURN, mrOk},
      {MsgDlgButtons({mbOK}), VK_ESCAPE, mrOk},
      {MsgDlgButtons({mbYes, mbNo, mbCancel}), VK_RETURN, mrYes},
      {MsgDlgButtons({mbYes, mbNo, mbCancel}), VK_ESCAPE, mrCancel},
      {MsgDlgButtons({mbYes, mbNo}), VK_ESCAPE, mrNo},
  };
  const int forms = Screen->FormCount();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.buttons.bits);
    WhenShown([&](TForm*) { PressKey(c.key); });
    EXPECT_EQ(MessageDlg("Go on?", mtConfirmation, c.buttons, 0), c.result);
    EXPECT_EQ(Screen->FormCount(), forms);  // freed
  }
}

TEST_F(Dialogs, ButtonsComeInNumberOrderOfOneWidthCentredWithTheirDefaultAndCancel) {
  const struct {
    TMsgDlgButtons buttons;
    std::vector<std::string> names;
    const char* default_name;  // none when null
    const char* cancel_name;
    int client_width;
  } cases[] = {
      {MsgDlgButtons({mbCancel, mbNo, mbYes}), {"Yes", "No", "Cancel"}, "Yes", "Cancel", 261},
      {MsgDlgButtons({mbOK, mbCancel}), {"OK", "Cancel"}, "OK", "Cancel", 180},
      {MsgDlgButtons({mbAbort, mbRetry, mbIgnore}),
       {"Abort", "Retry", "Ignore"},
       "Retry",
       nullptr,
       261},
      {MsgDlgButtons({mbYesToAll, mbNoToAll, mbAll, mbHelp}),
       {"All", "NoToAll", "YesToAll", "Help"},
       nullptr,
       nullptr,
       342},
      {TMsgDlgButtons{}, {}, nullptr, nullptr, 117},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.names.size() > 0 ? c.names[0] : "none");
    TForm* form = CreateMessageDialog("Choose", mtConfirmation, c.buttons);
    EXPECT_EQ(form->ClientWidth(), c.client_width);
    std::vector<TButton*> buttons;
    for (int i = 0; i < form->ComponentCount(); ++i) {
      if (auto* button = dynamic_cast<TButton*>(form->Components(i))) buttons.push_back(button);
    }
    ASSERT_EQ(buttons.size(), c.names.size());
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      const TButton* button = buttons[i];
      EXPECT_EQ(button->Name(), c.names[i]);
      EXPECT_EQ(button->Default(), c.default_name != nullptr && button->Name() == c.default_name);
      EXPECT_EQ(button->Cancel(), c.cancel_name != nullptr && button->Name() == c.cancel_name);
      EXPECT_EQ(button->Left(), 12 + 81 * static_cast<int>(i));  // 50 units wide, 4 apart
      EXPECT_EQ(button->Width(), 75);
    }
    // The question mark to the left of the text.
    auto* image = Child<TImage>(form, "Image");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Left(), 12);
    EXPECT_EQ(image->Width(), 32);
    EXPECT_EQ(image->Picture()->Icon()->Handle(), LoadIconA(nullptr, IDI_QUESTION));
    EXPECT_EQ(Child<TLabel>(form, "Message")->Left(), 12 + 32 + 15);
    EXPECT_EQ(form->Caption(), "Confirm");
    form->Free();
  }
}

TEST_F(Dialogs, TheFormGoesWhenItsModalRunRaises) {
  struct Thrower : TObject {
    void OnMessage(MSG& message, bool&) {
      if (message.message == WM_USER) throw std::runtime_error("broken");
    }
  } thrower;
  Application->OnMessage = MethodOf<&Thrower::OnMessage>(&thrower);
  WhenShown([](TForm* form) { PostMessageA(form->Handle(), WM_USER, 0, 0); });
  const int forms = Screen->FormCount();
  const int owned = Application->ComponentCount();
  EXPECT_THROW(ShowMessage("Doomed"), std::runtime_error);
  EXPECT_EQ(Screen->FormCount(), forms);
  EXPECT_EQ(Application->ComponentCount(), owned);
  Application->OnMessage = {};
}

}  // namespace
