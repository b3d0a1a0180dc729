// The information window's worked-out texts.
#include <gtest/gtest.h>

#include <string>

#include "info/InfoFormTexts.h"

TEST(InfoFormTexts, OnlyTheFirstCaseSensitiveMicrosoftGoes) {
  EXPECT_EQ("Windows XP Professional Service Pack 2 (Build 2600)",
            OsVersionLabelText("Microsoft Windows XP Professional Service Pack 2 (Build 2600)"));
  EXPECT_EQ("Windows", OsVersionLabelText("Microsoft Windows"));
  EXPECT_EQ("Windows NT product family? Professional ", OsVersionLabelText("Windows NT product family? Professional "));
  EXPECT_EQ("Unknown", OsVersionLabelText("Unknown"));
  EXPECT_EQ("microsoft Windows", OsVersionLabelText("microsoft Windows"));
  EXPECT_EQ("A Microsoft B", OsVersionLabelText("A Microsoft Microsoft B"));
  EXPECT_EQ("Windows NT Version 4.0 (Build 1381 : )", OsVersionLabelText("Windows NT Version 4.0 (Build 1381 : )"));
}

TEST(InfoFormTexts, MailAndWebLinksAreEscapedAsAUrlRequires) {
  EXPECT_EQ("MailTo:me@example.org?subject=from%20%5Bprog.exe%5D%20user", MailLink("me@example.org", "prog.exe"));
  // A file name must not add a header to the mail ...
  EXPECT_EQ("MailTo:me@example.org?subject=from%20%5Ba%26cc%3Dx%40y.exe%5D%20user",
            MailLink("me@example.org", "a&cc=x@y.exe"));
  EXPECT_EQ("MailTo:a%3Fb%26c%25@example.org?subject=from%20%5B%23%2B%3F.exe%5D%20user",
            MailLink("a?b&c%@example.org", "#+?.exe"));
  // ... and letters beyond ASCII go as UTF-8: "表示" of code page 932, "é" of 1252.
  EXPECT_EQ("MailTo:me@example.org?subject=from%20%5B%E8%A1%A8%E7%A4%BA.exe%5D%20user",
            MailLink("me@example.org", "\x95\x5C\x8E\xA6.exe", 932));
  EXPECT_EQ("MailTo:me@example.org?subject=from%20%5Bcaf%C3%A9.exe%5D%20user",
            MailLink("me@example.org", "caf\xE9.exe", 1252));

  // A web address keeps its separators and loses only what no URL may hold.
  EXPECT_EQ("https://sweeper.example.org/", WebLink("https://sweeper.example.org/"));
  EXPECT_EQ("https://example.org/a?b=c&d=%41#e", WebLink("https://example.org/a?b=c&d=%41#e"));
  EXPECT_EQ("https://example.org/a%20%22b%22/caf%C3%A9", WebLink("https://example.org/a \"b\"/caf\xE9", 1252));
}

TEST(InfoFormTexts, VersionLabel) {
  EXPECT_EQ("Ver.0.5.5.6", VersionLabelText("0.5.5.6"));
  EXPECT_EQ("Ver.", VersionLabelText(""));
}
