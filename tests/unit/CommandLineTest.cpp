#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "app/InstanceGuard.h"
#include "app/InstanceKey.h"

TEST(CommandLine, FirstArgumentFollowsTheProgramPath) {
  EXPECT_EQ("", FirstArgument(""));
  EXPECT_EQ("", FirstArgument("C:\\Sweeper.exe"));
  EXPECT_EQ("", FirstArgument("\"C:\\Program Files\\Sweeper.exe\"   "));
  EXPECT_EQ("/starup", FirstArgument("\"C:\\Program Files\\Sweeper.exe\" /starup"));
  EXPECT_EQ("/starup", FirstArgument("C:\\Sweeper.exe\t\r\n\x01/starup second"));
  EXPECT_EQ("", FirstArgument(nullptr));
}

TEST(CommandLine, QuotesGroupAndAreDropped) {
  EXPECT_EQ("a b", FirstArgument("prog \"a b\" c"));
  EXPECT_EQ("ab c", FirstArgument("prog a\"b c\""));
  EXPECT_EQ("open", FirstArgument("prog \"open"));  // unbalanced: runs to the end
  EXPECT_EQ("x", FirstArgument("prog \"\" x"));    // an empty pair is no item
  EXPECT_EQ(std::string(InstanceKey), FirstArgument((std::string("prog \"") + InstanceKey + "\"").c_str()));
}

TEST(CommandLine, OnlyTheExactKeyInFirstPlaceIsTheRestartArgument) {
  const std::string key = InstanceKey;
  EXPECT_EQ(key, FirstArgument(("prog " + key).c_str()));
  std::string lower = key;
  for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(key, FirstArgument(("prog " + lower).c_str()));
  EXPECT_NE(key, FirstArgument(("prog " + key + "x").c_str()));
  EXPECT_NE(key, FirstArgument(("prog /starup " + key).c_str()));
  // Bytes above 127 are not white space.
  EXPECT_EQ("\xE9t\xE9", FirstArgument("prog \xE9t\xE9"));
}

TEST(CommandLine, SplitsLongAndManyArguments) {
  std::string line = "prog";
  for (int i = 0; i < 1000; ++i) line += " a" + std::to_string(i);
  line += " " + std::string(10000, 'x');
  std::vector<std::string> items = SplitCommandLine(line.c_str());
  ASSERT_EQ(1002u, items.size());
  EXPECT_EQ("a999", items[1000]);
  EXPECT_EQ(10000u, items[1001].size());
}

TEST(InstanceGuard, SecondTestOfTheSameNameFindsItRunning) {
  const std::string name = "SweeperUnitTest-" + std::to_string(GetCurrentProcessId());
  EXPECT_FALSE(IsAlreadyRunning(name));
  EXPECT_TRUE(IsAlreadyRunning(name));
  ReleaseInstanceGuard();  // the name ceases to exist with its last handle
  EXPECT_FALSE(IsAlreadyRunning(name));
  ReleaseInstanceGuard();

  // Held by a copy that grants this one no rights (an elevated one, say):
  // opening it is denied, and the name is taken all the same.
  SECURITY_DESCRIPTOR noRights;
  InitializeSecurityDescriptor(&noRights, SECURITY_DESCRIPTOR_REVISION);
  ACL emptyList;
  InitializeAcl(&emptyList, sizeof(emptyList), ACL_REVISION);
  SetSecurityDescriptorDacl(&noRights, TRUE, &emptyList, FALSE);
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), &noRights, FALSE};
  HANDLE other = CreateMutexA(&attributes, TRUE, name.c_str());
  ASSERT_NE(nullptr, other);
  ASSERT_EQ(nullptr, CreateMutexA(nullptr, TRUE, name.c_str()));
  ASSERT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
  EXPECT_TRUE(IsAlreadyRunning(name));
  CloseHandle(other);
}
