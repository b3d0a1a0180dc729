// What ShellOpen and ShowFileProperties ask of the shell, recorded call by call.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "info/ShellActions.h"

namespace {

struct TOpenCall {
  HWND Owner;
  bool OperationIsNull, ParametersIsNull, DirectoryIsNull;
  std::string File, Parameters, Directory;
  INT Show;
};

std::vector<TOpenCall> OpenCalls;
std::vector<SHELLEXECUTEINFOA> ExecuteExCalls;
std::vector<std::string> ExecuteExFiles;
HANDLE ProcessToReturn = nullptr;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                    LPCSTR directory, INT show) {
  OpenCalls.push_back({owner, operation == nullptr, parameters == nullptr, directory == nullptr, file,
                       parameters ? parameters : "", directory ? directory : "", show});
  return reinterpret_cast<HINSTANCE>(2);  // "file not found": must not matter
}

HINSTANCE WINAPI ThrowingShellExecute(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) {
  throw std::runtime_error("posed failure");
}

BOOL WINAPI RecordShellExecuteEx(SHELLEXECUTEINFOA* info) {
  ExecuteExCalls.push_back(*info);
  ExecuteExFiles.push_back(info->lpFile ? info->lpFile : "");
  info->hProcess = ProcessToReturn;
  return FALSE;
}

class ShellActionsTest : public ::testing::Test {
protected:
  void SetUp() override {
    OpenCalls.clear();
    ExecuteExCalls.clear();
    ExecuteExFiles.clear();
    ProcessToReturn = nullptr;
    FApi.Execute = &RecordShellExecute;
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

TEST_F(ShellActionsTest, PropertiesSendsTheExactRecord) {
  ShowFileProperties(Owner, "C:\\Sweeper\\Sweeper.exe", FApi);
  ASSERT_EQ(1u, ExecuteExCalls.size());
  SHELLEXECUTEINFOA seen = ExecuteExCalls[0];
  EXPECT_EQ(sizeof(void*) == 4 ? 60u : 112u, seen.cbSize);
  EXPECT_EQ(0x44Cu, seen.fMask);
  EXPECT_EQ(Owner, seen.hwnd);
  EXPECT_STREQ("properties", seen.lpVerb);
  EXPECT_EQ("C:\\Sweeper\\Sweeper.exe", ExecuteExFiles[0]);

  // Every other byte of the record is zero.
  SHELLEXECUTEINFOA expected = {};
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
  ShowFileProperties(Owner, "C:\\Sweeper\\Sweeper.exe", FApi);
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
  ShowFileProperties(nullptr, "C:\\no such folder\\no such file.exe");
  MSG msg;
  for (int i = 0; i < 20; ++i) {  // let any window the shell made come up
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
  EXPECT_EQ(before, VisibleWindowsOfThisProcess());
}

}  // namespace
