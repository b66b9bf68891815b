#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "install/installation_run.h"
#include "platform/file_system.h"
#include "ui/run_report.h"
#include "ui/silent_mode.h"
#include "ui/user_interface.h"
#include "shell/app_context.h"
#include "resources/version.h"
#include "test_support.h"

namespace {

using ui::fake::QueueAnswers;
using namespace ui;

const char* const kCapiEntry = "SOFTWARE\\CAPI20\\1";
constexpr uint64_t kLongAgo = 130000000000000000ULL;  // 2012, as a FILETIME
const char* const kServiceKey = "SYSTEM\\CurrentControlSet\\Services\\Quorel";
const char* const kIntegrityKey =
    "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters\\QZTQuorelSetupIntegrityCheck";

const std::string kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorel";

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
                      {"[INFO_CREATEPATH]", "Create %s"},
                      {"[ERR_NAMEOUTSIDE]", "%s names outside in %s line %s: %s"}});
        App().SetupDirectory = Dir() + "\\dist";
        Script(Dir() + "/dist", "DIST");
        WriteFile("dist/SETUP.EXE", "program");
        WriteFile("dist/DOCS/README.TXT", "readme");
        WriteDriverAndToolSources();
    }

    // A small script naming a Windows-only file, a file for both places, and a documentation file.
    void Script(const std::string& directory, const std::string& marker) {
        std::string bytes = CrLf(Rows({
            {"[VERSION]", "210"},
            {"[DEFPROTOCOL]", "Euro"},
            {"[PROTOCOL]", "1", "Euro", "qdss1.sys", "0"},
            {"[ADDFILES]", "1", "1", "DOCS", "README.TXT", "DOCS"},
            DriverAndToolSection(),
            {"[PROGMAN]", "Group", "Test", "0"},
            {"[MAINTENANCE]", "!MAINTENANCE_OFF", "REM " + marker},
        }));
        std::filesystem::create_directories(directory);
        std::ofstream(directory + "/SETUP.QZT", std::ios::binary) << bytes;
    }

    void Run() { outcome_ = RunInstallation(nullptr, RunSetup(), Dir() + "\\dist", Dir() + "\\Quorel2"); }
    InstallationSetup RunSetup() { return {Dir() + "\\dist", "SETUP.QZT", "SETUP.EXE", "English"}; }

    InstallationOutcome outcome_;

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
    // The script version is the first write below the service key; the key still gets its class.
    EXPECT_EQ(platform::fake::RegistryKeyClass(kServiceKey), "CAPI20");
    EXPECT_EQ(platform::fake::RegistryValues(kIntegrityKey)[0].name, "ScriptVersion");
    EXPECT_TRUE(outcome_.restartNeeded);
    EXPECT_TRUE(outcome_.groupReady);
    EXPECT_TRUE(outcome_.completed);
    EXPECT_FALSE(platform::fake::DdeCommands().empty());
}

// Where Windows lists programs (Add/Remove Programs) and software inventories look for them.
TEST_F(InstallationRunTest, ACompletedInstallationIsListedWithItsCommandLines) {
    Run();
    ASSERT_TRUE(outcome_.completed);
    std::string program = "\"" + Dir() + "\\Quorel2\\SETUP.EXE\"";
    std::vector<std::pair<std::string, std::string>> expected = {
        {"DisplayName", std::string("Group\0", 6)},
        {"DisplayVersion", std::string("210\0", 4)},
        {"Publisher", std::string(QUOREL_COMPANY_NAME) + '\0'},
        {"InstallLocation", Dir() + "\\Quorel2" + '\0'},
        {"DisplayIcon", Dir() + "\\Quorel2\\SETUP.EXE" + '\0'},
        {"UninstallString", program + " /d" + '\0'},
        {"QuietUninstallString", program + " /s /d" + '\0'},
        {"ModifyPath", program + " /c" + '\0'},
        {"NoRepair", std::string("\1\0\0\0", 4)},
    };
    std::vector<std::pair<std::string, std::string>> stored;
    for (const auto& value : platform::fake::RegistryValues(kUninstallKey))
        stored.push_back({value.name, value.data});
    EXPECT_EQ(stored, expected);
}

