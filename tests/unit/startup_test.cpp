#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "setupfiles/language_table.h"
#include "shell/app_context.h"
#include "shell/command_line.h"
#include "shell/startup.h"
#include "platform/native_fakes.h"
#include "ui/run_report.h"
#include "ui/silent_mode.h"
#include "test_support.h"

namespace {

class StartupTest : public SetupFixture {};

TEST_F(StartupTest, CommandLineSwitches) {
    struct Case {
        const char* line;
        const char* file;
        int mode;
        const char* language;
    } cases[] = {
        {"/fTEST.QZT /d /lDeutsch", "TEST.QZT", kRunDeinstall, "Deutsch"},
        {"-C", "SETUP.QZT", kRunConfigure, ""},
        {"/d /c", "SETUP.QZT", kRunConfigure, ""},
        {"/c /d", "SETUP.QZT", kRunDeinstall, ""},
        {"/cd", "SETUP.QZT", kRunConfigure, ""},  // scanning goes on after the letter, not after a '/'
        {"/lEnglish -LDeutsch", "SETUP.QZT", kRunNormal, "Deutsch"},
        {"/x /y", "SETUP.QZT", kRunNormal, ""},
        {"/fA/c-d", "A/c-d", kRunNormal, ""},  // a '/' or '-' inside a value is part of it
        {"/lAVeryLongLanguageName", "SETUP.QZT", kRunNormal, "AVeryLongLangua"},
        {"/F", "", kRunNormal, ""},
        {"", "SETUP.QZT", kRunNormal, ""},
        {"-", "SETUP.QZT", kRunNormal, ""},
    };
    for (const Case& c : cases) {
        App() = AppContext();
        ParseCommandLine(c.line, App());
        EXPECT_EQ(App().SetupInfoFileName, c.file) << c.line;
        EXPECT_EQ(App().RunMode, c.mode) << c.line;
        EXPECT_EQ(App().RequestedLanguage, c.language) << c.line;
    }
    App() = AppContext();
    ParseCommandLine(std::string(125, ' ') + "/d", App());  // "/d" would be characters 126 and 127
    EXPECT_EQ(App().RunMode, kRunDeinstall);
    App() = AppContext();
    ParseCommandLine(std::string(126, ' ') + "/d", App());  // the 'd' lies beyond the 127 characters read
    EXPECT_EQ(App().RunMode, kRunNormal);
}

TEST_F(StartupTest, LanguageSelection) {
    App().Languages.entries = {{"English", "E.LNG"}, {"Deutsch", "D.LNG"}, {"deutsch", "D2.LNG"}};
    struct Case {
        const char* requested;
        int index;
    } cases[] = {{"DEUTSCH", 1}, {"english", 0}, {"Francais", 0}, {"", 0}};
    for (const Case& c : cases) {
        App().RequestedLanguage = c.requested;
        App().LanguageIndex = 2;
        SelectLanguage(App());
        EXPECT_EQ(App().LanguageIndex, c.index) << c.requested;
    }
}

TEST_F(StartupTest, SetupProgramNameIsThePathLessTheStartDirectory) {
    EXPECT_EQ(WorkOutSetupProgramName("C:\\DIST\\SETUP.EXE", "C:\\DIST"), "SETUP.EXE");
    EXPECT_EQ(WorkOutSetupProgramName("C:\\SETUP.EXE", "C:\\"), "SETUP.EXE");
    EXPECT_EQ(WorkOutSetupProgramName("\\\\srv\\share\\SETUP.EXE", "\\\\srv\\share"), "SETUP.EXE");
    EXPECT_EQ(WorkOutSetupProgramName("C:\\A.EXE", "C:\\a\\much\\longer\\directory"), "");
}

TEST_F(StartupTest, InitializeContextReadsTheLanguagesOfTheScriptTheSwitchesName) {
    WriteFile("SETUP.QZT", CrLf({"[LANGUAGE]", "2", "English", "ENGLISH.LNG", "Deutsch", "DEUTSCH.LNG"}));
    WriteFile("OTHER.QZT",
              CrLf({"[LANGUAGE]", "3", "Other", "OTHER.LNG", "Deutsch", "D.LNG", "Last", "L.LNG"}));
    ASSERT_EQ(chdir(Dir().c_str()), 0);
    platform::fake::SetModuleFileName(Dir() + "\\SETUP.EXE");
    InitializeContext("/fOTHER.QZT /c -lDEUTSCH", App());
    const AppContext& app = App();
    EXPECT_EQ(app.SetupDirectory, Dir());
    EXPECT_EQ(app.SetupProgramName, "SETUP.EXE");
    EXPECT_EQ(app.SetupInfoFileName, "OTHER.QZT");
    ASSERT_EQ(app.Languages.entries.size(), 3u);
    EXPECT_EQ(app.Languages.entries[0].displayName, "Other");
    EXPECT_EQ(app.LanguageIndex, 1);
    EXPECT_EQ(app.StartLanguageIndex, 1);
    EXPECT_EQ(app.RunMode, kRunConfigure);
    EXPECT_EQ(app.StartRunMode, kRunConfigure);
    EXPECT_TRUE(app.GroupReady);
    EXPECT_FALSE(app.RestartNeeded);
}

TEST_F(StartupTest, ProgramDirectoryAndTheCallersPaths) {
    EXPECT_EQ(ProgramDirectory("C:\\DIST\\SETUP.EXE", "X:\\"), "C:\\DIST");
    EXPECT_EQ(ProgramDirectory("C:\\SETUP.EXE", "X:\\"), "C:\\");
    EXPECT_EQ(ProgramDirectory("\\\\srv\\deploy\\quorel\\SETUP.EXE", "X:\\"), "\\\\srv\\deploy\\quorel");
    EXPECT_EQ(ProgramDirectory("SETUP.EXE", "X:\\here"), "X:\\here");
    struct Case {
        const char* path;
        const char* absolute;
    } cases[] = {
        {"answers.ini", "C:\\Scripts\\answers.ini"},
        {"..\\logs\\r.log", "C:\\Scripts\\..\\logs\\r.log"},
        {"D:\\deploy\\answers.ini", "D:\\deploy\\answers.ini"},
        {"\\\\server\\deploy\\answers.ini", "\\\\server\\deploy\\answers.ini"},
        {"\\Temp\\r.log", "C:\\Temp\\r.log"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(AbsolutePath("C:\\Scripts", c.path), c.absolute) << c.path;
}

// Started from another directory (a start-up script's), the program still works beside its own file, and
// the names the caller gave relative to its directory keep meaning that directory.
TEST_F(StartupTest, TheSetupDirectoryIsTheProgramsOwnWhereverItWasStartedFrom) {
    WriteFile("dist/SETUP.QZT", CrLf({"[LANGUAGE]", "1", "English", "ENGLISH.LNG"}));
    std::filesystem::create_directories(PathOf("caller"));
    ASSERT_EQ(chdir(PathOf("caller").c_str()), 0);
    platform::fake::SetModuleFileName(Dir() + "\\dist\\SETUP.EXE");
    DeploymentSwitches switches = InitializeContext("/s /aanswers.ini /rreport.log", App());
    ui::CloseReport();
    ui::LeaveSilentMode();
    EXPECT_EQ(App().SetupDirectory, Dir() + "\\dist");
    EXPECT_EQ(App().SetupProgramName, "SETUP.EXE");
    ASSERT_EQ(App().Languages.entries.size(), 1u);
    EXPECT_EQ(platform::fake::CurrentDirectorySet(), Dir() + "\\dist");
    std::string caller = platform::CurrentDirectory();
    EXPECT_EQ(switches.answerFile, caller + "\\answers.ini");
    EXPECT_EQ(switches.reportFile, caller + "\\report.log");
    ASSERT_EQ(chdir(Dir().c_str()), 0);
}

TEST_F(StartupTest, OperatingSystemCheck) {
    struct Case {
        const char* os;
        int running;
        int matches;
    } cases[] = {
        {"!OS_WINDOWS_NT", 2, 1},
        {"!OS_WINDOWS_95", 2, 0},
        {"!OS_WINDOWS_95", 1, 1},
        {"!OS_WINDOWS_16", 0, 1},
        {"", 2, 0},
    };
    for (const Case& c : cases) {
        WriteFile("SETUP.QZT", CrLf({"[OS]", c.os}));
        platform::fake::SetRunningPlatformId(c.running);
        EXPECT_EQ(OperatingSystemMatches(SetupInfoFile::Read(Dir() + "\\SETUP.QZT")), c.matches) << c.os;
    }
}

TEST_F(StartupTest, RightsCheckNeedsTheKeyAndTheProbeFile) {
    WriteFile("ENGLISH.LNG", "");
    struct Case {
        bool keyOpens;
        bool systemDirectoryWritable;
        int result;
    } cases[] = {{true, true, 1}, {false, true, 0}, {true, false, 0}, {false, false, 0}};
    for (const Case& c : cases) {
        platform::fake::ResetRegistry();
        platform::fake::AddRegistryKey("SOFTWARE");
        if (!c.keyOpens)
            platform::fake::FailRegistryOpen("SOFTWARE", 5, true);  // read access still works
        platform::fake::SetSystemDirectory(c.systemDirectoryWritable ? Dir() + "\\system32"
                                                                     : Dir() + "\\missing");
        Shown().clear();
        EXPECT_EQ(CheckAdminRights(nullptr), c.result);
        EXPECT_FALSE(Exists("system32/QZTCheck.$$$"));
        if (c.result) {
            EXPECT_TRUE(Shown().empty());
        } else {
            ASSERT_EQ(Shown().size(), 1u);
            EXPECT_EQ(Shown()[0].kind, "NoticeDialog");
        }
    }
}

TEST_F(StartupTest, RightsProbeReplacesAnExistingFileAndRemovesIt) {
    platform::fake::AddRegistryKey("SOFTWARE");
    WriteFile("system32/QZTCheck.$$$", "left from an earlier run");
    EXPECT_EQ(CheckAdminRights(nullptr), 1);
    EXPECT_FALSE(Exists("system32/QZTCheck.$$$"));
}

TEST(MainButton, TextPerRunMode) {
    EXPECT_EQ(MainButtonTextId(0), 9);
    EXPECT_EQ(MainButtonTextId(1), 10);
    EXPECT_EQ(MainButtonTextId(2), 11);
    EXPECT_EQ(MainButtonTextId(3), -1);
}

}  // namespace

namespace {

class ExitWorkTest : public SetupFixture {
  protected:
    void SetUp() override {
        SetupFixture::SetUp();
        App().Languages.entries = {{"English", "E.LNG"}, {"Deutsch", "D.LNG"}};
        for (const char* directory : {"start", "source"})
            WriteFile(std::string(directory) + "/SETUP.QZT",
                      CrLf({"[PROGMAN]", directory, "English", "0", "Deutsch", "0"}));
        App().SetupDirectory = Dir() + "\\start";
    }
};

TEST_F(ExitWorkTest, GroupIsRebuiltOnlyForAChangedLanguageAndFromTheRightPlace) {
    struct Case {
        int startMode, mode, startLanguage, language;
        bool groupReady;
        const char* group;  // the group rebuilt, or nullptr
    } cases[] = {
        {kRunConfigure, kRunConfigure, 0, 1, true, "start"},
        {kRunDeinstall, kRunDeinstall, 1, 0, true, "start"},
        {kRunNormal, kRunConfigure, 0, 1, true, "source"},  // installed in this run
        {kRunNormal, kRunNormal, 0, 1, true, nullptr},      // nothing installed
        {kRunConfigure, kRunConfigure, 1, 1, true, nullptr},
        {kRunNormal, kRunConfigure, 0, 1, false, nullptr},  // the installation did not get to the group
    };
    for (const Case& c : cases) {
        platform::fake::ResetDde();
        App().StartRunMode = c.startMode;
        App().RunMode = c.mode;
        App().StartLanguageIndex = c.startLanguage;
        App().LanguageIndex = c.language;
        App().GroupReady = c.groupReady;
        App().InstalledSourcePath = Dir() + "\\source";
        App().InstalledDestinationPath = "C:\\Quorel2";
        RebuildGroupForChangedLanguage(App());
        auto& commands = platform::fake::DdeCommands();
        if (!c.group) {
            EXPECT_TRUE(commands.empty()) << c.startMode << c.mode;
        } else {
            ASSERT_FALSE(commands.empty()) << c.startMode << c.mode;
            EXPECT_EQ(commands[0], std::string("[DeleteGroup(") + c.group + ")]");
        }
    }
}

}  // namespace
