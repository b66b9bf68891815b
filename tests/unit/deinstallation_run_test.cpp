#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "configstore/config_writer.h"
#include "configstore/driver_config.h"
#include "configstore/group_order.h"
#include "configstore/integrity_backup.h"
#include "deinstall/deinstallation_run.h"
#include "configstore/removal_log.h"
#include "deinstall/removal_logging.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "ui/run_report.h"
#include "ui/silent_mode.h"
#include "ui/user_interface.h"
#include "shell/app_context.h"
#include "test_support.h"

// The removal run over an installed driver: its files below the installation directory and in the
// Windows tree, its registry entries, AUTOEXEC.NT block, service group and Program Manager group.
namespace {

using platform::fake::FailFileOperation;
using platform::fake::FileOperation;
using platform::fake::RegistryKeyExists;
using ui::fake::QueueAnswers;
using namespace ui;
using Texts = std::vector<std::string>;

const std::string kService = "SYSTEM\\CurrentControlSet\\Services\\Quorel";
const std::string kGroupOrder = "SYSTEM\\CurrentControlSet\\Control\\ServiceGroupOrder";
const std::string kStockList = JoinGroupList({"Base", "NDIS", "TDI"});
const std::string kStockAutoexec = CrLf({"REM stock", "lh %SystemRoot%\\system32\\mscdexnt.exe"});

// A driver file for the Windows tree only, one installed in both places, a tool in the installation
// directory only, and an entry that installs nothing; a document; a trace file the tool leaves behind.
// One row per record of the setup information file.
const std::vector<Texts> kScriptRecords = {
    {"[ADDFILES]", "2", "1", "DOCS", "README.TXT", "DOCS"},
    {"1", "", "ENGLISH.LNG", ""},
    {"[COMPFILES]", "4"},
    {"1", "DRIVER", "KXBUS.SY_", "kxbus.sys", "!NOSETUPDIR", "system32\\drivers", "!VERSION_ON"},
    {"1", "DRIVER", "TOOL.EX_", "tool.exe", "TOOLS", "system32", "!VERSION_OFF"},
    {"1", "TOOLS", "CAPITEST.EX_", "capitest.exe", "TOOLS", "!NOWINSYSTEM", "!VERSION_OFF"},
    {"1", "DRIVER", "NONE.EX_", "none.exe", "!NOSETUPDIR", "!NOWINSYSTEM", "!VERSION_OFF"},
    {"[DELETEADDFILES]", "1", "1", "TOOLS", "QTRACE.LOG"},
    {"[PROGMAN]", "Group", "Test", "0"},
    {"[MAINTENANCE]", "!MAINTENANCE_OFF"},
    {"[LANGUAGE]", "1", "English", "ENGLISH.LNG"},
};

std::string ScriptText() {
    Texts lines;
    for (const Texts& record : kScriptRecords) lines.insert(lines.end(), record.begin(), record.end());
    return CrLf(lines);
}

// The installed files below the test directory, which is the Windows directory, in the order of removal.
const Texts kRemovedFiles = {"system32/drivers/kxbus.sys", "system32/tool.exe", "Quorel2/TOOLS/tool.exe",
                             "Quorel2/TOOLS/capitest.exe", "Quorel2/DOCS/README.TXT"};

class DeinstallationRunTest : public SetupFixture {
  protected:
    void SetUp() override {
        SetupFixture::SetUp();
        LoadLanguage({{"[INFO_DELETEFILE]", "Deleting %s"},
                      {"[ERR_DEI_FILENOTFOUND]", "Missing %s"},
                      {"[ERR_DEI_CANTDELETE]", "Cannot delete %s"},
                      {"[ERR_DEI_NOREMOVEKEY]", "Key stays %s"},
                      {"[ERR_CANTWRITE]", "Cannot write %s"},
                      {"[ERR_NAMEOUTSIDE]", "%s names outside in %s line %s: %s"}});
        install_ = Dir() + "\\Quorel2";
        App().SetupDirectory = install_;
        platform::fake::SetWindowsDirectory(Dir());
        WriteFile("Quorel2/SETUP.QZT", ScriptText());
        WriteFile("Quorel2/SETUP.EXE", "program");
        WriteFile("Quorel2/ENGLISH.LNG", "texts");
        WriteFile("Quorel2/TOOLS/QTRACE.LOG", "trace");
        WriteFile("system32/drivers/other.sys", "another driver");
        for (const std::string& file : kRemovedFiles) WriteFile(file, "installed");
        InstallConfiguration();
        Shown().clear();
    }

