// The application title made from the program's path.
#include <gtest/gtest.h>

#include "base/ApplicationTitle.h"

TEST(ApplicationTitle, FileNameCutAtTheFirstDotRestLowerCase) {
  EXPECT_EQ("Prog", ApplicationTitleFromPath("C:\\Tools\\Prog.EXE"));
  EXPECT_EQ("my", ApplicationTitleFromPath("C:\\my.tool.exe"));
  EXPECT_EQ("My", ApplicationTitleFromPath("C:\\My.Tool.exe"));
  EXPECT_EQ("Sweeper", ApplicationTitleFromPath("D:\\A.B\\SWEEPER.EXE"));
  EXPECT_EQ("Noext", ApplicationTitleFromPath("NOEXT"));
  // A name is taken as the ANSI text it is, never converted as if OEM.
  EXPECT_EQ("\xC9t\xE9", ApplicationTitleFromPath("C:\\\xC9T\xC9.exe", 1252));
  // A double-byte first character whose trail byte is a backslash stays whole.
  EXPECT_EQ("\x95\x5C" "abc", ApplicationTitleFromPath("C:\\\x95\x5C" "ABC.exe", 932));
}
