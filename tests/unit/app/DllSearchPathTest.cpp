// The library search path the program narrows at start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DllSearchPath.h"

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

}  // namespace
