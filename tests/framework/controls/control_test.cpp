// The control core on the headless host: the text rule, windows made when
// needed, reflection of child notifications, tab order, showing, the
// exception guard, and graphic children painted at their place.
//
// Test ideas: a WM_COMMAND from a window that is no control; a tab order far
// beyond the list; hiding a container leaves the children's Visible alone;
// the text of a windowed control before and after its window exists.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/controls/graphic_control.h"
#include "framework/controls/handle_exception.h"
#include "framework/rtl/exceptions.h"
#include "platform/headless.h"
#include "tests/support/class_infos.h"
#include "tests/support/fw_objects.h"
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
    control_style_ |= csAcceptsControls;
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

// A form in miniature: it takes the dialog keys its controls leave.
class TMiniForm : public TBox {
  TAVRION_CLASS(TMiniForm, TBox)

 public:
  using TBox::TBox;
  bool IsForm() const override { return true; }
  void FocusControl(TWinControl* control) override { ::SetFocus(control->Handle()); }
  std::vector<WPARAM> dialog_keys;

 protected:
  void CMDialogKey(TMessage& message) {
    dialog_keys.push_back(static_cast<WPARAM>(message.WParam));
    message.Result = 1;
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

TAVRION_CLASS_INFO(TBox, "Tests") {}
TAVRION_CLASS_INFO(TMiniForm, "Tests") {
  c.Message<CM_DIALOGKEY>(&TMiniForm::CMDialogKey);
}
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

TEST_F(Controls, DialogKeysGoToTheFormUnlessTheControlWantsThem) {
  auto* form = Construct<TMiniForm>(nullptr);
  form->SetParentWindow(host_);
  auto* keen = Construct<TKeen>(form);
  keen->SetParent(form);
  const struct {
    WPARAM key;
    LRESULT handled;
  } cases[] = {{VK_TAB, 1}, {VK_LEFT, 0}, {VK_RETURN, 0}, {VK_ESCAPE, 1}, {'A', 0}};
  for (const auto& c : cases) {
    form->dialog_keys.clear();
    EXPECT_EQ(keen->Perform(CN_KEYDOWN, c.key, 0), c.handled) << c.key;
    EXPECT_EQ(form->dialog_keys.size(), static_cast<std::size_t>(c.handled)) << c.key;
  }
  form->Free();
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
