// Integer reading: the forms a field may hold and the edges of the 32-bit range.
#include <gtest/gtest.h>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/intconv.h"

namespace {

struct ReadCase {
  const char* text;
  std::optional<std::int32_t> value;
};

class IntReading : public testing::TestWithParam<ReadCase> {};

TEST_P(IntReading, ReadsOrRefuses) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(TryStrToInt(c.text), c.value) << "text [" << c.text << "]";
  EXPECT_EQ(StrToIntDef(c.text, -7), c.value.value_or(-7));
}

constexpr std::nullopt_t no = std::nullopt;

INSTANTIATE_TEST_SUITE_P(Cases, IntReading,
                         testing::Values(
                             // decimal
                             ReadCase{"300", 300}, ReadCase{"0300", 300}, ReadCase{"+5", 5},
                             ReadCase{"-0", 0}, ReadCase{"000000000000000000001", 1},
                             // blanks: leading blanks only, and only character 32
                             ReadCase{" 300", 300}, ReadCase{"300 ", no}, ReadCase{"\t300", no},
                             ReadCase{"3 00", no}, ReadCase{"", no}, ReadCase{"- 5", no},
                             // signs
                             ReadCase{"-", no}, ReadCase{"--5", no},
                             // the 32-bit limits
                             ReadCase{"2147483647", 2147483647}, ReadCase{"2147483648", no},
                             ReadCase{"-2147483648", INT32_MIN}, ReadCase{"-2147483649", no},
                             ReadCase{"99999999999", no},
                             // hexadecimal
                             ReadCase{"0x12C", 300}, ReadCase{"x12C", 300}, ReadCase{"$12c", 300},
                             ReadCase{" $10", 16}, ReadCase{"$FFFFFFFF", -1},
                             ReadCase{"$80000000", INT32_MIN}, ReadCase{"$000000000FF", 255},
                             ReadCase{"$100000000", no}, ReadCase{"$", no}, ReadCase{"0x", no},
                             ReadCase{"-$10", no}, ReadCase{"-0x10", no}, ReadCase{"$1G", no},
                             ReadCase{"0$10", no}, ReadCase{"00x10", no},
                             // anything else
                             ReadCase{"abc", no}, ReadCase{"1e3", no}, ReadCase{"12a", no}));

TEST(IntReading, EmbeddedNulIsNotTheEnd) {
  EXPECT_EQ(TryStrToInt(std::string_view("12\0"
                                         "3",
                                         4)),
            std::nullopt);
}

TEST(StrToInt, RaisesConvertErrorNamingTheText) {
  try {
    StrToInt("abc");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  EXPECT_THROW(StrToInt(""), EConvertError);
  EXPECT_EQ(StrToInt(" 42"), 42);
}

TEST(IntToStr, PlainDecimal) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-32767), "-32767");
  EXPECT_EQ(IntToStr(INT32_MIN), "-2147483648");
}

}  // namespace
