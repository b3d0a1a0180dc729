// What ShellOpen, StartProgram, OpenSpecialFolder and ShowFileProperties ask
// of the shell, recorded call by call.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/ComError.h"
#include "shell/ShellActions.h"
#include "shell/ShellFolders.h"
#include "tests/unit/RaisedError.h"
#include "tests/unit/TestPump.h"

namespace {

struct TOpenCall {
  HWND Owner;
  bool OperationIsNull, ParametersIsNull, DirectoryIsNull;
  std::string File, Parameters, Directory;
  INT Show;
};

std::vector<TOpenCall> OpenCalls;
std::vector<SHELLEXECUTEINFOW> ExecuteExCalls;
std::vector<std::wstring> ExecuteExFiles, ExecuteExParameters, ExecuteExDirectories;
HANDLE ProcessToReturn = nullptr;
DWORD ExecuteExError = ERROR_SUCCESS;  // the call fails with this error

std::wstring Text(const wchar_t* text) { return text ? text : L""; }

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                    LPCSTR directory, INT show) {
  OpenCalls.push_back({owner, operation == nullptr, parameters == nullptr, directory == nullptr, file,
                       parameters ? parameters : "", directory ? directory : "", show});
  return reinterpret_cast<HINSTANCE>(2);  // "file not found": must not matter
}

HINSTANCE WINAPI RecordShellExecuteWide(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                        LPCWSTR directory, INT show) {
  // Recorded in UTF-8, so that the checks below read as text.
  OpenCalls.push_back({owner, operation == nullptr, parameters == nullptr, directory == nullptr,
                       TWideText(file).ToAnsi(CP_UTF8), TWideText(parameters).ToAnsi(CP_UTF8),
                       TWideText(directory).ToAnsi(CP_UTF8), show});
  return reinterpret_cast<HINSTANCE>(2);
}

HINSTANCE WINAPI ThrowingShellExecute(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) {
  throw std::runtime_error("posed failure");
}

BOOL WINAPI RecordShellExecuteEx(SHELLEXECUTEINFOW* info) {
  ExecuteExCalls.push_back(*info);
  ExecuteExFiles.push_back(Text(info->lpFile));
  ExecuteExParameters.push_back(Text(info->lpParameters));
  ExecuteExDirectories.push_back(Text(info->lpDirectory));
  info->hProcess = ProcessToReturn;
  if (ExecuteExError == ERROR_SUCCESS) return TRUE;
  info->hInstApp = reinterpret_cast<HINSTANCE>(SE_ERR_FNF);
  SetLastError(ExecuteExError);
  return FALSE;
}

class ShellActionsTest : public ::testing::Test {
protected:
  void SetUp() override {
    OpenCalls.clear();
    ExecuteExCalls.clear();
    ExecuteExFiles.clear();
    ExecuteExParameters.clear();
    ExecuteExDirectories.clear();
    ProcessToReturn = nullptr;
    ExecuteExError = ERROR_FILE_NOT_FOUND;
    FApi.Execute = &RecordShellExecute;
    FApi.ExecuteWide = &RecordShellExecuteWide;
    FApi.ExecuteEx = &RecordShellExecuteEx;
  }
  // The working directory ShellOpen passes for the target.
  std::string DirectoryFor(const std::string& target) {
    ShellOpen(Owner, target, "", FApi);
    return OpenCalls.back().Directory;
  }

  const HWND Owner = reinterpret_cast<HWND>(0x1234);
  TShellLaunchApi FApi;
};

TEST_F(ShellActionsTest, OpenPassesTheTargetWithItsDefaultActionAndShown) {
  ShellOpen(Owner, "C:\\Program Files\\Sweeper\\Sweeper.exe", "{B7188742-5D1C-46DA-9178-43DFBFCC0FA5}", FApi);
  ShellOpen(Owner, "notepad", "", FApi);
  ASSERT_EQ(2u, OpenCalls.size());
  const TOpenCall& program = OpenCalls[0];
  EXPECT_EQ(Owner, program.Owner);
  EXPECT_TRUE(program.OperationIsNull);
  EXPECT_EQ("C:\\Program Files\\Sweeper\\Sweeper.exe", program.File);
  EXPECT_EQ("{B7188742-5D1C-46DA-9178-43DFBFCC0FA5}", program.Parameters);
  EXPECT_EQ("C:\\Program Files\\Sweeper\\", program.Directory);
  EXPECT_EQ(SW_SHOW, program.Show);
  // Empty texts are passed as empty strings, never as null.
  const TOpenCall& bare = OpenCalls[1];
  EXPECT_FALSE(bare.ParametersIsNull);
  EXPECT_FALSE(bare.DirectoryIsNull);
  EXPECT_EQ("", bare.Parameters);
  EXPECT_EQ("", bare.Directory);
}

