// Special folders: both shell calls are checked, and only a list the shell
// returned is freed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "shell/ShellFolders.h"

namespace {

LPITEMIDLIST const ShellList = reinterpret_cast<LPITEMIDLIST>(0x5000);

struct TFakeShell {
  HRESULT LocationResult = S_OK;
  LPITEMIDLIST ListToReturn = ShellList;
  BOOL PathResult = TRUE;
  const char* Path = "C:\\Startup";
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

BOOL WINAPI FakePath(PCIDLIST_ABSOLUTE list, LPSTR path) {
  EXPECT_EQ(ShellList, list);
  if (!Fake->PathResult) {
    std::strcpy(path, "half-written");
    return FALSE;
  }
  std::strcpy(path, Fake->Path);
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
  EXPECT_EQ("C:\\Startup", GetSpecialFolder(sfStartup, FApi));
  EXPECT_EQ("C:\\Startup", GetSpecialFolder(sfDesktop, FApi));
  EXPECT_EQ((std::vector<int>{CSIDL_STARTUP, CSIDL_DESKTOP}), FFake.Ids);
  EXPECT_EQ((std::vector<void*>{ShellList, ShellList}), FFake.Freed);
  EXPECT_EQ(nullptr, FFake.Owners[0]);  // no application, no owner
}

TEST_F(SpecialFoldersTest, FailedLocationGivesEmptyTextAndFreesNothing) {
  // The returned pointer is garbage the shell did not allocate.
  FFake.LocationResult = E_FAIL;
  FFake.ListToReturn = reinterpret_cast<LPITEMIDLIST>(0xBAD);
  EXPECT_EQ("", GetSpecialFolder(sfStartup, FApi));
  FFake.LocationResult = S_OK;
  FFake.ListToReturn = nullptr;
  EXPECT_EQ("", GetSpecialFolder(sfStartup, FApi));
  EXPECT_TRUE(FFake.Freed.empty());
}

TEST_F(SpecialFoldersTest, FolderWithoutPathGivesEmptyTextAndFreesTheList) {
  FFake.PathResult = FALSE;
  EXPECT_EQ("", GetSpecialFolder(sfDesktop, FApi));
  EXPECT_EQ(std::vector<void*>{ShellList}, FFake.Freed);
}

TEST_F(SpecialFoldersTest, TheApplicationWindowOwnsTheShellsDialogs) {
  TApplication app;
  GetSpecialFolder(sfStartup, FApi);
  EXPECT_EQ(app.Handle(), FFake.Owners.back());
}

TEST(SpecialFoldersRealTest, StartupAndDesktopAreFolders) {
  for (const std::string& folder : {GetStartupFolder(), GetDesktopFolder()}) {
    ASSERT_FALSE(folder.empty());
    DWORD attributes = GetFileAttributesA(folder.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes) << folder;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << folder;
  }
}

}  // namespace
