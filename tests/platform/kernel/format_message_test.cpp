// FormatMessageA: the system's texts by error code, with "\r\n", and the
// failures a caller falls back on.
#include <cstring>
#include <string>

#include <gtest/gtest.h>
#include <platform/kernel.h>

namespace {

constexpr DWORD kFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

TEST(FormatMessage, GivesTheSystemTextWithItsLength) {
  char text[256];
  const DWORD length =
      FormatMessageA(kFlags, nullptr, ERROR_NOT_ENOUGH_MEMORY, 0, text, sizeof text, nullptr);
  EXPECT_EQ(std::string(text), "Not enough storage is available to process this command.\r\n");
  EXPECT_EQ(length, std::strlen(text));
}

TEST(FormatMessage, FailsWithTheReason) {
  struct Case {
    DWORD flags, code, size, error;
  };
  const Case cases[] = {
      {kFlags, 424242, 256, ERROR_MR_MID_NOT_FOUND},
      {kFlags, ERROR_ACCESS_DENIED, 19, ERROR_INSUFFICIENT_BUFFER},  // "Access is denied.\r\n"
      {FORMAT_MESSAGE_FROM_SYSTEM, ERROR_ACCESS_DENIED, 256, ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    char text[256] = "";
    SetLastError(0);
    EXPECT_EQ(FormatMessageA(c.flags, nullptr, c.code, 0, text, c.size, nullptr), 0u) << c.code;
    EXPECT_EQ(GetLastError(), c.error) << c.code;
  }
  char text[20];
  EXPECT_EQ(FormatMessageA(kFlags, nullptr, ERROR_ACCESS_DENIED, 0, text, sizeof text, nullptr),
            19u);
}

}  // namespace
