// The file version read from a program's version resource.
#include <gtest/gtest.h>

#include <string>

#include "base/WidePath.h"
#include "info/FileVersion.h"

namespace {

TEST(FileVersionTest, ReadsOnlyTheJapaneseFileVersion) {
  // This test program carries the program's own resources.
  EXPECT_EQ("0.5.5.6", GetFileVersionText(WideModuleFileName()));
  // Wine's own libraries have English (0409) tables only.
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ("", GetFileVersionText(TWideText::FromAnsi(std::string(system) + "\\kernel32.dll")));
  EXPECT_EQ("", GetFileVersionText(L"C:\\no such folder\\no such file.exe"));
  // A file without any version block.
  char folder[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, folder);
  const std::string plain = std::string(folder) + "sweeper-no-version.txt";
  HANDLE file = CreateFileA(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD written = 0;
  WriteFile(file, "MZ not really", 13, &written, nullptr);
  CloseHandle(file);
  EXPECT_EQ("", GetFileVersionText(TWideText::FromAnsi(plain)));
  DeleteFileA(plain.c_str());
  EXPECT_EQ("", GetFileVersionText(L""));
}

TEST(FileVersionTest, ReadsTheVersionOfAFileTheCodePageCannotSpell) {
  // A copy of this program in a folder named in Greek: its ANSI path under
  // code page 1252 or 932 names no file.
  wchar_t temp[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, temp);
  const TWideText folder = TWideText(temp) + L"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac";
  const TWideText copy = folder + L"\\Sweeper.exe";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(WideModuleFileName().c_str(), copy.c_str(), FALSE));
  EXPECT_EQ("0.5.5.6", GetFileVersionText(copy));
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
