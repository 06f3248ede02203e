// Typed characters and their keys: US layout for Latin text, Russian for
// Cyrillic, Enter and friends for control characters.
#include "platform/host/headless/typing.h"

#include <set>

#include <gtest/gtest.h>

namespace {

TEST(Typing, CharactersHaveTheKeysOfTheirLayout) {
  const struct {
    char c;
    UINT key;
    bool shift;
    char text;
  } cases[] = {
      {'a', 'A', false, 'a'},        {'Z', 'Z', true, 'Z'},       {')', '0', true, ')'},
      {'.', 0xBE, false, '.'},       {'\xC9', 'Q', true, '\xC9'},  // Й
      {'\xE1', 0xBC, false, '\xE1'},                               // б on the comma key
      {'\xA8', 0xC0, true, '\xA8'},                                // Ё
      {'\n', 0x0D, false, '\r'},     {'\b', 0x08, false, '\b'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c.c)));
    const auto stroke = host::KeyFor(c.c);
    ASSERT_TRUE(stroke.has_value());
    EXPECT_EQ(stroke->virtual_key, c.key);
    EXPECT_EQ(stroke->shift, c.shift);
    EXPECT_EQ(stroke->text, c.text);
  }
  EXPECT_FALSE(host::KeyFor('\xB9').has_value());  // №
}

TEST(Typing, EveryRussianLetterHasAKeyOfItsOwn) {
  std::set<UINT> keys;
  for (int c = 0xE0; c <= 0xFF; ++c) {
    const auto lower = host::KeyFor(static_cast<char>(c));
    const auto upper = host::KeyFor(static_cast<char>(c - 0x20));
    ASSERT_TRUE(lower && upper);
    EXPECT_EQ(lower->virtual_key, upper->virtual_key);
    EXPECT_TRUE(upper->shift);
    keys.insert(lower->virtual_key);
  }
  keys.insert(host::KeyFor('\xB8')->virtual_key);  // ё
  EXPECT_EQ(keys.size(), 33u);
}

}  // namespace