TEST_F(ShellActionsTest, OpenWorksInTheTargetsDirectoryPart) {
  EXPECT_EQ("C:\\", DirectoryFor("C:\\Sweeper.exe"));
  // A folder opens itself, in its parent.
  EXPECT_EQ("C:\\Users\\me\\Start Menu\\Programs\\", DirectoryFor("C:\\Users\\me\\Start Menu\\Programs\\Startup"));
  EXPECT_EQ("http:", DirectoryFor("http://www.example.com/"));
  EXPECT_EQ("MailTo:", DirectoryFor("MailTo:sweeper@example.com?subject=from [Sweeper] user"));
  EXPECT_EQ("\\\\server\\share\\", DirectoryFor("\\\\server\\share\\tool.exe"));
}

TEST_F(ShellActionsTest, OpenNeverSplitsInsideADoubleByteCharacter) {
  // Code page 932: the second byte of 0x95 0x5C is a backslash, not a separator.
  FApi.CodePage = 932;
  EXPECT_EQ("C:\\", DirectoryFor("C:\\\x95\x5C.exe"));
  EXPECT_EQ("C:\\\x95\x5C\\", DirectoryFor("C:\\\x95\x5C\\Sweeper.exe"));
}

TEST_F(ShellActionsTest, OpenSwallowsEveryFailure) {
  FApi.Execute = &ThrowingShellExecute;
  EXPECT_NO_THROW(ShellOpen(Owner, "C:\\missing.exe", "", FApi));
}

TEST_F(ShellActionsTest, TheProgramsOwnFolderOpensByItsRealName) {
  // Greek letters, which code page 1252 would turn into "??".
  ShellOpen(Owner, TWideText(L"Z:\\\u0395\u03bb\\"), FApi);
  ASSERT_EQ(1u, OpenCalls.size());
  EXPECT_EQ("Z:\\\xce\x95\xce\xbb\\", OpenCalls[0].File);
  EXPECT_EQ("Z:\\\xce\x95\xce\xbb\\", OpenCalls[0].Directory);
  EXPECT_TRUE(OpenCalls[0].OperationIsNull);
  EXPECT_FALSE(OpenCalls[0].ParametersIsNull);
  EXPECT_EQ(SW_SHOW, OpenCalls[0].Show);
}

TEST_F(ShellActionsTest, StartProgramStartsTheRealFileInItsFolder) {
  ExecuteExError = ERROR_SUCCESS;
  StartProgram(Owner, L"Z:\\\u0395\u03bb\\Sweeper.exe", "{B7188742-5D1C-46DA-9178-43DFBFCC0FA5}", FApi);
  ASSERT_EQ(1u, ExecuteExCalls.size());
  EXPECT_EQ(Owner, ExecuteExCalls[0].hwnd);
  EXPECT_EQ(nullptr, ExecuteExCalls[0].lpVerb);
  EXPECT_EQ(L"Z:\\\u0395\u03bb\\Sweeper.exe", ExecuteExFiles[0]);
  EXPECT_EQ(L"{B7188742-5D1C-46DA-9178-43DFBFCC0FA5}", ExecuteExParameters[0]);
  EXPECT_EQ(L"Z:\\\u0395\u03bb\\", ExecuteExDirectories[0]);
  EXPECT_EQ(SW_SHOW, ExecuteExCalls[0].nShow);
  // The caller reports a failure; the shell must not show one of its own,
  // nor a security warning for the program that is already running.
  EXPECT_TRUE(ExecuteExCalls[0].fMask & SEE_MASK_FLAG_NO_UI);
  EXPECT_TRUE(ExecuteExCalls[0].fMask & SEE_MASK_NOZONECHECKS);
}

