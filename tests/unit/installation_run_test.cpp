#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "install/install_context.h"
#include "install/installation_run.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "shell/app_context.h"
#include "test_support.h"

namespace {

using platform::fake::QueueAnswers;
using namespace platform::ui;

const char* const kCapiEntry = "SOFTWARE\\CAPI20\\1";

class InstallationRunTest : public SetupFixture {
  protected:
    void SetUp() override {
        SetupFixture::SetUp();
        std::filesystem::create_directories(PathOf("WINNT/system32"));
        platform::fake::SetWindowsDirectory(Dir() + "\\WINNT");
        platform::fake::SetSystemDirectory(Dir() + "\\WINNT\\system32");
        WriteFile("WINNT/system32/AutoExec.NT",
                  CrLf({"REM stock", "lh %SystemRoot%\\system32\\mscdexnt.exe"}));
        platform::fake::AddRegistryKey("SOFTWARE");
        platform::fake::AddRegistryKey("SYSTEM\\CurrentControlSet\\Control\\ServiceGroupOrder");
        platform::fake::SetRegistryValue("SYSTEM\\CurrentControlSet\\Control\\ServiceGroupOrder", "List", 7,
                                         std::string("Base\0NDIS\0TDI\0\0", 16));
        App().SetupProgramName = "SETUP.EXE";
        LoadLanguage({{"[INFO_COPYFILE]", "Copy %s to %s"},
                      {"[INFO_EXPANDFILE]", "Expand %s to %s"},
                      {"[INFO_CREATEPATH]", "Create %s"}});
        App().SetupDirectory = Dir() + "\\dist";
        Script(Dir() + "/dist", "DIST");
        WriteFile("dist/SETUP.EXE", "program");
        WriteFile("dist/DOCS/README.TXT", "readme");
        WriteFile("dist/DRIVER/KXBUS.SY_", ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bi_"));
        WriteFile("dist/DRIVER/TOOL.EX_", "plain tool");
    }

    // A small script naming a Windows-only file, a file for both places, and a documentation file.
    void Script(const std::string& directory, const std::string& marker) {
        std::string bytes = CrLf({"[VERSION]",
                                  "210",
                                  "[DEFPROTOCOL]",
                                  "Euro",
                                  "[PROTOCOL]",
                                  "1",
                                  "Euro",
                                  "qdss1.sys",
                                  "0",
                                  "[ADDFILES]",
                                  "1",
                                  "1",
                                  "DOCS",
                                  "README.TXT",
                                  "DOCS",
                                  "[COMPFILES]",
                                  "2",
                                  "1",
                                  "DRIVER",
                                  "KXBUS.SY_",
                                  "kxbus.sys",
                                  "!NOSETUPDIR",
                                  "system32\\drivers",
                                  "!VERSION_ON",
                                  "1",
                                  "DRIVER",
                                  "TOOL.EX_",
                                  "tool.exe",
                                  "TOOLS",
                                  "system32",
                                  "!VERSION_OFF",
                                  "[PROGMAN]",
                                  "Group",
                                  "Test",
                                  "0",
                                  "[MAINTENANCE]",
                                  "!MAINTENANCE_OFF",
                                  "REM " + marker});
        std::filesystem::create_directories(directory);
        std::ofstream(directory + "/SETUP.QZT", std::ios::binary) << bytes;
    }

    void Run() { RunInstallation(nullptr, Dir() + "\\dist", Dir() + "\\Quorel2"); }

    std::vector<std::string> Kinds(const std::string& kind) {
        std::vector<std::string> texts;
        for (const auto& shown : Shown())
            if (shown.kind == kind)
                texts.push_back(shown.text);
        return texts;
    }
};

TEST_F(InstallationRunTest, FirstInstallationPutsEveryFileInPlaceAndWritesTheConfiguration) {
    Run();
    EXPECT_EQ(ReadFile("Quorel2/SETUP.QZT"), ReadFile("dist/SETUP.QZT"));
    EXPECT_EQ(ReadFile("Quorel2/SETUP.EXE"), "program");
    EXPECT_EQ(ReadFile("Quorel2/DOCS/README.TXT"), "readme");
    EXPECT_EQ(ReadFile("WINNT/system32/drivers/kxbus.sys"), ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bin"));
    EXPECT_FALSE(Exists("Quorel2/kxbus.sys"));
    EXPECT_EQ(ReadFile("WINNT/system32/tool.exe"), "plain tool");
    EXPECT_EQ(ReadFile("Quorel2/TOOLS/tool.exe"), "plain tool");
    // Windows tree first, then the installation directory.
    auto expands = Kinds("InfoText");
    std::vector<std::string> toolSteps;
    for (const auto& text : expands)
        if (text.find("TOOL.EX_") != std::string::npos)
            toolSteps.push_back(text);
    ASSERT_EQ(toolSteps.size(), 2u);
    EXPECT_NE(toolSteps[0].find("WINNT"), std::string::npos);
    EXPECT_NE(toolSteps[1].find("Quorel2"), std::string::npos);

    EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[INFO_INS_DONE]"}));
    EXPECT_TRUE(Kinds("AskYesNo").empty());
    EXPECT_TRUE(platform::fake::RegistryKeyExists(kCapiEntry));
    EXPECT_TRUE(platform::fake::RegistryKeyExists("SYSTEM\\CurrentControlSet\\Services\\Quorel"));
    EXPECT_TRUE(App().RestartNeeded);
    EXPECT_TRUE(App().GroupReady);
    EXPECT_EQ(App().RunMode, kRunConfigure);
    EXPECT_EQ(Kinds("MainDialogMode"), (std::vector<std::string>{"1"}));
    EXPECT_FALSE(platform::fake::DdeCommands().empty());
}

TEST_F(InstallationRunTest, CancelBeforeTheSecondFileTouchesNothingMore) {
    platform::fake::CancelAtPump(2);
    Run();
    EXPECT_TRUE(Exists("Quorel2/SETUP.QZT"));
    EXPECT_FALSE(Exists("Quorel2/SETUP.EXE"));
    EXPECT_FALSE(Exists("WINNT/system32/drivers/kxbus.sys"));
    EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[ERR_INS_NOSUCCESS]"}));
    EXPECT_FALSE(App().GroupReady);
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kCapiEntry));
    EXPECT_TRUE(platform::fake::DdeCommands().empty());
    EXPECT_EQ(App().RunMode, kRunNormal);
}

TEST_F(InstallationRunTest, CancelDuringTheSystemEntriesPauseEndsBeforeTheGroup) {
    // Five file pumps (two setup files, one added file, three expansions), then the pause.
    platform::fake::CancelAtPump(7);
    Run();
    EXPECT_TRUE(Exists("Quorel2/TOOLS/tool.exe"));
    EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[INFO_INS_DONE]", "[ERR_INS_NOSUCCESS]"}));
    EXPECT_TRUE(platform::fake::DdeCommands().empty());
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kCapiEntry));
}

