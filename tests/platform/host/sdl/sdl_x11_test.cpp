// The desktop host's X error handler, on a real X server (run by
// tests/support/on_xvfb.sh; skipped without a display).
#include "platform/host/sdl/sdl_x11.h"

#include <string>

#include <gtest/gtest.h>

// After the test framework: Xlib's macros (None, Bool ...) would break it.
#include <X11/Xlib.h>

namespace {

int Count(const std::string& text, const std::string& word) {
  int count = 0;
  for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++count;
  return count;
}

TEST(SdlX11, AnErrorIsReportedOnceAndTheProgramGoesOn) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) GTEST_SKIP() << "no X display";
  host::sdl::ReportX11ErrorsAndGoOn();
  // Requests for a window that does not exist, as for one that has just gone.
  const Window gone = 0x7ffffff;
  testing::internal::CaptureStderr();
  XMapWindow(display, gone);
  XMapWindow(display, gone);
  XRaiseWindow(display, gone);
  XSync(display, False);
  const std::string said = testing::internal::GetCapturedStderr();
  XCloseDisplay(display);
  EXPECT_EQ(Count(said, "\n"), 2) << said;
  EXPECT_EQ(Count(said, "X_MapWindow"), 1) << said;
  EXPECT_EQ(Count(said, "X_ConfigureWindow"), 1) << said;
  EXPECT_NE(said.find("BadWindow"), std::string::npos) << said;
}

}  // namespace
