#include <gtest/gtest.h>

#include <string>

#include "shell/single_run.h"

// NT 4.0 has one name space for kernel objects and refuses a backslash in a name; from Windows 2000 on a
// name without "Global\" would hold only in one session, and a second administrator's run would pass it.
TEST(SingleRunTest, TheClaimIsMachineWideWhereTheSystemHasSessions) {
    EXPECT_EQ(std::string(SingleRunMutexName(4)), "QuorelSetupRun");
    EXPECT_EQ(std::string(SingleRunMutexName(5)), "Global\\QuorelSetupRun");
    EXPECT_EQ(std::string(SingleRunMutexName(10)), "Global\\QuorelSetupRun");
}
