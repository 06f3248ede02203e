// The edit control: the notifications of each change, the selection it
// answers, and its limit.
#include <functional>
#include <string>

#include "tests/conformance/support/answers.h"
#include "tests/conformance/support/controls.h"
#include "tests/conformance/support/wine.h"

namespace {

using conf::Answer;
using conf::Call;

const Call kSetHello{WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Hello world")};
constexpr Call SetSel(int start, int end) {
  return {EM_SETSEL, static_cast<WPARAM>(start), end};
}
constexpr Call GetSel{EM_GETSEL};

const Answer kAnswers[] = {
    {"SelectionInOrder", 0, {kSetHello, SetSel(2, 5)}, GetSel, MAKELPARAM(2, 5)},
    {"BackwardSelectionAnswersInOrder", 0, {kSetHello, SetSel(5, 2)}, GetSel, MAKELPARAM(2, 5)},
    {"MinusOneEndSelectsToTheEnd", 0, {kSetHello, SetSel(0, -1)}, GetSel, MAKELPARAM(0, 11)},
    {"EndPastTheTextStopsAtItsEnd", 0, {kSetHello, SetSel(3, 100)}, GetSel, MAKELPARAM(3, 11)},
    {"MinusOneStartDeselects",
     0,
     {kSetHello, SetSel(2, 5), SetSel(-1, 0)},
     GetSel,
     MAKELPARAM(5, 5)},
    {"NewTextPutsTheSelectionAtTheStart", 0, {SetSel(0, -1), kSetHello}, GetSel, MAKELPARAM(0, 0)},
    {"ReplaceSelLeavesTheCaretAfter",
     0,
     {kSetHello, SetSel(0, 5), {EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("Bye")}},
     GetSel,
     MAKELPARAM(3, 3)},
    {"LimitStartsAt32767", 0, {}, {EM_GETLIMITTEXT}, 32767, "the limit starts at 30000"},
    {"LimitIsRead", 0, {{EM_LIMITTEXT, 5}}, {EM_GETLIMITTEXT}, 5},
    {"SetLimitTextIsRead", 0, {{EM_SETLIMITTEXT, 70000}}, {EM_GETLIMITTEXT}, 70000},
    {"ZeroLimitIsTheLargest", 0, {{EM_LIMITTEXT, 0}}, {EM_GETLIMITTEXT}, 0x7FFFFFFE},
    {"NewTextIsNotModified", 0, {kSetHello}, {EM_GETMODIFY}, FALSE},
    {"TypedTextIsModified", 0, {kSetHello, {WM_CHAR, 'x', 1}}, {EM_GETMODIFY}, TRUE},
    {"NewTextCannotBeUndone", 0, {{WM_CHAR, 'x', 1}, kSetHello}, {EM_CANUNDO}, FALSE},
    {"TypedTextCanBeUndone", 0, {kSetHello, {WM_CHAR, 'x', 1}}, {EM_CANUNDO}, TRUE},
    {"SetModifyIsRead", 0, {{EM_SETMODIFY, TRUE}}, {EM_GETMODIFY}, TRUE},
    {"LengthOfTheText", 0, {kSetHello}, {WM_GETTEXTLENGTH}, 11},
};

ANSWER_CASES(Edit, EditAnswer, "EDIT", kAnswers);

// One change to an edit that holds "abc" with the caret at its end: the
// WM_COMMAND notifications the parent gets, in order, and the text after.
struct ChangeRow {
  const char* name;
  DWORD style;
  int limit;  // 0: the default
  std::function<void(HWND)> change;
  conf::Sequence told;
  const char* text;
  const char* wine_differs = nullptr;  // how, where Wine tells otherwise
};

class EditChange : public conf::TableCase<ChangeRow> {};

TEST_P(EditChange, Tells) {
  const ChangeRow& r = GetParam();
  if (r.wine_differs != nullptr) KNOWN_WINE_DIFFERENCE(r.wine_differs);
  HWND edit = conf::Control("EDIT", r.style, {10, 10, 210, 40}, "abc");
  if (r.limit != 0) SendMessageA(edit, EM_LIMITTEXT, r.limit, 0);
  SendMessageA(edit, EM_SETSEL, 3, 3);
  conf::StartLog();
  r.change(edit);
  EXPECT_TRUE(conf::Saw(r.told, {"WM_COMMAND"}));
  EXPECT_EQ(conf::TextOf(edit), r.text);
}

void Char(HWND edit, char c) {
  SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}
void SetText(HWND edit, const char* text) {
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
void ReplaceSel(HWND edit, const char* text) {
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

const std::string kUpdate = conf::Command(EN_UPDATE);
const std::string kChange = conf::Command(EN_CHANGE);
const std::string kMax = conf::Command(EN_MAXTEXT);
const conf::Sequence kChanged = {kUpdate, kChange};

const ChangeRow kChanges[] = {
    {"SetTextUpdatesThenChanges", 0, 0, [](HWND e) { SetText(e, "xyz"); }, kChanged, "xyz"},
    {"SameTextStillChanges", 0, 0, [](HWND e) { SetText(e, "abc"); }, kChanged, "abc"},
    {"CharUpdatesThenChanges", 0, 0, [](HWND e) { Char(e, 'd'); }, kChanged, "abcd"},
    {"ReplaceSelUpdatesThenChanges", 0, 0, [](HWND e) { ReplaceSel(e, "de"); }, kChanged, "abcde"},
    {"BackspaceUpdatesThenChanges", 0, 0, [](HWND e) { Char(e, '\b'); }, kChanged, "ab"},
    {"BackspaceAtTheStartTellsNothing",
     0,
     0,
     [](HWND e) {
       SendMessageA(e, EM_SETSEL, 0, 0);
       Char(e, '\b');
     },
     {},
     "abc"},
    {"SetSelTellsNothing", 0, 0, [](HWND e) { SendMessageA(e, EM_SETSEL, 0, 2); }, {}, "abc"},
    {"CharPastTheLimitTellsMaxText",
     0,
     3,
     [](HWND e) { Char(e, 'd'); },
     {kMax},
     "abc",
     "EN_UPDATE and EN_CHANGE follow EN_MAXTEXT though nothing changed"},
    {"ReplaceSelPastTheLimitIsCut",
     0,
     5,
     [](HWND e) { ReplaceSel(e, "defg"); },
     {kMax, kUpdate, kChange},
     "abcde"},
    {"SetTextIgnoresTheLimit", 0, 3, [](HWND e) { SetText(e, "abcdef"); }, kChanged, "abcdef"},
    {"CharOverASelectionAtTheLimit", 0, 3,
     [](HWND e) {
       SendMessageA(e, EM_SETSEL, 0, 1);
       Char(e, 'z');
     },
     kChanged, "zbc"},
    {"ReadOnlyTakesNoChar", ES_READONLY, 0, [](HWND e) { Char(e, 'd'); }, {}, "abc"},
    {"ReadOnlyTakesSetText", ES_READONLY, 0, [](HWND e) { SetText(e, "x"); }, kChanged, "x"},
    {"NumberTakesADigit", ES_NUMBER, 0, [](HWND e) { Char(e, '4'); }, kChanged, "abc4"},
    {"NumberRefusesALetter", ES_NUMBER, 0, [](HWND e) { Char(e, 'd'); }, {}, "abc"},
    // The case applies to the text given at creation too.
    {"UppercaseTypesCapitals", ES_UPPERCASE, 0, [](HWND e) { Char(e, 'q'); }, kChanged, "ABCQ"},
    {"LowercaseTypesSmall", ES_LOWERCASE, 0, [](HWND e) { Char(e, 'Q'); }, kChanged, "abcq"},
    {"UppercaseSetText", ES_UPPERCASE, 0, [](HWND e) { SetText(e, "Mixed"); }, kChanged, "MIXED"},
    // A multi-line edit tells nothing of WM_SETTEXT.
    {"MultilineSetTextTellsNothing", ES_MULTILINE, 0, [](HWND e) { SetText(e, "xyz"); }, {}, "xyz"},
    {"MultilineCharUpdatesThenChanges", ES_MULTILINE, 0, [](HWND e) { Char(e, 'd'); }, kChanged,
     "abcd"},
};

INSTANTIATE_TEST_SUITE_P(Edit, EditChange, testing::ValuesIn(kChanges), conf::RowName{});

}  // namespace
