#include "framework/dialogs/dialogs.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>

#include "framework/controls/application.h"
#include "framework/controls/buttons.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/graphics/icon.h"
#include "framework/rtl/sysconst.h"
#include "platform/kernel.h"
#include "platform/text.h"
#include "rtl/resstrings.h"

TAVRION_CLASS_INFO(TMessageForm, "Dialogs") {}

namespace {

struct DialogKind {
  UINT caption;  // 0: the application's title
  WORD icon;     // IDI_ number; 0: none
};

constexpr DialogKind kDialogKinds[] = {
    {SMsgDlgWarning, 32515},      // IDI_EXCLAMATION
    {SMsgDlgError, 32513},        // IDI_HAND
    {SMsgDlgInformation, 32516},  // IDI_ASTERISK
    {SMsgDlgConfirm, 32514},      // IDI_QUESTION
    {0, 0},
};

struct ButtonKind {
  const char* name;
  UINT caption;
  int modal_result;
};

constexpr ButtonKind kButtonKinds[] = {
    {"Yes", SMsgDlgYes, mrYes},
    {"No", SMsgDlgNo, mrNo},
    {"OK", SMsgDlgOK, mrOk},
    {"Cancel", SMsgDlgCancel, mrCancel},
    {"Abort", SMsgDlgAbort, mrAbort},
    {"Retry", SMsgDlgRetry, mrRetry},
    {"Ignore", SMsgDlgIgnore, mrIgnore},
    {"All", SMsgDlgAll, mrAll},
    {"NoToAll", SMsgDlgNoToAll, mrNoToAll},
    {"YesToAll", SMsgDlgYesToAll, mrYesToAll},
    {"Help", SMsgDlgHelp, mrNone},
};
constexpr int kButtonKindCount = static_cast<int>(std::size(kButtonKinds));

// A caption's width plus room for the button's edges, measured once for the
// life of the process.
std::array<int, kButtonKindCount> button_widths{};

// The width (divided over the 52 letters) and height of the canvas's font.
POINT AverageCharSize(TCanvas* canvas) {
  char letters[52];
  for (int i = 0; i < 26; ++i) {
    letters[i] = static_cast<char>('A' + i);
    letters[26 + i] = static_cast<char>('a' + i);
  }
  SIZE size{};
  GetTextExtentPointA(canvas->Handle(), letters, 52, &size);
  return {size.cx / 52, size.cy};
}

TMsgDlgBtn FirstPresent(TMsgDlgButtons buttons, std::initializer_list<TMsgDlgBtn> order) {
  for (TMsgDlgBtn button : order) {
    if (buttons.Contains(button)) return button;
  }
  return *std::prev(order.end());
}

}  // namespace

TMessageForm::TMessageForm(TComponent* owner) : TForm(owner, CreateNew) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    Font()->SetHandle(CreateFontIndirectA(&metrics.lfMessageFont));
  }
}

void TMessageForm::HelpButtonClick(TObject*) {
  // FIXME: there is no help system to show HelpContext in HelpFile.
}

