#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/native_fakes.h"
#include "shell/app_context.h"
#include "ui/ui_fakes.h"

// The program's context as the program's top would own it, for the tests that stand in for the top.
AppContext& App();

// The bytes of a host file.
std::string ReadHostFile(const std::string& path);

// Joins lines with CR LF, the line end of every setup file.
std::string CrLf(const std::vector<std::string>& lines);

// The lines of a setup file written one record, or a section's head, a row.
std::vector<std::string> Rows(const std::vector<std::vector<std::string>>& rows);

// The "[COMPFILES]" section of a small distribution: the bus driver, compressed and with its version shown,
// into the Windows tree's system32\drivers only, and a plain tool into the installation's TOOLS and into
// system32. SetupFixture::WriteDriverAndToolSources writes the two sources.
std::vector<std::string> DriverAndToolSection();

// A fresh directory for each test, with the process-wide state (the test's program context, language table,
// fakes) reset. The directory becomes SetupDirectory. Afterwards the working directory and the
// context are put back as the test found them, and the language table is emptied, so that no test sees
// what another one left.
class SetupFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::string Dir() const { return directory_; }
    std::string PathOf(const std::string& name) const { return directory_ + "/" + name; }
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // The sources DriverAndToolSection names, in dist/DRIVER: the compressed driver fixture and a tool.
    void WriteDriverAndToolSources() const;
    // Writes a complete language file (every key, in order; a key's text is the key itself unless given)
    // and loads it as the current language.
    void LoadLanguage(const std::map<std::string, std::string>& texts);
    std::vector<ui::fake::Shown>& Shown() { return ui::fake::ShownMessages(); }
    // The texts of everything shown so far.
    std::vector<std::string> ShownTexts();

  private:
    std::string directory_;
    std::string savedWorkingDirectory_;
    AppContext savedApp_;
};
