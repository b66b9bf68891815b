#include <gtest/gtest.h>

#include <map>

#include "config_dialog_fixture.h"
#include "configdialog/config_session.h"
#include "configdialog/page_commands.h"
#include "configstore/config_writer.h"
#include "configstore/integrity_backup.h"
#include "configstore/registry_layout.h"
#include "shell/answer_configuration.h"
#include "ui/run_report.h"
#include "ui/silent_mode.h"
#include "ui/user_interface.h"

// The answer file's driver settings applied through the configuration dialog's core.
namespace {

using namespace config_dialog_test;

const std::string kEntry = "SOFTWARE\\CAPI20\\1";
const std::string kService = kServiceKeyPath;
const std::string kMaintenance = kMaintenanceKeyPath;
const std::string kIntegrity = kIntegrityCheckKey;

class AnswerConfigurationTest : public ConfigDialogFixture {
  protected:
    void SetUp() override {
        ConfigDialogFixture::SetUp();
        DialogScript(MaintenanceSection("!MAINTENANCE_FULL"));
        WindowsNtState();
        DriverConfig config;
        SetDefaultDriverConfig(1, ScriptMaintenance(), config);
        config.ImagePath = kSpidX31Image;
        config.NumberOfControllers = 2;
        config.Controller = 2;
        AdapterArray adapters;
        adapters[0] = {2, 0x260, 3, "SPID-1"};
        adapters[1] = {2, 0x300, 5, "SPID-2"};
        ASSERT_NO_FATAL_FAILURE(WriteInstalledConfiguration(config, adapters));
        installed_ = Snapshot();
        platform::fake::SetLocalDate(2024, 1, 5);
    }

    // Every key the configuration touches, with its values.
    std::map<std::string, Values> Snapshot() { return RegistrySnapshot(ConfigurationKeys()); }
    void RestoreInstalled() {
        platform::fake::ResetRegistry();
        WindowsNtState();
        for (const auto& key : installed_)
            for (const RegistryValue& value : key.second)
                if (value.name != "(no key)")
                    platform::fake::SetRegistryValue(key.first, value.name, value.type, value.data);
    }

    std::map<std::string, Values> installed_;
};

TEST_F(AnswerConfigurationTest, AnswersSaveWhatTheDialogSavesForTheSameChoices) {
    // A person: Start "3", adapter 2's base address, a third adapter, the protocol without SPIDs.
    ASSERT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
    ConfigPages pages = OpenConfigPages(ReadScript(), Configured());
    SelectEntry(pages, pages.adapter.start, 3);
    SelectAdapter(pages, Adapters(), 1);
    EditBaseAddress(pages, "3E0", 3);
    ChangeAdapterCount(pages, Config(), Adapters(), 3);
    SelectProtocol(pages, Config(), Adapters(), 2);  // "X.31"
    bool restartNeeded = false;
    ASSERT_TRUE(SaveConfiguration(pages, Configured(), &restartNeeded));
    std::map<std::string, Values> byDialog = Snapshot();
    ASSERT_EQ(Stored(kService, "Start"), Dword(3));

    RestoreInstalled();
    ASSERT_EQ(Snapshot(), installed_);
    Config() = DriverConfig();
    Adapters() = AdapterArray();
    AnswerFile answers;
    answers.start = 3;
    answers.adapters[1].baseAddress = 0x3E0;
    answers.numberOfControllers = 3;
    answers.protocol = "X.31";
    restartNeeded = false;
    EXPECT_TRUE(ApplyAnswerConfiguration(ScriptFile(), answers, &restartNeeded));
    EXPECT_TRUE(restartNeeded);
    EXPECT_EQ(Snapshot(), byDialog);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(AnswerConfigurationTest, AnswersReachTheRegistryAndTheBackup) {
    AnswerFile answers;
    answers.protocol = "National ISDN";
    answers.numberOfControllers = 3;
    answers.adapters[2] = {0x340, 10, std::string("SPID-3")};
    answers.controller = 0;  // All
    answers.username = "remote";
    answers.calledNumber = "4711,";
    answers.callingNumbers[1] = "0815,2";  // the list the answer file gives: this one number
    bool restartNeeded = false;
    ASSERT_TRUE(ApplyAnswerConfiguration(ScriptFile(), answers, &restartNeeded));
    EXPECT_EQ(Stored(kService, "ImagePath"), Sz(kSpidImage));
    EXPECT_EQ(Stored(kEntry, "NumberOfControllers"), Dword(3));
    EXPECT_EQ(Stored(AdapterKeyPath(3), "BaseAddress"), Dword(0x340));
    EXPECT_EQ(Stored(AdapterKeyPath(3), "Interrupt"), Dword(10));
    EXPECT_EQ(Stored(AdapterKeyPath(3), "SPID"), Sz("SPID-3"));
    EXPECT_EQ(Stored(AdapterKeyPath(2), "SPID"), Sz("SPID-2"));
    EXPECT_TRUE(platform::fake::RegistryKeyExists(ChannelKeyPath(1, 3)));
    EXPECT_EQ(Stored(kMaintenance, "Controller"), Dword(0));
    EXPECT_EQ(Stored(kMaintenance, "username"), Sz("remote"));
    EXPECT_EQ(Stored(kMaintenance, "CDPN1"), Sz("4711,"));
    EXPECT_EQ(Stored(kMaintenance, "CGPN1"), Sz("0815,2"));
    EXPECT_EQ(Stored(kMaintenance, "CGPN2"), "(missing)");
    EXPECT_EQ(Stored(kIntegrity, "BackupDate"), Sz("20240105"));
    // The backup is the new configuration: the next opening finds no difference.
    Config() = DriverConfig();
    EXPECT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(AnswerConfigurationTest, SilentlyAValueChangedBehindTheProgramsBackStaysAndIsReported) {
    platform::fake::SetRegistryValue(kService, "Start", kDword, Dword(4));
    ui::EnterSilentMode();
    ASSERT_TRUE(ui::OpenReport(PathOf("report.log")));
    AnswerFile answers;
    answers.test = 1;
    bool restartNeeded = false;
    EXPECT_TRUE(ApplyAnswerConfiguration(ScriptFile(), answers, &restartNeeded));
    ui::CloseReport();
    ui::LeaveSilentMode();
    EXPECT_EQ(Stored(kService, "Start"), Dword(4));
    EXPECT_EQ(Stored(kParametersKeyPath, "Test"), Dword(1));
    EXPECT_NE(ReadFile("report.log").find(" Start: registry 4, backup 1\r\n"), std::string::npos)
        << ReadFile("report.log");
    DriverConfig backup;
    AdapterArray backupAdapters;
    ASSERT_TRUE(ReadIntegrityBackup(backup, backupAdapters));
    EXPECT_EQ(backup.Start, 4u);
}

TEST_F(AnswerConfigurationTest, AConfigurationThatCannotBeReadIsNotWritten) {
    platform::fake::FailRegistryOperation(kService, platform::fake::RegistryOperation::kQueryValue, 2,
                                          "ErrorControl");
    AnswerFile answers;
    answers.start = 3;
    bool restartNeeded = false;
    EXPECT_FALSE(ApplyAnswerConfiguration(ScriptFile(), answers, &restartNeeded));
    EXPECT_FALSE(restartNeeded);
    EXPECT_EQ(Stored(kService, "Start"), Dword(1));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"The registry value ErrorControl cannot be read."}));
}

}  // namespace
