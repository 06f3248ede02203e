// The window tree: parents, owners, ancestors, the z-order, coordinates
// between windows, and what lies under a point.
#include <string>

#include <platform/windows.h>

#include "tests/conformance/support/fixture.h"
#include "tests/conformance/support/pump.h"
#include "tests/conformance/support/wine.h"

namespace {

using conf::Named;

// A (100,100 200x150) with children C1 (10,10 50x40) and C2 (30,20 50x40,
// made later, so below C1: a new child goes to the bottom), C1 with a child
// G; P a pop-up owned by A; B a plain top-level window made last.
void Tree() {
  conf::Create("A", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150);
  conf::Create("C1", WS_CHILD | WS_VISIBLE, 10, 10, 50, 40, Named("A"));
  conf::Create("C2", WS_CHILD | WS_VISIBLE, 30, 20, 50, 40, Named("A"));
  conf::Create("G", WS_CHILD | WS_VISIBLE, 5, 5, 10, 10, Named("C1"));
  conf::Create("P", WS_POPUP | WS_VISIBLE, 500, 100, 50, 50, Named("A"));
  conf::Create("B", WS_POPUP | WS_VISIBLE, 600, 300, 50, 50);
  conf::PumpFor(30);
}

struct Relation {
  const char* name;
  HWND (*ask)();
  const char* answer;  // the name of the window it answers, "" for none
  const char* wine = nullptr;
};

class Relations : public conf::TableCase<Relation> {};

TEST_P(Relations, NameTheDesktopsWindow) {
  if (GetParam().wine != nullptr) KNOWN_WINE_DIFFERENCE(GetParam().wine);
  Tree();
  EXPECT_EQ(conf::NameOf(GetParam().ask()), GetParam().answer);
}

HWND At(const char* from, POINT client) {
  ClientToScreen(Named(from), &client);
  return WindowFromPoint(client);
}

const Relation kRelations[] = {
    {"ParentOfChild", [] { return GetParent(Named("C1")); }, "A"},
    {"ParentOfOwnedPopupIsTheOwner", [] { return GetParent(Named("P")); }, "A"},
    {"ParentOfTopLevel", [] { return GetParent(Named("B")); }, ""},
    {"AncestorParentOfPopupIsNotTheOwner",
     [] { return GetAncestor(Named("P"), GA_PARENT) == GetDesktopWindow() ? Named("A") : nullptr; },
     "A"},
    {"RootOfGrandchild", [] { return GetAncestor(Named("G"), GA_ROOT); }, "A"},
    {"RootOwnerOfPopup", [] { return GetAncestor(Named("P"), GA_ROOTOWNER); }, "A"},
    {"OwnerOfPopup", [] { return GetWindow(Named("P"), GW_OWNER); }, "A"},
    {"FirstChildIsTheFirstMade", [] { return GetWindow(Named("A"), GW_CHILD); }, "C1"},
    {"NextSiblingBelow", [] { return GetWindow(Named("C1"), GW_HWNDNEXT); }, "C2"},
    {"LastSibling", [] { return GetWindow(Named("C2"), GW_HWNDNEXT); }, ""},
    {"PointInAChild",
     [] {
       return At("A", {12, 12});
     },
     "C1"},
    {"PointWhereChildrenOverlapTakesTheUpper",
     [] {
       return At("A", {40, 30});
     },
     "C1"},
    {"PointInAGrandchild",
     [] {
       return At("C1", {7, 7});
     },
     "G"},
    {"PointBesideChildren",
     [] {
       return At("A", {190, 140});
     },
     "A"},
    {"PointInAHiddenChildTakesWhatIsBelow",
     [] {
       ShowWindow(Named("C1"), SW_HIDE);
       return At("A", {40, 30});
     },
     "C2"},
    {"ChildFromPointOnlyOneLevel",
     [] {
       return ChildWindowFromPoint(Named("A"), {16, 16});
     },
     "C1"},
    {"ChildFromPointOutsideAnswersNothing",
     [] {
       return ChildWindowFromPoint(Named("A"), {500, 500});
     },
     ""},
    {"ChildFromPointBesideChildrenAnswersTheParent",
     [] {
       return ChildWindowFromPoint(Named("A"), {190, 140});
     },
     "A"},
};

INSTANTIATE_TEST_SUITE_P(Tree, Relations, testing::ValuesIn(kRelations), conf::RowName{});

// Coordinates between windows.
struct Mapping {
  const char* name;
  const char* from;
  const char* to;  // "" for the screen
  POINT in, out;
};

class Coordinates : public conf::TableCase<Mapping> {};

TEST_P(Coordinates, MapByTheClientOrigins) {
  Tree();
  const Mapping& m = GetParam();
  POINT p = m.in;
  MapWindowPoints(Named(m.from), m.to[0] != '\0' ? Named(m.to) : nullptr, &p, 1);
  EXPECT_EQ(p.x, m.out.x);
  EXPECT_EQ(p.y, m.out.y);
}

const Mapping kMappings[] = {
    {"ChildToScreen", "C1", "", {1, 2}, {111, 112}},
    {"GrandchildToScreen", "G", "", {0, 0}, {115, 115}},
    {"GrandchildToTop", "G", "A", {1, 1}, {16, 16}},
    {"SiblingToSibling", "C1", "C2", {0, 0}, {-20, -10}},
    {"TopToChild", "A", "C2", {30, 20}, {0, 0}},
};

INSTANTIATE_TEST_SUITE_P(Tree, Coordinates, testing::ValuesIn(kMappings), conf::RowName{});

}  // namespace
