// Shortcuts written for real through the shell link object into a private
// temporary folder, and read back through IShellLinkA.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "base/AnsiPath.h"
#include "base/ComPtr.h"
#include "base/WidePath.h"
#include "shell/ComApartment.h"
#include "shell/ComError.h"
#include "shell/ShellFolders.h"
#include "shell/Shortcut.h"
#include "tests/unit/RaisedError.h"

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
  CreateShortcut(TWideText::FromAnsi(FFolder), L"Sweeper");
  std::string file = FFolder + "\\Sweeper.lnk";
  ASSERT_TRUE(FileExists(file));
  TLink link = ReadLink(file);
  std::string exe = ModuleFileName();
  EXPECT_EQ(0, lstrcmpiA(exe.c_str(), link.Path.c_str())) << exe << " / " << link.Path;
  EXPECT_EQ("/starup", link.Arguments);
  EXPECT_EQ(ExtractFileDir(WideModuleFileName()).ToAnsi(), link.WorkingDirectory);
}

TEST_F(ShortcutTest, OneBackslashBetweenFolderAndName) {
  EXPECT_EQ(TWideText(L"C:\\Startup\\Sweeper.lnk"), ShortcutPath(L"C:\\Startup\\", L"Sweeper"));
  EXPECT_EQ(TWideText(L"C:\\Startup\\Sweeper.lnk"), ShortcutPath(L"C:\\Startup", L"Sweeper"));

  CreateShortcut(TWideText::FromAnsi(FFolder + "\\"), L"Trailing");
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

  ASSERT_NO_THROW(CreateShortcut(TWideText::FromAnsi(FFolder), L"Sweeper"));
  ASSERT_NO_THROW(CreateShortcut(TWideText::FromAnsi(FFolder), L"Sweeper"));
  EXPECT_EQ("/starup", ReadLink(file).Arguments);
}

TEST_F(ShortcutTest, MissingFolderRaisesTheComErrorAndWritesNothing) {
  std::string missing = FFolder + "\\missing";
  const auto error = Raised<EComError>([&] { CreateShortcut(TWideText::FromAnsi(missing), L"Sweeper"); });
  ASSERT_TRUE(error) << "no error raised";
  EXPECT_TRUE(FAILED(error->Code()));
  EXPECT_EQ(ComErrorText(error->Code()), error->what());
  EXPECT_FALSE(FileExists(missing));
  EXPECT_FALSE(FileExists(missing + "\\Sweeper.lnk"));
}

TEST_F(ShortcutTest, EmptyFolderIsRefusedWithAClearError) {
  EXPECT_EQ("Cannot create the shortcut \"Sweeper\": the folder is unknown",
            RaisedText<EUnknownFolder>([] { CreateShortcut(L"", L"Sweeper"); }));
}

TEST_F(ShortcutTest, ANameTheCodePageCannotSpellIsWrittenWhole) {
  // "Σάρωση": under code page 1252 its ANSI spelling is "S???s?", which no
  // file may be named.
  const TWideText name(L"\u03a3\u03ac\u03c1\u03c9\u03c3\u03b7");
  ASSERT_NO_THROW(CreateShortcut(TWideText::FromAnsi(FFolder), name));
  const TWideText file = TWideText::FromAnsi(FFolder) + L"\\" + name + L".lnk";
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(file.c_str()));
  DeleteFileW(file.c_str());
}

