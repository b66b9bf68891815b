#pragma once

#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "machine_state.h"

namespace e2e {

// A Windows NT 4 machine without the driver and a fresh copy of the distribution named after the test, so
// that a failed test leaves its files to look at; the machine is put back to that state afterwards.
class DistributionFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        PrepareNt4Machine();
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = PrepareDistribution(std::string(info->test_suite_name()) + "." + info->name());
    }
    void TearDown() override { PrepareNt4Machine(); }

    // A text of the distribution's English language file, as the program shows it.
    std::string English(const std::string& key) const { return LanguageText(dir_ + "\\ENGLISH.LNG", key); }

    std::string dir_;
};

}  // namespace e2e