// An installation that cannot be listed is not whole: the run says so.
TEST_F(InstallationRunTest, AnEntryThatCannotBeWrittenLeavesTheInstallationIncomplete) {
    platform::fake::FailRegistryOperation(kUninstallKey, platform::fake::RegistryOperation::kCreateKey, 5);
    Run();
    EXPECT_FALSE(outcome_.completed);
    EXPECT_EQ(Kinds("NoticeDialog").back(), "[ERR_INS_NOSUCCESS]");
}

// The source path chosen in the dialog may hold another script than the one checked at the start.
TEST_F(InstallationRunTest, SourceScriptNamingAPlaceOutsideIsRefusedBeforeAnyCopy) {
    std::string script = ReadFile("dist/SETUP.QZT");
    script.replace(script.find("README.TXT\r\nDOCS"), 16, "README.TXT\r\n..\\..\\WINNT");
    WriteFile("dist/SETUP.QZT", script);
    Run();
    EXPECT_FALSE(outcome_.started);
    EXPECT_FALSE(outcome_.completed);
    EXPECT_FALSE(Exists("Quorel2"));
    EXPECT_FALSE(Exists("WINNT/README.TXT"));
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kServiceKey));
    auto errors = Kinds("InfoMessageBox");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("[ADDFILES]"), std::string::npos) << errors[0];
}

TEST_F(InstallationRunTest, CancelBeforeTheSecondFileTouchesNothingMore) {
    ui::fake::CancelAtPump(2);
    Run();
    EXPECT_TRUE(Exists("Quorel2/SETUP.QZT"));
    EXPECT_FALSE(Exists("Quorel2/SETUP.EXE"));
    EXPECT_FALSE(Exists("WINNT/system32/drivers/kxbus.sys"));
    EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[ERR_INS_NOSUCCESS]"}));
    EXPECT_FALSE(outcome_.groupReady);
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kCapiEntry));
    EXPECT_TRUE(platform::fake::DdeCommands().empty());
    EXPECT_FALSE(outcome_.completed);
}

TEST_F(InstallationRunTest, CancelDuringTheSystemEntriesPauseEndsBeforeTheGroup) {
    // Five file pumps (two setup files, one added file, three expansions), then the pause.
    ui::fake::CancelAtPump(7);
    Run();
    EXPECT_TRUE(Exists("Quorel2/TOOLS/tool.exe"));
    EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[INFO_INS_DONE]", "[ERR_INS_NOSUCCESS]"}));
    EXPECT_TRUE(platform::fake::DdeCommands().empty());
    // No script version, and no service key made bare to hold it.
    EXPECT_TRUE(platform::fake::RegistrySubKeys("SOFTWARE").empty());
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kServiceKey));
}

TEST_F(InstallationRunTest, IgnoredMissingFileFinishesCopyingThenFailsWithoutRegistryChanges) {
    std::filesystem::remove(PathOf("dist/DOCS/README.TXT"));
    QueueAnswers({ui::Answer::kIgnore});
    Run();
    EXPECT_TRUE(Exists("WINNT/system32/drivers/kxbus.sys"));
    EXPECT_EQ(Kinds("AskRetryIgnore").size(), 1u);
    EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[ERR_INS_NOSUCCESS]"}));
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kCapiEntry));
    EXPECT_FALSE(outcome_.groupReady);
}

