// The message dialog on the headless host: its layout in units of the
// system's message font, centred on the screen; its buttons, their order
// and which of them Enter and Escape press; and that it goes in every case.
// A picture of a ShowMessage dialog is saved as message-dialog.png in the
// test's folder (docs/message-dialog.png is a copy).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/controls/application.h"
#include "framework/controls/buttons.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/dialogs/dialogs.h"
#include "framework/graphics/icon.h"
#include "platform/headless.h"
#include "platform/kernel.h"
#include "platform/picture.h"
#include "platform/text.h"

namespace {

constexpr auto Host = host::Headless;

// The layout's units, measured here on the system's message font.
struct Units {
  int x = 0;
  int y = 0;
  int Horizontal(int n) const { return MulDiv(n, x, 4); }
  int Vertical(int n) const { return MulDiv(n, y, 8); }
};

class Dialogs : public testing::Test {
 protected:
  Dialogs() {
    Host().Reset();
    StartApplication();
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_ = CreateFontIndirectA(&metrics.lfMessageFont);
    dc_ = CreateCompatibleDC(nullptr);
    SelectObject(dc_, font_);
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    GetTextExtentPointA(dc_, letters.c_str(), 52, &size);
    units_ = {size.cx / 52, size.cy};
  }
  ~Dialogs() override {
    Host().SetIdleHandler({});
    StopApplication();
    DeleteDC(dc_);
    DeleteObject(font_);
  }

  int CaptionWidth(const std::string& caption) {
    RECT rect{};
    DrawTextA(dc_, caption.c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    return rect.right;
  }

  // Runs `act` once on the message form, when it is up and waits for input.
  static void WhenShown(std::function<void(TForm*)> act) {
    Host().SetIdleHandler([act, done = false]() mutable {
      auto* form = dynamic_cast<TMessageForm*>(Screen->ActiveForm());
      if (done || form == nullptr || !form->Active()) return false;
      done = true;
      act(form);
      return true;
    });
  }

  static void Press(UINT key) {
    Host().KeyDown(key);
    Host().KeyUp(key);
  }

  Units units_;
  HFONT font_ = nullptr;
  HDC dc_ = nullptr;
};

template <typename T>
T* Child(TForm* form, const char* name) {
  return dynamic_cast<T*>(form->FindComponent(name));
}

TEST_F(Dialogs, ShowMessageLaysOutItsTextAndOkButtonInFontUnitsCentredOnTheScreen) {
  Application->SetTitle("Tavrion");
  const std::string words = "Pulse trains are written to the working file as they are set. ";
  const struct {
    const char* name;
    std::string text;
    int min_lines;
    int max_lines;
  } cases[] = {
      {"short", "Hello", 1, 1},
      {"long", words + words + words + words + words, 2, 4},
      {"empty", "", 1, 1},
      {"two lines", "First\nSecond", 2, 2},
  };
  const int button_width = units_.Horizontal(50);
  ASSERT_GT(button_width, CaptionWidth("OK") + 8);  // the minimum width wins
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
      EXPECT_EQ(label->Left(), units_.Horizontal(8));
      EXPECT_EQ(label->Top(), units_.Vertical(8));
      EXPECT_LE(label->Width(), 1024 / 2);
      EXPECT_EQ(label->Height() % units_.y, 0);
      EXPECT_GE(label->Height(), c.min_lines * units_.y);
      EXPECT_LE(label->Height(), c.max_lines * units_.y);
      EXPECT_EQ(form->ClientWidth(),
                std::max(label->Width(), button_width) + 2 * units_.Horizontal(8));
      EXPECT_EQ(form->ClientHeight(), label->Height() + units_.Vertical(14) + units_.Vertical(10) +
                                          2 * units_.Vertical(8));
      EXPECT_EQ(ok->Width(), button_width);
      EXPECT_EQ(ok->Height(), units_.Vertical(14));
      EXPECT_EQ(ok->Left(), (form->ClientWidth() - button_width) / 2);
      EXPECT_EQ(ok->Top(), label->Height() + units_.Vertical(8) + units_.Vertical(10));
      EXPECT_TRUE(ok->Default() && ok->Cancel());
      EXPECT_EQ(form->Left(), (1024 - form->Width()) / 2);
      EXPECT_EQ(form->Top(), (768 - form->Height()) / 2);
      Press(VK_RETURN);
    });
    ShowMessage(c.text);
  }
}