    void InstallConfiguration() {
        platform::fake::SetRegistryValue(kGroupOrder, "List", platform::registry::kTypeMultiSz, kStockList);
        WriteFile("system32/AutoExec.NT", kStockAutoexec);
        DriverConfig config;
        MaintenanceDefaults defaults;
        SetupInfoFile script = SetupInfoFile::Read(ScriptPath(App()));
        script.ReadMaintenanceSection(defaults);
        SetDefaultDriverConfig(1, defaults, config);
        ASSERT_TRUE(WriteDriverConfig(script.ReadProtocolEntries(), 1, config));
        ASSERT_TRUE(WriteAdapterConfig({2, 0x260, 3, ""}, 0, 0));
        WriteStoredScriptVersion(210);
    }

    // The Windows path of a file below the test directory.
    std::string Win(const std::string& relative) {
        std::string path = relative;
        std::replace(path.begin(), path.end(), '/', '\\');
        return Dir() + "\\" + path;
    }
    std::string LogPath() { return install_ + "\\removed.qzt"; }

    DeinstallOutcome Run() { return RunDeinstallation(nullptr, {install_, "SETUP.QZT", "SETUP.EXE", ""}); }

    Texts Kinds(const std::string& kind) {
        Texts texts;
        for (const auto& shown : Shown())
            if (shown.kind == kind)
                texts.push_back(shown.text);
        return texts;
    }
    Texts Questions() {
        Texts texts;
        for (const auto& shown : Shown())
            if (shown.kind.compare(0, 3, "Ask") == 0)
                texts.push_back(shown.text);
        return texts;
    }
    Texts Remaining(const Texts& files) {
        Texts there;
        for (const std::string& file : files)
            if (Exists(file))
                there.push_back(file);
        return there;
    }
    bool RegistryRemoved() { return !RegistryKeyExists(kService) && !RegistryKeyExists("SOFTWARE\\CAPI20"); }
    std::string List() {
        for (const auto& value : platform::fake::RegistryValues(kGroupOrder))
            if (value.name == "List")
                return value.data;
        return "<none>";
    }

