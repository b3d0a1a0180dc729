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