TEST_F(Dialogs, TabsAreExpandedWhenTheTextIsMeasured) {
  int widths[2] = {};
  const char* texts[2] = {"a b", "a\tb"};
  for (int i = 0; i < 2; ++i) {
    TForm* form = CreateMessageDialog(texts[i], mtCustom, MsgDlgButtons({mbOK}));
    widths[i] = Child<TLabel>(form, "Message")->Width();
    form->Free();
  }
  // A tab reaches the next stop of eight average characters.
  EXPECT_GE(widths[1], 8 * units_.x);
  EXPECT_GT(widths[1], widths[0] + 4 * units_.x);
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
    WhenShown([&](TForm*) { Press(c.key); });
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
  } cases[] = {
      {MsgDlgButtons({mbCancel, mbNo, mbYes}), {"Yes", "No", "Cancel"}, "Yes", "Cancel"},
      {MsgDlgButtons({mbOK, mbCancel}), {"OK", "Cancel"}, "OK", "Cancel"},
      {MsgDlgButtons({mbAbort, mbRetry, mbIgnore}), {"Abort", "Retry", "Ignore"}, "Retry", nullptr},
      {MsgDlgButtons({mbYesToAll, mbNoToAll, mbAll, mbHelp}),
       {"All", "NoToAll", "YesToAll", "Help"},
       nullptr,
       nullptr},
      {TMsgDlgButtons{}, {}, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.names.size() > 0 ? c.names[0] : "none");
    TForm* form = CreateMessageDialog("Choose", mtConfirmation, c.buttons);
    std::vector<TButton*> buttons;
    for (int i = 0; i < form->ComponentCount(); ++i) {
      if (auto* button = dynamic_cast<TButton*>(form->Components(i))) buttons.push_back(button);
    }
    ASSERT_EQ(buttons.size(), c.names.size());
    int width = units_.Horizontal(50);
    for (TButton* button : buttons) {
      width = std::max(width, CaptionWidth(button->Caption()) + 8);
    }
    const int count = static_cast<int>(buttons.size());
    const int group = count == 0 ? 0 : count * width + (count - 1) * units_.Horizontal(4);
    int x = (form->ClientWidth() - group) / 2;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      const TButton* button = buttons[i];
      EXPECT_EQ(button->Name(), c.names[i]);
      EXPECT_EQ(button->Default(), c.default_name != nullptr && button->Name() == c.default_name);
      EXPECT_EQ(button->Cancel(), c.cancel_name != nullptr && button->Name() == c.cancel_name);
      EXPECT_EQ(button->Left(), x);
      EXPECT_EQ(button->Width(), width);
      x += width + units_.Horizontal(4);
    }
    // The question mark to the left of the text.
    auto* image = Child<TImage>(form, "Image");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->BoundsRect().left, units_.Horizontal(8));
    EXPECT_EQ(image->Width(), 32);
    EXPECT_EQ(image->Picture()->Icon()->Handle(), LoadIconA(nullptr, IDI_QUESTION));
    EXPECT_EQ(Child<TLabel>(form, "Message")->Left(),
              units_.Horizontal(8) + 32 + units_.Horizontal(10));
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

TEST_F(Dialogs, AShowMessageDialogIsSavedAsAPicture) {
  Application->SetTitle("Tavrion");
  const std::string path = (std::filesystem::current_path() / "message-dialog.png").string();
  WhenShown([&](TForm* form) {
    EXPECT_TRUE(SaveWindowPicture(form->Handle(), path.c_str(), TRUE));
    Press(VK_RETURN);
  });
  ShowMessage("The working file is written; press OK to go on.");
}

}  // namespace
