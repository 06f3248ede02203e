#include <gtest/gtest.h>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/format.h"

namespace {

TEST(Format, FillsPlaceholdersInOrder) {
  EXPECT_EQ(Format("'%s' is not a valid integer value", {std::string("abc")}),
            "'abc' is not a valid integer value");
  EXPECT_EQ(Format("%s at %d of %d%%", {std::string("x"), std::int64_t{3}, std::int64_t{-4}}),
            "x at 3 of -4%");
  EXPECT_EQ(Format("no placeholders", {}), "no placeholders");
}

TEST(Format, RefusesMismatchedTemplates) {
  const struct {
    const char* pattern;
    int args;
  } cases[] = {{"%d", 1}, {"%s %s", 1}, {"%x", 1}, {"trailing %", 0}};
  for (const auto& c : cases) {
    EXPECT_THROW(c.args == 0 ? Format(c.pattern, {}) : Format(c.pattern, {std::string("s")}),
                 EConvertError)
        << c.pattern;
  }
}

}  // namespace
