// Special folders: both shell calls are checked, and only a list the shell
// returned is freed.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "shell/ShellActions.h"
#include "shell/ShellFolders.h"
#include "shell/Shortcut.h"

namespace {

LPITEMIDLIST const ShellList = reinterpret_cast<LPITEMIDLIST>(0x5000);

struct TFakeShell {
  HRESULT LocationResult = S_OK;
  LPITEMIDLIST ListToReturn = ShellList;
  BOOL PathResult = TRUE;
  // A profile that code page 1252 cannot spell comes back whole.
  const wchar_t* Path = L"C:\\Users\\\u0395\u03bb\u03ad\u03bd\u03b7\\Startup";
  std::vector<int> Ids;
  std::vector<HWND> Owners;
  std::vector<void*> Freed;
};
TFakeShell* Fake = nullptr;

HRESULT WINAPI FakeLocation(HWND owner, int id, LPITEMIDLIST* list) {
  Fake->Owners.push_back(owner);
  Fake->Ids.push_back(id);
  *list = Fake->ListToReturn;
  return Fake->LocationResult;
}

BOOL WINAPI FakePath(PCIDLIST_ABSOLUTE list, LPWSTR path) {
  EXPECT_EQ(ShellList, list);
  if (!Fake->PathResult) {
    std::wcscpy(path, L"half-written");
    return FALSE;
  }
  std::wcscpy(path, Fake->Path);
  return TRUE;
}

void WINAPI FakeFree(LPVOID p) { Fake->Freed.push_back(p); }

class SpecialFoldersTest : public ::testing::Test {
protected:
  void SetUp() override {
    Fake = &FFake;
    FApi.GetFolderLocation = &FakeLocation;
    FApi.GetPathFromIDList = &FakePath;
    FApi.FreeIDList = &FakeFree;
  }
  void TearDown() override { Fake = nullptr; }
  TFakeShell FFake;
  TSpecialFolderApi FApi;
};

TEST_F(SpecialFoldersTest, AsksForTheFolderAndFreesTheList) {
  EXPECT_EQ(TWideText(FFake.Path), GetSpecialFolder(nullptr, sfStartup, fcNever, FApi));
  EXPECT_EQ(TWideText(FFake.Path), GetSpecialFolder(nullptr, sfDesktop, fcNever, FApi));
  EXPECT_EQ((std::vector<int>{CSIDL_STARTUP, CSIDL_DESKTOP}), FFake.Ids);
  EXPECT_EQ((std::vector<void*>{ShellList, ShellList}), FFake.Freed);
}

TEST_F(SpecialFoldersTest, FailedLocationGivesEmptyTextAndFreesNothing) {
  // The returned pointer is garbage the shell did not allocate.
  FFake.LocationResult = E_FAIL;
  FFake.ListToReturn = reinterpret_cast<LPITEMIDLIST>(0xBAD);
  EXPECT_TRUE(GetSpecialFolder(nullptr, sfStartup, fcNever, FApi).empty());
  FFake.LocationResult = S_OK;
  FFake.ListToReturn = nullptr;
  EXPECT_TRUE(GetSpecialFolder(nullptr, sfStartup, fcNever, FApi).empty());
  EXPECT_TRUE(FFake.Freed.empty());
}

TEST_F(SpecialFoldersTest, FolderWithoutPathGivesEmptyTextAndFreesTheList) {
  FFake.PathResult = FALSE;
  EXPECT_TRUE(GetSpecialFolder(nullptr, sfDesktop, fcNever, FApi).empty());
  EXPECT_EQ(std::vector<void*>{ShellList}, FFake.Freed);
}

TEST_F(SpecialFoldersTest, TheCallersWindowOwnsTheShellsDialogs) {
  const HWND owner = reinterpret_cast<HWND>(0x1234);
  GetSpecialFolder(owner, sfStartup, fcNever, FApi);
  EXPECT_EQ(owner, FFake.Owners.back());
}

TEST_F(SpecialFoldersTest, TheFolderAShortcutGoesIntoIsMadeWhenMissingAndOneOpenedIsNot) {
  FFake.LocationResult = E_FAIL;  // so nothing is written or opened
  EXPECT_THROW(CreateShortcutIn(nullptr, sfStartup, L"Sweeper", FApi), EUnknownFolder);
  EXPECT_THROW(OpenSpecialFolder(nullptr, sfStartup, FApi), EUnknownFolder);
  EXPECT_EQ((std::vector<int>{CSIDL_STARTUP | CSIDL_FLAG_CREATE, CSIDL_STARTUP}), FFake.Ids);
}

TEST(SpecialFoldersRealTest, StartupAndDesktopAreFolders) {
  for (const TWideText& folder : {GetSpecialFolder(nullptr, sfStartup, fcNever), GetSpecialFolder(nullptr, sfDesktop, fcNever)}) {
    ASSERT_FALSE(folder.empty());
    DWORD attributes = GetFileAttributesW(folder.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes) << folder.ToAnsi();
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << folder.ToAnsi();
  }
}

}  // namespace