TEST_F(InstallationRunTest, DriverFileThatWasNotExpandedIsNeverCountedAsInstalled) {
    const std::string driver = "WINNT/system32/drivers/kxbus.sys";
    const std::string compressed = ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bi_");
    struct Case {
        const char* what;
        std::function<void()> prepare;
        ui::Answer answer;
        bool laterFilesExpanded;
    } cases[] = {
        {"a compressed driver cut off halfway, answered Ignore",
         [&] { WriteFile("dist/DRIVER/KXBUS.SY_", compressed.substr(0, compressed.size() / 2)); },
         ui::Answer::kIgnore, true},
        {"the earlier driver held open, answered Abort",
         [&] { platform::fake::HoldFileOpen(PathOf(driver)); }, ui::Answer::kCancel, false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(PathOf("WINNT/system32"));
        std::filesystem::remove_all(PathOf("Quorel2"));
        WriteFile("dist/DRIVER/KXBUS.SY_", compressed);
        WriteFile(driver, "earlier driver");
        ASSERT_TRUE(platform::SetLastWriteTime(PathOf(driver), kLongAgo));  // older: no overwrite question
        WriteFile("WINNT/system32/AutoExec.NT", "REM stock\r\n");
        c.prepare();
        platform::fake::ResetRegistry();
        platform::fake::DdeCommands().clear();
        Shown().clear();
        QueueAnswers({c.answer});
        Run();
        platform::fake::ReleaseHeldFiles();
        EXPECT_EQ(Kinds("AskRetryIgnore"), (std::vector<std::string>{"[ERR_CANTWRITE]"})) << c.what;
        EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[ERR_INS_NOSUCCESS]"})) << c.what;
        EXPECT_EQ(ReadFile(driver), "earlier driver") << c.what;
        EXPECT_EQ(Exists("WINNT/system32/tool.exe"), c.laterFilesExpanded) << c.what;
        EXPECT_TRUE(platform::fake::RegistrySubKeys("SOFTWARE").empty()) << c.what;
        EXPECT_FALSE(platform::fake::RegistryKeyExists(kServiceKey)) << c.what;
        EXPECT_TRUE(platform::fake::DdeCommands().empty()) << c.what;
        EXPECT_FALSE(outcome_.groupReady) << c.what;
        EXPECT_FALSE(outcome_.completed) << c.what;
    }
}

TEST_F(InstallationRunTest, ReinstallationKeepsOrRenewsTheConfiguration) {
    Run();
    ASSERT_TRUE(platform::fake::RegistryKeyExists(kCapiEntry));
    platform::fake::SetRegistryValue(kServiceKey, "Start", 4, std::string("\3\0\0\0", 4));

    for (ui::Answer answer : {ui::Answer::kYes, ui::Answer::kCancel}) {
        // Logs of an interrupted removal, where it was started and in the installation directory.
        WriteFile("dist/removed.qzt", "log");
        WriteFile("Quorel2/removed.qzt", "log");
        Shown().clear();
        // Copies and expansions keep their sources' times: no overwrite question, only the one about the
        // configuration.
        QueueAnswers({answer});
        Run();
        EXPECT_EQ(Kinds("AskYesNo"), (std::vector<std::string>{"[QUEST_APPLYOLD]"}));
        // The kept configuration opens no dialog, but the new driver images load only after a restart.
        EXPECT_FALSE(outcome_.configurationWritten);
        EXPECT_TRUE(outcome_.restartNeeded);
        auto values = platform::fake::RegistryValues(kServiceKey);
        bool kept = false;
        for (const auto& value : values)
            kept = kept || (value.name == "Start" && value.data == std::string("\3\0\0\0", 4));
        EXPECT_TRUE(kept) << (answer == ui::Answer::kYes ? "Yes" : "closed");
        EXPECT_FALSE(Exists("dist/removed.qzt"));
        EXPECT_FALSE(Exists("Quorel2/removed.qzt"));
        EXPECT_TRUE(outcome_.completed);
    }

    // No writes a new configuration, and a new configuration needs a restart.
    Shown().clear();
    QueueAnswers({ui::Answer::kNo});
    Run();
    auto values = platform::fake::RegistryValues(kServiceKey);
    bool renewed = false;
    for (const auto& value : values)
        renewed = renewed || (value.name == "Start" && value.data == std::string("\1\0\0\0", 4));
    EXPECT_TRUE(renewed);
    EXPECT_TRUE(outcome_.restartNeeded);
    EXPECT_TRUE(outcome_.configurationWritten);
}

TEST_F(InstallationRunTest, OtherMakersEntryIsReportedFromTheFirstInstallationOn) {
    platform::fake::SetRegistryValue(kCapiEntry, "Manufacturer", 1, std::string("Other Maker\0", 12));
    Run();
    EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[INFO_INS_DONE]", "[INFO_OTHERMANU]"}));
    EXPECT_TRUE(platform::fake::RegistryKeyExists("SOFTWARE\\CAPI20\\2\\1"));
    EXPECT_EQ(platform::fake::RegistrySubKeys("SOFTWARE\\CAPI20\\1"), std::vector<std::string>{});
    Shown().clear();
    QueueAnswers({ui::Answer::kYes});
    Run();
    EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[INFO_INS_DONE]", "[INFO_OTHERMANU]"}));
    EXPECT_EQ(Kinds("AskYesNo"), (std::vector<std::string>{"[QUEST_APPLYOLD]"}));
}

TEST_F(InstallationRunTest, OurEntryAloneIsNoOtherMaker) {
    Run();
    Shown().clear();
    QueueAnswers({ui::Answer::kYes});
    Run();
    EXPECT_EQ(Kinds("NoticeDialog"), (std::vector<std::string>{"[INFO_INS_DONE]"}));
}

// A configuration that is not written is no completed installation: the run says so and the files stay.
TEST_F(InstallationRunTest, EntryThatCannotBeWrittenGetsNoAdapterKeysAndNoBackupAndDoesNotComplete) {
    platform::fake::FailRegistryOperation(kCapiEntry, platform::fake::RegistryOperation::kCreateKey, 5);
    WriteFile("dist/removed.qzt", "log");
    Run();
    EXPECT_EQ(Kinds("NoticeDialog").back(), "[ERR_INS_NOSUCCESS]");
    EXPECT_TRUE(Exists("WINNT/system32/drivers/kxbus.sys"));
    EXPECT_TRUE(Exists("dist/removed.qzt"));
    EXPECT_FALSE(outcome_.configurationWritten);
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kCapiEntry));
    EXPECT_TRUE(platform::fake::RegistrySubKeys("SOFTWARE\\CAPI20").empty());
    bool backup = false;
    for (const auto& value : platform::fake::RegistryValues(kIntegrityKey))
        backup = backup || value.name == "RegistryBackup";
    EXPECT_FALSE(backup);
    EXPECT_FALSE(outcome_.completed);
}

