// The COM error's text: the system's message where it has one, else a
// fallback that reads right in the user's ANSI code page.
#include <gtest/gtest.h>

#include <string>

#include "shell/ComError.h"

namespace {

// A code in a facility the system has no messages for.
const HRESULT UnknownCode = static_cast<HRESULT>(0x8004ABCD);

TEST(ComErrorTest, FallbackIsJapaneseOnlyInShiftJis) {
  EXPECT_EQ("OLE \x83\x47\x83\x89\x81\x5B 8004ABCD", ComErrorFallbackText(UnknownCode, 932));
  EXPECT_EQ("OLE error 8004ABCD", ComErrorFallbackText(UnknownCode, 1252));
  EXPECT_EQ("OLE error 0000000A", ComErrorFallbackText(0xA, 1251));
  EXPECT_EQ("OLE error 8004ABCD", ComErrorText(UnknownCode, 1252));
}

TEST(ComErrorTest, SystemMessageLosesItsTrailingFullStopAndLineBreak) {
  std::string text = ComErrorText(E_OUTOFMEMORY, 1252);
  ASSERT_FALSE(text.empty());
  EXPECT_NE("OLE error 8007000E", text);
  char last = text.back();
  EXPECT_TRUE(last != '.' && static_cast<unsigned char>(last) > ' ') << text;

  EComError error(E_OUTOFMEMORY);
  EXPECT_EQ(E_OUTOFMEMORY, error.Code());
  EXPECT_EQ(ComErrorText(E_OUTOFMEMORY), error.what());
}

TEST(ComErrorTest, MissingInterfaceHasItsFixedText) {
  EXPECT_STREQ("Interface not supported", EInterfaceNotSupported().what());
}

}  // namespace
