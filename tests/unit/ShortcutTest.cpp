// Shortcuts written for real through the shell link object into a private
// temporary folder, and read back through IShellLinkA.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "framework/AnsiPath.h"
#include "framework/ComPtr.h"
#include "info/ComApartment.h"
#include "info/ComError.h"
#include "info/Shortcut.h"

namespace {

struct TLink {
  std::string Path, Arguments, WorkingDirectory;
};

std::wstring Wide(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
  wide.resize(static_cast<std::size_t>(length) - 1);
  return wide;
}

TLink ReadLink(const std::string& file) {
  IShellLinkA* created = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&created));
  EXPECT_HRESULT_SUCCEEDED(hr);
  TComPtr<IShellLinkA> link(SUCCEEDED(hr) ? created : nullptr);
  TComPtr<IPersistFile> persist = QueryComInterface<IPersistFile>(link.Get(), IID_IPersistFile);
  TLink result;
  if (!persist) return result;
  EXPECT_HRESULT_SUCCEEDED(persist.Get()->Load(Wide(file).c_str(), STGM_READ));
  char text[MAX_PATH + 1] = {};
  link.Get()->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
  result.Path = text;
  text[0] = '\0';
  link.Get()->GetArguments(text, sizeof text);
  result.Arguments = text;
  text[0] = '\0';
  link.Get()->GetWorkingDirectory(text, sizeof text);
  result.WorkingDirectory = text;
  return result;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class ShortcutTest : public ::testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
    FFolder = std::string(temp) + "sweeper-shortcut-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(FFolder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  }
  void TearDown() override {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((FFolder + "\\*.lnk").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do DeleteFileA((FFolder + "\\" + found.cFileName).c_str());
      while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(FFolder.c_str());
  }

  TComApartment FCom;
  std::string FFolder;
};

TEST_F(ShortcutTest, WritesTheExecutableWithStartupArgumentsAndItsFolder) {
  CreateShortcut(FFolder, "Sweeper");
  std::string file = FFolder + "\\Sweeper.lnk";
  ASSERT_TRUE(FileExists(file));
  TLink link = ReadLink(file);
  std::string exe = ModuleFileName();
  EXPECT_EQ(0, lstrcmpiA(exe.c_str(), link.Path.c_str())) << exe << " / " << link.Path;
  EXPECT_EQ("/starup", link.Arguments);
  EXPECT_EQ(ExtractFileDir(exe), link.WorkingDirectory);
}

TEST_F(ShortcutTest, OneBackslashBetweenFolderAndName) {
  EXPECT_EQ("C:\\Startup\\Sweeper.lnk", ShortcutPath("C:\\Startup\\", "Sweeper"));
  EXPECT_EQ("C:\\Startup\\Sweeper.lnk", ShortcutPath("C:\\Startup", "Sweeper"));

  CreateShortcut(FFolder + "\\", "Trailing");
  EXPECT_TRUE(FileExists(FFolder + "\\Trailing.lnk"));
  EXPECT_EQ("/starup", ReadLink(FFolder + "\\Trailing.lnk").Arguments);
}

TEST_F(ShortcutTest, WritingAgainReplacesTheFile) {
  std::string file = FFolder + "\\Sweeper.lnk";
  HANDLE junk = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, junk);
  DWORD written = 0;
  WriteFile(junk, "not a shortcut", 14, &written, nullptr);
  CloseHandle(junk);

  ASSERT_NO_THROW(CreateShortcut(FFolder, "Sweeper"));
  ASSERT_NO_THROW(CreateShortcut(FFolder, "Sweeper"));
  EXPECT_EQ("/starup", ReadLink(file).Arguments);
}

TEST_F(ShortcutTest, MissingFolderRaisesTheComErrorAndWritesNothing) {
  std::string missing = FFolder + "\\missing";
  try {
    CreateShortcut(missing, "Sweeper");
    FAIL() << "no error raised";
  } catch (const EComError& e) {
    EXPECT_TRUE(FAILED(e.Code()));
    EXPECT_EQ(ComErrorText(e.Code()), e.what());
  }
  EXPECT_FALSE(FileExists(missing));
  EXPECT_FALSE(FileExists(missing + "\\Sweeper.lnk"));
}

TEST_F(ShortcutTest, EmptyFolderIsRefusedWithAClearError) {
  try {
    CreateShortcut("", "Sweeper");
    FAIL() << "no error raised";
  } catch (const EError& e) {
    EXPECT_STREQ("Cannot create the shortcut \"Sweeper\": the folder is unknown", e.what());
  }
}

// A stand-in object that counts its references and offers only IUnknown.
class TBareObject : public IUnknown {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown)) {
      *out = static_cast<IUnknown*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++References); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--References); }
  long References = 0;
};
TBareObject BareObject;
HRESULT FactoryResult = S_OK;

HRESULT WINAPI FakeCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* out) {
  EXPECT_TRUE(IsEqualCLSID(CLSID_ShellLink, clsid));
  EXPECT_EQ(nullptr, outer);
  EXPECT_EQ(static_cast<DWORD>(CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER), context);
  EXPECT_TRUE(IsEqualIID(IID_IUnknown, iid));
  if (FAILED(FactoryResult)) {
    *out = nullptr;
    return FactoryResult;
  }
  return BareObject.QueryInterface(iid, out);
}

TEST(ShortcutFactoryTest, FailuresReleaseWhatWasTaken) {
  TShortcutApi api;
  api.CreateInstance = &FakeCreateInstance;

  FactoryResult = REGDB_E_CLASSNOTREG;
  try {
    CreateShortcut("C:\\Startup", "Sweeper", api);
    FAIL() << "no error raised";
  } catch (const EComError& e) {
    EXPECT_EQ(REGDB_E_CLASSNOTREG, e.Code());
  }

  FactoryResult = S_OK;
  EXPECT_THROW(CreateShortcut("C:\\Startup", "Sweeper", api), EInterfaceNotSupported);
  EXPECT_EQ(0, BareObject.References);
}

}  // namespace
