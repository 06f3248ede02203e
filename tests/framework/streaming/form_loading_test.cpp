// Reading a class's definitions from the program's resources, ancestors
// first, with Loaded run once for everything at the end.
#include <gtest/gtest.h>

#include "framework/streaming/form_loading.h"
#include "tests/support/fw_objects.h"
#include "tests/support/test_classes.h"

namespace {

using namespace test_classes;

// Reads its definitions while it is being made, as a form does: the
// most-derived class is in view and its member initialisers have run.
class TLoadingForm : public TTestForm {
  TAVRION_CLASS(TLoadingForm, TTestForm)

 public:
  using TTestForm::TTestForm;
  void AfterConstruction() override {
    TTestForm::AfterConstruction();
    InitInheritedComponent(this, &TControl::StaticClass());
  }
};

class TDerivedForm : public TLoadingForm {
  TAVRION_CLASS(TDerivedForm, TLoadingForm)

 public:
  using TLoadingForm::TLoadingForm;
  TControl* Edit3 = nullptr;
};

class TBrokenForm : public TLoadingForm {
  TAVRION_CLASS(TBrokenForm, TLoadingForm)

 public:
  using TLoadingForm::TLoadingForm;
};

// A class whose chain has no definition at all.
class TBareForm : public TControl {
  TAVRION_CLASS(TBareForm, TControl)

 public:
  using TControl::TControl;
};

TAVRION_CLASS_INFO(TLoadingForm, "Tests") {}
TAVRION_CLASS_INFO(TDerivedForm, "Tests") {
  c.Field<&TDerivedForm::Edit3>("Edit3");
}
TAVRION_CLASS_INFO(TBrokenForm, "Tests") {}
TAVRION_CLASS_INFO(TBareForm, "Tests") {}

TEST(InheritedForms, ReadWhileMadeAncestorsFirstThenLoadedOnceForEach) {
  RegisterColorIdents();
  events.clear();
  auto* owner = Construct<TControl>(nullptr);
  auto* form = Construct<TDerivedForm>(owner);
  EXPECT_EQ(form->Owner(), owner);
  EXPECT_EQ(form->left, 5);
  EXPECT_EQ(form->color, 0xFF);
  ASSERT_NE(form->Edit1, nullptr);
  EXPECT_EQ(form->Edit1->caption, "derived");
  ASSERT_NE(form->Edit2, nullptr);
  EXPECT_EQ(form->Edit2->buddy, form->Edit1);
  ASSERT_NE(form->Edit3, nullptr);  // set by the reader, not wiped by its initialiser
  EXPECT_EQ(form->Edit3->buddy, form->Edit2);
  EXPECT_EQ(form->ComponentCount(), 3);
  // Without a global lookup the root keeps no name.
  EXPECT_EQ(events,
            (std::vector<std::string>{"Loaded ", "Loaded Edit1", "Loaded Edit2", "Loaded Edit3"}));
  EXPECT_EQ(GlobalLoadedList(), nullptr);
  owner->Free();
}

TEST(InheritedForms, NoDefinitionInTheChain) {
  auto* form = Construct<TBareForm>(nullptr);
  EXPECT_FALSE(InitInheritedComponent(form, &TControl::StaticClass()));
  EXPECT_EQ(GlobalLoadedList(), nullptr);
  form->Free();
}

TEST(InheritedForms, AFailingDefinitionRunsNoLoadedAndFreesTheForm) {
  events.clear();
  auto* owner = Construct<TControl>(nullptr);
  EXPECT_EQ(RaisedMessage<EReadError>([&] { Construct<TBrokenForm>(owner); }),
            "Error reading TBrokenForm.Nope: Property does not exist");
  EXPECT_EQ(GlobalLoadedList(), nullptr);
  // The form goes, and the ancestor's Edit1 with it; no Loaded ran.
  EXPECT_EQ(events, (std::vector<std::string>{"destroy ", "destroy Edit1"}));
  EXPECT_EQ(owner->ComponentCount(), 0);
  owner->Free();
}

TEST(ResourceStreams, ReadOnlyAndNamedWhenMissing) {
  EXPECT_EQ(RaisedMessage<EResNotFound>(
                [] { TResourceStream missing(GetModuleHandleA(nullptr), "TNOFORM", RT_RCDATA); }),
            "Resource TNOFORM not found");
  TResourceStream stream(GetModuleHandleA(nullptr), "ttestform", RT_RCDATA);
  char signature[4];
  EXPECT_EQ(stream.Read(signature, 4), 4);
  EXPECT_EQ(std::string(signature, 4), "TPF0");
  stream.Seek(0, soEnd);
  EXPECT_EQ(stream.Read(signature, 4), 0);
  EXPECT_EQ(RaisedMessage<EStreamError>([&] { stream.Write("x", 1); }),
            "Can't write to a read-only resource stream");
}

}  // namespace
