// ANSI texts cut at character boundaries of a code page.
#include <gtest/gtest.h>

#include "base/AnsiText.h"

TEST(AnsiText, CutsAtCharacterBoundariesOfTheCodePage) {
  EXPECT_EQ(3u, AnsiPrefixLength("abcdef", 3, 932));
  EXPECT_EQ(6u, AnsiPrefixLength("abcdef", 10, 932));
  EXPECT_EQ(2u, AnsiPrefixLength("\x95\x5C\x95\x5C", 3, 932));
  EXPECT_EQ(3u, AnsiPrefixLength("\x95\x5C\x95\x5C", 3, 1252));
  EXPECT_EQ(1u, AnsiPrefixLength("\x95", 5, 932));  // a lone lead byte at the end
  char small[4];
  CopyAnsiCut(small, "a\x95\x5C\x95\x5C", 932);
  EXPECT_STREQ("a\x95\x5C", small);
  const char unterminated[3] = {'a', 'b', 'c'};
  EXPECT_EQ("abc", TextOfArray(unterminated, sizeof(unterminated)));
  EXPECT_EQ("ab", TextOfArray("ab\0cd", 5));
}
