#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/native_fakes.h"

// Joins lines with CR LF, the line end of every setup file.
std::string CrLf(const std::vector<std::string>& lines);

// A fresh directory for each test, with the process-wide state (context, language table, fakes) reset.
// The directory becomes SetupDirectory.
class SetupFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Dir() const { return directory_; }
    std::string PathOf(const std::string& name) const { return directory_ + "/" + name; }
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;
    bool Exists(const std::string& name) const;
    std::vector<platform::fake::Shown>& Shown() { return platform::fake::ShownMessages(); }
    // The texts of everything shown so far.
    std::vector<std::string> ShownTexts();

private:
    std::string directory_;
};
