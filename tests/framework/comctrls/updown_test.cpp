// The up-down on the headless host: the associate rules and their errors,
// the designed geometry beside the edit once the buttons are attached, the
// position and its changing events, and a person's click.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/comctrls/updown.h"
#include "framework/controls/edit.h"
#include "platform/headless.h"
#include "tests/support/class_infos.h"
#include "tests/support/control_sheet.h"
#include "tests/support/fw_objects.h"
#include "tests/support/rect.h"

namespace {

// An edit kept away from up-downs by its class name.
class TDBEdit : public TCustomEdit {
  TAVRION_CLASS(TDBEdit, TCustomEdit)

 public:
  using TCustomEdit::TCustomEdit;
};

TAVRION_CLASS_INFO(TDBEdit, "Tests") {}

// What the changing and click events saw.
struct EventLog : TObject {
  void Changing(TObject*, bool& allow) {
    calls.push_back("changing");
    if (refuse) allow = false;
  }
  void ChangingEx(TObject*, bool& allow, std::int16_t new_value, TUpDownDirection direction) {
    calls.push_back("ex " + std::to_string(new_value) + " " + std::to_string(direction) +
                    (allow ? "" : " refused"));
  }
  void Click(TObject*, TUDBtnType button) { calls.push_back("click " + std::to_string(button)); }
  void Listen(TUpDown* updown) {
    updown->OnChanging = MethodOf<&EventLog::Changing>(this);
    updown->OnChangingEx = MethodOf<&EventLog::ChangingEx>(this);
    updown->OnClick = MethodOf<&EventLog::Click>(this);
  }
  bool refuse = false;
  std::vector<std::string> calls;
};

class UpDowns : public testing::Test {
 protected:
  UpDowns() { host::Headless().Reset(); }
  ~UpDowns() override { FreeShownSheet(sheet_); }

  template <typename T>
  T* Add(const std::string& name, TWinControl* parent, RECT bounds) {
    auto* control = Construct<T>(sheet_);
    control->SetName(name);
    control->SetBounds(bounds.left, bounds.top, bounds.right, bounds.bottom);
    control->SetParent(parent);
    return control;
  }

