#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "config_dialog_fixture.h"
#include "configdialog/config_session.h"
#include "configdialog/page_commands.h"
#include "configstore/config_writer.h"
#include "configstore/integrity_backup.h"
#include "configstore/registry_layout.h"
#include "ui/user_interface.h"

namespace {

using namespace config_dialog_test;
using platform::fake::RegistryOperation;

const std::string kEntry = "SOFTWARE\\CAPI20\\1";
const std::string kService = kServiceKeyPath;
const std::string kParameters = kParametersKeyPath;
const std::string kMaintenance = kMaintenanceKeyPath;
const std::string kIntegrity = kIntegrityCheckKey;

class ConfigSessionTest : public ConfigDialogFixture {
  protected:
    void SetUp() override {
        ConfigDialogFixture::SetUp();
        DialogScript(MaintenanceSection("!MAINTENANCE_FULL"));
        WindowsNtState();
        SetDefaultDriverConfig(1, ScriptMaintenance(), installed_);
        installed_.ImagePath = kSpidX31Image;
        installed_.Start = 0x10;
        installed_.Test = 2;
        installed_.DataIoMode = 7;
        installed_.DeliveryConf = 5;
        installed_.DosVector = 0x1FF;
        installed_.x31Layer2 = 3;
        installed_.NumberOfControllers = 2;
        installed_.cipValue = 40;
        installed_.Controller = 2;
        installed_.CDPN[0] = "123,45";
        installedAdapters_[0] = {2, 0x12345, 0, "SPID-1"};
        installedAdapters_[1] = {30, 0x300, 20, "SPID-2"};
    }

    // The installed configuration in the registry with its backup, as the dialog's last OK left it.
    void Install() { WriteInstalledConfiguration(installed_, installedAdapters_); }

    // Every key the configuration touches, with its values, and the service group list.
    std::map<std::string, Values> Snapshot() {
        std::vector<std::string> keys = ConfigurationKeys();
        keys.push_back(kServiceGroupOrderKey);
        return RegistrySnapshot(keys);
    }