    std::string install_;
};

TEST_F(DeinstallationRunTest, CompleteRemovalTakesEverythingAndSaysSo) {
    EXPECT_EQ(Run(), DeinstallOutcome::kCompleted);

    EXPECT_EQ(Remaining(kRemovedFiles), Texts{});
    EXPECT_FALSE(Exists("Quorel2/TOOLS"));  // emptied by "[DELETEADDFILES]", then removed
    EXPECT_FALSE(Exists("Quorel2/DOCS"));
    EXPECT_EQ(ReadFile("system32/drivers/other.sys"), "another driver");  // its directory stays
    EXPECT_TRUE(std::filesystem::is_empty(PathOf("Quorel2")));            // log and setup files gone too
    EXPECT_TRUE(platform::fake::FilesMarkedForDeletionAtRestart().empty());

    EXPECT_TRUE(RegistryRemoved());
    EXPECT_EQ(List(), kStockList);
    EXPECT_EQ(ReadFile("system32/AutoExec.NT"), kStockAutoexec);
    EXPECT_EQ(platform::fake::DdeCommands(), Texts{"[DeleteGroup(Group)]"});

    Texts progress;
    for (const std::string& file : kRemovedFiles) progress.push_back("Deleting " + Win(file));
    progress.push_back("[INFO_REMOVESYSENTRIES]");
    EXPECT_EQ(Kinds("InfoText"), progress);
    EXPECT_TRUE(Questions().empty());
    ASSERT_FALSE(Shown().empty());
    EXPECT_EQ(Shown().front().kind, "OpenInfoWindow");
    EXPECT_EQ(Kinds("CloseInfoWindow").size(), 1u);
    EXPECT_EQ(Shown().back().kind, "NoticeDialog");
    EXPECT_EQ(Shown().back().text, "[INFO_DEI_DONE]");
}

TEST_F(DeinstallationRunTest, RunningProgramThatCannotBeDeletedGoesAtTheNextRestart) {
    FailFileOperation(Win("Quorel2/SETUP.EXE"), FileOperation::kDelete);
    EXPECT_EQ(Run(), DeinstallOutcome::kCompleted);
    EXPECT_TRUE(Exists("Quorel2/SETUP.EXE"));
    EXPECT_EQ(platform::fake::FilesMarkedForDeletionAtRestart(), Texts{Win("Quorel2/SETUP.EXE")});
    EXPECT_FALSE(Exists("Quorel2/SETUP.QZT"));
}

// The CAPI 2.0 DLL in the Windows tree serves every maker's CAPI 2.0 driver: it stays while another one is
// registered, and the report says so; the copy in the installation directory is ours alone.
TEST_F(DeinstallationRunTest, SharedCapiDllStaysWhileAnotherCapiDriverIsRegistered) {
    WriteFile("Quorel2/SETUP.QZT", ScriptText() + CrLf({"[CURRENTCAPIDLL]", "TOOL.EXE"}));
    for (bool another : {true, false}) {
        SCOPED_TRACE(another);
        platform::fake::ResetRegistry();
        InstallConfiguration();
        if (another)
            platform::fake::SetRegistryValue("SOFTWARE\\CAPI20\\2", "Manufacturer",
                                             platform::registry::kTypeSz, std::string("Other Maker\0", 12));
        for (const std::string& file : kRemovedFiles) WriteFile(file, "installed");
        WriteFile("Quorel2/SETUP.EXE", "program");
        WriteFile("Quorel2/ENGLISH.LNG", "texts");
        std::filesystem::remove(PathOf("report.log"));
        ASSERT_TRUE(ui::OpenReport(PathOf("report.log")));
        EXPECT_EQ(Run(), DeinstallOutcome::kCompleted);
        ui::CloseReport();
        EXPECT_EQ(Exists("system32/tool.exe"), another);
        EXPECT_FALSE(Exists("Quorel2/TOOLS/tool.exe"));
        EXPECT_FALSE(Exists("system32/drivers/kxbus.sys"));
        EXPECT_EQ(ReadFile("report.log").find(Win("system32/tool.exe") + ": kept, another CAPI 2.0 driver") !=
                      std::string::npos,
                  another);
        WriteFile("Quorel2/SETUP.QZT", ScriptText() + CrLf({"[CURRENTCAPIDLL]", "TOOL.EXE"}));
    }
}

// A script whose read fails in its middle is not a shorter list of files: the removal by it stops, and the
// script, the program and the log stay for a run that can read it.
TEST_F(DeinstallationRunTest, ScriptReadThatFailsInTheMiddleCompletesNothing) {
    Texts notes = {"[NOTES]"};
    while (notes.size() < 300) notes.push_back("a line of notes that the readers pass over on their way");
    WriteFile("Quorel2/SETUP.QZT", CrLf(notes) + ScriptText());
    FailFileOperation(Win("Quorel2/SETUP.QZT"), FileOperation::kLaterRead);
    EXPECT_EQ(Run(), DeinstallOutcome::kNotCompleted);
    EXPECT_TRUE(Exists("Quorel2/SETUP.QZT"));
    EXPECT_TRUE(Exists("Quorel2/SETUP.EXE"));
    for (const std::string& file : kRemovedFiles) EXPECT_TRUE(Exists(file)) << file;
}

// The Add/Remove Programs entry goes last, so that an interrupted removal can still be finished from there;
// a second run finishes it.
TEST_F(DeinstallationRunTest, TheProgramsEntryGoesLastAndASecondRunFinishesIt) {
    const std::string entry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorel";
    platform::fake::SetRegistryValue(entry, "DisplayName", platform::registry::kTypeSz,
                                     std::string("Q\0", 2));
    platform::fake::FailRegistryOperation(entry, platform::fake::RegistryOperation::kDeleteKey, 5);
    QueueAnswers({ui::Answer::kIgnore});
    EXPECT_EQ(Run(), DeinstallOutcome::kNotCompleted);
    EXPECT_TRUE(RegistryKeyExists(entry));
    EXPECT_FALSE(RegistryKeyExists(kService));

    platform::fake::ClearRegistryFailures();
    Shown().clear();
    EXPECT_EQ(Run(), DeinstallOutcome::kCompleted);
    EXPECT_FALSE(RegistryKeyExists(entry));
    EXPECT_TRUE(Questions().empty());
}

// The installed script is writable by whoever could write the installation directory: a name in it that
// leads outside makes the removal refuse before it deletes anything.
TEST_F(DeinstallationRunTest, TamperedScriptNamingAFileOutsideDeletesNothing) {
    WriteFile("victim/keep.txt", "not the driver's");
    std::string tampered = ScriptText();
    tampered.replace(tampered.find("TOOLS\r\nQTRACE.LOG"), 5, "..\\victim");
    tampered.replace(tampered.find("QTRACE.LOG"), 10, "keep.txt");
    WriteFile("Quorel2/SETUP.QZT", tampered);
    EXPECT_EQ(Run(), DeinstallOutcome::kNotCompleted);
    EXPECT_EQ(ReadFile("victim/keep.txt"), "not the driver's");
    for (const std::string& file : kRemovedFiles) EXPECT_TRUE(Exists(file)) << file;
    EXPECT_TRUE(platform::fake::RegistryKeyExists(kService));
    Texts errors = Kinds("InfoMessageBox");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("[DELETEADDFILES]"), std::string::npos) << errors[0];
    EXPECT_NE(errors[0].find("..\\victim"), std::string::npos) << errors[0];
}