TEST_F(InstallationRunTest, ScriptAndAddedFilesComeFromTheSourcePathTheRestFromTheStartDirectory) {
    Script(Dir() + "/source", "SOURCE");
    WriteFile("source/DOCS/README.TXT", "readme from the source path");
    WriteFile("source/SETUP.EXE", "wrong program");
    InstallationOutcome outcome =
        RunInstallation(nullptr, RunSetup(), Dir() + "\\source", Dir() + "\\Quorel2");
    EXPECT_EQ(ReadFile("Quorel2/SETUP.QZT"), ReadFile("source/SETUP.QZT"));
    EXPECT_EQ(ReadFile("Quorel2/DOCS/README.TXT"), "readme from the source path");
    EXPECT_EQ(ReadFile("Quorel2/SETUP.EXE"), "program");
    EXPECT_EQ(ReadFile("WINNT/system32/drivers/kxbus.sys"), ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bin"));
    EXPECT_EQ(outcome.sourcePath, Dir() + "\\source");
}

class SilentInstallationTest : public InstallationRunTest {
  protected:
    void SetUp() override {
        InstallationRunTest::SetUp();
        // The language file lies in the test's directory, where the fixture loaded its own.
        std::string setupDirectory = App().SetupDirectory;
        App().SetupDirectory = Dir();
        LoadLanguage({{"[INFO_COPYFILE]", "Copy %s to %s"},
                      {"[INFO_EXPANDFILE]", "Expand %s to %s"},
                      {"[ERR_FILENOTFOUND]", "Missing %s"},
                      {"[ERR_NOWRITEACCESS]", "%s is write-protected (%s)"},
                      {"[QUEST_OVERWRITENEW]", "%s is newer"},
                      {"[DLG_YNO_YES]", "Yes"},
                      {"[DLG_YNO_NO]", "No"},
                      {"[DLG_YNO_ALL]", "All"},
                      {"[BUTTON_CANCEL]", "Abort"}});
        App().SetupDirectory = setupDirectory;
        ui::EnterSilentMode();
        ASSERT_TRUE(ui::OpenReport(PathOf("report.log")));
    }

    std::vector<std::string> ReportLines() {
        std::vector<std::string> lines;
        std::string text = ReadFile("report.log");
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
            std::string line = text.substr(start, end - start);
            EXPECT_EQ(line.compare(0, 20, "1997-08-15 10:30:00 "), 0) << line;
            lines.push_back(line.substr(20));
        }
        EXPECT_EQ(start, text.size()) << "a line without its end";
        return lines;
    }
    bool Reported(const std::string& line) {
        for (const std::string& reported : ReportLines())
            if (reported == line)
                return true;
        return false;
    }
    uint32_t ServiceStart() {
        for (const auto& value :
             platform::fake::RegistryValues("SYSTEM\\CurrentControlSet\\Services\\Quorel"))
            if (value.name == "Start")
                return static_cast<unsigned char>(value.data[0]);
        return 99;
    }
};