TForm* CreateMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons) {
  std::unique_ptr<TMessageForm, FreeDeleter> form(Construct<TMessageForm>(Application));
  form->SetBorderStyle(TFormBorderStyle::bsDialog);
  TCanvas* canvas = form->Canvas();
  canvas->SetFont(form->Font());
  const POINT unit = AverageCharSize(canvas);
  const int h_margin = MulDiv(8, unit.x, 4);
  const int v_margin = MulDiv(8, unit.y, 8);
  const int h_spacing = MulDiv(10, unit.x, 4);
  const int v_spacing = MulDiv(10, unit.y, 8);
  int button_width = MulDiv(50, unit.x, 4);
  int button_count = 0;
  for (int kind = 0; kind < kButtonKindCount; ++kind) {
    if (!buttons.Contains(static_cast<TMsgDlgBtn>(kind))) continue;
    ++button_count;
    int& width = button_widths[static_cast<std::size_t>(kind)];
    if (width == 0) {
      RECT rect{};
      DrawTextA(canvas->Handle(), LoadResString(kButtonKinds[kind].caption).c_str(), -1, &rect,
                DT_CALCRECT | DT_SINGLELINE);
      width = rect.right - rect.left + 8;
    }
    button_width = std::max(button_width, width);
  }
  const int button_height = MulDiv(14, unit.y, 8);
  const int button_spacing = MulDiv(4, unit.x, 4);

  // FIXME: no right-to-left reading: DT_RTLREADING is never added here or
  // to the captions' measuring.
  // The terminating zero is measured with the text, so that an empty one
  // still takes a line.
  RECT text_rect{0, 0, Screen->Width() / 2, 0};
  DrawTextA(canvas->Handle(), msg.c_str(), static_cast<int>(msg.size()) + 1, &text_rect,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  const int text_width = text_rect.right;
  const int text_height = text_rect.bottom;
  const DialogKind& kind = kDialogKinds[type];
  const HICON icon = kind.icon != 0 ? LoadIconA(nullptr, MAKEINTRESOURCEA(kind.icon)) : nullptr;
  int icon_text_width = text_width;
  int icon_text_height = text_height;
  if (icon != nullptr) {
    icon_text_width += h_spacing + 32;
    icon_text_height = std::max(icon_text_height, 32);
  }
  const int group_width =
      button_count == 0 ? 0 : button_width * button_count + button_spacing * (button_count - 1);
  form->SetClientWidth(std::max(icon_text_width, group_width) + 2 * h_margin);
  form->SetClientHeight(icon_text_height + button_height + v_spacing + 2 * v_margin);
  form->SetLeft(Screen->Width() / 2 - form->Width() / 2);
  form->SetTop(Screen->Height() / 2 - form->Height() / 2);
  form->SetCaption(kind.caption != 0 ? LoadResString(kind.caption) : Application->Title());

  if (icon != nullptr) {
    auto* image = Construct<TImage>(form.get());
    image->SetName("Image");
    image->SetParent(form.get());
    image->Picture()->Icon()->SetHandle(icon);
    image->SetBounds(h_margin, v_margin, 32, 32);
  }
  auto* label = Construct<TLabel>(form.get());
  label->SetName("Message");
  label->SetParent(form.get());
  label->SetWordWrap(true);
  label->SetCaption(msg);
  label->SetBounds(icon_text_width - text_width + h_margin, v_margin, text_width, text_height);

  const TMsgDlgBtn default_button = FirstPresent(buttons, {mbOK, mbYes, mbRetry});
  const TMsgDlgBtn cancel_button = FirstPresent(buttons, {mbCancel, mbNo, mbOK});
  int x = (form->ClientWidth() - group_width) / 2;
  for (int kind_index = 0; kind_index < kButtonKindCount; ++kind_index) {
    const auto button_kind = static_cast<TMsgDlgBtn>(kind_index);
    if (!buttons.Contains(button_kind)) continue;
    const ButtonKind& button_info = kButtonKinds[kind_index];
    auto* button = Construct<TButton>(form.get());
    button->SetName(button_info.name);
    button->SetParent(form.get());
    button->SetCaption(LoadResString(button_info.caption));
    button->SetModalResult(button_info.modal_result);
    if (button_kind == default_button) button->SetDefault(true);
    if (button_kind == cancel_button) button->SetCancel(true);
    button->SetBounds(x, icon_text_height + v_margin + v_spacing, button_width, button_height);
    if (button_kind == mbHelp) {
      button->OnClick = MethodOf<&TMessageForm::HelpButtonClick>(form.get());
    }
    x += button_width + button_spacing;
  }
  return form.release();
}

int MessageDlgPosHelp(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                      int help_ctx, int x, int y, const std::string& help_file) {
  std::unique_ptr<TForm, FreeDeleter> form(CreateMessageDialog(msg, type, buttons));
  auto* dialog = static_cast<TMessageForm*>(form.get());
  dialog->SetHelpContext(help_ctx);
  dialog->SetHelpFile(help_file);
  if (x >= 0) form->SetLeft(x);
  if (y >= 0) form->SetTop(y);
  if (x < 0 && y < 0) form->SetPosition(poScreenCenter);
  return form->ShowModal();
}

int MessageDlgPos(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int help_ctx,
                  int x, int y) {
  return MessageDlgPosHelp(msg, type, buttons, help_ctx, x, y, "");
}

int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int help_ctx) {
  return MessageDlgPos(msg, type, buttons, help_ctx, -1, -1);
}

void ShowMessagePos(const std::string& msg, int x, int y) {
  MessageDlgPos(msg, mtCustom, MsgDlgButtons({mbOK}), 0, x, y);
}

void ShowMessage(const std::string& msg) {
  ShowMessagePos(msg, -1, -1);
}