// Without the mark nothing will ever delete the program's file: the removal has not completed.
TEST_F(DeinstallationRunTest, ProgramThatCanNeitherBeDeletedNorMarkedLeavesTheRunIncomplete) {
    FailFileOperation(Win("Quorel2/SETUP.EXE"), FileOperation::kDelete);
    FailFileOperation(Win("Quorel2/SETUP.EXE"), FileOperation::kMarkForDeletion);
    bool leftForRestart = true;
    EXPECT_EQ(RunDeinstallation(nullptr, {Dir() + "\\Quorel2", "SETUP.QZT", "SETUP.EXE", "English"},
                                &leftForRestart),
              DeinstallOutcome::kNotCompleted);
    EXPECT_TRUE(Exists("Quorel2/SETUP.EXE"));
    EXPECT_TRUE(platform::fake::FilesMarkedForDeletionAtRestart().empty());
    ASSERT_FALSE(Shown().empty());
    EXPECT_EQ(Shown().back().kind, "InfoMessageBox");
    EXPECT_NE(Shown().back().text.find(Win("Quorel2/SETUP.EXE")), std::string::npos) << Shown().back().text;
}

TEST_F(DeinstallationRunTest, FileProblemsAreAskedAboutAndLeaveTheRunIncomplete) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::vector<ui::fake::QueuedAnswer> answers;
        Texts questions;
        Texts remaining;  // of kRemovedFiles
        bool registryRemoved;
    } cases[] = {
        {"missing file, Ignore: everything else goes",
         [this] { std::filesystem::remove(PathOf("Quorel2/TOOLS/capitest.exe")); },
         {ui::Answer::kIgnore},
         {"Missing " + Win("Quorel2/TOOLS/capitest.exe")},
         {},
         true},
        {"missing file, Abort: the run ends there",
         [this] { std::filesystem::remove(PathOf("Quorel2/TOOLS/capitest.exe")); },
         {ui::Answer::kCancel},
         {"Missing " + Win("Quorel2/TOOLS/capitest.exe")},
         {"Quorel2/DOCS/README.TXT"},
         false},
        {"file that cannot be deleted, Retry then Ignore",
         [this] { FailFileOperation(Win("system32/tool.exe"), FileOperation::kDelete); },
         {ui::Answer::kRetry, ui::Answer::kIgnore},
         {"Cannot delete " + Win("system32/tool.exe"), "Cannot delete " + Win("system32/tool.exe")},
         {"system32/tool.exe"},
         true},
        {"removal log that cannot be written: the step ends, the next ones run",
         [this] { FailFileOperation(LogPath(), FileOperation::kWrite, 1); },
         {ui::Answer::kIgnore},
         {"Cannot write " + LogPath()},
         {"system32/tool.exe", "Quorel2/TOOLS/tool.exe", "Quorel2/TOOLS/capitest.exe"},
         true},
    };
    for (const Case& c : cases) {
        platform::fake::ResetRegistry();
        platform::fake::ResetFiles();
        platform::fake::ResetDde();
        InstallConfiguration();
        for (const std::string& file : kRemovedFiles) WriteFile(file, "installed");
        std::filesystem::remove(PathOf("Quorel2/removed.qzt"));
        Shown().clear();
        c.arrange();
        QueueAnswers(c.answers);

        EXPECT_EQ(Run(), DeinstallOutcome::kNotCompleted) << c.what;
        EXPECT_EQ(Questions(), c.questions) << c.what;
        EXPECT_EQ(Remaining(kRemovedFiles), c.remaining) << c.what;
        EXPECT_EQ(RegistryRemoved(), c.registryRemoved) << c.what;
        EXPECT_EQ(Kinds("CloseInfoWindow").size(), 1u) << c.what;
        // What a second run needs stays: the group, the log and the setup files with the language file.
        EXPECT_TRUE(platform::fake::DdeCommands().empty()) << c.what;
        EXPECT_TRUE(Exists("Quorel2/ENGLISH.LNG")) << c.what;
        EXPECT_TRUE(Exists("Quorel2/removed.qzt")) << c.what;
        EXPECT_TRUE(Exists("Quorel2/SETUP.QZT")) << c.what;
        EXPECT_TRUE(Exists("Quorel2/SETUP.EXE")) << c.what;
        EXPECT_TRUE(Kinds("NoticeDialog").empty()) << c.what;
    }
}

