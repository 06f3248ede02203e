// System parameters a program sets, and the announcement of a change.
#include <gtest/gtest.h>

#include <vector>

#include <platform/headless.h>

#include "tests/support/message_log.h"
#include "tests/support/test_window.h"

namespace {

TEST(Parameters, AChangeIsAnnouncedToTopLevelWindowsOnlyWhenAsked) {
  host::Headless().Reset();
  MessageLog log;
  HWND first = MakeWindow(WS_OVERLAPPED, 0, 0, 100, 100);
  HWND second = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND child = MakeWindow(WS_CHILD, 0, 0, 10, 10, second);
  log.Name(first, "First");
  log.Name(second, "Second");
  log.Name(child, "Child");
  DrainMessages();
  const struct {
    UINT lines, flags;
    Sequence announced;
  } cases[] = {
      {5, 0, {}},
      {6, SPIF_UPDATEINIFILE, {}},
      {7, SPIF_SENDCHANGE, {"Second WM_SETTINGCHANGE w=0x69", "First WM_SETTINGCHANGE w=0x69"}},
  };
  for (const auto& c : cases) {
    log.Start();
    EXPECT_TRUE(SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, c.lines, nullptr, c.flags));
    EXPECT_TRUE(log.Saw(c.announced)) << c.lines;
    UINT lines = 0;
    EXPECT_TRUE(SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, c.lines);
  }
  EXPECT_FALSE(SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, nullptr, 0));
  ResetTestWindows();
  host::Headless().Reset();
}

}  // namespace
