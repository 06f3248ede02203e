// The control core on the headless host: the text rule, windows made when
// needed and their z-order, reflection of child notifications, tab order,
// showing, the exception guard, graphic children painted at their place,
// and the keys and bounds a form's controls meet.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/controls/buttons.h"
#include "framework/controls/graphic_control.h"
#include "framework/controls/handle_exception.h"
#include "framework/rtl/exceptions.h"
#include "platform/headless.h"
#include "tests/support/class_infos.h"
#include "tests/support/fw_application.h"
#include "tests/support/fw_objects.h"
#include "tests/support/rect.h"
#include "tests/support/test_window.h"

namespace {

std::vector<std::string> log_lines;

// The messages the log keeps, by name.
std::string Describe(UINT msg) {
  static const std::map<UINT, std::string> names = {{WM_SETTEXT, "WM_SETTEXT"},
                                                    {CM_TEXTCHANGED, "CM_TEXTCHANGED"},
                                                    {CN_COMMAND, "CN_COMMAND"},
                                                    {WM_COMMAND, "WM_COMMAND"}};
  const auto it = names.find(msg);
  return it != names.end() ? it->second : "";
}

// A container that logs what reaches its default handling.
class TBox : public TCustomControl {
  TAVRION_CLASS(TBox, TCustomControl)

 public:
  explicit TBox(TComponent* owner) : TCustomControl(owner) {
    control_style_.Include(csAcceptsControls);
    SetBounds(0, 0, 200, 100);
  }
  void DefaultHandler(TMessage& message) override {
    if (!Describe(message.Msg).empty())
      log_lines.push_back(Name() + " default " + Describe(message.Msg));
    TCustomControl::DefaultHandler(message);
  }
};

// A windowed control that logs its messages and can be made to fail.
class TField : public TWinControl {
  TAVRION_CLASS(TField, TWinControl)

 public:
  explicit TField(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 50, 20);
    SetTabStop(true);
  }
  void WndProc(TMessage& message) override {
    if (!Describe(message.Msg).empty()) log_lines.push_back(Name() + " " + Describe(message.Msg));
    if (message.Msg == WM_USER && fail) throw Exception("handler failed");
    TWinControl::WndProc(message);
  }
  bool fail = false;
};

// Fills itself with its colour.
class TSwatch : public TGraphicControl {
  TAVRION_CLASS(TSwatch, TGraphicControl)

 public:
  using TGraphicControl::TGraphicControl;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect({-50, -50, 500, 500});
  }
};

// Wants the arrows as its own, and Enter through CM_WANTSPECIALKEY.
class TKeen : public TWinControl {
  TAVRION_CLASS(TKeen, TWinControl)

 public:
  using TWinControl::TWinControl;

 protected:
  void WMGetDlgCode(TMessage& message) { message.Result = DLGC_WANTARROWS; }
  void CMWantSpecialKey(TMessage& message) { message.Result = message.WParam == VK_RETURN; }
};

// Takes the Z key from its controls and notes every key it was offered.
class TKeyTaker : public TForm {
  TAVRION_CLASS(TKeyTaker, TForm)

 public:
  explicit TKeyTaker(TComponent* owner) : TForm(owner, CreateNew) {}
  bool WantChildKey(TControl*, TMessage& message) override {
    offered.push_back(message.WParam);
    return message.WParam == 'Z';
  }
  std::vector<WPARAM> offered;
};

TAVRION_CLASS_INFO(TBox, "Tests") {}
TAVRION_CLASS_INFO(TKeyTaker, "Tests") {}
TAVRION_CLASS_INFO(TKeen, "Tests") {
  c.Message<WM_GETDLGCODE>(&TKeen::WMGetDlgCode);
  c.Message<CM_WANTSPECIALKEY>(&TKeen::CMWantSpecialKey);
}
TAVRION_CLASS_INFO(TField, "Tests") {
  PublishWinControlProperties(c);
}
TAVRION_CLASS_INFO(TSwatch, "Tests") {}

class Controls : public testing::Test {
 protected:
  Controls() {
    log_lines.clear();
    host_ = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, 0, 0, 300, 200);
    box_ = Construct<TBox>(nullptr);
    box_->SetName("Box");
    box_->SetParentWindow(host_);
  }
  ~Controls() override {
    box_->Free();
    ResetTestWindows();
  }
  TField* AddField(const std::string& name, TWinControl* parent = nullptr) {
    auto* field = Construct<TField>(box_);
    field->SetName(name);
    field->SetParent(parent != nullptr ? parent : box_);
    return field;
  }

  HWND host_;
  TBox* box_;
};