TEST_F(DeinstallationRunTest, SecondRunAfterAnInterruptedOneCompletesWithoutQuestions) {
    struct Case {
        const char* what;
        std::function<void()> interrupt;
        std::vector<ui::fake::QueuedAnswer> answers;
        std::function<void()> mend;
    } cases[] = {
        {"aborted at a file; one deleted file came back meanwhile",
         [this] { FailFileOperation(Win("Quorel2/TOOLS/tool.exe"), FileOperation::kDelete); },
         {ui::Answer::kCancel},
         [this] {
             platform::fake::ResetFiles();
             WriteFile("system32/tool.exe", "copied back");
         }},
        {"stopped at a registry key that held a foreign subkey",
         [] { platform::fake::AddRegistryKey(kService + "\\Parameters\\Adapter01\\Foreign"); },
         {},
         [] { platform::registry::DeleteKey(kService + "\\Parameters\\Adapter01\\Foreign"); }},
    };
    for (const Case& c : cases) {
        platform::fake::ResetRegistry();
        platform::fake::ResetDde();
        InstallConfiguration();
        for (const std::string& file : kRemovedFiles) WriteFile(file, "installed");
        WriteFile("Quorel2/SETUP.QZT", ScriptText());
        WriteFile("Quorel2/SETUP.EXE", "program");
        WriteFile("Quorel2/ENGLISH.LNG", "texts");
        c.interrupt();
        QueueAnswers(c.answers);
        ASSERT_EQ(Run(), DeinstallOutcome::kNotCompleted) << c.what;
        ASSERT_TRUE(Exists("Quorel2/removed.qzt")) << c.what;

        c.mend();
        Shown().clear();
        EXPECT_EQ(Run(), DeinstallOutcome::kCompleted) << c.what;
        EXPECT_TRUE(Questions().empty()) << c.what;
        EXPECT_EQ(Kinds("NoticeDialog"), Texts{"[INFO_DEI_DONE]"}) << c.what;
        EXPECT_EQ(Remaining(kRemovedFiles), Texts{}) << c.what;
        EXPECT_TRUE(RegistryRemoved()) << c.what;
        EXPECT_FALSE(Exists("Quorel2/removed.qzt")) << c.what;
    }
}

