// The single-instance guard, with a name of this test's own.
#include <gtest/gtest.h>

#include <string>

#include "app/InstanceGuard.h"

TEST(InstanceGuard, SecondTestOfTheSameNameFindsItRunning) {
  const std::string name = "SweeperUnitTest-" + std::to_string(GetCurrentProcessId());
  TInstanceGuard first(name), second(name);
  EXPECT_TRUE(first.Take());
  EXPECT_FALSE(second.Take());
  first.Release();  // the name ceases to exist with its last handle
  EXPECT_TRUE(second.Take());
  EXPECT_FALSE(first.Take());  // and the one that let it go cannot take it back
  second.Release();
  EXPECT_TRUE(first.Take());
}

TEST(InstanceGuard, ANameHeldWithRightsThisCopyLacksIsTaken) {
  // Held by a copy that grants this one no rights (an elevated one, say):
  // opening it is denied, and the name is taken all the same.
  const std::string name = "SweeperUnitTestDenied-" + std::to_string(GetCurrentProcessId());
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
  TInstanceGuard guard(name);
  EXPECT_FALSE(guard.Take());
  CloseHandle(other);
}

TEST(InstanceGuard, ANameHeldByAnObjectThatIsNoMutexIsTaken) {
  // Another program's semaphore of the same name: no mutex can be made
  // under it, so no instance of ours could hold it either.
  const std::string name = "SweeperUnitTestSquatted-" + std::to_string(GetCurrentProcessId());
  HANDLE squatter = CreateSemaphoreA(nullptr, 0, 1, name.c_str());
  ASSERT_NE(nullptr, squatter);
  ASSERT_EQ(nullptr, CreateMutexA(nullptr, TRUE, name.c_str()));
  ASSERT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
  TInstanceGuard guard(name);
  EXPECT_FALSE(guard.Take());
  CloseHandle(squatter);
}