TEST_F(Controls, TextIsSetOnlyWhenItDiffersExactly) {
  TField* field = AddField("Field");
  auto* swatch = Construct<TSwatch>(box_);
  swatch->SetName("Swatch");
  const struct {
    TControl* control;
    bool window;
  } cases[] = {{field, false}, {field, true}, {swatch, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control->Name() + (c.window ? " with a window" : ""));
    if (c.window) static_cast<TWinControl*>(c.control)->HandleNeeded();
    c.control->SetText("abc");
    log_lines.clear();
    c.control->SetText("abc");
    EXPECT_TRUE(log_lines.empty());
    c.control->SetText("ABC");
    EXPECT_EQ(c.control->GetText(), "ABC");
    if (c.control == field) {
      EXPECT_EQ(log_lines, (std::vector<std::string>{"Field WM_SETTEXT", "Field CM_TEXTCHANGED"}));
    }
  }
}

TEST_F(Controls, AWindowTakesTheTextItWasGivenBefore) {
  auto* field = Construct<TField>(box_);
  field->SetVisible(false);  // so showing makes no window
  field->SetParent(box_);
  field->SetText("before");
  EXPECT_FALSE(field->HandleAllocated());
  EXPECT_EQ(field->GetText(), "before");
  char text[16] = {};
  GetWindowTextA(field->Handle(), text, sizeof text);
  EXPECT_EQ(std::string(text), "before");
  field->SetText("after");
  GetWindowTextA(field->Handle(), text, sizeof text);
  EXPECT_EQ(std::string(text), "after");
}

TEST_F(Controls, WindowsAreMadeWhenNeededAndFoundByHandle) {
  TField* field = AddField("Field");
  EXPECT_TRUE(box_->HandleAllocated());  // shown in its parent window
  EXPECT_TRUE(field->HandleAllocated());
  EXPECT_EQ(FindControl(field->Handle()), field);
  EXPECT_EQ(FindControl(host_), nullptr);
  EXPECT_EQ(FindControl(nullptr), nullptr);
  EXPECT_EQ(GetParent(field->Handle()), box_->Handle());
  EXPECT_EQ(GetWindowLongPtrA(field->Handle(), GWL_ID),
            reinterpret_cast<LONG_PTR>(field->Handle()));  // a child without an id
  EXPECT_EQ(TControl::Perform(nullptr, WM_SETTEXT, 0, 0), 0);
}

TEST_F(Controls, WindowsLieInTheOrderOfTheListWhateverOrderTheyAreMadeIn) {
  for (const std::vector<int>& made : {std::vector{0, 1, 2}, {2, 0, 1}, {1, 2, 0}}) {
    std::vector<TField*> fields;
    for (int i = 0; i < 3; ++i) {
      fields.push_back(Construct<TField>(box_));
      fields.back()->SetVisible(false);  // no window until shown below
      fields.back()->SetParent(box_);
    }
    for (int i : made) fields[static_cast<std::size_t>(i)]->SetVisible(true);
    std::vector<HWND> z_order;
    for (HWND w = GetWindow(box_->Handle(), GW_CHILD); w != nullptr;
         w = GetWindow(w, GW_HWNDNEXT)) {
      z_order.push_back(w);
    }
    EXPECT_EQ(z_order,
              (std::vector<HWND>{fields[0]->Handle(), fields[1]->Handle(), fields[2]->Handle()}))
        << made[0] << made[1] << made[2];
    for (TField* field : fields) field->Free();
  }
}

TEST_F(Controls, AChildsCommandComesBackToItAsCnCommand) {
  TField* field = AddField("Field");
  const HWND stranger = MakeWindow(WS_CHILD, 0, 0, 10, 10, box_->Handle());
  const struct {
    HWND from;
    std::vector<std::string> log;
  } cases[] = {
      {field->Handle(), {"Field CN_COMMAND"}},
      {stranger, {"Box default WM_COMMAND"}},
  };
  for (const auto& c : cases) {
    log_lines.clear();
    SendMessageA(box_->Handle(), WM_COMMAND, MAKEWPARAM(1, 0x300),
                 reinterpret_cast<LPARAM>(c.from));
    EXPECT_EQ(log_lines, c.log);
  }
}

TEST_F(Controls, TabOrderIsClampedToTheList) {
  std::vector<TField*> fields;
  for (int i = 0; i < 16; ++i) fields.push_back(AddField("F" + std::to_string(i)));
  const struct {
    std::int16_t order;
    std::int16_t expected;
  } cases[] = {{99, 15}, {-1, 0}, {5, 5}};
  for (const auto& c : cases) {
    fields[7]->SetTabOrder(c.order);
    EXPECT_EQ(fields[7]->TabOrder(), c.expected) << c.order;
  }
  EXPECT_EQ(box_->FindNextControl(fields[15], true, true, false), fields[0]);
  fields[0]->SetEnabled(false);
  EXPECT_EQ(box_->FindNextControl(fields[15], true, true, false), fields[1]);
}

TEST_F(Controls, HidingAContainerHidesItsChildrensWindowsOnly) {
  auto* inner = Construct<TBox>(box_);
  inner->SetName("Inner");
  inner->SetParent(box_);
  TField* field = AddField("Field", inner);
  ASSERT_TRUE(IsWindowVisible(field->Handle()));
  inner->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(inner->Handle()));
  EXPECT_FALSE(IsWindowVisible(field->Handle()));
  EXPECT_TRUE(field->Visible());
  inner->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(field->Handle()));
}

