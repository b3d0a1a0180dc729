// Where libraries come from: the search path the program narrows at start,
// and the libraries it loads by full path from the system folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DllSearchPath.h"
#include "base/SystemLibrary.h"

namespace {

std::vector<DWORD> DefaultDirectoryCalls;
std::vector<std::string> DllDirectoryCalls;

BOOL WINAPI RecordDefaultDirectories(DWORD flags) {
  DefaultDirectoryCalls.push_back(flags);
  return TRUE;
}
BOOL WINAPI RecordDllDirectory(LPCSTR path) {
  DllDirectoryCalls.push_back(path ? path : "(null)");
  return TRUE;
}

std::string SystemFolder() {
  char folder[MAX_PATH] = "";
  GetSystemDirectoryA(folder, MAX_PATH);
  return folder;
}

TEST(DllSearchPathTest, FindsBothFunctionsByTheirExactNames) {
  // A misspelt name would leave the search path as it was, silently.
  TDllSearchApi api = SystemDllSearchApi();
  EXPECT_NE(nullptr, api.SetDefaultDllDirectories);
  EXPECT_NE(nullptr, api.SetDllDirectoryA);
}

TEST(DllSearchPathTest, AppliesWhatTheSystemHasAndSkipsWhatItLacks) {
  DefaultDirectoryCalls.clear();
  DllDirectoryCalls.clear();
  RestrictDllSearchPath(TDllSearchApi());  // a Windows with neither: nothing to call
  EXPECT_TRUE(DefaultDirectoryCalls.empty());

  TDllSearchApi onlyOld;  // XP SP1 to an unpatched 7
  onlyOld.SetDllDirectoryA = &RecordDllDirectory;
  RestrictDllSearchPath(onlyOld);
  EXPECT_TRUE(DefaultDirectoryCalls.empty());
  EXPECT_EQ(std::vector<std::string>{""}, DllDirectoryCalls);

  TDllSearchApi both;
  both.SetDefaultDllDirectories = &RecordDefaultDirectories;
  both.SetDllDirectoryA = &RecordDllDirectory;
  RestrictDllSearchPath(both);
  EXPECT_EQ(std::vector<DWORD>{LOAD_LIBRARY_SEARCH_SYSTEM32}, DefaultDirectoryCalls);
  EXPECT_EQ(2u, DllDirectoryCalls.size());
}

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

}  // namespace
