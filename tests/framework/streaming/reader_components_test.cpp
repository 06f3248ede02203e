// Loading a form definition into test classes: children, property paths,
// identifiers, events, references, the order of Loaded, and cleanup after a
// failure.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "framework/streaming/collection.h"
#include "framework/streaming/form_loading.h"
#include "framework/streaming/reader.h"
#include "tests/framework/streaming/form_bytes.h"
#include "tests/support/fw_objects.h"
#include "tests/support/test_classes.h"

namespace {

using namespace test_classes;

TComponent* other_root = nullptr;
TComponent* FindRoot(const std::string& name) {
  return other_root != nullptr && SameText(other_root->Name(), name) ? other_root : nullptr;
}

class Loading : public testing::Test {
 protected:
  Loading() {
    RegisterColorIdents();
    events.clear();
    other_root = nullptr;
    SetGlobalComponentLookup(FindRoot);
  }
  ~Loading() override {
    if (form != nullptr) form->Free();
    if (other_root != nullptr) other_root->Free();
    SetGlobalComponentLookup(nullptr);
  }

  // The form's header and own properties; children and ends follow.
  static FormBytes Header() {
    return std::move(FormBytes().Signature().Component("TTestForm", "Form1"));
  }

  std::string Load(const FormBytes& bytes) {
    TMemoryStream stream = bytes.Stream();
    return RaisedMessage([&] { ReadComponent(stream, form); });
  }

