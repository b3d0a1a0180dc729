// The shared path helpers, including code page 932 names whose second byte
// is a backslash ("表" is 0x95 0x5C).
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>

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

// Each row: a path in a code page and what each helper makes of it; null
// where the row does not ask that helper.
TEST(AnsiPathTest, EveryHelperSplitsWhereTheCodePageSaysAFolderEnds) {
  const std::string folder = "C:\\" + Hyo;  // its last byte is 0x5C
  const std::string program = folder + "\\" + Hyo + ".exe";
  const std::string folderAndSlash = folder + "\\", folderAndX = folder + "\\x";
  const std::string hyoExe = Hyo + ".exe";
  const struct {
    std::string Path;
    UINT CodePage;
    const char *FilePath, *FileName, *FileDir, *NameWithoutExtension, *WithoutTrailingBackslash;
  } rows[] = {
      // At the last backslash or colon.
      {"C:\\Program Files\\Sweeper\\Sweeper.exe", Latin, "C:\\Program Files\\Sweeper\\", "Sweeper.exe",
       "C:\\Program Files\\Sweeper", "Sweeper", nullptr},
      {"C:\\Sweeper.exe", Latin, "C:\\", nullptr, "C:\\", nullptr, nullptr},
      {"C:Sweeper.exe", Latin, "C:", "Sweeper.exe", "C:", nullptr, nullptr},
      {"MailTo:sweeper@example.com?subject=from [Sweeper] user", Latin, "MailTo:", nullptr, nullptr, nullptr, nullptr},
      {"http://www.example.com/", Latin, "http:", nullptr, nullptr, nullptr, nullptr},
      {"Sweeper.exe", Latin, "", "Sweeper.exe", "", nullptr, nullptr},
      {"", Latin, "", nullptr, nullptr, nullptr, ""},
      // A folder keeps the backslash of a root only.
      {"\\Sweeper.exe", Latin, nullptr, nullptr, "\\", nullptr, nullptr},
      {"\\\\Sweeper.exe", Latin, nullptr, nullptr, "\\\\", nullptr, nullptr},
      {"\\\\server\\share\\Sweeper.exe", Latin, nullptr, nullptr, "\\\\server\\share", nullptr, nullptr},
      {"C:\\Startup\\", Latin, nullptr, nullptr, "C:\\Startup", nullptr, "C:\\Startup"},
      {"C:\\Startup", Latin, nullptr, nullptr, nullptr, nullptr, "C:\\Startup"},
      {"C:\\", Latin, nullptr, nullptr, nullptr, nullptr, "C:"},
      // Only the last extension, of the name only.
      {"C:\\bin\\my.tool.exe", Latin, nullptr, nullptr, nullptr, "my.tool", nullptr},
      {"C:\\bin.d\\Sweeper", Latin, nullptr, nullptr, nullptr, "Sweeper", nullptr},
      {"C:\\.profile", Latin, nullptr, nullptr, nullptr, "", nullptr},
      // Never at the second byte of a double-byte character: a folder whose
      // last character ends in 0x5C has no trailing backslash to drop, and
      // after one the real separator is not "another backslash".
      {program, Japanese, folderAndSlash.c_str(), hyoExe.c_str(), folder.c_str(), Hyo.c_str(), nullptr},
      {folder, Japanese, "C:\\", Hyo.c_str(), "C:\\", nullptr, folder.c_str()},
      {folderAndSlash, Japanese, nullptr, nullptr, nullptr, nullptr, folder.c_str()},
      {folderAndX, Japanese, nullptr, nullptr, folder.c_str(), nullptr, nullptr},
      // In a single-byte code page the same bytes are two characters.
      {folder, Latin, "C:\\\x95\\", nullptr, nullptr, nullptr, "C:\\\x95"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Path + " in code page " + std::to_string(row.CodePage));
    const std::pair<const char*, std::string> results[] = {
        {row.FilePath, ExtractFilePath(row.Path, row.CodePage)},
        {row.FileName, ExtractFileName(row.Path, row.CodePage)},
        {row.FileDir, ExtractFileDir(row.Path, row.CodePage)},
        {row.NameWithoutExtension, ExtractFileNameWithoutExtension(row.Path, row.CodePage)},
        {row.WithoutTrailingBackslash, ExcludeTrailingBackslash(row.Path, row.CodePage)}};
    for (std::size_t helper = 0; helper < std::size(results); ++helper) {
      if (!results[helper].first) continue;
      EXPECT_EQ(results[helper].first, results[helper].second) << "helper " << helper;
    }
  }
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
