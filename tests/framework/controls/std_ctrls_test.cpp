// The standard controls on a form on the headless host, driven by injected
// input: when an edit's OnChange and a button's or check box's OnClick fire,
// what an edit keeps when its window is made again, the keys a form hands to
// its buttons, the sizes that follow the font, and a form's border.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <platform/codepage.h>

#include "framework/controls/buttons.h"
#include "framework/controls/edit.h"
#include "framework/controls/group_box.h"
#include "framework/controls/label.h"
#include "platform/gdi/font_engine.h"
#include "tests/support/fw_application.h"
#include "tests/support/rect.h"

namespace {

// Read from std_form.form.
class TStdForm : public TForm {
  TAVRION_CLASS(TStdForm, TForm)

 public:
  using TForm::TForm;
  void Edit1Change(TObject*) { ++edit_changes; }
  TEdit* Edit1 = nullptr;
  int edit_changes = 0;
};

TAVRION_CLASS_INFO(TStdForm, "Tests") {
  c.Field<&TStdForm::Edit1>("Edit1");
  c.Method<&TStdForm::Edit1Change>("Edit1Change");
}

// Counts the events of a control and what the control showed inside them.
struct Recorder : TObject {
  int count = 0;
  std::vector<std::string> texts;
  std::vector<bool> checked;
  void Change(TObject* sender) {
    ++count;
    texts.push_back(static_cast<TControl*>(sender)->GetText());
  }
  void Click(TObject* sender) {
    ++count;
    if (auto* box = dynamic_cast<TCustomCheckBox*>(sender)) checked.push_back(box->Checked());
  }
};

class StdCtrls : public ApplicationTest {
 protected:
  StdCtrls() {
    form_->SetBounds(0, 0, 400, 300);
    form_->SetVisible(true);
    PumpMessages();
  }
  ~StdCtrls() override { gdi::PinFontFile({}); }
  template <typename T>
  T* Add(int left, int top, std::string_view text = {}) {
    auto* control = Construct<T>(form_);
    control->SetLeft(left);
    control->SetTop(top);
    if (!text.empty()) control->SetText(std::string(text));
    control->SetParent(form_);
    return control;
  }
  TEdit* AddEdit(int top, const std::string& text, Recorder& recorder) {
    auto* edit = Add<TEdit>(10, top, text);
    edit->OnChange = MethodOf<&Recorder::Change>(&recorder);
    return edit;
  }
  static void Press(UINT key) {
    PressKey(key);
    PumpMessages();
  }