    DriverConfig installed_;
    AdapterArray installedAdapters_;
};

TEST_F(ConfigSessionTest, OpeningAndOkWithoutChangesWritesBackExactlyWhatWasRead) {
    Install();
    std::map<std::string, Values> before = Snapshot();
    std::string autoexec = ReadFile("system32/AutoExec.NT");
    ASSERT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
    ConfigPages pages = OpenConfigPages(ReadScript(), Configured());
    EXPECT_TRUE(pages.modified);  // the base address shown counts as a change
    bool restartNeeded = false;
    EXPECT_TRUE(SaveConfiguration(pages, Configured(), &restartNeeded));
    EXPECT_TRUE(restartNeeded);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(ReadFile("system32/AutoExec.NT"), autoexec);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ConfigSessionTest, OpeningAndOkReadTheSetupInformationFileOnce) {
    Install();
    platform::fake::ResetFiles();
    ConfigPages pages;
    ASSERT_TRUE(OpenConfiguration(nullptr, ScriptFile(), Configured(), pages));
    SelectEntry(pages, pages.adapter.start, 3);
    bool restartNeeded = false;
    EXPECT_TRUE(SaveConfiguration(pages, Configured(), &restartNeeded));
    EXPECT_EQ(Stored(kService, "Start"), Dword(3));
    EXPECT_EQ(platform::fake::OpensForRead(ScriptFile()), 1u);
}

TEST_F(ConfigSessionTest, OkWritesTheEditsAndANewBackup) {
    Install();
    ASSERT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
    ConfigPages pages = OpenConfigPages(ReadScript(), Configured());
    SelectEntry(pages, pages.adapter.start, 3);
    SelectAdapter(pages, Adapters(), 1);
    EditBaseAddress(pages, "3E0", 3);
    platform::fake::SetLocalDate(2024, 1, 5);
    bool restartNeeded = false;
    EXPECT_TRUE(SaveConfiguration(pages, Configured(), &restartNeeded));
    EXPECT_EQ(Stored(kService, "Start"), Dword(3));
    EXPECT_EQ(Stored(AdapterKeyPath(2), "BaseAddress"), Dword(0x3E0));
    EXPECT_EQ(Stored(kIntegrity, "BackupDate"), Sz("20240105"));
    DriverConfig backup;
    AdapterArray backupAdapters;
    ASSERT_TRUE(ReadIntegrityBackup(backup, backupAdapters));
    EXPECT_EQ(backup.Start, 3u);
    EXPECT_EQ(backupAdapters[1].BaseAddress, 0x3E0u);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ConfigSessionTest, NothingModifiedClosesWithoutWriting) {
    Install();
    ASSERT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
    ConfigPages pages = OpenConfigPages(ReadScript(), Configured());
    pages.modified = false;
    std::map<std::string, Values> before = Snapshot();
    platform::fake::FailRegistryOperation(kService, RegistryOperation::kSetValue, 5);
    bool restartNeeded = false;
    EXPECT_TRUE(SaveConfiguration(pages, Configured(), &restartNeeded));
    EXPECT_FALSE(restartNeeded);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ConfigSessionTest, OkWithAnyWriteFailingReportsItKeepsTheOldBackupAndStaysOpen) {
    struct Write {
        std::string key;
        std::vector<std::string> values;
    };
    const std::vector<Write> configurationWrites = {
        {kCapiTreePath, {}},
        {kEntry, {"Manufacturer", "DeviceName", "NumberOfControllers"}},
        {kService, {"DisplayName", "Group", "ErrorControl", "Start", "Type", "ImagePath"}},
        {kParameters,
         {"DataIoMode", "DeliveryConf", "DosVector", "Point2Point", "Test", "DeviceName", "x31Layer2"}},
        {kMaintenance, {"cipValue", "Controller", "username", "password", "CDPN1", "CGPN1", "CGPN2"}},
        {kServiceGroupOrderKey, {}},
        {ChannelKeyPath(1, 1), {"Channels"}},
        {AdapterKeyPath(1), {"BaseAddress", "Interrupt", "SPID"}},
        {ChannelKeyPath(1, 2), {"Channels"}},
        {AdapterKeyPath(2), {"BaseAddress", "Interrupt", "SPID"}},
    };
    struct Case {
        std::string key;
        RegistryOperation operation;
        std::string value;
        std::string message;
        std::vector<std::string> backupKept;
    };
    const std::vector<std::string> wholeBackup = {"RegistryBackup", "BackupDate"};
    std::vector<Case> cases;
    for (const Write& write : configurationWrites) {
        cases.push_back({write.key, RegistryOperation::kCreateKey, "", NoKey(write.key), wholeBackup});
        for (const std::string& value : write.values)
            cases.push_back(
                {write.key, RegistryOperation::kSetValue, value, NoKeyModify(write.key), wholeBackup});
    }
    cases.push_back({kIntegrity, RegistryOperation::kCreateKey, "", NoKey(kIntegrity), wholeBackup});
    cases.push_back({kIntegrity,
                     RegistryOperation::kSetValue,
                     "RegistryBackup",
                     NoKeyModify(kIntegrity),
                     {"RegistryBackup"}});
    cases.push_back(
        {kIntegrity, RegistryOperation::kSetValue, "BackupDate", NoKeyModify(kIntegrity), {"BackupDate"}});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.key + " " + (c.value.empty() ? "created" : c.value));
        platform::fake::ResetRegistry();
        WindowsNtState();
        platform::fake::SetLocalDate(1997, 8, 15);
        Install();
        std::map<std::string, std::string> oldBackup;
        for (const std::string& name : wholeBackup) oldBackup[name] = Stored(kIntegrity, name);
        ASSERT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
        ConfigPages pages = OpenConfigPages(ReadScript(), Configured());
        SelectEntry(pages, pages.adapter.start, 3);  // a new backup would differ in its text and its date
        platform::fake::SetLocalDate(2024, 1, 5);
        platform::fake::FailRegistryOperation(c.key, c.operation, 5, c.value);
        Shown().clear();
        bool restartNeeded = false;
        EXPECT_FALSE(SaveConfiguration(pages, Configured(), &restartNeeded));
        EXPECT_TRUE(restartNeeded);
        EXPECT_EQ(Messages(), (std::vector<std::string>{c.message}));
        for (const std::string& name : c.backupKept)
            EXPECT_EQ(Stored(kIntegrity, name), oldBackup[name]) << name;
    }
}