TEST_F(InstallationRunTest, IgnoredMissingFileFinishesCopyingThenFailsWithoutRegistryChanges) {
    std::filesystem::remove(PathOf("dist/DOCS/README.TXT"));
    QueueAnswers({kAnswerIgnore});
    Run();
    EXPECT_TRUE(Exists("WINNT/system32/drivers/kxbus.sys"));
    EXPECT_EQ(Kinds("AskRetryIgnore").size(), 1u);
    EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[ERR_INS_NOSUCCESS]"}));
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kCapiEntry));
    EXPECT_FALSE(App().GroupReady);
}

TEST_F(InstallationRunTest, ReinstallationKeepsOrRenewsTheConfiguration) {
    Run();
    ASSERT_TRUE(platform::fake::RegistryKeyExists(kCapiEntry));
    platform::fake::SetRegistryValue("SYSTEM\\CurrentControlSet\\Services\\Quorel", "Start", 4,
                                     std::string("\3\0\0\0", 4));
    WriteFile("dist/removed.qzt", "log");

    for (int answer : {kAnswerYes, kAnswerCancel}) {
        Shown().clear();
        App().RunMode = kRunNormal;
        // Copies and expansions keep their sources' times: no overwrite question, only the one about the
        // configuration.
        QueueAnswers({answer});
        Run();
        EXPECT_EQ(Kinds("AskYesNo"), (std::vector<std::string>{"[QUEST_APPLYOLD]"}));
        EXPECT_FALSE(App().RestartNeeded);
        auto values = platform::fake::RegistryValues("SYSTEM\\CurrentControlSet\\Services\\Quorel");
        bool kept = false;
        for (const auto& value : values)
            kept = kept || (value.name == "Start" && value.data == std::string("\3\0\0\0", 4));
        EXPECT_TRUE(kept) << answer;
        EXPECT_FALSE(Exists("dist/removed.qzt"));
        EXPECT_EQ(App().RunMode, kRunConfigure);
    }

    Shown().clear();
    QueueAnswers({kAnswerNo});
    Run();
    auto values = platform::fake::RegistryValues("SYSTEM\\CurrentControlSet\\Services\\Quorel");
    bool renewed = false;
    for (const auto& value : values)
        renewed = renewed || (value.name == "Start" && value.data == std::string("\1\0\0\0", 4));
    EXPECT_TRUE(renewed);
    EXPECT_FALSE(App().RestartNeeded);
}

TEST_F(InstallationRunTest, OtherMakersEntryIsReportedOnceOursStandsBesideIt) {
    platform::fake::AddRegistryKey(kCapiEntry);
    platform::fake::SetRegistryValue(kCapiEntry, "Manufacturer", 1, std::string("Other Maker\0", 12));
    // The first installation counts the entries before its own is made: one subkey, no message.
    Run();
    EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[INFO_INS_DONE]"}));
    EXPECT_TRUE(platform::fake::RegistryKeyExists("SOFTWARE\\CAPI20\\2"));
    Shown().clear();
    QueueAnswers({kAnswerYes});
    Run();
    EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[INFO_INS_DONE]", "[INFO_OTHERMANU]"}));
    EXPECT_EQ(Kinds("AskYesNo"), (std::vector<std::string>{"[QUEST_APPLYOLD]"}));
}

TEST_F(InstallationRunTest, ScriptAndAddedFilesComeFromTheSourcePathTheRestFromTheStartDirectory) {
    Script(Dir() + "/source", "SOURCE");
    WriteFile("source/DOCS/README.TXT", "readme from the source path");
    WriteFile("source/SETUP.EXE", "wrong program");
    RunInstallation(nullptr, Dir() + "\\source", Dir() + "\\Quorel2");
    EXPECT_EQ(ReadFile("Quorel2/SETUP.QZT"), ReadFile("source/SETUP.QZT"));
    EXPECT_EQ(ReadFile("Quorel2/DOCS/README.TXT"), "readme from the source path");
    EXPECT_EQ(ReadFile("Quorel2/SETUP.EXE"), "program");
    EXPECT_EQ(ReadFile("WINNT/system32/drivers/kxbus.sys"), ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bin"));
    EXPECT_EQ(Installation().SourcePath, Dir() + "\\source");
}

}  // namespace