TEST_F(DeinstallationRunTest, WithoutRegistryEntriesTheCleanUpIsSkipped) {
    platform::fake::ResetRegistry();
    std::filesystem::remove(PathOf("system32/AutoExec.NT"));
    EXPECT_EQ(Run(), DeinstallOutcome::kCompleted);
    Texts progress = Kinds("InfoText");
    EXPECT_EQ(std::count(progress.begin(), progress.end(), "[INFO_REMOVESYSENTRIES]"), 0);
    EXPECT_EQ(Kinds("NoticeDialog"), Texts{"[INFO_DEI_DONE]"});
}

TEST_F(DeinstallationRunTest, WithoutTheScriptTheRunIsIncomplete) {
    std::filesystem::remove(PathOf("Quorel2/SETUP.QZT"));
    EXPECT_EQ(Run(), DeinstallOutcome::kNotCompleted);
    EXPECT_EQ(Remaining(kRemovedFiles), kRemovedFiles);
    EXPECT_EQ(Kinds("InfoMessageBox"), Texts(3, "Can't find SETUPINFOFILE!"));
    Texts notices = Kinds("NoticeDialog");
    EXPECT_EQ(std::count(notices.begin(), notices.end(), "[INFO_DEI_DONE]"), 0);
    EXPECT_TRUE(platform::fake::DdeCommands().empty());
}