  TSheet* sheet_ = MakeShownSheet(500, 200);
  EventLog log_;
};

TEST_F(UpDowns, AnAssociateTakenOrUnsuitableIsRefused) {
  auto* edit1 = Add<TEdit>("Edit1", sheet_, {10, 10, 97, 21});
  auto* edit2 = Add<TEdit>("Edit2", sheet_, {10, 40, 97, 21});
  auto* updown1 = Add<TUpDown>("UpDown1", sheet_, {107, 10, 17, 21});
  auto* updown2 = Add<TUpDown>("UpDown2", sheet_, {107, 40, 17, 21});
  updown1->SetAssociate(edit1);
  updown2->SetAssociate(edit2);
  EXPECT_EQ(RaisedMessage([&] { updown2->SetAssociate(edit1); }),
            "Edit1 is already associated with UpDown1");
  EXPECT_EQ(updown2->Associate(), edit2);

  auto* elsewhere = Construct<TSheet>(sheet_);
  elsewhere->SetParent(sheet_);
  const std::vector<std::pair<std::string, TWinControl*>> unsuitable = {
      {"an edit of another parent", Add<TEdit>("Far", elsewhere, {0, 0, 50, 21})},
      {"another up-down", updown1},
      {"an excluded class", Add<TDBEdit>("Data", sheet_, {10, 70, 97, 21})},
  };
  for (const auto& [name, candidate] : unsuitable) {
    SCOPED_TRACE(name);
    updown2->SetAssociate(candidate);
    EXPECT_EQ(updown2->Associate(), nullptr);
    updown2->SetAssociate(edit2);
  }

  edit1->Free();
  EXPECT_EQ(updown1->Associate(), nullptr);
}

TEST_F(UpDowns, TheEditKeepsItsDesignedBoundsWithTheButtonsBesideIt) {
  // The main form's delay field: a bordered edit whose border the buttons
  // cover by 2 pixels.
  const struct {
    const char* name;
    TBorderStyle border;
    TUDAlignButton align;
    bool windows_first;  // attached by the setter to existing windows
    LONG updown_left;
  } cases[] = {
      {"right, made with the window", bsNone, udRight, false, 197},
      {"left, made with the window", bsNone, udLeft, false, 59},
      {"right, attached to windows", bsNone, udRight, true, 197},
      {"left, attached to windows", bsNone, udLeft, true, 59},
      {"bordered, right, made with the window", bsSingle, udRight, false, 195},
      {"bordered, left, attached to windows", bsSingle, udLeft, true, 61},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto* box = Construct<TSheet>(sheet_);
    box->SetBounds(0, 0, 400, 100);
    if (c.windows_first) box->SetParent(sheet_);
    auto* edit = Add<TEdit>("", box, {100, 20, 97, 21});
    edit->SetBorderStyle(c.border);
    auto* updown = Add<TUpDown>("", box, {197, 20, 41, 21});
    updown->SetAlignButton(c.align);
    updown->SetAssociate(edit);
    if (!c.windows_first) box->SetParent(sheet_);
    ASSERT_TRUE(updown->HandleAllocated());
    EXPECT_EQ(edit->BoundsRect(), (RECT{100, 20, 197, 41}));
    EXPECT_EQ(updown->BoundsRect(), (RECT{c.updown_left, 20, c.updown_left + 41, 41}));
    box->Free();
  }
}

TEST_F(UpDowns, PositionAsksTheChangingEventsFirst) {
  const struct {
    const char* name;
    std::int16_t from, to;
    bool refuse;
    std::int16_t position;
    std::vector<std::string> calls;  // direction: 0 none, 1 up, 2 down
  } cases[] = {
      {"up within the range", 0, 30, false, 30, {"changing", "ex 30 1"}},
      {"down within the range", 30, 10, false, 10, {"changing", "ex 10 2"}},
      {"beyond Max going up has no direction", 0, 70, false, 60, {"changing", "ex 70 0"}},
      {"beyond Min going down has no direction", 0, -5, false, 0, {"changing", "ex -5 0"}},
      {"a step is measured from the clamped position", 70, 65, false, 60, {"changing", "ex 65 0"}},
      {"refused by OnChanging", 10, 20, true, 10, {"changing", "ex 20 1 refused"}},
      {"the same position asks nobody", 10, 10, false, 10, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto* updown = Add<TUpDown>("", sheet_, {10, 10, 17, 21});
    updown->SetMax(60);
    updown->SetPosition(c.from);
    log_.Listen(updown);
    log_.refuse = c.refuse;
    log_.calls.clear();
    updown->SetPosition(c.to);
    EXPECT_EQ(log_.calls, c.calls);
    EXPECT_EQ(updown->Position(), c.position);
    updown->Free();
  }
}

TEST_F(UpDowns, AClickOnAnArrowStepsThroughTheChangingEvents) {
  auto* edit = Add<TEdit>("", sheet_, {10, 10, 97, 21});
  auto* updown = Add<TUpDown>("", sheet_, {107, 10, 17, 30});
  updown->SetThousands(false);
  updown->SetMax(2000);
  updown->SetPosition(1234);
  updown->SetAssociate(edit);
  EXPECT_EQ(edit->GetText(), "1234");
  log_.Listen(updown);
  auto click_up = [&] {
    MoveMouseTo(updown->Handle(), updown->Width() / 2, updown->Height() / 4);
    host::Headless().Press();
    PumpMessages();
    host::Headless().Release();
    PumpMessages();
  };
  click_up();
  EXPECT_EQ(log_.calls, (std::vector<std::string>{"changing", "ex 1235 1", "click 0"}));
  EXPECT_EQ(updown->Position(), 1235);
  EXPECT_EQ(edit->GetText(), "1235");
  EXPECT_EQ(GetCapture(), nullptr);
  log_.calls.clear();
  log_.refuse = true;
  click_up();
  EXPECT_EQ(log_.calls, (std::vector<std::string>{"changing", "ex 1236 1 refused"}));
  EXPECT_EQ(updown->Position(), 1235);
  EXPECT_EQ(edit->GetText(), "1235");
}

TEST(ComCtrlsClassInfo, EveryClassInfoBuilds) {
  ExpectEveryClassInfoBuilds();
}

}  // namespace