// A stand-in link object that counts its references, offers the link and
// file interfaces when asked to, answers the call named in Refuse with
// Refusal and counts the files it saves.
class TFakeLink : public IShellLinkW, public IPersistFile {
public:
  enum TCall { None, Arguments, Path, WorkingDirectory };
  bool Interfaces = true;
  TCall Refuse = None;
  HRESULT Refusal = E_INVALIDARG;
  bool KeepsTarget = true;  // false: takes the target and keeps none of it, as Wine's for a long path
  bool RespellsTarget = false;  // true: keeps the target in its short (8.3) spelling
  std::wstring Target;
  long References = 0;
  int Saves = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || (Interfaces && IsEqualIID(iid, IID_IShellLinkW)))
      *out = static_cast<IShellLinkW*>(this);
    else if (Interfaces && IsEqualIID(iid, IID_IPersistFile))
      *out = static_cast<IPersistFile*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++References); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--References); }

  HRESULT STDMETHODCALLTYPE SetArguments(LPCWSTR) override { return Result(Arguments); }
  HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR path) override {
    Target = KeepsTarget ? path : L"";
    if (RespellsTarget) {
      wchar_t shortPath[MAX_PATH] = L"";
      GetShortPathNameW(path, shortPath, MAX_PATH);
      Target = shortPath;
    }
    return Result(Path);
  }
  HRESULT STDMETHODCALLTYPE GetPath(LPWSTR path, int size, WIN32_FIND_DATAW*, DWORD) override {
    lstrcpynW(path, Target.c_str(), size);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCWSTR) override { return Result(WorkingDirectory); }
  HRESULT STDMETHODCALLTYPE Save(LPCOLESTR, BOOL) override {
    ++Saves;
    return S_OK;
  }

  // Nothing else is asked of a link being written.
  HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDescription(LPWSTR, int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetDescription(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPWSTR, int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetArguments(LPWSTR, int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetHotkey(WORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetHotkey(WORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetShowCmd(int*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetShowCmd(int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIconLocation(LPWSTR, int, int*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetIconLocation(LPCWSTR, int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetRelativePath(LPCWSTR, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Resolve(HWND, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return E_NOTIMPL; }

private:
  HRESULT Result(TCall call) const { return Refuse == call ? Refusal : S_OK; }
};
TFakeLink FakeLink;
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
  return FakeLink.QueryInterface(iid, out);
}

class ShortcutFactoryTest : public ::testing::Test {
protected:
  void SetUp() override {
    FApi.CreateInstance = &FakeCreateInstance;
    FactoryResult = S_OK;
    FakeLink.Interfaces = true;
    FakeLink.Refuse = TFakeLink::None;
    FakeLink.KeepsTarget = true;
    FakeLink.RespellsTarget = false;
    FakeLink.Saves = 0;
  }
  void TearDown() override { EXPECT_EQ(0, FakeLink.References); }
  TShortcutApi FApi;
};

TEST_F(ShortcutFactoryTest, FailuresReleaseWhatWasTaken) {
  FactoryResult = REGDB_E_CLASSNOTREG;
  const auto error = Raised<EComError>([&] { CreateShortcut(L"C:\\Startup", L"Sweeper", FApi); });
  ASSERT_TRUE(error) << "no error raised";
  EXPECT_EQ(REGDB_E_CLASSNOTREG, error->Code());

  FactoryResult = S_OK;
  FakeLink.Interfaces = false;
  EXPECT_THROW(CreateShortcut(L"C:\\Startup", L"Sweeper", FApi), EInterfaceNotSupported);
}

TEST_F(ShortcutFactoryTest, ALinkThatRefusesItsContentsIsNeverSaved) {
  auto create = [&] { CreateShortcut(L"C:\\Startup", L"Sweeper", FApi); };
  // S_FALSE is how Wine's link object takes a target it cannot make out,
  // such as a path longer than MAX_PATH.
  for (HRESULT refusal : {E_INVALIDARG, S_FALSE}) {
    for (TFakeLink::TCall refused : {TFakeLink::Arguments, TFakeLink::Path, TFakeLink::WorkingDirectory}) {
      FakeLink.Refuse = refused;
      FakeLink.Refusal = refusal;
      const HRESULT raised = FAILED(refusal) ? refusal : HRESULT_FROM_WIN32(ERROR_BAD_PATHNAME);
      const auto error = Raised<EComError>(create);
      ASSERT_TRUE(error) << "no error raised for call " << refused << ", answer " << refusal;
      EXPECT_EQ(raised, error->Code());
      EXPECT_EQ(ComErrorText(raised), error->what());
    }
  }
  FakeLink.Refuse = TFakeLink::None;
  FakeLink.KeepsTarget = false;
  const auto error = Raised<EComError>(create);
  ASSERT_TRUE(error) << "no error raised for a target the link did not keep";
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_BAD_PATHNAME), error->Code());
  EXPECT_EQ(0, FakeLink.Saves);

  FakeLink.KeepsTarget = true;
  CreateShortcut(L"C:\\Startup", L"Sweeper", FApi);
  EXPECT_EQ(1, FakeLink.Saves);

  // The same file in another spelling is the target kept: Windows' object
  // gives it back with long names, and a program may run through a short path.
  FakeLink.RespellsTarget = true;
  EXPECT_NO_THROW(CreateShortcut(L"C:\\Startup", L"Sweeper", FApi));
  ASSERT_NE(0, lstrcmpiW(FakeLink.Target.c_str(), WideModuleFileName().c_str())) << "no short spelling to test with";
  EXPECT_EQ(2, FakeLink.Saves);
}

}  // namespace
