// The clipboard calls over the host's clipboard (UTF-8 there, code page 1251
// for the program), and the global memory blocks that carry its data.
#include <cstring>
#include <string>

#include <gtest/gtest.h>
#include <platform/codepage.h>
#include <platform/headless.h>
#include <platform/kernel.h>

#include "tests/support/test_window.h"

namespace {

class Clipboard : public WindowTest {
 protected:
  static HGLOBAL Text(std::string_view text) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(data), std::string(text).c_str(), text.size() + 1);
    GlobalUnlock(data);
    return data;
  }

  HWND window_ = MakeWindow(WS_POPUP, 0, 0, 50, 50);
  HWND other_ = MakeWindow(WS_POPUP, 60, 0, 50, 50);
};

// The way to the host is Edit.TheClipboardGetsTheSelectionAsUtf8's.
TEST_F(Clipboard, TextComesBackInTheCodePageAndEmptyingDropsIt) {
  host::Headless().SetClipboard("Гц → Hz");  // the arrow is not in the code page
  ASSERT_TRUE(OpenClipboard(window_));
  HANDLE data = GetClipboardData(CF_TEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(data))), "Гц ? Hz"_cp1251);
  GlobalUnlock(data);
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  CloseClipboard();
}

TEST_F(Clipboard, OneWindowAtATimeAndOnlyWhileOpen) {
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  HGLOBAL refused = Text("x");  // stays the program's
  EXPECT_EQ(SetClipboardData(CF_TEXT, refused), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);
  EXPECT_EQ(GlobalFree(refused), nullptr);
  EXPECT_FALSE(CloseClipboard());

  ASSERT_TRUE(OpenClipboard(window_));
  EXPECT_TRUE(OpenClipboard(window_));  // the same window again
  EXPECT_FALSE(OpenClipboard(other_));
  EXPECT_TRUE(CloseClipboard());
  EXPECT_TRUE(OpenClipboard(other_));
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(Clipboard, GlobalBlocksKeepTheirSizeAndLocks) {
  HGLOBAL block = GlobalAlloc(GHND, 10);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalSize(block), 10u);
  EXPECT_EQ(GlobalLock(block), block);
  EXPECT_EQ(GlobalLock(block), block);
  EXPECT_TRUE(GlobalUnlock(block));  // still locked once
  SetLastError(ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  EXPECT_EQ(GlobalFree(block), nullptr);
  EXPECT_EQ(GlobalFree(block), block);  // gone already
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(GlobalLock(block), nullptr);
}

}  // namespace
