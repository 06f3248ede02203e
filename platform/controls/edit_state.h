// The single-line "EDIT" control's state, kept behind a pointer in the
// window's extra bytes, and the pieces its files share.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <platform/windows.h>

namespace controls::edit {

// Where the state pointer sits in the extra bytes.
inline constexpr int kStateOffset = 0;
// The limit before EM_LIMITTEXT, and the one EM_LIMITTEXT 0 sets.
inline constexpr int kDefaultLimit = 32767;
inline constexpr int kLargestLimit = 0x7FFFFFFE;
inline constexpr char kDefaultPasswordChar = '*';

// The text and selection as they were before the last change, for undo.
struct Snapshot {
  std::string text;
  int anchor = 0;
  int caret = 0;
};

struct State {
  std::string text;  // code page 1251
  // The selection runs between the anchor and the caret, either way round.
  int anchor = 0;
  int caret = 0;
  int limit = kDefaultLimit;
  bool modified = false;
  char password = 0;
  HFONT font = nullptr;  // null: the system font
  int left_margin = 0;
  int right_margin = 0;
  int scroll = 0;  // pixels of text scrolled off to the left
  bool focused = false;
  bool selecting = false;  // the left button drags a selection
  Snapshot undo;
  bool can_undo = false;
  // Where the caret stood after the last typed character, so that a run of
  // typing undoes as one; -1 after anything else.
  int typing_at = -1;

  // Pixel offsets of each character boundary in the shown text (size + 1),
  // and the line's height; measured again after a change of text or font.
  std::vector<int> offsets;
  int line_height = 0;
  bool measured = false;

  int SelStart() const { return anchor < caret ? anchor : caret; }
  int SelEnd() const { return anchor < caret ? caret : anchor; }
  bool HasSelection() const { return anchor != caret; }
};

State* StateOf(HWND window);
DWORD StyleOf(HWND window);

// Text (edit_text.cpp).

// The text as shown: with ES_PASSWORD, the password character for each one.
std::string ShownAs(DWORD style, std::string_view text, char password);
std::string Shown(HWND window, const State& state);
// The case the style asks for, applied to text about to go in.
std::string Cased(DWORD style, std::string_view text);
// Where Ctrl+Left and Ctrl+Right go from `at`.
int PreviousWordStart(std::string_view text, int at);
int NextWordStart(std::string_view text, int at);
// The word under `at` with the blanks after it, or the run of blanks there.
void WordAt(std::string_view text, int at, int& start, int& end);

// Sends WM_COMMAND with the code to the parent; false when the window did not
// survive it.
bool Notify(HWND window, WORD code);
// Takes the selection out and puts `text` in (cut to the limit, which sends
// EN_MAXTEXT and beeps when `typed`), remembering the old text for undo, then
// sends EN_UPDATE and EN_CHANGE. False when nothing changed.
bool ReplaceSelection(HWND window, std::string_view text, bool undoable, bool typed);
// Puts the last change back (and keeps what it replaced, so a second undo
// redoes it). False when there is nothing to undo.
bool Undo(HWND window);
// WM_SETTEXT: all the text replaced, no undo, not modified, caret at the
// start; EN_UPDATE and EN_CHANGE even when the text is the same.
void SetText(HWND window, const char* text);

// Layout and painting (edit_paint.cpp).

// The rectangle the text lies in: the client area without the margins.
RECT FormatRect(HWND window, State& state);
// Measures the shown text again when it changed.
void Measure(HWND window, State& state);
// Whether `text` as shown fits the format rectangle (no ES_AUTOHSCROLL).
bool Fits(HWND window, State& state, std::string_view shown);
// The character boundary nearest to a client x.
int CharFromX(HWND window, State& state, int x);
// The client x of a character boundary.
int XOfChar(HWND window, State& state, int index);
// After a change of text, selection or size: scrolls the caret into view,
// moves the caret and asks for a repaint.
void Refresh(HWND window, State& state);
void Paint(HWND window);
void MakeCaret(HWND window, State& state);
// A font's text metrics on the screen; the line's height and its average
// character width.
void FontMetrics(HFONT font, int& height, int& average_width);

}  // namespace controls::edit