TEST_F(SilentInstallationTest, ShowsNothingAndReportsEveryStepFileAndRegistryChange) {
    Run();
    EXPECT_TRUE(outcome_.completed);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(ReadFile("WINNT/system32/drivers/kxbus.sys"), ReadHostFile(QUOREL_FIXTURES_DIR "/driver.bin"));
    std::string dist = Dir() + "\\dist", target = Dir() + "\\Quorel2";
    EXPECT_TRUE(Reported("Copy " + dist + "\\SETUP.EXE to " + target + "\\SETUP.EXE"));
    EXPECT_TRUE(Reported("Expand " + dist + "\\DRIVER\\TOOL.EX_ to " + target + "\\TOOLS\\tool.exe"));
    EXPECT_TRUE(Reported("[INFO_INS_DONE]"));
    EXPECT_TRUE(Reported("Registry: HKLM\\SYSTEM\\CurrentControlSet\\Services\\Quorel: Start = 1"));
    EXPECT_TRUE(
        Reported("Registry: HKLM\\SYSTEM\\CurrentControlSet\\Services\\Quorel: ImagePath = "
                 "\"\\SystemRoot\\System32\\drivers\\qdss1.sys\""));
    EXPECT_TRUE(
        Reported("Registry: HKLM\\SYSTEM\\CurrentControlSet\\Control\\ServiceGroupOrder: List: CAPI20 "
                 "inserted before NDIS"));
    EXPECT_TRUE(
        Reported("Registry: HKLM\\SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters\\"
                 "QZTQuorelSetupIntegrityCheck: RegistryBackup = (not shown)"));
    bool autoexec = false;
    for (const std::string& line : ReportLines())
        autoexec = autoexec ||
                   line.find("AutoExec.NT: lh %SystemRoot%\\system\\dxbridge.exe added") != std::string::npos;
    EXPECT_TRUE(autoexec);
}

// Each directory the installation makes is the administrators'; one that was there keeps its access list,
// and the report says when others can change it.
TEST_F(SilentInstallationTest, MadeDirectoriesAreTheAdministratorsAndAnOpenOneIsReported) {
    const std::string others =
        ": others than the administrators can change this directory, and so the programs started from it "
        "with "
        "an administrator's rights; used as chosen";
    Run();
    std::string target = Dir() + "\\Quorel2";
    EXPECT_TRUE(platform::fake::DirectoryProtected(target));
    EXPECT_TRUE(
        Reported(target + ": made; Administrators and SYSTEM may change it, everybody else read and run"));
    Run();  // into the directory it made: nothing to say
    EXPECT_FALSE(Reported(target + others));

    std::filesystem::create_directories(PathOf("Existing"));
    std::string existing = Dir() + "\\Existing";
    outcome_ = RunInstallation(nullptr, RunSetup(), Dir() + "\\dist", existing);
    EXPECT_TRUE(outcome_.completed);
    EXPECT_FALSE(platform::fake::DirectoryProtected(existing));
    EXPECT_TRUE(Reported(existing + others));

    platform::fake::SetVolumeWithoutAcls(true);
    std::string fat = Dir() + "\\Fat\\Q";
    outcome_ = RunInstallation(nullptr, RunSetup(), Dir() + "\\dist", fat);
    EXPECT_TRUE(outcome_.completed);
    for (const std::string& made : {Dir() + "\\Fat", fat})
        EXPECT_TRUE(Reported(made + ": made on a volume without access lists (FAT); anybody may change it"))
            << made;
}

