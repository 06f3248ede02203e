// Window classes: registration, lookup by name and atom, what a class gives
// its windows, and the global atom table behind class names.
#include <string>

#include <platform/kernel.h>
#include <platform/resources.h>
#include <platform/windows.h>

#include "tests/conformance/support/fixture.h"
#include "tests/conformance/support/wine.h"

namespace {

LRESULT Plain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

constexpr const char* kName = "ConformanceClass";

ATOM Register(const char* name = kName, int window_extra = 0) {
  WNDCLASSA info{};
  info.style = CS_DBLCLKS;
  info.lpfnWndProc = Plain;
  info.cbWndExtra = window_extra;
  info.hInstance = GetModuleHandleA(nullptr);
  info.lpszClassName = name;
  return RegisterClassA(&info);
}

HWND Make(LPCSTR cls) {
  return CreateWindowExA(0, cls, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// Every case starts with kName unregistered; rows register what they need.
class ClassCase : public conf::Case {
 protected:
  ~ClassCase() override {
    conf::ResetCase();
    UnregisterClassA(kName, GetModuleHandleA(nullptr));
  }
};

struct Call {
  const char* name;
  void (*arrange)();  // before the call
  BOOL (*call)();     // answers whether it succeeded
  bool succeeds;
  DWORD error;                 // the last error when it fails
  const char* wine = nullptr;  // why Wine answers otherwise
};

class ClassCall : public ClassCase, public testing::WithParamInterface<Call> {};

TEST_P(ClassCall, AnswersAsDocumented) {
  const Call& c = GetParam();
  if (c.wine != nullptr) KNOWN_WINE_DIFFERENCE(c.wine);
  if (c.arrange != nullptr) c.arrange();
  SetLastError(0xDEAD);
  EXPECT_EQ(c.call() != 0, c.succeeds);
  if (!c.succeeds) {
    EXPECT_EQ(GetLastError(), c.error);
  }
}

void RegisterOnce() {
  Register();
}

BOOL GetInfo(HINSTANCE module, LPCSTR name) {
  WNDCLASSA info{};
  return GetClassInfoA(module, name, &info);
}

const Call kCalls[] = {
    {"RegisterNew", nullptr, [] { return BOOL{Register() != 0}; }, true, 0},
    {"RegisterTwice", RegisterOnce, [] { return BOOL{Register() != 0}; }, false,
     ERROR_CLASS_ALREADY_EXISTS},
    {"RegisterTwiceOtherCase", RegisterOnce, [] { return BOOL{Register("CONFORMANCECLASS") != 0}; },
     false, ERROR_CLASS_ALREADY_EXISTS},
    {"RegisterSystemNameLocally", nullptr,
     [] {
       const BOOL ok = Register("Button") != 0;
       UnregisterClassA("Button", GetModuleHandleA(nullptr));
       return ok;
     },
     true, 0},
    {"UnregisterUnknown", nullptr,
     [] { return UnregisterClassA("NoSuchClass", GetModuleHandleA(nullptr)); }, false,
     ERROR_CLASS_DOES_NOT_EXIST},
    {"UnregisterRegistered", RegisterOnce,
     [] { return UnregisterClassA(kName, GetModuleHandleA(nullptr)); }, true, 0},
    {"UnregisterOtherCase", RegisterOnce,
     [] { return UnregisterClassA("conformanceclass", GetModuleHandleA(nullptr)); }, true, 0},
    {"UnregisterByAtom", nullptr,
     [] { return UnregisterClassA(MAKEINTATOM(Register()), GetModuleHandleA(nullptr)); }, true, 0},
    {"UnregisterWithWindow", [] { Make(MAKEINTATOM(Register())); },
     [] { return UnregisterClassA(kName, GetModuleHandleA(nullptr)); }, false,
     ERROR_CLASS_HAS_WINDOWS},
    {"UnregisterTwice",
     [] {
       Register();
       UnregisterClassA(kName, GetModuleHandleA(nullptr));
     },
     [] { return UnregisterClassA(kName, GetModuleHandleA(nullptr)); }, false,
     ERROR_CLASS_DOES_NOT_EXIST},
    {"InfoByName", RegisterOnce, [] { return GetInfo(GetModuleHandleA(nullptr), kName); }, true, 0},
    {"InfoOtherCase", RegisterOnce,
     [] { return GetInfo(GetModuleHandleA(nullptr), "CONFORMANCECLASS"); }, true, 0},
    {"InfoByAtom", nullptr,
     [] { return GetInfo(GetModuleHandleA(nullptr), MAKEINTATOM(Register())); }, true, 0},
    {"InfoUnknown", nullptr, [] { return GetInfo(GetModuleHandleA(nullptr), "NoSuchClass"); },
     false, ERROR_CLASS_DOES_NOT_EXIST},
    {"InfoAfterUnregister",
     [] {
       Register();
       UnregisterClassA(kName, GetModuleHandleA(nullptr));
     },
     [] { return GetInfo(GetModuleHandleA(nullptr), kName); }, false, ERROR_CLASS_DOES_NOT_EXIST},
    {"InfoSystemButton", nullptr, [] { return GetInfo(nullptr, "Button"); }, true, 0},
    {"InfoSystemEdit", nullptr, [] { return GetInfo(nullptr, "edit"); }, true, 0},
    {"CreateByName", RegisterOnce, [] { return BOOL{Make(kName) != nullptr}; }, true, 0},
    {"CreateByAtom", nullptr, [] { return BOOL{Make(MAKEINTATOM(Register())) != nullptr}; }, true,
     0},
    {"CreateOtherCase", RegisterOnce, [] { return BOOL{Make("conformanceCLASS") != nullptr}; },
     true, 0},
    {"CreateUnknown", nullptr, [] { return BOOL{Make("NoSuchClass") != nullptr}; }, false,
     ERROR_CANNOT_FIND_WND_CLASS, "CreateWindowExA of an unknown class sets 1411, not 1407"},
    {"CreateSystemButton", nullptr, [] { return BOOL{Make("button") != nullptr}; }, true, 0},
};

INSTANTIATE_TEST_SUITE_P(Classes, ClassCall, testing::ValuesIn(kCalls), conf::RowName{});

// What a window tells of its class, made under one spelling or another.
struct ClassView {
  const char* name;
  LPCSTR (*cls)(ATOM registered);
  const char* class_name;  // as GetClassNameA answers
};

class ClassOfWindow : public ClassCase, public testing::WithParamInterface<ClassView> {};

TEST_P(ClassOfWindow, KeepsTheRegisteredSpellingAndAtom) {
  const ATOM atom = Register(kName, 2 * sizeof(LONG_PTR));
  HWND window = Make(GetParam().cls(atom));
  ASSERT_NE(window, nullptr);
  char name[64] = {};
  EXPECT_EQ(GetClassNameA(window, name, sizeof name),
            static_cast<int>(std::string(GetParam().class_name).size()));
  EXPECT_STREQ(name, GetParam().class_name);
  if (std::string(GetParam().class_name) == kName) {
    EXPECT_EQ(GetClassLongPtrA(window, GCW_ATOM), atom);
    EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), static_cast<ULONG_PTR>(CS_DBLCLKS));
    EXPECT_EQ(GetClassLongPtrA(window, GCL_CBWNDEXTRA), 2 * sizeof(LONG_PTR));
    EXPECT_EQ(GetWindowLongPtrA(window, sizeof(LONG_PTR)), 0) << "extra bytes start zeroed";
  }
}

const ClassView kViews[] = {
    {"ByName", [](ATOM) { return kName; }, kName},
    {"ByOtherCase", [](ATOM) { return "CONFORMANCECLASS"; }, kName},
    {"ByAtom", [](ATOM atom) -> LPCSTR { return MAKEINTATOM(atom); }, kName},
    {"SystemButtonLowerCase", [](ATOM) { return "button"; }, "Button"},
    {"SystemEditUpperCase", [](ATOM) { return "EDIT"; }, "Edit"},
};

INSTANTIATE_TEST_SUITE_P(Classes, ClassOfWindow, testing::ValuesIn(kViews), conf::RowName{});

// Window extra bytes: inside cbWndExtra they keep what was set, past it the
// call fails with ERROR_INVALID_INDEX.
struct ExtraIndex {
  const char* name;
  int index;
  bool fits;
};

class WindowExtra : public ClassCase, public testing::WithParamInterface<ExtraIndex> {};

TEST_P(WindowExtra, KeepsValuesInsideOnly) {
  HWND window = Make(MAKEINTATOM(Register(kName, 8)));
  SetLastError(0);
  SetWindowLongA(window, GetParam().index, 0x1234);
  if (GetParam().fits) {
    EXPECT_EQ(GetWindowLongA(window, GetParam().index), 0x1234);
  } else {
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
  }
}

const ExtraIndex kExtraIndices[] = {
    {"First", 0, true},
    {"LastThatFits", 4, true},
    {"StraddlesTheEnd", 6, false},
    {"PastTheEnd", 8, false},
};

INSTANTIATE_TEST_SUITE_P(Classes, WindowExtra, testing::ValuesIn(kExtraIndices), conf::RowName{});

// The global atom table: names without letter case, counted references,
// "#number" and MAKEINTATOM for integer atoms.
struct AtomStep {
  const char* name;
  ATOM (*run)();  // answers the atom the table holds for the name afterwards
  bool present;
};

constexpr const char* kAtomName = "ConformanceAtomName";

class GlobalAtoms : public conf::Case, public testing::WithParamInterface<AtomStep> {
 protected:
  ~GlobalAtoms() override {
    while (ATOM atom = GlobalFindAtomA(kAtomName)) GlobalDeleteAtom(atom);
  }
};

TEST_P(GlobalAtoms, CountReferences) {
  EXPECT_EQ(GetParam().run() != 0, GetParam().present);
}

const AtomStep kAtomSteps[] = {
    {"AddThenFind",
     [] {
       const ATOM atom = GlobalAddAtomA(kAtomName);
       return ATOM(GlobalFindAtomA(kAtomName) == atom ? atom : 0);
     },
     true},
    {"FindOtherCase",
     [] {
       GlobalAddAtomA(kAtomName);
       return GlobalFindAtomA("conformanceatomname");
     },
     true},
    {"StringAtomsAreHigh", [] { return ATOM(GlobalAddAtomA(kAtomName) >= 0xC000 ? 1 : 0); }, true},
    {"SameAtomTwice",
     [] { return ATOM(GlobalAddAtomA(kAtomName) == GlobalAddAtomA(kAtomName) ? 1 : 0); }, true},
    {"DeleteAnswersZero",
     [] { return ATOM(GlobalDeleteAtom(GlobalAddAtomA(kAtomName)) == 0 ? 1 : 0); }, true},
    {"DeleteOnceOfTwo",
     [] {
       GlobalAddAtomA(kAtomName);
       GlobalDeleteAtom(GlobalAddAtomA(kAtomName));
       return GlobalFindAtomA(kAtomName);
     },
     true},
    {"DeleteBothOfTwo",
     [] {
       GlobalAddAtomA(kAtomName);
       const ATOM atom = GlobalAddAtomA(kAtomName);
       GlobalDeleteAtom(atom);
       GlobalDeleteAtom(atom);
       return GlobalFindAtomA(kAtomName);
     },
     false},
    {"FindUnknown", [] { return GlobalFindAtomA("NoSuchConformanceAtom"); }, false},
    {"NumberText", [] { return ATOM(GlobalAddAtomA("#123") == 123 ? 1 : 0); }, true},
    {"IntegerAtom", [] { return ATOM(GlobalAddAtomA(MAKEINTATOM(77)) == 77 ? 1 : 0); }, true},
    {"FindNumberText", [] { return ATOM(GlobalFindAtomA("#456") == 456 ? 1 : 0); }, true},
};

INSTANTIATE_TEST_SUITE_P(Classes, GlobalAtoms, testing::ValuesIn(kAtomSteps), conf::RowName{});

}  // namespace
