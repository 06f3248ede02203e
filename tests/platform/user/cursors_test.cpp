// System cursors and icons: stable handles, never destroyed; the shown cursor.
#include <gtest/gtest.h>
#include <platform/windows.h>

#include "platform/user/cursors.h"

namespace {

TEST(Cursors, SystemCursorsHaveStableDistinctHandles) {
  const LPCSTR names[] = {IDC_ARROW,    IDC_IBEAM,    IDC_WAIT,        IDC_CROSS,  IDC_UPARROW,
                          IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE,      IDC_SIZENS, IDC_SIZEALL,
                          IDC_NO,       IDC_HAND,     IDC_APPSTARTING, IDC_HELP};
  std::vector<HCURSOR> seen;
  for (LPCSTR name : names) {
    HCURSOR cursor = LoadCursorA(nullptr, name);
    ASSERT_NE(cursor, nullptr) << reinterpret_cast<std::uintptr_t>(name);
    EXPECT_EQ(LoadCursorA(nullptr, name), cursor);
    EXPECT_EQ(user::SystemCursorId(cursor), reinterpret_cast<std::uintptr_t>(name));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), cursor), 0);
    seen.push_back(cursor);
  }
}

TEST(Cursors, UnknownNamesAndProgramResourcesGiveNothingYet) {
  EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(32761)), nullptr);
  EXPECT_EQ(LoadCursorA(nullptr, "ARROW"), nullptr);
  int marker = 0;
  EXPECT_EQ(LoadCursorA(reinterpret_cast<HINSTANCE>(&marker), IDC_ARROW), nullptr);
  EXPECT_EQ(LoadIconA(reinterpret_cast<HINSTANCE>(&marker), "MAINICON"), nullptr);
}

TEST(Cursors, SystemIconsAreNotCursors) {
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  ASSERT_NE(icon, nullptr);
  EXPECT_NE(icon, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(LoadIconA(nullptr, IDI_ERROR), LoadIconA(nullptr, IDI_HAND));
  EXPECT_EQ(user::SystemCursorId(icon), 32512);  // a host can tell which it is
  EXPECT_FALSE(DestroyCursor(icon));
}

TEST(Cursors, SetCursorReturnsThePreviousAndSystemCursorsStay) {
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  SetCursor(arrow);
  EXPECT_EQ(SetCursor(wait), arrow);
  EXPECT_EQ(GetCursor(), wait);
  EXPECT_TRUE(DestroyCursor(wait));
  EXPECT_EQ(LoadCursorA(nullptr, IDC_WAIT), wait);
  EXPECT_EQ(user::SystemCursorId(GetCursor()), 32514);
  EXPECT_EQ(SetCursor(nullptr), wait);  // no cursor shown
  EXPECT_EQ(GetCursor(), nullptr);
}

}  // namespace