  TForm* form_ = Construct<TForm>(Application, CreateNew);
};

TEST_F(StdCtrls, AnEditRaisesOnChangeOnlyForANewTextAndInsideTheAssignment) {
  Recorder recorder;
  TEdit* shown = AddEdit(10, "300", recorder);
  auto* hidden = Construct<TEdit>(form_);  // no window: the change comes from the text itself
  hidden->SetText("300");
  hidden->OnChange = MethodOf<&Recorder::Change>(&recorder);
  ASSERT_TRUE(shown->HandleAllocated());
  const struct {
    TEdit* edit;
    std::string text;
    int changes;
  } cases[] = {{shown, "300", 0},
               {shown, "0300", 1},
               {shown, "0300", 0},
               {hidden, "300", 0},
               {hidden, "0300", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE((c.edit == shown ? "shown " : "no window ") + c.text);
    recorder = Recorder{};
    c.edit->SetText(c.text);
    // Counted before anything else runs: the event came inside SetText.
    EXPECT_EQ(recorder.count, c.changes);
    if (c.changes > 0) {
      EXPECT_EQ(recorder.texts.back(), c.text);
    }
  }
  hidden->Free();
}

TEST_F(StdCtrls, EveryEditByTheUserRaisesOneChange) {
  Recorder recorder;
  TEdit* edit = AddEdit(10, "", recorder);
  ClickOn(edit);
  ASSERT_TRUE(edit->Focused());
  host::Headless().SetClipboard("45");
  const struct {
    const char* what;
    const char* typed;  // else the key, with `held` down around it
    UINT key, held;
    int changes;
    const char* text;
  } steps[] = {{"typing", "12", 0, 0, 2, "12"},
               {"deleting", "", VK_BACK, 0, 1, "1"},
               {"pasting", "", 'V', VK_CONTROL, 1, "145"},
               {"a key that changes nothing", "", VK_LEFT, 0, 0, "145"}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    recorder = Recorder{};
    host::Headless().Type(step.typed);
    if (step.key != 0) PressKey(step.key, step.held);
    PumpMessages();
    EXPECT_EQ(recorder.count, step.changes);
    EXPECT_EQ(edit->GetText(), step.text);
  }
}

TEST_F(StdCtrls, AnEditsStyleReachesItsWindowAndItsStateOutlivesANewOne) {
  Recorder recorder;
  TEdit* edit = AddEdit(10, "ABC", recorder);
  edit->SetFocus();
  PumpMessages();
  // Each style stays through the windows the later ones make.
  const struct {
    const char* what;
    std::function<void()> set;
    bool new_window;
    int index;
    LONG bit;
    bool on;
    int max_length;
    bool modified;
  } steps[] = {
      {"CharCase", [&] { edit->SetCharCase(ecUpperCase); }, true, GWL_STYLE, ES_UPPERCASE, true, 5,
       true},
      {"ReadOnly", [&] { edit->SetReadOnly(true); }, false, GWL_STYLE, ES_READONLY, true, 6, false},
      {"HideSelection", [&] { edit->SetHideSelection(false); }, true, GWL_STYLE, ES_NOHIDESEL, true,
       7, false},
      {"PasswordChar", [&] { edit->SetPasswordChar('*'); }, false, GWL_STYLE, ES_PASSWORD, true, 8,
       true},
      {"OEMConvert", [&] { edit->SetOEMConvert(true); }, true, GWL_STYLE, ES_OEMCONVERT, true, 9,
       true},
      {"BorderStyle", [&] { edit->SetBorderStyle(bsNone); }, true, GWL_EXSTYLE, WS_EX_CLIENTEDGE,
       false, 10, false},
  };
  LONG style = 0;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    edit->SetMaxLength(step.max_length);
    edit->SetModified(step.modified);
    const HWND before = edit->Handle();
    step.set();
    const HWND after = edit->Handle();
    step.set();  // the same value again changes nothing
    EXPECT_EQ(edit->Handle(), after);
    EXPECT_EQ(after != before, step.new_window);
    EXPECT_EQ((GetWindowLongA(after, step.index) & step.bit) != 0, step.on);
    if (step.index == GWL_STYLE) style |= step.bit;
    EXPECT_EQ(GetWindowLongA(after, GWL_STYLE) & style, style);
    EXPECT_EQ(SendMessageA(after, EM_GETLIMITTEXT, 0, 0), step.max_length);
    EXPECT_EQ(edit->Modified(), step.modified);
    EXPECT_EQ(SendMessageA(after, EM_GETPASSWORDCHAR, 0, 0), edit->PasswordChar());
    EXPECT_EQ(edit->GetText(), "ABC");
    EXPECT_TRUE(edit->Focused());
  }
  EXPECT_EQ(recorder.count, 0);
}

TEST_F(StdCtrls, ClickingACheckBoxRaisesOnClickWithTheNewState) {
  Recorder recorder;
  auto* box = Add<TCheckBox>(10, 10, "Стимулировать непрерывно"_cp1251);
  box->OnClick = MethodOf<&Recorder::Click>(&recorder);
  ClickOn(box);
  EXPECT_EQ(recorder.checked, (std::vector<bool>{true}));
  EXPECT_TRUE(box->Focused());
  ClickOn(box);
  EXPECT_EQ(recorder.checked, (std::vector<bool>{true, false}));
  EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Press(VK_SPACE);
  EXPECT_EQ(recorder.checked, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(StdCtrls, SettingAStateFromCodeClicksOnlyOnAChange) {
  Recorder recorder;
  auto* box = Add<TCheckBox>(10, 10, "x");
  box->OnClick = MethodOf<&Recorder::Click>(&recorder);
  const struct {
    bool through_checked;  // else through State
    TCheckBoxState state;
    int clicks;
  } steps[] = {{true, cbChecked, 1}, {true, cbChecked, 0},   {false, cbGrayed, 1},
               {false, cbGrayed, 0}, {true, cbUnchecked, 1}, {true, cbUnchecked, 0}};
  for (const auto& step : steps) {
    recorder = Recorder{};
    if (step.through_checked) {
      box->SetChecked(step.state == cbChecked);
    } else {
      box->SetState(step.state);
    }
    EXPECT_EQ(recorder.count, step.clicks) << step.state;
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), step.state);
  }
  // Toggling runs unchecked, (grayed when allowed,) checked, unchecked.
  box->SetAllowGrayed(true);
  std::vector<TCheckBoxState> seen;
  for (int i = 0; i < 3; ++i) {
    box->Toggle();
    seen.push_back(box->State());
  }
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
}

TEST_F(StdCtrls, ClicksEnterAndEscapeReachTheButtonsTheFormHandsThemTo) {
  TEdit* edit = Add<TEdit>(10, 10, "1");
  Recorder default_clicks, other_clicks, cancel_clicks;
  auto* default_button = Add<TButton>(10, 50, "OK");
  default_button->SetDefault(true);
  default_button->OnClick = MethodOf<&Recorder::Click>(&default_clicks);
  auto* other = Add<TButton>(100, 50, "Стимулировать"_cp1251);
  other->SetModalResult(7);
  other->OnClick = MethodOf<&Recorder::Click>(&other_clicks);
  auto* cancel = Add<TButton>(190, 50, "Cancel");
  cancel->SetCancel(true);
  cancel->OnClick = MethodOf<&Recorder::Click>(&cancel_clicks);
  const struct {
    TWinControl* focus;
    UINT key;  // 0: a click on the other button
    int default_count, other_count, cancel_count;
  } cases[] = {{edit, VK_RETURN, 1, 0, 0},
               {edit, 0, 0, 1, 0},
               {other, VK_RETURN, 0, 1, 0},
               {edit, VK_ESCAPE, 0, 0, 1},
               {other, VK_ESCAPE, 0, 0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE((c.focus == edit ? "edit " : "other ") + std::to_string(c.key));
    c.focus->SetFocus();
    PumpMessages();
    default_clicks = Recorder{};
    other_clicks = Recorder{};
    cancel_clicks = Recorder{};
    if (c.key != 0) {
      Press(c.key);
    } else {
      ClickOn(other);  // focuses it and clicks once
      EXPECT_TRUE(other->Focused());
      EXPECT_EQ(form_->ModalResult(), 7);
    }
    EXPECT_EQ(default_clicks.count, c.default_count);
    EXPECT_EQ(other_clicks.count, c.other_count);
    EXPECT_EQ(cancel_clicks.count, c.cancel_count);
    // Only the button that answers Enter looks like the default one.
    EXPECT_EQ(GetWindowLongA(default_button->Handle(), GWL_STYLE) & 0xF,
              static_cast<LONG>(edit->Focused() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
  }
}

TEST_F(StdCtrls, AcceleratorsClickToggleAndFocus) {
  Recorder clicks, toggles, edits;
  auto* button = Add<TButton>(10, 10, "&Go");
  button->OnClick = MethodOf<&Recorder::Click>(&clicks);
  auto* box = Add<TCheckBox>(10, 40, "&Непрерывно"_cp1251);
  box->OnClick = MethodOf<&Recorder::Click>(&toggles);
  TEdit* edit = AddEdit(70, "", edits);
  auto* label = Add<TLabel>(10, 100, "&Частота"_cp1251);
  label->SetFocusControl(edit);
  const struct {
    unsigned char key;
    int clicks, toggles;
    TWinControl* focused;
  } cases[] = {{'g', 1, 0, nullptr},
               {0xED /* н */, 0, 1, box},
               {0xD7 /* Ч */, 0, 0, edit},
               {'x', 0, 0, nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.key));
    clicks = Recorder{};
    toggles = Recorder{};
    const LRESULT handled = form_->Perform(CM_DIALOGCHAR, c.key, 0);
    EXPECT_EQ(handled != 0, c.key != 'x');
    EXPECT_EQ(clicks.count, c.clicks);
    EXPECT_EQ(toggles.count, c.toggles);
    if (c.focused != nullptr) {
      EXPECT_TRUE(c.focused->Focused());
    }
  }
}

TEST_F(StdCtrls, TheMainFormsFontGivesTheStoredHeights) {
  // The bitmap face's own strike (nothing pinned) or an outline face in its
  // place: the 13-pixel cell makes the edits 21 high, as the form stores
  // them, and the labels 13.
  for (const char* file : {"", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                           "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"}) {
    SCOPED_TRACE(file);
    gdi::PinFontFile(file);
    TEdit* edit = Add<TEdit>(10, 10);
    auto* label = Add<TLabel>(10, 40, "Частота"_cp1251);
    EXPECT_EQ(edit->Height(), 21);
    EXPECT_EQ(label->Height(), 13);
    edit->Free();
    label->Free();
  }
}

TEST_F(StdCtrls, AnEditsHeightFollowsItsFont) {
  TEdit* edit = Add<TEdit>(10, 10);
  edit->Font()->SetHeight(-20);
  EXPECT_EQ(edit->Height(), 32);  // the font's 24 and the borders
  edit->SetAutoSize(false);
  edit->Font()->SetHeight(-11);
  EXPECT_EQ(edit->Height(), 32);  // no longer follows
}

TEST_F(StdCtrls, ALabelTakesTheSizeOfItsCaption) {
  auto* label = Add<TLabel>(100, 10);
  // One line 13 high, also when empty; the edge the alignment names stays.
  const struct {
    TAlignment alignment;
    std::string_view caption;
    RECT bounds;
  } steps[] = {{taLeftJustify, "Частота"_cp1251, {100, 10, 142, 23}},
               {taLeftJustify, "Частота (имп/с)"_cp1251, {100, 10, 182, 23}},
               {taRightJustify, "Задержка стимуляции (сек)"_cp1251, {41, 10, 182, 23}},
               {taRightJustify, "", {179, 10, 182, 23}}};
  for (const auto& step : steps) {
    SCOPED_TRACE(std::string(step.caption));
    label->SetAlignment(step.alignment);
    label->SetCaption(std::string(step.caption));
    EXPECT_EQ(label->BoundsRect(), step.bounds);
  }
}

TEST_F(StdCtrls, ALabelPaintsItsColourAndPlacesItsTextByLayout) {
  auto* label = Add<TLabel>(20, 20, "Частота"_cp1251);
  label->SetAutoSize(false);
  label->SetBounds(20, 20, 100, 40);
  label->SetColor(0x0000FF);
  // The rows with ink (any pixel that is not the label's colour), top and bottom.
  const auto ink_rows = [&] {
    InvalidateRect(form_->Handle(), nullptr, TRUE);
    UpdateWindow(form_->Handle());
    const HDC dc = GetDC(form_->Handle());
    int top = -1, bottom = -1;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 100; ++x) {
        if (GetPixel(dc, 20 + x, 20 + y) == 0x0000FF) continue;
        if (top < 0) top = y;
        bottom = y;
        break;
      }
    }
    ReleaseDC(form_->Handle(), dc);
    return std::pair{top, bottom};
  };
  const struct {
    TTextLayout layout;
    int min_top, max_bottom;
  } cases[] = {{tlTop, 0, 13}, {tlCenter, 13, 27}, {tlBottom, 27, 39}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.layout));
    label->SetLayout(c.layout);
    const auto [top, bottom] = ink_rows();
    EXPECT_GE(top, c.min_top);
    EXPECT_LE(bottom, c.max_bottom);
    EXPECT_GT(bottom, top);
  }
  // Over a green surface: an opaque label covers it, a transparent one not.
  label->SetCaption("");
  for (const bool transparent : {false, true}) {
    label->SetTransparent(transparent);
    UpdateWindow(form_->Handle());  // the change's own repaint, background and all
    const HDC dc = GetDC(form_->Handle());
    const RECT area{20, 20, 120, 60};
    const HBRUSH green = CreateSolidBrush(0x00FF00);
    FillRect(dc, &area, green);
    DeleteObject(green);
    InvalidateRect(form_->Handle(), &area, FALSE);
    UpdateWindow(form_->Handle());
    EXPECT_EQ(GetPixel(dc, 70, 40), transparent ? 0x00FF00u : 0x0000FFu) << transparent;
    ReleaseDC(form_->Handle(), dc);
  }
}