TEST_F(ConfigSessionTest, FailedDriverWriteLeavesTheAdaptersKeysInPlace) {
    Install();
    const std::string adapter = "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters\\Adapter01";
    std::string baseAddress = Stored(adapter, "BaseAddress");
    ASSERT_NE(baseAddress, "(missing)");
    ASSERT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
    ConfigPages pages = OpenConfigPages(ReadScript(), Configured());
    SelectEntry(pages, pages.adapter.start, 3);
    // The driver's Parameters key cannot be written, nor therefore the adapters' keys below it.
    platform::fake::FailRegistryOperation("SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters",
                                          RegistryOperation::kCreateKey, 5);
    bool restartNeeded = false;
    EXPECT_FALSE(SaveConfiguration(pages, Configured(), &restartNeeded));
    EXPECT_EQ(Stored(adapter, "BaseAddress"), baseAddress);
}

TEST_F(ConfigSessionTest, ReducingTheAdaptersDeletesTheKeysOfTheRemovedOnes) {
    installed_.NumberOfControllers = 3;
    installedAdapters_[2] = {2, 0x380, 11, "SPID-3"};
    Install();
    ASSERT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
    ConfigPages pages = OpenConfigPages(ReadScript(), Configured());
    ChangeAdapterCount(pages, Config(), Adapters(), 2);
    bool restartNeeded = false;
    EXPECT_TRUE(SaveConfiguration(pages, Configured(), &restartNeeded));
    EXPECT_EQ(Stored(kEntry, "NumberOfControllers"), Dword(2));
    EXPECT_TRUE(platform::fake::RegistryKeyExists(AdapterKeyPath(2)));
    EXPECT_FALSE(platform::fake::RegistryKeyExists(AdapterKeyPath(3)));
    EXPECT_FALSE(platform::fake::RegistryKeyExists(ChannelKeyPath(1, 3)));
}

TEST_F(ConfigSessionTest, ProtocolWithoutSpidsWritesNoSpid) {
    installed_.ImagePath = kX31Image;
    Install();
    ASSERT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
    ConfigPages pages = OpenConfigPages(ReadScript(), Configured());
    bool restartNeeded = false;
    EXPECT_TRUE(SaveConfiguration(pages, Configured(), &restartNeeded));
    EXPECT_EQ(platform::fake::RegistryValues(AdapterKeyPath(1)),
              (Values{NumberValue("BaseAddress", 0x12345), NumberValue("Interrupt", 0)}));
}

TEST_F(ConfigSessionTest, UnreadableConfigurationIsReportedByNameAndTheDialogStaysShut) {
    struct Case {
        std::function<void()> damage;
        std::vector<std::string> messages;
    } cases[] = {
        {[] {
             platform::fake::FailRegistryOperation(kService, RegistryOperation::kQueryValue, 2,
                                                   "DisplayName");
         },
         {NoValueQuery("DisplayName")}},
        {[] {
             platform::fake::SetRegistryValue(kService, "ImagePath", kExpandSz, Sz(std::string(300, 'i')));
         },
         {NoValueQuery("ImagePath")}},
        {[] { platform::fake::SetRegistryValue(kService, "Group", kDword, Dword(7)); },
         {NoValueQuery("Group")}},
        {[] {
             platform::fake::FailRegistryOperation(kService, RegistryOperation::kQueryValue, 2,
                                                   "ErrorControl");
         },
         {NoValueQuery("ErrorControl")}},
        {[] { platform::fake::FailRegistryOpen(kParameters, 2, false); }, {NoKey(kParameters)}},
    };
    for (const Case& c : cases) {
        platform::fake::ResetRegistry();
        WindowsNtState();
        Install();
        c.damage();
        EXPECT_FALSE(LoadConfiguration(nullptr, ReadScript(), Configured()));
        EXPECT_EQ(Messages(), c.messages);
    }
}

TEST_F(ConfigSessionTest, IntegrityCheckDecidesWhetherAndWithWhatTheDialogOpens) {
    Install();
    platform::fake::SetRegistryValue(kService, "Start", kDword, Dword(3));
    EXPECT_FALSE(LoadConfiguration(nullptr, ReadScript(), Configured()));  // cancelled
    ASSERT_FALSE(Shown().empty());
    EXPECT_EQ(Shown()[0].kind, "IntegrityDialog");

    Shown().clear();
    ui::fake::QueueAnswers({ui::IntegrityAnswer::kRestoreBackup, ui::Answer::kYes});  // restore the backup
    EXPECT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
    EXPECT_EQ(Config().Start, 0x10u);
    ConfigPages pages = OpenConfigPages(ReadScript(), Configured());
    EXPECT_EQ(pages.adapter.start.entries[pages.adapter.start.selected], "10 (!)");
}

