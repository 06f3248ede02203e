// Embedded resources and the string table, over a small set embedded into this
// test (tests/CMakeLists.txt): "TestData" and the empty RCDATA 7, "Greeting"
// of the text type "Custom", and resources_test/strings.txt.
#include <cstring>
#include <string>
#include <tuple>

#include <gtest/gtest.h>
#include <platform/api.h>

namespace {

const std::string kGreeting("TPF0 embedded bytes\x00\xff\x01", 22);

std::string Bytes(HRSRC found) {
  HMODULE module = GetModuleHandleA(nullptr);
  const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(data, SizeofResource(module, found));
}

TEST(Resources, ModuleHandleIsOneForAnyName) {
  HMODULE module = GetModuleHandleA(nullptr);
  EXPECT_NE(module, nullptr);
  EXPECT_EQ(GetModuleHandleA("tavrion"), module);
}

TEST(Resources, FindsNamesAndTypesInAnyLetterCase) {
  const std::tuple<const char*, LPCSTR, std::string> cases[] = {
      {"TestData", RT_RCDATA, kGreeting},
      {"TESTDATA", RT_RCDATA, kGreeting},
      {"testdata", MAKEINTRESOURCEA(10), kGreeting},
      {"tEsTdAtA", "#10", kGreeting},
      {"greeting", "CUSTOM", kGreeting},
      {"GREETING", "custom", kGreeting},
      {MAKEINTRESOURCEA(7), RT_RCDATA, ""},
      {"#7", RT_RCDATA, ""},
  };
  for (const auto& [name, type, bytes] : cases) {
    SCOPED_TRACE(IS_INTRESOURCE(name) ? "id" : name);
    HRSRC found = FindResourceA(GetModuleHandleA(nullptr), name, type);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(Bytes(found), bytes);
    EXPECT_NE(LockResource(LoadResource(nullptr, found)), nullptr);
    EXPECT_EQ(FreeResource(LoadResource(nullptr, found)), FALSE);
  }
}

TEST(Resources, MissingNameOrTypeSetsItsError) {
  const std::tuple<LPCSTR, LPCSTR, DWORD> cases[] = {
      {"NoSuchForm", RT_RCDATA, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"TestDat", RT_RCDATA, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"Greeting", RT_RCDATA, ERROR_RESOURCE_NAME_NOT_FOUND},
      {MAKEINTRESOURCEA(8), RT_RCDATA, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"TestData", RT_VERSION, ERROR_RESOURCE_TYPE_NOT_FOUND},
      {"TestData", "OTHER", ERROR_RESOURCE_TYPE_NOT_FOUND},
  };
  for (const auto& [name, type, error] : cases) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(FindResourceA(nullptr, name, type), nullptr);
    EXPECT_EQ(GetLastError(), error);
  }
}

TEST(Resources, ForeignModuleAndResourceAreRefused) {
  int other;
  HMODULE foreign = &other;
  EXPECT_EQ(FindResourceA(foreign, "TestData", RT_RCDATA), nullptr);
  HRSRC found = FindResourceA(nullptr, "TestData", RT_RCDATA);
  EXPECT_EQ(LoadResource(foreign, found), nullptr);
  EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(&other)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
}

TEST(Resources, LoadStringCopiesCutsAndTerminates) {
  const std::string russian = std::string("Частота\nимпульсов"_cp1251);
  const struct {
    UINT id;
    int buffer_max;
    int length;
    std::string text;
  } cases[] = {
      {1, 64, 12, "Hello, world"}, {1, 13, 12, "Hello, world"},
      {1, 12, 11, "Hello, worl"},  {1, 1, 0, ""},
      {2, 64, 17, russian},        {2, 8, 7, russian.substr(0, 7)},
      {65535, 64, 5, "\\last"},    {3, 64, 0, ""},  // absent
      {65534, 64, 0, ""},
  };
  for (const auto& c : cases) {
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(LoadStringA(nullptr, c.id, buffer, c.buffer_max), c.length) << c.id;
    EXPECT_EQ(std::string(buffer), c.text) << c.id << " into " << c.buffer_max;
  }
}

TEST(Resources, LoadStringWithoutRoomTouchesNothing) {
  char buffer[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(LoadStringA(nullptr, 1, buffer, 0), 0);
  EXPECT_EQ(buffer[0], 'x');
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 3, buffer, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

}  // namespace