TEST_F(Controls, AFailingHandlerGoesToTheApplicationAndTheControlStaysUsable) {
  TField* field = AddField("Field");
  struct Reporter : TObject {
    std::vector<std::string> reported;
    void Report(TObject* sender) {
      const std::string message = RaisedMessage([] { throw; });  // the one being handled
      reported.push_back(static_cast<TComponent*>(sender)->Name() + ": " + message);
    }
  } reporter;
  ApplicationHandleException = MethodOf<&Reporter::Report>(&reporter);
  field->fail = true;
  SendMessageA(field->Handle(), WM_USER, 0, 0);
  ApplicationHandleException = {};
  EXPECT_EQ(reporter.reported, (std::vector<std::string>{"Field: handler failed"}));
  field->fail = false;
  field->SetText("still here");
  EXPECT_EQ(field->GetText(), "still here");
}

TEST_F(Controls, AGraphicChildPaintsAtItsPlaceAndWithinItsSize) {
  auto* swatch = Construct<TSwatch>(box_);
  swatch->SetBounds(10, 20, 30, 40);
  swatch->SetColor(0x0000FF);
  swatch->SetParent(box_);
  UpdateWindow(box_->Handle());
  const HDC dc = GetDC(box_->Handle());
  const struct {
    int x, y;
    bool inside;
  } points[] = {{10, 20, true}, {39, 59, true}, {9, 20, false}, {40, 20, false}, {10, 60, false}};
  for (const auto& p : points) {
    EXPECT_EQ(GetPixel(dc, p.x, p.y) == 0x0000FF, p.inside) << p.x << "," << p.y;
  }
  ReleaseDC(box_->Handle(), dc);
}

using FormControls = ApplicationTest;

TEST_F(FormControls, KeysAreOfferedToTheFormFirstAndDialogKeysUnlessTheControlWantsThem) {
  auto* form = ShowNewForm<TKeyTaker>();
  auto* keen = Construct<TKeen>(form);
  keen->SetParent(form);
  auto* next = Construct<TField>(form);
  next->SetParent(form);
  auto* cancel = Construct<TButton>(form);
  cancel->SetCancel(true);
  cancel->SetParent(form);
  EventCounter cancels;
  cancel->OnClick = MethodOf<&EventCounter::Count>(&cancels);
  // Tab moves on, Escape reaches the cancel button; the rest stay with keen.
  const struct {
    WPARAM key;
    LRESULT handled;
    TWinControl* focused;
    int cancels;
  } cases[] = {{VK_TAB, 1, next, 0},
               {VK_LEFT, 0, keen, 0},
               {VK_RETURN, 0, keen, 0},
               {VK_ESCAPE, 1, keen, 1},
               {'A', 0, keen, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    keen->SetFocus();
    PumpMessages();
    cancels.count = 0;
    EXPECT_EQ(keen->Perform(CN_KEYDOWN, c.key, 0), c.handled);
    PumpMessages();
    EXPECT_TRUE(c.focused->Focused());
    EXPECT_EQ(cancels.count, c.cancels);
  }
  for (const WPARAM key : {WPARAM{'Z'}, WPARAM{'A'}})
    SendMessageA(keen->Handle(), WM_KEYDOWN, key, 0);
  EXPECT_EQ(form->offered, (std::vector<WPARAM>{'Z', 'A'}));
}

TEST_F(FormControls, BoundsSetWhileMinimisedAreTheRestoredOnes) {
  for (const TWindowState state : {wsNormal, wsMinimized}) {
    SCOPED_TRACE(static_cast<int>(state));
    TForm* form = ShowNewForm();
    form->SetWindowState(state);
    ASSERT_EQ(IsIconic(form->Handle()) != 0, state == wsMinimized);
    const RECT bounds{40, 50, 340, 250};
    form->SetBounds(40, 50, 300, 200);
    EXPECT_EQ(form->BoundsRect(), bounds);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ASSERT_TRUE(GetWindowPlacement(form->Handle(), &placement));
    EXPECT_EQ(placement.rcNormalPosition, bounds);
    form->SetWindowState(wsNormal);
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(window, bounds);
    EXPECT_EQ(form->BoundsRect(), bounds);
  }
}

TEST(ClassInformation, EveryDeclaredClassBuilds) {
  ExpectEveryClassInfoBuilds();
  EXPECT_NE(GetPropInfo(&TField::StaticClass(), "TabOrder"), nullptr);
  EXPECT_EQ(GetPropInfo(&TField::StaticClass(), "Color")->PropType()->Name, "TColor");
}

TEST_F(Controls, AControlCannotBeItsOwnParent) {
  EXPECT_EQ(RaisedMessage<EInvalidOperation>([&] { box_->SetParent(box_); }),
            "A control cannot have itself as its parent");
  const auto orphan = Make<TField>(nullptr);
  orphan->SetName("Orphan");
  EXPECT_EQ(RaisedMessage<EInvalidOperation>([&] { orphan->HandleNeeded(); }),
            "Control 'Orphan' has no parent window");
}

}  // namespace
