// The message dialog: a small modal form built by code around a text, an
// icon of its kind and a row of buttons, and the routines that show it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "framework/controls/forms.h"

TAVRION_ENUM(TMsgDlgType, std::uint8_t, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom)
TAVRION_ENUM(TMsgDlgBtn, std::uint8_t, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore,
             mbAll, mbNoToAll, mbYesToAll, mbHelp)
TAVRION_SET(TMsgDlgButtons, TMsgDlgBtn)

inline TMsgDlgButtons MsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
  TMsgDlgButtons set;
  for (TMsgDlgBtn button : buttons) set.Include(button);
  return set;
}

inline constexpr int mrAbort = 3;
inline constexpr int mrRetry = 4;
inline constexpr int mrIgnore = 5;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;
inline constexpr int mrAll = 8;
inline constexpr int mrNoToAll = 9;
inline constexpr int mrYesToAll = 10;

// The dialog's form; it reads no definition.
class TMessageForm : public TForm {
  TAVRION_CLASS(TMessageForm, TForm)

 public:
  // Takes the system's message font when the system tells it.
  explicit TMessageForm(TComponent* owner);

  int HelpContext() const { return help_context_; }
  void SetHelpContext(int value) { help_context_ = value; }
  const std::string& HelpFile() const { return help_file_; }
  void SetHelpFile(const std::string& value) { help_file_ = value; }

  void HelpButtonClick(TObject* sender);

 protected:
  ~TMessageForm() override = default;

 private:
  int help_context_ = 0;
  std::string help_file_;
};

// The built dialog, not shown yet; the caller frees it.
TForm* CreateMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons);

// Shows the dialog modally and answers the modal result of the button that
// closed it. A negative x or y leaves that coordinate centred on the screen.
// The form is freed in every case; what the modal run raises passes on.
int MessageDlgPosHelp(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                      int help_ctx, int x, int y, const std::string& help_file);
int MessageDlgPos(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int help_ctx,
                  int x, int y);
int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int help_ctx);

// The text under the application's title with one "OK" button.
void ShowMessage(const std::string& msg);
void ShowMessagePos(const std::string& msg, int x, int y);
