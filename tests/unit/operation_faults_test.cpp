#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>

#include "config_dialog_fixture.h"
#include "configdialog/config_session.h"
#include "configdialog/page_commands.h"
#include "configstore/config_writer.h"
#include "configstore/integrity_backup.h"
#include "deinstall/deinstallation_run.h"
#include "install/installation_run.h"
#include "setupfiles/text_ids.h"
#include "ui/user_interface.h"

// Every registry and file operation of an installation, a configuration save and a removal made to fail in
// turn, once answering every question with Ignore and once with Abort (Cancel), on a machine that holds
// other software's entries. After each run: the failure told in the user's language (German here, so that
// an English text stands out), and everything that belongs to others untouched.
namespace {

using namespace config_dialog_test;
using platform::fake::CountedOperations;
using platform::fake::CountOperations;
using platform::fake::FailedOperation;
using platform::fake::OperationCount;
using Texts = std::vector<std::string>;

const std::string kOtherEntry = "SOFTWARE\\CAPI20\\1";
const std::string kOtherService = "SYSTEM\\CurrentControlSet\\Services\\OtherCapi";
const std::string kScriptMissingPrefix = "Can't find SETUPINFOFILE";
const Texts kForeignGroups = {"System Bus Extender", "SCSI miniport", "NDIS", "TDI"};
const Texts kForeignAutoexec = {"@echo off", "lh %SystemRoot%\\system32\\mscdexnt.exe",
                                "lh %SystemRoot%\\system32\\redir", "lh %SystemRoot%\\system32\\dosx",
                                "SET BLASTER=A220 I5 D1 P330 T3"};

// A key and everything below it: paths, classes and values, byte for byte.
std::string Subtree(const std::string& path) {
    if (!platform::fake::RegistryKeyExists(path))
        return "(no key " + path + ")";
    std::ostringstream out;
    out << path << " class=" << platform::fake::RegistryKeyClass(path) << "\n";
    for (const auto& value : platform::fake::RegistryValues(path)) {
        out << "  ";
        PrintTo(value, &out);
        out << "\n";
    }
    for (const std::string& child : platform::fake::RegistrySubKeys(path))
        out << Subtree(path + "\\" + child);
    return out.str();
}

Texts Lines(const std::string& text) {
    Texts lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// True when every one of wanted is in lines, in the same order.
bool ContainsInOrder(const Texts& lines, const Texts& wanted) {
    auto at = lines.begin();
    for (const std::string& line : wanted) {
        at = std::find(at, lines.end(), line);
        if (at == lines.end())
            return false;
        ++at;
    }
    return true;
}

// Whether the text was made from a text of the loaded language: it starts with one's fixed part. The
// missing setup information file has no text in any language; its fixed English text is the program's own.
bool IsLanguageText(const std::string& text) {
    if (text.compare(0, kScriptMissingPrefix.size(), kScriptMissingPrefix) == 0)
        return true;
    for (const LanguageKey& key : kLanguageKeys) {
        const std::string& language = Text(key.textId);
        std::string fixed = language.substr(0, language.find('%'));
        if (fixed.size() >= 4 && text.compare(0, fixed.size(), fixed) == 0)
            return true;
    }
    return false;
}

bool IsTold(const std::string& text) {
    return IsLanguageText(text) && text.compare(0, kScriptMissingPrefix.size(), kScriptMissingPrefix) != 0;
}

bool IsMessage(const ui::fake::Shown& shown) {
    return shown.kind == "InfoMessageBox" || shown.kind == "NoticeDialog" ||
           shown.kind.compare(0, 3, "Ask") == 0;
}

// How a run under one failure went wrong, empty when it did not.
struct Findings {
    Texts problems;
    void Check(bool good, const std::string& what) {
        if (!good)
            problems.push_back(what);
    }
};

class OperationFaultsTest : public ConfigStoreFixture {
  protected:
    void SetUp() override {
        ConfigStoreFixture::SetUp();
        WriteFile("DEUTSCH.LNG", config_test::ReadHostFile(QUOREL_SAMPLE_DIR "/DEUTSCH.LNG"));
        App().Languages.entries = {{"Deutsch", "DEUTSCH.LNG"}};
        App().LanguageIndex = 0;
        ASSERT_EQ(LoadCurrentLanguage(App()), 1);
    }

    // A Windows NT 4 machine with another maker's CAPI 2.0 driver and service, and our distribution.
    void FreshMachine() {
        for (const auto& entry : std::filesystem::directory_iterator(Dir())) {
            if (entry.path().filename() != "DEUTSCH.LNG")
                std::filesystem::remove_all(entry.path());
        }
        platform::fake::ResetRegistry();
        platform::fake::ResetDde();
        platform::fake::ResetFiles();
        ui::fake::ResetUserInterface();
        configuration_ = Configuration();
        platform::fake::SetWindowsDirectory(Dir());
        platform::fake::SetSystemDirectory(Dir() + "\\system32");
        WindowsNtState();
        platform::fake::AddRegistryKey("SOFTWARE");
        OtherMakersEntry(1);
        platform::fake::SetRegistryValue(kOtherEntry + "\\1", "Channels", kDword, Dword(30));
        platform::fake::SetRegistryValue(kOtherEntry + "\\1\\Line", "Number", kSz, Sz("0891234"));
        platform::fake::SetRegistryValue(kOtherService, "ImagePath", kExpandSz,
                                         Sz("System32\\drivers\\oc.sys"));
        platform::fake::SetRegistryValue(kOtherService, "Group", kSz, Sz("NDIS"));
        WriteFile("system32/drivers/oc.sys", "another maker's driver");
        WriteFile("dist/SETUP.QZT", DistributionScript());
        WriteFile("dist/SETUP.EXE", "program");
        WriteFile("dist/DEUTSCH.LNG", config_test::ReadHostFile(QUOREL_SAMPLE_DIR "/DEUTSCH.LNG"));
        WriteFile("dist/DOCS/README.TXT", "readme");
        WriteDriverAndToolSources();
        App().SetupDirectory = Dir() + "\\dist";
        foreign_ = ForeignState();
    }

    static std::string DistributionScript() {
        return CrLf(Rows({
            kScriptProtocols,
            {"[VERSION]", "210"},
            {"[DEFPROTOCOL]", "DSS1"},
            {"[ADDFILES]", "2", "1", "DOCS", "README.TXT", "DOCS"},
            {"1", "", "DEUTSCH.LNG", ""},
            DriverAndToolSection(),
            {"[DELETEADDFILES]", "1", "1", "TOOLS", "QTRACE.LOG"},
            {"[PROGMAN]", "Group", "Test", "0"},
            {"[LANGUAGE]", "1", "Deutsch", "DEUTSCH.LNG"},
            MaintenanceSection("!MAINTENANCE_FULL"),
        }));
    }

    std::string Installed() { return Dir() + "\\Quorel2"; }

    InstallationOutcome Install() {
        return RunInstallation(nullptr, {Dir() + "\\dist", "SETUP.QZT", "SETUP.EXE", "Deutsch"},
                               Dir() + "\\dist", Installed());
    }
    DeinstallOutcome Deinstall() {
        App().SetupDirectory = Installed();
        return ConfirmAndRunDeinstallation(nullptr, {Installed(), "SETUP.QZT", "SETUP.EXE", "Deutsch"});
    }
    // The machine after an undisturbed installation, with the answers queued for the next run cleared.
    void InstalledMachine() {
        ASSERT_TRUE(Install().completed);
        ui::fake::ResetUserInterface();
    }

    // What belongs to others, as the run must leave it.
    std::string ForeignState() {
        std::string autoexec = ReadFile("system32/AutoExec.NT");
        std::string list = "(no list)";
        for (const auto& value : platform::fake::RegistryValues(kServiceGroupOrderKey))
            if (value.name == "List")
                list = value.data;
        Texts groups = SplitGroupList(list);
        std::ostringstream out;
        out << Subtree(kOtherEntry) << Subtree(kOtherService)
            << "oc.sys=" << ReadFile("system32/drivers/oc.sys") << "\n"
            << "autoexec keeps its lines: " << ContainsInOrder(Lines(autoexec), kForeignAutoexec) << "\n"
            << "group list keeps its names: " << ContainsInOrder(groups, kForeignGroups) << "\n";
        return out.str();
    }

    // What a run that reports success must leave: the installed configuration readable and equal to its
    // integrity backup, or every later opening of the dialog would show differences nobody made.
    bool ConfigurationMatchesItsBackup() {
        Configuration installed;
        if (!ReadInstalledConfiguration(SetupInfoFile::Read(Installed() + "\\SETUP.QZT"), installed))
            return false;
        DriverConfig backup = installed.driver;
        AdapterArray backupAdapters = installed.adapters;
        return ReadIntegrityBackup(backup, backupAdapters) &&
               ConfigMatchesBackup(installed.driver, backup, installed.adapters, backupAdapters, true);
    }

    // The checks after a run under a failure; failed says whether the run told of a failure.
    void CheckRun(Findings& findings, bool failed, bool writesConfiguration) {
        findings.Check(ForeignState() == foreign_, "foreign data changed:\n" + ForeignState());
        findings.Check(platform::fake::OpenRegistryKeys() == 0, "a registry key was left open");
        bool told = false;
        for (const auto& shown : ui::fake::ShownMessages()) {
            if (!IsMessage(shown))
                continue;
            findings.Check(IsLanguageText(shown.text),
                           shown.kind + " not in the user's language: " + shown.text);
            told = told || IsTold(shown.text);
        }
        findings.Check(!failed || told, "a failure was not told");
        if (!failed && writesConfiguration) {
            ui::fake::ShownMessages().clear();
            findings.Check(ConfigurationMatchesItsBackup(),
                           "success reported, but the configuration does not read back as its backup");
        }
    }

    // Runs the flow once to number its operations, then once for every operation failing, answering with
    // each of the answers; records the figures and fails with every finding.
    void EveryOperationFailing(const std::string& flow, const std::function<void()>& prepare,
                               const std::function<bool()>& run,
                               const std::vector<std::vector<ui::fake::QueuedAnswer>>& answers,
                               bool writesConfiguration) {
        prepare();
        ui::fake::QueueAnswers(answers.front());
        CountOperations();
        ASSERT_TRUE(run()) << flow
                           << " fails without an injected failure: " << ::testing::PrintToString(Messages());
        OperationCount count = CountedOperations();
        int failed = 0;
        std::map<std::string, Texts> findings;  // by the failed operation
        for (const std::vector<ui::fake::QueuedAnswer>& answer : answers) {
            for (int k = 1; k <= count.Total(); ++k) {
                prepare();
                ui::fake::QueueAnswers(answer);
                CountOperations(k);
                bool completed = run();
                std::string operation = FailedOperation();
                CountOperations();
                if (operation.empty())
                    continue;  // another path: the run ended before reaching k
                ++failed;
                Findings found;
                CheckRun(found, !completed, writesConfiguration);
                for (const std::string& problem : found.problems)
                    findings["#" + std::to_string(k) + " " + operation +
                             (answer.empty() ? " (no answers)" : " (ignoring every failure)")]
                        .push_back(problem);
            }
        }
        std::string figures = flow + ": " + std::to_string(count.Total()) + " operations (" +
                              std::to_string(count.registry) + " registry, " + std::to_string(count.files) +
                              " file), " + std::to_string(failed) + " runs with one failed";
        std::cout << figures << std::endl;
        RecordProperty("operations", count.Total());
        RecordProperty("failed", failed);
        for (const auto& finding : findings)
            ADD_FAILURE() << finding.first << ":\n  " << finding.second.front();
        EXPECT_TRUE(findings.empty()) << findings.size() << " of " << failed << " runs with findings";
    }

    std::string foreign_;
};

const std::vector<ui::fake::QueuedAnswer> kIgnoreEverything(40, ui::Answer::kIgnore);

TEST_F(OperationFaultsTest, InstallationUnderEveryFailureKeepsOthersDataAndTellsInTheUsersLanguage) {
    EveryOperationFailing(
        "installation", [&] { FreshMachine(); }, [&] { return Install().completed; }, {kIgnoreEverything, {}},
        true);
}

TEST_F(OperationFaultsTest, ConfigurationSaveUnderEveryFailureKeepsOthersDataAndTellsInTheUsersLanguage) {
    ConfigPages pages;
    auto prepare = [&] {
        FreshMachine();
        InstalledMachine();
        SetupInfoFile script = SetupInfoFile::Read(ScriptPath(App()));
        ASSERT_TRUE(LoadConfiguration(nullptr, script, Configured()));
        pages = OpenConfigPages(script, Configured());
        SelectEntry(pages, pages.adapter.start, 3);
        ChangeAdapterCount(pages, Config(), Adapters(), 2);
        ui::fake::ShownMessages().clear();
    };
    auto save = [&] {
        bool restartNeeded = false;
        return SaveConfiguration(pages, Configured(), &restartNeeded);
    };
    EveryOperationFailing("configuration save", prepare, save, {kIgnoreEverything, {}}, true);
}

TEST_F(OperationFaultsTest, RemovalUnderEveryFailureKeepsOthersDataAndTellsInTheUsersLanguage) {
    std::vector<ui::fake::QueuedAnswer> ignoring = {ui::Answer::kYes};
    ignoring.insert(ignoring.end(), kIgnoreEverything.begin(), kIgnoreEverything.end());
    EveryOperationFailing(
        "removal",
        [&] {
            FreshMachine();
            InstalledMachine();
        },
        [&] { return Deinstall() == DeinstallOutcome::kCompleted; }, {ignoring, {ui::Answer::kYes}}, false);
}

}  // namespace