TEST_F(ShellActionsTest, StartProgramThatFailsRaisesTheSystemsReason) {
  auto start = [&] { StartProgram(Owner, L"C:\\gone\\Sweeper.exe", "", FApi); };
  EXPECT_EQ("Cannot start \"C:\\gone\\Sweeper.exe\": " + SystemErrorMessage(ERROR_FILE_NOT_FOUND), RaisedText(start));
  // A shell that sets no error code still says why through its result.
  struct TSilent {
    static BOOL WINAPI Execute(SHELLEXECUTEINFOW* info) {
      info->hInstApp = reinterpret_cast<HINSTANCE>(SE_ERR_PNF);
      SetLastError(ERROR_SUCCESS);
      return FALSE;
    }
  };
  FApi.ExecuteEx = &TSilent::Execute;
  EXPECT_EQ("Cannot start \"C:\\gone\\Sweeper.exe\": " + SystemErrorMessage(ERROR_PATH_NOT_FOUND), RaisedText(start));
}

HRESULT WINAPI UnknownFolderLocation(HWND, int, LPITEMIDLIST* list) {
  *list = nullptr;
  return E_FAIL;
}

TEST_F(ShellActionsTest, AnUnknownStartupFolderIsReportedNotOpened) {
  TSpecialFolderApi folders;
  folders.GetFolderLocation = &UnknownFolderLocation;
  EXPECT_EQ("Cannot open \"Startup\": the folder is unknown",
            RaisedText<EUnknownFolder>([&] { OpenSpecialFolder(Owner, sfStartup, folders, FApi); }));
  EXPECT_TRUE(OpenCalls.empty());

  // A known folder opens, in its parent.
  OpenSpecialFolder(Owner, sfStartup, TSpecialFolderApi(), FApi);
  ASSERT_EQ(1u, OpenCalls.size());
  EXPECT_EQ(GetSpecialFolder(Owner, sfStartup, fcNever).ToAnsi(CP_UTF8), OpenCalls[0].File);
}

TEST_F(ShellActionsTest, PropertiesSendsTheExactRecord) {
  ShowFileProperties(Owner, L"C:\\\u0395\u03bb\\Sweeper.exe", FApi);
  ASSERT_EQ(1u, ExecuteExCalls.size());
  SHELLEXECUTEINFOW seen = ExecuteExCalls[0];
  EXPECT_EQ(sizeof(void*) == 4 ? 60u : 112u, seen.cbSize);
  EXPECT_EQ(0x44Cu, seen.fMask);
  EXPECT_EQ(Owner, seen.hwnd);
  EXPECT_EQ(L"properties", Text(seen.lpVerb));
  EXPECT_EQ(L"C:\\\u0395\u03bb\\Sweeper.exe", ExecuteExFiles[0]);

  // Every other byte of the record is zero.
  SHELLEXECUTEINFOW expected = {};
  expected.cbSize = seen.cbSize;
  expected.fMask = seen.fMask;
  expected.hwnd = seen.hwnd;
  expected.lpVerb = seen.lpVerb;
  expected.lpFile = seen.lpFile;
  EXPECT_EQ(0, std::memcmp(&expected, &seen, sizeof seen));
}

TEST_F(ShellActionsTest, PropertiesClosesAProcessHandleItIsGiven) {
  ProcessToReturn = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(nullptr, ProcessToReturn);
  ShowFileProperties(Owner, L"C:\\Sweeper\\Sweeper.exe", FApi);
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(ProcessToReturn, &flags));
}

// The visible top-level windows of this process.
int VisibleWindowsOfThisProcess() {
  struct TCount {
    static BOOL CALLBACK Visit(HWND window, LPARAM count) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      if (process == GetCurrentProcessId() && IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
      return TRUE;
    }
  };
  int count = 0;
  EnumWindows(&TCount::Visit, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(ShellActionsRealTest, PropertiesOfAMissingFileShowNothing) {
  int before = VisibleWindowsOfThisProcess();
  ShowFileProperties(nullptr, L"C:\\no such folder\\no such file.exe");
  PumpFor(200);  // let any window the shell made come up
  EXPECT_EQ(before, VisibleWindowsOfThisProcess());
}

}  // namespace
