// The shared path helpers, including code page 932 names whose second byte
// is a backslash ("表" is 0x95 0x5C).
#include <gtest/gtest.h>

#include <string>

#include "base/AnsiPath.h"
#include "base/PathSplit.h"
#include "base/WidePath.h"

namespace {

// The splits the UTF-16 helpers take, over ANSI texts of a code page.
TPathSplit Split(const std::string& path, UINT codePage) {
  return SplitPath(path.data(), path.size(),
                   [codePage](char c) { return IsDBCSLeadByteEx(codePage, static_cast<BYTE>(c)) != FALSE; });
}
std::string ExtractFileDir(const std::string& path, UINT codePage) {
  return path.substr(0, Split(path, codePage).FileDirLength());
}
std::string ExtractFileNameWithoutExtension(const std::string& path, UINT codePage) {
  const TPathSplit split = Split(path, codePage);
  return path.substr(split.FileNameStart(), split.FileNameEnd() - split.FileNameStart());
}

constexpr UINT Latin = 1252;
constexpr UINT Japanese = 932;
const std::string Hyo = "\x95\x5C";  // 表

TEST(AnsiPathTest, SplitsAtTheLastBackslashOrColon) {
  const std::string program = "C:\\Program Files\\Sweeper\\Sweeper.exe";
  EXPECT_EQ("C:\\Program Files\\Sweeper\\", ExtractFilePath(program, Latin));
  EXPECT_EQ("Sweeper.exe", ExtractFileName(program, Latin));
  EXPECT_EQ("C:\\Program Files\\Sweeper", ExtractFileDir(program, Latin));
  EXPECT_EQ("Sweeper", ExtractFileNameWithoutExtension(program, Latin));

  EXPECT_EQ("C:\\", ExtractFilePath("C:\\Sweeper.exe", Latin));
  EXPECT_EQ("C:", ExtractFilePath("C:Sweeper.exe", Latin));
  EXPECT_EQ("Sweeper.exe", ExtractFileName("C:Sweeper.exe", Latin));
  EXPECT_EQ("MailTo:", ExtractFilePath("MailTo:sweeper@example.com?subject=from [Sweeper] user", Latin));
  EXPECT_EQ("http:", ExtractFilePath("http://www.example.com/", Latin));

  EXPECT_EQ("", ExtractFilePath("Sweeper.exe", Latin));
  EXPECT_EQ("Sweeper.exe", ExtractFileName("Sweeper.exe", Latin));
  EXPECT_EQ("", ExtractFileDir("Sweeper.exe", Latin));
  EXPECT_EQ("", ExtractFilePath("", Latin));
}

TEST(AnsiPathTest, FolderKeepsTheBackslashOfARootOnly) {
  EXPECT_EQ("C:\\", ExtractFileDir("C:\\Sweeper.exe", Latin));
  EXPECT_EQ("C:", ExtractFileDir("C:Sweeper.exe", Latin));
  EXPECT_EQ("\\", ExtractFileDir("\\Sweeper.exe", Latin));
  EXPECT_EQ("\\\\", ExtractFileDir("\\\\Sweeper.exe", Latin));
  EXPECT_EQ("\\\\server\\share", ExtractFileDir("\\\\server\\share\\Sweeper.exe", Latin));
  EXPECT_EQ("C:\\Startup", ExtractFileDir("C:\\Startup\\", Latin));

  EXPECT_EQ("C:\\Startup", ExcludeTrailingBackslash("C:\\Startup\\", Latin));
  EXPECT_EQ("C:\\Startup", ExcludeTrailingBackslash("C:\\Startup", Latin));
  EXPECT_EQ("C:", ExcludeTrailingBackslash("C:\\", Latin));
  EXPECT_EQ("", ExcludeTrailingBackslash("", Latin));
}

TEST(AnsiPathTest, NameWithoutExtensionDropsTheLastExtensionOfTheNameOnly) {
  EXPECT_EQ("my.tool", ExtractFileNameWithoutExtension("C:\\bin\\my.tool.exe", Latin));
  EXPECT_EQ("Sweeper", ExtractFileNameWithoutExtension("C:\\bin.d\\Sweeper", Latin));
  EXPECT_EQ("", ExtractFileNameWithoutExtension("C:\\.profile", Latin));
}

TEST(AnsiPathTest, NeverSplitsAtTheSecondByteOfADoubleByteCharacter) {
  const std::string folder = "C:\\" + Hyo;  // the last byte is 0x5C
  const std::string program = folder + "\\" + Hyo + ".exe";
  EXPECT_EQ(folder + "\\", ExtractFilePath(program, Japanese));
  EXPECT_EQ(Hyo + ".exe", ExtractFileName(program, Japanese));
  EXPECT_EQ(folder, ExtractFileDir(program, Japanese));
  EXPECT_EQ(Hyo, ExtractFileNameWithoutExtension(program, Japanese));

  EXPECT_EQ("C:\\", ExtractFilePath(folder, Japanese));
  EXPECT_EQ(Hyo, ExtractFileName(folder, Japanese));
  EXPECT_EQ("C:\\", ExtractFileDir(folder, Japanese));
  // A folder whose last character ends in 0x5C has no trailing backslash to drop.
  EXPECT_EQ(folder, ExcludeTrailingBackslash(folder, Japanese));
  EXPECT_EQ(folder, ExcludeTrailingBackslash(folder + "\\", Japanese));
  // After a double-byte character the real separator is not "another backslash".
  EXPECT_EQ(folder, ExtractFileDir(folder + "\\x", Japanese));

  // In a single-byte code page the same bytes are two characters.
  EXPECT_EQ("C:\\\x95", ExcludeTrailingBackslash(folder, Latin));
  EXPECT_EQ("C:\\\x95\\", ExtractFilePath(folder, Latin));
}

TEST(AnsiPathTest, ModuleFileNameIsTheRunningExecutable) {
  std::string path = ModuleFileName();
  EXPECT_EQ("unit_tests.exe", ExtractFileName(path));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
}

}  // namespace

TEST(WidePathTest, SplitsLikeTheAnsiHelpersWithoutDoubleByteCharacters) {
  // "C:\Ελ\Σ.tar.exe", whose letters no single-byte Western code page has.
  const TWideText program(L"C:\\\u0395\u03bb\\\u03a3.tar.exe");
  EXPECT_EQ(TWideText(L"C:\\\u0395\u03bb\\"), ExtractFilePath(program));
  EXPECT_EQ(TWideText(L"C:\\\u0395\u03bb"), ExtractFileDir(program));
  EXPECT_EQ(TWideText(L"\u03a3.tar"), ExtractFileNameWithoutExtension(program));
  EXPECT_EQ(TWideText(L"C:\\"), ExtractFileDir(TWideText(L"C:\\\u03a3.exe")));
  EXPECT_EQ(TWideText(L""), ExtractFilePath(TWideText(L"\u03a3.exe")));
  // Here the ANSI spelling names the same file.
  EXPECT_EQ(TWideText::FromAnsi(ModuleFileName()), WideModuleFileName());
}
