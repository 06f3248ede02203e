// Components: names and their checks, ownership, notifications, free
// notifications, destruction order, published fields filled by name.
#include <gtest/gtest.h>

#include "framework/streaming/component.h"
#include "tests/support/fw_objects.h"

namespace {

std::vector<std::string> events;

class TProbe : public TComponent {
  TAVRION_CLASS(TProbe, TComponent)

 public:
  explicit TProbe(TComponent* owner) : TComponent(owner) {}
  void Notification(TComponent* component, TOperation operation) override {
    events.push_back(Name() + (operation == opInsert ? " +" : " -") +
                     (component != nullptr ? component->Name() : "?"));
    TComponent::Notification(component, operation);
  }

 protected:
  ~TProbe() override { events.push_back("destroy " + Name()); }
};

class TOwnerForm : public TProbe {
  TAVRION_CLASS(TOwnerForm, TProbe)

 public:
  using TProbe::TProbe;
  TProbe* Edit1 = nullptr;
  TProbe* Edit2 = nullptr;
};

// An owner with a part of its own that its components call into as they
// go, as a parent control keeps its children: it destroys them at the end
// of its own destructor, while that part is still there.
class TKeeper : public TProbe {
  TAVRION_CLASS(TKeeper, TProbe)

 public:
  using TProbe::TProbe;
  virtual void Leave(TComponent* component) {
    std::erase(kept, component);
    events.push_back(component->Name() + " leaves, " + std::to_string(kept.size()) + " kept" +
                     (ComponentState().Has(csDestroying) ? " while destroying" : ""));
  }
  std::vector<TComponent*> kept;

 protected:
  ~TKeeper() override { DestroyComponents(); }
};

class TKept : public TComponent {
  TAVRION_CLASS(TKept, TComponent)

 public:
  TKept(TComponent* owner, TKeeper* keeper) : TComponent(owner), keeper_(keeper) {
    keeper_->kept.push_back(this);
  }

 protected:
  ~TKept() override { keeper_->Leave(this); }

 private:
  TKeeper* keeper_;
};

TAVRION_CLASS_INFO(TProbe, "Tests") {}
TAVRION_CLASS_INFO(TKeeper, "Tests") {}
TAVRION_CLASS_INFO(TKept, "Tests") {}
TAVRION_CLASS_INFO(TOwnerForm, "Tests") {
  c.Field<&TOwnerForm::Edit1>("Edit1");
  c.Field<&TOwnerForm::Edit2>("Edit2");
}

class Components : public testing::Test {
 protected:
  Components() {
    events.clear();
    form = Construct<TOwnerForm>(nullptr);
    form->SetName("Form");
  }
  ~Components() override {
    if (form != nullptr) form->Free();
  }
  TProbe* Add(const std::string& name) {
    auto* probe = Construct<TProbe>(form);
    probe->SetName(name);
    return probe;
  }

