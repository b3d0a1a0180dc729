// Libraries loaded by full path from the system folder.
#include <gtest/gtest.h>

#include <string>

#include "base/SystemLibrary.h"

namespace {

std::string SystemFolder() {
  char folder[MAX_PATH] = "";
  GetSystemDirectoryA(folder, MAX_PATH);
  return folder;
}

}  // namespace

TEST(SystemLibraryTest, LoadsFromTheSystemFolderOnly) {
  EXPECT_EQ(SystemFolder() + "\\version.dll", SystemLibraryPath("version.dll"));
  {
    TSystemLibrary version("version.dll");
    ASSERT_TRUE(version.Loaded());
    EXPECT_NE(nullptr, version.Proc<decltype(&GetFileVersionInfoSizeA)>("GetFileVersionInfoSizeA"));
    EXPECT_EQ(nullptr, version.Proc<decltype(&GetFileVersionInfoSizeA)>("NoSuchFunction"));
  }

  // A library that exists only in the current directory is never taken.
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string planted = std::string(temp) + "sweeper-planted.dll";
  ASSERT_TRUE(CopyFileA(SystemLibraryPath("version.dll").c_str(), planted.c_str(), FALSE));
  char previous[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(temp);
  HMODULE byName = LoadLibraryA("sweeper-planted.dll");  // what a bare name would have found
  EXPECT_NE(nullptr, byName);
  if (byName) FreeLibrary(byName);
  {
    TSystemLibrary plantedLibrary("sweeper-planted.dll");
    EXPECT_FALSE(plantedLibrary.Loaded());
    EXPECT_EQ(nullptr, plantedLibrary.Proc<decltype(&GetFileVersionInfoSizeA)>("GetFileVersionInfoSizeA"));
  }
  SetCurrentDirectoryA(previous);
  DeleteFileA(planted.c_str());
}
