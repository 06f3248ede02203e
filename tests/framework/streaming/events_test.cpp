// Typed events made in code and called, and messages dispatched through the
// classes' message tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/streaming/class_info.h"
#include "framework/streaming/component.h"

namespace {

std::vector<std::string> heard;

class TBase : public TComponent {
  TAVRION_CLASS(TBase, TComponent)

 public:
  using TComponent::TComponent;
  void DefaultHandler(TMessage& message) override {
    heard.push_back("default " + std::to_string(message.Msg));
  }
  void Ten(TMessage& message) {
    heard.push_back("base 10");
    message.Result = 1;
  }
  void Changing(TObject*, bool& allow) { allow = false; }
  void WndProc(TMessage& message) { Dispatch(message); }
};

class TMiddle : public TBase {
  TAVRION_CLASS(TMiddle, TBase)

 public:
  using TBase::TBase;
  void Ten(TMessage& message) {
    heard.push_back("middle 10");
    Inherited(message);
  }
  void Twenty(TMessage&) { heard.push_back("middle 20"); }
  void Thirty(TMessage& message) {
    heard.push_back("middle 30");
    Inherited(message);
  }
};

class TLeaf : public TMiddle {
  TAVRION_CLASS(TLeaf, TMiddle)

 public:
  using TMiddle::TMiddle;
};

TAVRION_CLASS_INFO(TBase, "Tests") {
  c.Message<10>(&TBase::Ten);
}
TAVRION_CLASS_INFO(TMiddle, "Tests") {
  c.Message<30>(&TMiddle::Thirty);
  c.Message<10>(&TMiddle::Ten);
  c.Message<20>(&TMiddle::Twenty);
}
TAVRION_CLASS_INFO(TLeaf, "Tests") {}

TEST(Events, CallTheirMethodOrNothing) {
  TBase* base = Construct<TBase>(nullptr);
  bool allow = true;
  TEvent<void(TObject*, bool&)> changing;
  changing(base, allow);  // unassigned: nothing
  EXPECT_TRUE(allow);
  changing = MethodOf<&TBase::Changing>(base);
  changing(base, allow);
  EXPECT_FALSE(allow);  // the reference reached the caller's value

  heard.clear();
  const TEvent<void(TMessage&)> window_proc = MethodOf<&TBase::WndProc>(base);
  TMessage message{10};
  window_proc(message);
  EXPECT_EQ(heard, (std::vector<std::string>{"base 10"}));
  EXPECT_EQ(message.Result, 1);
  base->Free();
}

TEST(Events, MessagesGoToTheNearestClassThenUpAndElseToTheDefault) {
  TLeaf* leaf = Construct<TLeaf>(nullptr);
  const struct {
    std::uint32_t number;
    std::vector<std::string> heard;
  } cases[] = {
      {10, {"middle 10", "base 10"}},
      {20, {"middle 20"}},
      {30, {"middle 30", "default 30"}},  // no ancestor has it
      {40, {"default 40"}},
  };
  for (const auto& c : cases) {
    heard.clear();
    TMessage message{c.number};
    leaf->Dispatch(message);
    EXPECT_EQ(heard, c.heard) << c.number;
  }
  leaf->Free();
}

}  // namespace
