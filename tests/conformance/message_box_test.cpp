// MessageBoxA's answers to Enter and Escape, typed as a person does while
// the box runs its own loop.
#include <vector>

#include "tests/conformance/support/controls.h"
#include "tests/conformance/support/fixture.h"
#include "tests/conformance/support/message_log.h"
#include "tests/conformance/support/send_input.h"
#include "tests/conformance/support/wine.h"

namespace {

// The keys still to type, one at each tick of a thread timer once a box is
// the active window; the box's loop dispatches the ticks.
std::vector<WORD> keys_to_type;
HWND box_owner = nullptr;

void TypeNextKey(HWND, UINT, UINT_PTR, DWORD) {
  HWND active = GetActiveWindow();
  if (keys_to_type.empty() || active == nullptr || active == box_owner) return;
  conf::PressKey(keys_to_type.front());
  keys_to_type.erase(keys_to_type.begin());
}

struct BoxRow {
  const char* name;
  UINT type;
  std::vector<WORD> keys;
  int answer;
  bool wine_differs = false;  // Wine answers Escape with IDCANCEL in every box
};

class MessageBoxKeys : public conf::TableCase<BoxRow> {};

TEST_P(MessageBoxKeys, Answer) {
  const BoxRow& r = GetParam();
  if (r.wine_differs) KNOWN_WINE_DIFFERENCE("Escape answers IDCANCEL in a box without Cancel");
  box_owner = conf::ShowParent();
  keys_to_type = r.keys;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, TypeNextKey);
  const int answer = MessageBoxA(box_owner, "Go on?", "Conformance", r.type);
  KillTimer(nullptr, timer);
  EXPECT_EQ(answer, r.answer);
  EXPECT_TRUE(keys_to_type.empty());
}

constexpr WORD kEnter = VK_RETURN, kEscape = VK_ESCAPE;

// Escape answers IDCANCEL where the box has a Cancel button or only OK, and
// is ignored otherwise (the Enter after it then answers).
const BoxRow kBoxes[] = {
    {"OkEnter", MB_OK, {kEnter}, IDOK},
    {"OkEscape", MB_OK, {kEscape}, IDOK, true},
    {"OkCancelEnter", MB_OKCANCEL, {kEnter}, IDOK},
    {"OkCancelEscape", MB_OKCANCEL, {kEscape}, IDCANCEL},
    {"OkCancelSecondDefaultEnter", MB_OKCANCEL | MB_DEFBUTTON2, {kEnter}, IDCANCEL},
    {"YesNoEnter", MB_YESNO, {kEnter}, IDYES},
    {"YesNoSecondDefaultEnter", MB_YESNO | MB_DEFBUTTON2, {kEnter}, IDNO},
    {"YesNoEscapeIsIgnored", MB_YESNO, {kEscape, kEnter}, IDYES, true},
    {"YesNoCancelEnter", MB_YESNOCANCEL, {kEnter}, IDYES},
    {"YesNoCancelThirdDefaultEnter", MB_YESNOCANCEL | MB_DEFBUTTON3, {kEnter}, IDCANCEL},
    {"YesNoCancelEscape", MB_YESNOCANCEL, {kEscape}, IDCANCEL},
    {"RetryCancelEnter", MB_RETRYCANCEL, {kEnter}, IDRETRY},
    {"RetryCancelEscape", MB_RETRYCANCEL, {kEscape}, IDCANCEL},
    {"AbortRetryIgnoreEnter", MB_ABORTRETRYIGNORE, {kEnter}, IDABORT},
    {"AbortRetryIgnoreSecondDefaultEnter", MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, {kEnter}, IDRETRY},
    {"AbortRetryIgnoreEscapeIsIgnored", MB_ABORTRETRYIGNORE, {kEscape, kEnter}, IDABORT, true},
    {"WarningOkCancelEscape", MB_OKCANCEL | MB_ICONWARNING, {kEscape}, IDCANCEL},
    {"ErrorOkEnter", MB_OK | MB_ICONERROR, {kEnter}, IDOK},
};

INSTANTIATE_TEST_SUITE_P(MessageBox, MessageBoxKeys, testing::ValuesIn(kBoxes), conf::RowName{});

}  // namespace