  TOwnerForm* form;
};

TEST_F(Components, NamesMustBeIdentifiersAndUniqueAmongSiblings) {
  TProbe* a = Add("Alpha");
  Add("Beta");
  const struct {
    std::string name;
    std::string error;
  } cases[] = {
      {"1abc", "''1abc'' is not a valid component name"},
      {"a-b", "''a-b'' is not a valid component name"},
      {"Beta", "A component named Beta already exists"},
      {"BETA", "A component named BETA already exists"},
      {"ALPHA", ""},  // itself in other letters
      {"_x9", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    a->SetName("Alpha");
    EXPECT_EQ(RaisedMessage([&] { a->SetName(c.name); }), c.error) << c.name;
    EXPECT_EQ(a->Name(), c.error.empty() ? c.name : "Alpha");
  }
  // Empty names never collide; the same name again does nothing at all.
  Add("");
  Add("");
  EXPECT_EQ(form->ComponentCount(), 4);
  a->SetName("Alpha");
  events.clear();
  a->SetName("Alpha");
  EXPECT_TRUE(events.empty());
}

TEST_F(Components, NamesAreFoundAndFillThePublishedFieldsOfTheOwner) {
  TProbe* probe = Add("Edit1");
  EXPECT_EQ(form->Edit1, probe);
  EXPECT_EQ(form->FindComponent("EDIT1"), probe);
  EXPECT_EQ(form->FindComponent(""), nullptr);
  EXPECT_EQ(form->FindComponent("Edit"), nullptr);
  probe->SetName("Edit2");
  EXPECT_EQ(form->Edit1, nullptr);
  EXPECT_EQ(form->Edit2, probe);
  probe->SetName("Other");
  EXPECT_EQ(form->Edit2, nullptr);
  probe->SetName("edit1");  // published names fold letter case too
  EXPECT_EQ(form->Edit1, probe);
  probe->Free();
  EXPECT_EQ(form->Edit1, nullptr);
}

TEST_F(Components, InsertionAndRemovalReachEveryOwnedComponent) {
  Add("A");
  Add("B");
  events.clear();
  TProbe* c = Add("");
  c->SetName("C");
  // The new component is whole when it is inserted: its own override hears
  // of its insertion too.
  EXPECT_EQ(events, (std::vector<std::string>{"Form +", "A +", "B +", " +"}));
  events.clear();
  form->RemoveComponent(c);
  EXPECT_EQ(events, (std::vector<std::string>{"Form -C", "A -C", "B -C", "C -C"}));
  EXPECT_EQ(c->Owner(), nullptr);
  c->Free();
}

TEST_F(Components, OwnerDestroysItsComponentsLastFirst) {
  Add("A");
  Add("B");
  Add("C");
  events.clear();
  form->Free();
  form = nullptr;
  EXPECT_EQ(events,
            (std::vector<std::string>{"destroy Form", "destroy C", "destroy B", "destroy A"}));
}

TEST(Destruction, ADerivedOwnerIsWholeWhileItsComponentsLeaveIt) {
  events.clear();
  auto* keeper = Construct<TKeeper>(nullptr);
  keeper->SetName("Keeper");
  Construct<TKept>(keeper, keeper)->SetName("A");
  Construct<TKept>(keeper, keeper)->SetName("B");
  events.clear();
  keeper->Free();
  EXPECT_EQ(events,
            (std::vector<std::string>{"B leaves, 1 kept while destroying",
                                      "A leaves, 0 kept while destroying", "destroy Keeper"}));
}

TEST_F(Components, FreeNotificationTellsTheOtherSideOfADestruction) {
  TOwnerForm* other_form = Construct<TOwnerForm>(nullptr);
  other_form->SetName("Other");
  auto* watcher = Construct<TProbe>(other_form);
  watcher->SetName("Watcher");
  TProbe* watched = Add("Watched");
  watched->FreeNotification(watcher);
  EXPECT_TRUE(watched->ComponentState().Has(csFreeNotification));
  events.clear();
  watched->Free();
  EXPECT_EQ(events.front(), "destroy Watched");
  EXPECT_NE(std::find(events.begin(), events.end(), "Watcher -Watched"), events.end());
  events.clear();
  other_form->Free();  // the watcher no longer knows the watched one
  EXPECT_EQ(std::find(events.begin(), events.end(), "Watcher -Watched"), events.end());
}

TEST_F(Components, IndexesAreChecked) {
  EXPECT_EQ(RaisedMessage([&] { form->Components(0); }), "List index out of bounds (0)");
  Add("A");
  TProbe* b = Add("B");
  TProbe* c = Add("C");
  EXPECT_EQ(RaisedMessage([&] { form->Components(3); }), "List index out of bounds (3)");
  EXPECT_EQ(RaisedMessage([&] { form->Components(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(form->Components(2), c);
  EXPECT_EQ(b->ComponentIndex(), 1);
}

TEST_F(Components, DestroyingSpreadsToOwnedComponents) {
  TProbe* a = Add("A");
  form->Destroying();
  EXPECT_TRUE(form->ComponentState().Has(csDestroying));
  EXPECT_TRUE(a->ComponentState().Has(csDestroying));
}

TEST_F(Components, AssigningUnrelatedObjectsFails) {
  TProbe* a = Add("A");
  EXPECT_EQ(RaisedMessage([&] { a->Assign(Add("B")); }), "Cannot assign a TProbe to a TProbe");
  EXPECT_THROW(a->Assign(nullptr), EConvertError);
}

}  // namespace