TEST_F(SilentInstallationTest, AMissingFileEndsTheRunAndTheReportNamesIt) {
    std::filesystem::remove(PathOf("dist/DRIVER/KXBUS.SY_"));
    Run();
    EXPECT_FALSE(outcome_.completed);
    EXPECT_TRUE(Shown().empty());
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kCapiEntry));
    EXPECT_FALSE(platform::fake::RegistryKeyExists("SYSTEM\\CurrentControlSet\\Services\\Quorel"));
    EXPECT_TRUE(platform::fake::DdeCommands().empty());
    EXPECT_TRUE(Reported("Missing " + Dir() + "\\dist\\DRIVER\\KXBUS.SY_ -> Abort"));
    EXPECT_TRUE(Reported("[ERR_INS_NOSUCCESS]"));
}

TEST_F(SilentInstallationTest, AnEarlierConfigurationIsKeptOrRenewedAsDecided) {
    Run();
    platform::fake::SetRegistryValue("SYSTEM\\CurrentControlSet\\Services\\Quorel", "Start", 4,
                                     std::string("\3\0\0\0", 4));
    Run();
    EXPECT_EQ(ServiceStart(), 3u);
    EXPECT_TRUE(Reported("[QUEST_APPLYOLD] -> Yes"));
    ui::SilentAnswers renew;
    renew.keepConfiguration = false;
    ui::SetSilentAnswers(renew);
    Run();
    EXPECT_EQ(ServiceStart(), 1u);
    EXPECT_TRUE(Reported("[QUEST_APPLYOLD] -> No"));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(SilentInstallationTest, NewerTargetsFollowThePolicyAndWriteProtectedOnesAreOverwritten) {
    Run();
    std::string readme = Dir() + "\\Quorel2\\DOCS\\README.TXT";
    WriteFile("Quorel2/DOCS/README.TXT", "edited by the administrator");
    platform::SetLastWriteTime(readme, 0x02000000'00000000ull);  // far in the future
    std::string tool = Dir() + "\\Quorel2\\TOOLS\\tool.exe";
    WriteFile("Quorel2/TOOLS/tool.exe", "old tool");
    platform::SetLastWriteTime(
        tool, 125911584000000000ull);  // 2000, older than its source: only the protection asks
    platform::SetFileAttributesOf(tool, platform::kAttributeReadOnly);

    Run();
    EXPECT_TRUE(outcome_.completed);
    EXPECT_EQ(ReadFile("Quorel2/DOCS/README.TXT"), "edited by the administrator");
    EXPECT_TRUE(Reported(readme + " is newer -> No"));
    EXPECT_EQ(ReadFile("Quorel2/TOOLS/tool.exe"), "plain tool");
    EXPECT_TRUE(Reported(tool + " is write-protected (" + Dir() + "\\dist\\DRIVER\\TOOL.EX_) -> Yes"));

    ui::SilentAnswers overwrite;
    overwrite.overwriteNewer = true;
    ui::SetSilentAnswers(overwrite);
    Run();
    EXPECT_EQ(ReadFile("Quorel2/DOCS/README.TXT"), "readme");
    EXPECT_TRUE(Reported(readme + " is newer -> All"));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(InstallationRunTest, AReportWithoutSilenceRecordsTheAnswersAPersonGave) {
    ASSERT_TRUE(ui::OpenReport(PathOf("report.log")));
    std::filesystem::remove(PathOf("dist/DOCS/README.TXT"));
    QueueAnswers({ui::Answer::kIgnore});
    Run();
    EXPECT_EQ(Kinds("AskRetryIgnore").size(), 1u);
    EXPECT_NE(ReadFile("report.log").find("[ERR_FILENOTFOUND] -> [DLG_ARI_IGNORE]\r\n"), std::string::npos);
}

}  // namespace
