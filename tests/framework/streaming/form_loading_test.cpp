// Reading a class's definitions from the program's resources, ancestors
// first, with Loaded run once for everything at the end.
#include <gtest/gtest.h>

#include "framework/streaming/form_loading.h"
#include "tests/support/test_classes.h"

namespace {

using namespace test_classes;

class TDerivedForm : public TTestForm {
  TAVRION_CLASS(TDerivedForm, TTestForm)

 public:
  using TTestForm::TTestForm;
};

// A class whose chain has no definition at all.
class TBareForm : public TControl {
  TAVRION_CLASS(TBareForm, TControl)

 public:
  using TControl::TControl;
};

class TBrokenForm : public TTestForm {
  TAVRION_CLASS(TBrokenForm, TTestForm)

 public:
  using TTestForm::TTestForm;
};

TAVRION_CLASS_INFO(TDerivedForm, "Tests") {}
TAVRION_CLASS_INFO(TBrokenForm, "Tests") {}
TAVRION_CLASS_INFO(TBareForm, "Tests") {}

TEST(InheritedForms, AncestorsFirstThenLoadedOnceForEach) {
  RegisterColorIdents();
  events.clear();
  auto* form = new TDerivedForm(nullptr);
  ASSERT_TRUE(InitInheritedComponent(form, &TControl::StaticClass()));
  EXPECT_EQ(form->left, 5);
  EXPECT_EQ(form->color, 0xFF);
  ASSERT_NE(form->Edit1, nullptr);
  EXPECT_EQ(form->Edit1->caption, "derived");
  ASSERT_NE(form->Edit2, nullptr);
  EXPECT_EQ(form->Edit2->buddy, form->Edit1);
  EXPECT_EQ(form->ComponentCount(), 2);
  // Without a global lookup the root keeps no name.
  EXPECT_EQ(events, (std::vector<std::string>{"Loaded ", "Loaded Edit1", "Loaded Edit2"}));
  EXPECT_EQ(GlobalLoadedList(), nullptr);
  form->Free();
}

TEST(InheritedForms, NoDefinitionInTheChain) {
  auto* form = new TBareForm(nullptr);
  EXPECT_FALSE(InitInheritedComponent(form, &TControl::StaticClass()));
  EXPECT_EQ(GlobalLoadedList(), nullptr);
  form->Free();
}

TEST(InheritedForms, AFailingDefinitionRunsNoLoadedAndRestoresTheList) {
  events.clear();
  auto* form = new TBrokenForm(nullptr);
  try {
    InitInheritedComponent(form, &TControl::StaticClass());
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Error reading TBrokenForm.Nope: Property does not exist");
  }
  EXPECT_EQ(GlobalLoadedList(), nullptr);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(form->ComponentCount(), 1);  // the ancestor's Edit1 stays with its owner
  form->Free();
}

TEST(ResourceStreams, ReadOnlyAndNamedWhenMissing) {
  try {
    TResourceStream missing(GetModuleHandleA(nullptr), "TNOFORM", RT_RCDATA);
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource TNOFORM not found");
  }
  TResourceStream stream(GetModuleHandleA(nullptr), "ttestform", RT_RCDATA);
  char signature[4];
  EXPECT_EQ(stream.Read(signature, 4), 4);
  EXPECT_EQ(std::string(signature, 4), "TPF0");
  stream.Seek(0, soEnd);
  EXPECT_EQ(stream.Read(signature, 4), 0);
  try {
    stream.Write("x", 1);
    FAIL();
  } catch (const EStreamError& e) {
    EXPECT_EQ(e.Message(), "Can't write to a read-only resource stream");
  }
}

}  // namespace