TEST_F(DeinstallationRunTest, DeleteInstalledFileAsksOnlyAboutWhatTheLogDoesNotExplain) {
    struct Case {
        const char* what;
        bool logged;
        bool there;
        int deleteFailures;  // -1: every time
        std::vector<ui::fake::QueuedAnswer> answers;
        FileResult result;
        Texts questions;
        bool thereAfter;
    } cases[] = {
        {"there", false, true, 0, {}, FileResult::kDone, {}, false},
        {"missing, Ignore", false, false, 0, {ui::Answer::kIgnore}, FileResult::kIgnored, {"Missing"}, false},
        {"missing, Retry then Abort",
         false,
         false,
         0,
         {ui::Answer::kRetry, ui::Answer::kCancel},
         FileResult::kAborted,
         {"Missing", "Missing"},
         false},
        {"undeletable once, Retry",
         false,
         true,
         1,
         {ui::Answer::kRetry},
         FileResult::kDone,
         {"Cannot delete"},
         false},
        {"undeletable, Ignore",
         false,
         true,
         -1,
         {ui::Answer::kIgnore},
         FileResult::kIgnored,
         {"Cannot delete"},
         true},
        {"undeletable, Abort",
         false,
         true,
         -1,
         {ui::Answer::kCancel},
         FileResult::kAborted,
         {"Cannot delete"},
         true},
        {"logged and gone", true, false, 0, {}, FileResult::kSkipped, {}, false},
        {"logged and back again", true, true, 0, {}, FileResult::kDone, {}, false},
        {"logged, back and undeletable, Ignore",
         true,
         true,
         -1,
         {ui::Answer::kIgnore},
         FileResult::kIgnored,
         {"Cannot delete"},
         true},
    };
    const std::string file = Win("Quorel2/TOOLS/capitest.exe");
    for (const Case& c : cases) {
        platform::fake::ResetFiles();
        std::filesystem::remove(PathOf("Quorel2/removed.qzt"));
        std::filesystem::remove(PathOf("Quorel2/TOOLS/capitest.exe"));
        if (c.there)
            WriteFile("Quorel2/TOOLS/capitest.exe", "installed");
        if (c.logged) {
            ASSERT_EQ(AppendRemovalLog(install_, file), 1);
        }
        if (c.deleteFailures)
            FailFileOperation(file, FileOperation::kDelete, std::max(c.deleteFailures, 0));
        Shown().clear();
        QueueAnswers(c.answers);

        EXPECT_EQ(DeleteInstalledFile(nullptr, install_, file), c.result) << c.what;
        Texts questions;
        for (const std::string& text : Questions()) questions.push_back(text.substr(0, text.rfind(' ')));
        EXPECT_EQ(questions, c.questions) << c.what;
        EXPECT_EQ(Exists("Quorel2/TOOLS/capitest.exe"), c.thereAfter) << c.what;
        EXPECT_EQ(ui::fake::PendingAnswers(), 0u) << c.what;
    }
}

TEST_F(DeinstallationRunTest, DeinstallButtonConfirmsRunsAndOffersToDeleteTheLog) {
    struct Case {
        const char* what;
        bool missingFile;
        std::vector<ui::fake::QueuedAnswer> answers;
        DeinstallOutcome outcome;
        Texts questions;
        bool logAfter;
    } cases[] = {
        {"not confirmed",
         false,
         {ui::Answer::kNo},
         DeinstallOutcome::kCancelled,
         {"[DLG_DEI_AREYOUSURE]"},
         false},
        {"confirmed and complete",
         false,
         {ui::Answer::kYes},
         DeinstallOutcome::kCompleted,
         {"[DLG_DEI_AREYOUSURE]"},
         false},
        {"incomplete, log deleted",
         true,
         {ui::Answer::kYes, ui::Answer::kIgnore, ui::Answer::kYes},
         DeinstallOutcome::kNotCompleted,
         {"[DLG_DEI_AREYOUSURE]", "Missing " + Win("Quorel2/TOOLS/capitest.exe"), "[ERR_DEI_NOSUCCESS]"},
         false},
        {"incomplete, log kept",
         true,
         {ui::Answer::kYes, ui::Answer::kIgnore, ui::Answer::kNo},
         DeinstallOutcome::kNotCompleted,
         {"[DLG_DEI_AREYOUSURE]", "Missing " + Win("Quorel2/TOOLS/capitest.exe"), "[ERR_DEI_NOSUCCESS]"},
         true},
    };
    for (const Case& c : cases) {
        platform::fake::ResetRegistry();
        platform::fake::ResetDde();
        InstallConfiguration();
        for (const std::string& file : kRemovedFiles) WriteFile(file, "installed");
        WriteFile("Quorel2/SETUP.QZT", ScriptText());
        std::filesystem::remove(PathOf("Quorel2/removed.qzt"));
        if (c.missingFile)
            std::filesystem::remove(PathOf("Quorel2/TOOLS/capitest.exe"));
        Shown().clear();
        QueueAnswers(c.answers);

        EXPECT_EQ(ConfirmAndRunDeinstallation(nullptr, {install_, "SETUP.QZT", "SETUP.EXE", ""}), c.outcome)
            << c.what;
        EXPECT_EQ(Questions(), c.questions) << c.what;
        EXPECT_EQ(Exists("Quorel2/removed.qzt"), c.logAfter) << c.what;
        if (c.outcome == DeinstallOutcome::kCancelled) {
            EXPECT_EQ(Remaining(kRemovedFiles), kRemovedFiles) << c.what;
            EXPECT_FALSE(RegistryRemoved()) << c.what;
            EXPECT_EQ(Shown().size(), 1u) << c.what;
        }
    }
}

