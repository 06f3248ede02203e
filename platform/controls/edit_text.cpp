// The single-line edit's text: case, words, changes, undo and the
// notifications a change sends.
#include <algorithm>
#include <utility>

#include <platform/codepage.h>

#include "edit_state.h"

namespace controls::edit {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Upper or lower case of a code page 1251 character: Latin and Cyrillic.
char CaseOf(char c, bool upper) {
  char32_t u = codepage::Cp1251ToUnicode(static_cast<unsigned char>(c));
  if (upper) {
    if (u >= U'a' && u <= U'z') u -= 0x20;
    if (u >= 0x0430 && u <= 0x044F) u -= 0x20;
    if (u >= 0x0450 && u <= 0x045F) u -= 0x50;
    if (u == 0x0491) u = 0x0490;
  } else {
    if (u >= U'A' && u <= U'Z') u += 0x20;
    if (u >= 0x0410 && u <= 0x042F) u += 0x20;
    if (u >= 0x0400 && u <= 0x040F) u += 0x50;
    if (u == 0x0490) u = 0x0491;
  }
  const int byte = codepage::UnicodeToCp1251(u);
  return byte < 0 ? c : static_cast<char>(byte);
}

// Sends EN_UPDATE then EN_CHANGE; false when the window went on the way.
bool NotifyChange(HWND window) {
  return Notify(window, EN_UPDATE) && Notify(window, EN_CHANGE);
}

}  // namespace

State* StateOf(HWND window) {
  return reinterpret_cast<State*>(GetWindowLongPtrA(window, kStateOffset));
}

DWORD StyleOf(HWND window) {
  return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
}

std::string ShownAs(DWORD style, std::string_view text, char password) {
  if ((style & ES_PASSWORD) == 0) return std::string(text);
  return std::string(text.size(), password != 0 ? password : kDefaultPasswordChar);
}

std::string Shown(HWND window, const State& state) {
  return ShownAs(StyleOf(window), state.text, state.password);
}

std::string Cased(DWORD style, std::string_view text) {
  std::string out(text);
  if ((style & (ES_UPPERCASE | ES_LOWERCASE)) == 0) return out;
  const bool upper = (style & ES_UPPERCASE) != 0;
  for (char& c : out) c = CaseOf(c, upper);
  return out;
}

int PreviousWordStart(std::string_view text, int at) {
  while (at > 0 && IsBlank(text[at - 1])) --at;
  while (at > 0 && !IsBlank(text[at - 1])) --at;
  return at;
}

int NextWordStart(std::string_view text, int at) {
  const int n = static_cast<int>(text.size());
  while (at < n && !IsBlank(text[at])) ++at;
  while (at < n && IsBlank(text[at])) ++at;
  return at;
}

void WordAt(std::string_view text, int at, int& start, int& end) {
  const int n = static_cast<int>(text.size());
  if (n == 0) {
    start = end = 0;
    return;
  }
  at = std::min(at, n - 1);
  const bool blank = IsBlank(text[at]);
  start = end = at;
  while (start > 0 && IsBlank(text[start - 1]) == blank) --start;
  while (end < n && IsBlank(text[end]) == blank) ++end;
  if (!blank) {
    while (end < n && IsBlank(text[end])) ++end;
  }
}

bool Notify(HWND window, WORD code) {
  HWND parent = GetParent(window);
  if (parent != nullptr) {
    const auto id = static_cast<int>(GetWindowLongPtrA(window, GWLP_ID));
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(window));
  }
  return IsWindow(window) && StateOf(window) != nullptr;
}

bool ReplaceSelection(HWND window, std::string_view text, bool undoable, bool typed) {
  State* state = StateOf(window);
  const DWORD style = StyleOf(window);
  std::string insert = Cased(style, text);
  // One line only: what follows a line break stays out.
  if (const auto line_break = insert.find_first_of("\r\n"); line_break != std::string::npos) {
    insert.resize(line_break);
  }
  const int start = state->SelStart();
  const int end = state->SelEnd();
  const long long room = static_cast<long long>(state->limit) -
                         static_cast<long long>(state->text.size() - (end - start));
  bool refused = false;
  if (static_cast<long long>(insert.size()) > room) {
    insert.resize(static_cast<std::size_t>(std::max(0LL, room)));
    refused = true;
  }
  std::string next = state->text;
  next.replace(start, end - start, insert);
  // Without ES_AUTOHSCROLL the text may not grow wider than the control.
  if ((style & ES_AUTOHSCROLL) == 0 && !insert.empty()) {
    while (!insert.empty() && !Fits(window, *state, ShownAs(style, next, state->password))) {
      insert.pop_back();
      next = state->text;
      next.replace(start, end - start, insert);
      refused = true;
    }
  }
  const bool changes = !insert.empty() || start != end;
  if (changes) {
    const bool continues_typing = typed && start == end && start == state->typing_at;
    if (!undoable) {
      state->can_undo = false;
    } else if (!continues_typing) {
      state->undo = {state->text, state->anchor, state->caret};
      state->can_undo = true;
    }
    state->text = std::move(next);
    state->anchor = state->caret = start + static_cast<int>(insert.size());
    state->typing_at = typed ? state->caret : -1;
    state->modified = true;
    state->measured = false;
    Refresh(window, *state);
  }
  if (refused) {
    if (typed) MessageBeep(MB_OK);
    if (!Notify(window, EN_MAXTEXT)) return changes;
  }
  if (changes) NotifyChange(window);
  return changes;
}

bool Undo(HWND window) {
  State* state = StateOf(window);
  if (!state->can_undo) return false;
  std::swap(state->text, state->undo.text);
  std::swap(state->anchor, state->undo.anchor);
  std::swap(state->caret, state->undo.caret);
  state->typing_at = -1;
  state->modified = true;
  state->measured = false;
  Refresh(window, *state);
  NotifyChange(window);
  return true;
}

void SetText(HWND window, const char* text) {
  State* state = StateOf(window);
  state->text = Cased(StyleOf(window), text != nullptr ? text : "");
  state->anchor = state->caret = 0;
  state->scroll = 0;
  state->modified = false;
  state->can_undo = false;
  state->typing_at = -1;
  state->measured = false;
  Refresh(window, *state);
  // A multi-line edit does not tell its owner that its text was set.
  if ((StyleOf(window) & ES_MULTILINE) == 0) NotifyChange(window);
}

}  // namespace controls::edit