TEST_F(ConfigSessionTest, AdapterWithoutItsSpidValueOpensWithAnEmptySpid) {
    // As an installation leaves it: it writes no SPID, whatever the protocol.
    installedAdapters_[1] = {2, 0x300, 20, ""};
    Install();
    ASSERT_EQ(platform::registry::DeleteKey(AdapterKeyPath(2)), platform::registry::kSuccess);
    platform::fake::SetRegistryValue(AdapterKeyPath(2), "BaseAddress", kDword, Dword(0x300));
    platform::fake::SetRegistryValue(AdapterKeyPath(2), "Interrupt", kDword, Dword(20));
    ASSERT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(FieldsOf(Adapters()),
              (std::vector<std::string>{"2/74565/0/SPID-1", "2/768/20/", "2/608/3/", "2/608/3/"}));
}

TEST_F(ConfigSessionTest, ResetAnsweredNoChangesNothing) {
    Install();
    ASSERT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
    ConfigPages pages = OpenConfigPages(ReadScript(), Configured());
    ShowPage(pages, ConfigPage::kAdvanced);
    pages.modified = false;
    EXPECT_FALSE(ResetConfiguration(pages, Config(), Adapters(), nullptr));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Do you want to reset all settings to their defaults?"}));
    EXPECT_EQ(Config().Start, 0x10u);
    EXPECT_EQ(pages.visiblePage, ConfigPage::kAdvanced);
    EXPECT_FALSE(pages.modified);
}

TEST_F(ConfigSessionTest, ResetAnsweredYesShowsTheDefaultsWithoutWriting) {
    Install();
    ASSERT_TRUE(LoadConfiguration(nullptr, ReadScript(), Configured()));
    ConfigPages pages = OpenConfigPages(ReadScript(), Configured());
    SelectAdapter(pages, Adapters(), 1);
    ShowPage(pages, ConfigPage::kMaintenance);
    std::map<std::string, Values> before = Snapshot();
    ui::fake::QueueAnswers({ui::Answer::kYes});
    EXPECT_TRUE(ResetConfiguration(pages, Config(), Adapters(), nullptr));
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(Config().ImagePath, kSpidImage);
    EXPECT_EQ(Config().NumberOfControllers, 1u);
    EXPECT_EQ(Config().Controller, kMaintenanceControllerOff);
    EXPECT_EQ(pages.adapter.adapters.entries, (std::vector<std::string>{"Adapter 1"}));
    EXPECT_EQ(pages.currentAdapter, 0u);
    EXPECT_EQ(pages.adapter.baseAddress, "260");
    EXPECT_EQ(pages.adapter.interrupt.entries[pages.adapter.interrupt.selected], "3");
    EXPECT_EQ(pages.adapter.protocol.entries[pages.adapter.protocol.selected], "National ISDN");
    EXPECT_FALSE(pages.advanced.maintenanceSwitch);
    EXPECT_FALSE(pages.maintenanceButtonShown);
    EXPECT_EQ(pages.visiblePage, ConfigPage::kAdapter);
    EXPECT_TRUE(pages.modified);
    // Adapters added afterwards come back with what their records held.
    ChangeAdapterCount(pages, Config(), Adapters(), 2);
    SelectAdapter(pages, Adapters(), 1);
    EXPECT_EQ(pages.adapter.baseAddress, "300");
}

TEST_F(ConfigSessionTest, CancelAsksOnlyAfterChangesAndTheCloseBoxAlwaysAsks) {
    const std::string question = "Do you want to close the configuration without saving your changes?";
    ConfigPages pages;
    pages.modified = false;
    EXPECT_TRUE(ConfirmCancel(pages, nullptr));
    EXPECT_TRUE(Shown().empty());

    pages.modified = true;
    EXPECT_FALSE(ConfirmCancel(pages, nullptr));  // No
    ui::fake::QueueAnswers({ui::Answer::kYes});
    EXPECT_TRUE(ConfirmCancel(pages, nullptr));
    EXPECT_EQ(Messages(), (std::vector<std::string>{question, question}));

    Shown().clear();
    EXPECT_FALSE(ConfirmCloseBox(nullptr));
    ui::fake::QueueAnswers({ui::Answer::kYes});
    EXPECT_TRUE(ConfirmCloseBox(nullptr));
    EXPECT_EQ(Messages(), (std::vector<std::string>{question, question}));
}

}  // namespace