TEST_F(StdCtrls, AGroupBoxDrawsItsFrameHalfWayDownItsCaption) {
  auto* box = Add<TGroupBox>(10, 10, "амплитуда"_cp1251);
  UpdateWindow(box->Handle());
  const HDC dc = GetDC(box->Handle());
  const int line = 5;  // the shadow line of the frame's top, half the caption down
  EXPECT_EQ(GetPixel(dc, 2, line), ResolveColor(clBtnShadow));
  EXPECT_EQ(GetPixel(dc, 2, line + 1), ResolveColor(clBtnHighlight));
  EXPECT_EQ(GetPixel(dc, 0, 50), ResolveColor(clBtnShadow));
  // The caption's background covers the line from x = 8.
  EXPECT_NE(GetPixel(dc, 8, line), ResolveColor(clBtnShadow));
  ReleaseDC(box->Handle(), dc);
}

TEST_F(StdCtrls, AFormsBorderStyleGivesItsWindowStyles) {
  constexpr DWORD kStyles =
      WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  constexpr DWORD kBoxes = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  const struct {
    TFormBorderStyle border;
    DWORD style, ex_style;
  } cases[] = {
      {TFormBorderStyle::bsNone, WS_POPUP, 0},
      {TFormBorderStyle::bsSingle, WS_CAPTION | kBoxes, 0},
      {TFormBorderStyle::bsSizeable, WS_CAPTION | WS_THICKFRAME | kBoxes, 0},
      {TFormBorderStyle::bsDialog, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME},
      {TFormBorderStyle::bsToolWindow, WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW},
      {TFormBorderStyle::bsSizeToolWin, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, WS_EX_TOOLWINDOW},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.border));
    form_->SetBorderStyle(c.border);
    form_->SetClientWidth(200);
    form_->SetClientHeight(100);
    const auto style = static_cast<DWORD>(GetWindowLongA(form_->Handle(), GWL_STYLE));
    const auto ex_style = static_cast<DWORD>(GetWindowLongA(form_->Handle(), GWL_EXSTYLE));
    EXPECT_EQ(style & kStyles, c.style);
    EXPECT_EQ(ex_style & (WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW), c.ex_style);
    EXPECT_EQ(form_->ClientRect(), (RECT{0, 0, 200, 100}));
  }
}

TEST_F(StdCtrls, LoadingShowsWhatTheDefinitionSetsWithoutRunningHandlers) {
  auto* form = ShowNewForm<TStdForm>();
  ASSERT_NE(form->Edit1, nullptr);
  // The client size read before the border is the window's.
  RECT client{};
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client, (RECT{0, 0, 400, 300}));
  char shown[8] = {};
  GetWindowTextA(form->Edit1->Handle(), shown, sizeof shown);
  EXPECT_EQ(std::string(shown), "300");
  EXPECT_EQ(form->edit_changes, 0);  // read, made and shown without a change
  form->Edit1->SetText("400");
  EXPECT_EQ(form->edit_changes, 1);
}

}  // namespace