  TTestForm* form = Construct<TTestForm>(nullptr);
};

TEST_F(Loading, ChildrenPropertiesEventsAndReferences) {
  FormBytes bytes = Header();
  bytes.Prop("Left").Int(213).Prop("Color").Ident("clFace");
  bytes.Prop("Font.Name").String("MS Sans Serif").Prop("Font.Style").Set({"stItalic"}).End();
  bytes.Component("TControl", "Edit1").Prop("Caption").String("300");
  bytes.Prop("OnChange").Ident("editchange").Prop("Buddy").Ident("Edit2").End().End();
  bytes.Byte(0xF2).Int(4).Component("TControl", "Edit2").End().End();
  bytes.End();
  ASSERT_EQ(Load(bytes), "");

  EXPECT_EQ(form->Name(), "Form1");
  EXPECT_EQ(form->left, 213);
  EXPECT_EQ(form->color, 0x0F);
  EXPECT_EQ(form->font->name, "MS Sans Serif");
  EXPECT_TRUE(form->font->style.Contains(TStyle::stItalic));
  ASSERT_NE(form->Edit1, nullptr);
  ASSERT_NE(form->Edit2, nullptr);
  EXPECT_EQ(form->Edit1->caption, "300");
  EXPECT_EQ(form->Edit1->Owner(), form);
  EXPECT_EQ(form->Edit1->parent, form);
  EXPECT_EQ(form->Edit1->buddy, form->Edit2);  // named before Edit2 was read
  EXPECT_EQ(form->Edit1->on_change.Method().Data, form);
  form->Edit1->on_change(form->Edit1);
  EXPECT_EQ(events, (std::vector<std::string>{"order Edit2 4", "Loaded Form1", "Loaded Edit1",
                                              "Loaded Edit2", "change Edit1"}));
  EXPECT_FALSE(form->ComponentState().HasAny(csLoading | csReading));
  EXPECT_FALSE(form->Edit2->ComponentState().HasAny(csLoading | csReading));
}

TEST_F(Loading, GrandchildrenBelongToTheRootAndLoadAfterTheirParent) {
  FormBytes bytes = Header();
  bytes.End().Component("TControl", "Edit1").End();
  bytes.Component("TControl", "Edit2").End().End().End().End();
  ASSERT_EQ(Load(bytes), "");
  EXPECT_EQ(form->Edit2->Owner(), form);
  EXPECT_EQ(form->Edit2->parent, form->Edit1);
  EXPECT_EQ(events, (std::vector<std::string>{"Loaded Form1", "Loaded Edit2", "Loaded Edit1"}));
}

TEST_F(Loading, ValuesOfOtherKinds) {
  FormBytes bytes = Header();
  bytes.Prop("Wides").Set({"w3", "w35", "w31"});
  bytes.Prop("Letter").String("z").Prop("Align").Ident("STITALIC");
  bytes.Prop("Ratio").Int(3).Prop("Big").Byte(vaInt64).LittleEndian(std::int64_t{1} << 40);
  bytes.Prop("Extra").Byte(vaInt8).Byte(200);
  bytes.Prop("Caption").LString("long");
  bytes.Prop("Top").Int(7).Prop("Data").Binary("abc");
  bytes.Prop("Items").Byte(vaCollection);
  bytes.Int(0).Byte(vaList).Prop("Value").Int(5).End();
  bytes.Byte(vaList).Prop("Value").Int(-6).End().End();
  bytes.End().End();
  ASSERT_EQ(Load(bytes), "");
  EXPECT_EQ(form->wides.bits, (1u << 3) | (1u << 31));  // 35 is beyond the mask
  EXPECT_EQ(form->letter, 'z');
  EXPECT_EQ(form->align, TStyle::stItalic);
  EXPECT_EQ(form->ratio, 3.0L);
  EXPECT_EQ(form->big, std::int64_t{1} << 40);
  EXPECT_EQ(form->extra, Variant::Byte(200));
  EXPECT_EQ(form->caption, "long");
  EXPECT_EQ(form->DesignInfo(), 7 << 16);
  EXPECT_EQ(form->data, (std::vector<unsigned char>{'a', 'b', 'c'}));
  ASSERT_EQ(form->items->Count(), 2);
  EXPECT_EQ(static_cast<TItem*>(form->items->Items(1))->value, -6);
}

TEST_F(Loading, MissingReferencesWithAndWithoutARootName) {
  FormBytes bytes = Header();
  bytes.End().Component("TControl", "Edit1").Prop("Buddy").Ident("Nowhere").End().End();
  bytes.Component("TControl", "Edit2").Prop("Buddy").Ident("Other.Edit3").End().End().End();
  ASSERT_EQ(Load(bytes), "");
  EXPECT_EQ(form->Edit1->buddy, nullptr);
  EXPECT_EQ(form->Edit2->buddy, nullptr);
  EXPECT_EQ(GlobalFixupCount(), 1u);

  // The other root appears: the waiting reference is set.
  other_root = Construct<TControl>(nullptr);
  other_root->SetName("Other");
  auto* target = Construct<TControl>(other_root);
  target->SetName("Edit3");
  GlobalFixupReferences();
  EXPECT_EQ(form->Edit2->buddy, target);
  EXPECT_EQ(GlobalFixupCount(), 0u);
}

TEST_F(Loading, ReferencePathsFollowOwnersThroughDotsAndArrows) {
  // Sub owns Inner; the definition's Edit1 refers to them by path.
  auto* sub = Construct<TControl>(form);
  sub->SetName("Sub");
  auto* inner = Construct<TControl>(sub);
  inner->SetName("Inner");
  const struct {
    std::string path;
    TComponent* target;
  } cases[] = {
      {"Sub.Inner", inner},         {"sub->INNER", inner}, {"Owner.Sub", sub},
      {"Owner->Sub->Inner", inner}, {"Sub.Owner", sub},    {"Sub->Nowhere", nullptr},
  };
  for (const auto& c : cases) {
    if (form->Edit1 != nullptr) form->Edit1->Free();
    FormBytes bytes = Header();
    bytes.End().Component("TControl", "Edit1").Prop("Buddy").Ident(c.path).End().End().End();
    ASSERT_EQ(Load(bytes), "") << c.path;
    EXPECT_EQ(form->Edit1->buddy, c.target) << c.path;
  }
  EXPECT_EQ(GlobalFixupCount(), 0u);
}

TEST_F(Loading, ALaterReferenceReplacesAPendingOne) {
  const struct {
    std::string second;  // the later value of the same property
    std::size_t pending;
    std::string buddy;  // once Other appears with X and Y
  } cases[] = {{"Other.Y", 1, "Y"}, {"Edit2", 0, "Edit2"}};
  for (const auto& c : cases) {
    form->Free();
    form = Construct<TTestForm>(nullptr);
    FormBytes bytes = Header();
    bytes.End().Component("TControl", "Edit1").Prop("Buddy").Ident("Other.X");
    bytes.Prop("Buddy").Ident(c.second).End().End();
    bytes.Component("TControl", "Edit2").End().End().End();
    ASSERT_EQ(Load(bytes), "");
    EXPECT_EQ(GlobalFixupCount(), c.pending) << c.second;
    other_root = Construct<TControl>(nullptr);
    other_root->SetName("Other");
    for (const char* name : {"X", "Y"}) Construct<TControl>(other_root)->SetName(name);
    GlobalFixupReferences();
    ASSERT_NE(form->Edit1->buddy, nullptr) << c.second;
    EXPECT_EQ(form->Edit1->buddy->Name(), c.buddy);
    other_root->Free();
    other_root = nullptr;
  }
}

TEST_F(Loading, APendingReferenceGoesOnceThePropertyIsSetOrItsObjectIsFreed) {
  for (const bool set : {true, false}) {
    SCOPED_TRACE(set ? "set" : "freed");
    if (!set) {
      form->Free();
      form = Construct<TTestForm>(nullptr);
    }
    FormBytes bytes = Header();
    bytes.End().Component("TControl", "Edit1").Prop("Buddy").Ident("Other.X").End().End().End();
    ASSERT_EQ(Load(bytes), "");
    GlobalFixupReferences();  // no root named Other yet: kept
    EXPECT_EQ(GlobalFixupCount(), 1u);
    if (set) {
      form->Edit1->buddy = form;
      GlobalFixupReferences();
      EXPECT_EQ(form->Edit1->buddy, form);
    } else {
      form->Free();
      form = nullptr;
    }
    EXPECT_EQ(GlobalFixupCount(), 0u);
  }
}

TEST_F(Loading, NilClearsReferencesAndEvents) {
  form->buddy = form;
  form->on_change = MethodOf<&TTestForm::EditChange>(form);
  FormBytes bytes = Header();
  bytes.Prop("Buddy").Byte(vaNil).Prop("OnChange").Byte(vaNil).End().End();
  ASSERT_EQ(Load(bytes), "");
  EXPECT_EQ(form->buddy, nullptr);
  EXPECT_FALSE(form->on_change.Assigned());
}

TEST_F(Loading, AFailedLoadReleasesTheNameSpaceLock) {
  FormBytes bytes = Header();
  bytes.Prop("Nope").Int(1).End().End();
  ASSERT_NE(Load(bytes), "");
  std::promise<void> taken;
  std::thread other([&] {
    WriteLock lock(NameSpaceLock());
    taken.set_value();
  });
  const bool free =
      taken.get_future().wait_for(std::chrono::seconds(10)) == std::future_status::ready;
  if (free) {
    other.join();
  } else {
    other.detach();
  }
  EXPECT_TRUE(free);
}

TEST_F(Loading, RootNameIsMadeUnique) {
  other_root = Construct<TControl>(nullptr);
  other_root->SetName("Form1");
  FormBytes bytes = Header();
  bytes.End().End();
  ASSERT_EQ(Load(bytes), "");
  EXPECT_EQ(form->Name(), "Form1_1");
}

TEST_F(Loading, FailuresNameTheRecordAndLeaveOnlyWhatTheRootOwns) {
  const auto edit_with = [](const std::function<void(FormBytes&)>& property) {
    FormBytes bytes = Header();
    bytes.End().Component("TControl", "Edit2").End().End();  // read before the failure
    bytes.Component("TControl", "Edit1");
    property(bytes);
    bytes.End().End().End();
    return bytes;
  };
  const auto form_with = [](const std::function<void(FormBytes&)>& property) {
    FormBytes bytes = Header();
    property(bytes);
    bytes.End().End();
    return bytes;
  };
  const struct {
    FormBytes bytes;
    std::string error;
    int children;
  } cases[] = {
      {FormBytes().Raw("TPF1"), "Invalid stream format", 0},
      {form_with([](FormBytes& b) { b.Prop("Color").Ident("clNone"); }),
       "Error reading Form1.Color: Invalid property value", 0},
      {edit_with([](FormBytes& b) { b.Prop("OnChange").Ident("Missing"); }),
       "Error reading Edit1.OnChange: Invalid property value", 1},
      {edit_with([](FormBytes& b) { b.Prop("OnChange").Ident("EditChanging"); }),
       "Error reading Edit1.OnChange: Invalid property value", 1},  // another signature
      {form_with([](FormBytes& b) { b.Prop("Nope").Int(1); }),
       "Error reading Form1.Nope: Property does not exist", 0},
      {form_with([](FormBytes& b) { b.Prop("Left.X").Int(1); }),
       "Error reading Form1.Left.X: Invalid property path", 0},
      {form_with([](FormBytes& b) { b.Prop("Nope.X").Int(1); }),
       "Error reading Form1.Nope.X: Property does not exist", 0},
      {form_with([](FormBytes& b) { b.Prop("Font.").Int(1); }),
       "Error reading Form1.Font.: Property does not exist", 0},
      {form_with([](FormBytes& b) { b.Prop("ReadOnly").String("x"); }),
       "Error reading Form1.ReadOnly: Property is read-only", 0},
      {form_with([](FormBytes& b) { b.Prop("Ratio").Single(1.5f); }),
       "Error reading Form1.Ratio: Invalid property value", 0},
      {form_with([](FormBytes& b) { b.Prop("Letter").String("ab"); }),
       "Error reading Form1.Letter: Invalid property value", 0},
      {form_with([](FormBytes& b) { b.Prop("Align").Ident("stNone"); }),
       "Error reading Form1.Align: Invalid property value", 0},
      {form_with([](FormBytes& b) {
         b.Prop("Font.Style").Set({"stBold", "stNone", "stItalic"});
       }),
       "Error reading Form1.Font.Style: Invalid property value", 0},
      {form_with([](FormBytes& b) { b.Prop("Extra").Ident("x"); }),
       "Error reading Form1.Extra: Stream read error", 0},
      {std::move(Header().Prop("Left").Byte(vaInt16).Byte(1)),
       "Error reading Form1.Left: Stream read error", 0},
      {edit_with([](FormBytes& b) { b.Prop("Caption").String("a").End().Component("TNope", "X"); }),
       "Class TNope not found", 1},
      {edit_with([](FormBytes& b) {
         b.Prop("Caption").String("a").End().Byte(0xF1).Component("TControl", "Ghost");
       }),
       "Ancestor for 'Ghost' not found", 1},
      {edit_with([](FormBytes& b) { b.End().Component("TControl", "Edit2"); }),
       "A component named Edit2 already exists", 1},
  };
  for (const auto& c : cases) {
    if (form != nullptr) form->Free();
    form = Construct<TTestForm>(nullptr);
    events.clear();
    EXPECT_EQ(Load(c.bytes), c.error);
    EXPECT_EQ(form->ComponentCount(), c.children) << c.error;
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const std::string& e) { return e.rfind("Loaded", 0) == 0; }),
              0)
        << c.error;
  }
}

}  // namespace
