// FormatMessageA: the system's texts by error code, with "\r\n", and the
// failures a caller falls back on, which leave the buffer as it was.
#include <cstring>
#include <string>

#include <gtest/gtest.h>
#include <platform/kernel.h>

namespace {

constexpr DWORD kFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

TEST(FormatMessage, GivesTheSystemTextOrFailsWithTheReason) {
  const struct {
    DWORD flags, code, size, error;
    const char* text;
  } cases[] = {
      {kFlags, ERROR_NOT_ENOUGH_MEMORY, 256, 0,
       "Not enough storage is available to process this command.\r\n"},
      {kFlags, ERROR_ACCESS_DENIED, 20, 0, "Access is denied.\r\n"},
      {kFlags, ERROR_ACCESS_DENIED, 19, ERROR_INSUFFICIENT_BUFFER, ""},
      {kFlags, 424242, 256, ERROR_MR_MID_NOT_FOUND, ""},
      {FORMAT_MESSAGE_FROM_SYSTEM, ERROR_ACCESS_DENIED, 256, ERROR_INVALID_PARAMETER, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.code << " into " << c.size);
    char text[256] = "";
    SetLastError(0);
    EXPECT_EQ(FormatMessageA(c.flags, nullptr, c.code, 0, text, c.size, nullptr),
              std::strlen(c.text));
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(std::string(text), c.text);
  }
}

}  // namespace