// Silently the removal is confirmed, ends at a file it cannot delete or find, and keeps the log after an
// incomplete run, so that a second run finishes it; every question and answer is in the report.
TEST_F(DeinstallationRunTest, SilentRemovalAnswersEveryQuestionItself) {
    const std::string held = Win("Quorel2/TOOLS/capitest.exe");
    // The answers are named by their buttons' texts, here their keys.
    const std::string confirm = "[DLG_DEI_AREYOUSURE] -> [DLG_YNO_YES]";
    const std::string notComplete = "[ERR_DEI_NOSUCCESS] -> [DLG_YNO_NO]";
    struct Case {
        const char* what;
        std::function<void()> arrange;
        DeinstallOutcome outcome;
        bool programLeftForRestart;
        Texts reported;  // in this order among the report's lines
        bool logAfter;
    } cases[] = {
        {"complete", [] {}, DeinstallOutcome::kCompleted, false, {confirm, "[INFO_DEI_DONE]"}, false},
        {"program held by its run",
         [&] { FailFileOperation(Win("Quorel2/SETUP.EXE"), FileOperation::kDelete); },
         DeinstallOutcome::kCompleted,
         true,
         {confirm, "[INFO_DEI_DONE]"},
         false},
        {"file held",
         [&] { FailFileOperation(held, FileOperation::kDelete); },
         DeinstallOutcome::kNotCompleted,
         false,
         {confirm, "Cannot delete " + held + " -> [BUTTON_CANCEL]", notComplete},
         true},
        {"file missing",
         [&] { std::filesystem::remove(PathOf("Quorel2/TOOLS/capitest.exe")); },
         DeinstallOutcome::kNotCompleted,
         false,
         {confirm, "Missing " + held + " -> [BUTTON_CANCEL]", notComplete},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::fake::ResetFiles();
        platform::fake::ResetRegistry();
        InstallConfiguration();
        for (const std::string& file : kRemovedFiles) WriteFile(file, "installed");
        WriteFile("Quorel2/SETUP.QZT", ScriptText());
        WriteFile("Quorel2/SETUP.EXE", "program");
        WriteFile("Quorel2/ENGLISH.LNG", "texts");
        std::filesystem::remove(PathOf("Quorel2/removed.qzt"));
        std::filesystem::remove(PathOf("report.log"));
        c.arrange();
        Shown().clear();
        ui::EnterSilentMode();
        ASSERT_TRUE(ui::OpenReport(PathOf("report.log")));

        bool leftForRestart = false;
        EXPECT_EQ(
            ConfirmAndRunDeinstallation(nullptr, {install_, "SETUP.QZT", "SETUP.EXE", ""}, &leftForRestart),
            c.outcome);
        ui::CloseReport();
        ui::LeaveSilentMode();
        EXPECT_EQ(leftForRestart, c.programLeftForRestart);
        EXPECT_EQ(Exists("Quorel2/removed.qzt"), c.logAfter);
        EXPECT_TRUE(Shown().empty());
        std::string report = ReadFile("report.log");
        size_t at = 0;
        for (const std::string& line : c.reported) {
            size_t found = report.find(" " + line + "\r\n", at);
            EXPECT_NE(found, std::string::npos) << line << " in\n" << report;
            at = found == std::string::npos ? at : found;
        }
    }
}

}  // namespace
