#include <gtest/gtest.h>

#include <functional>

#include "config_store_fixture.h"
#include "configdialog/config_session.h"
#include "configstore/integrity_backup.h"
#include "ui/user_interface.h"

namespace {

using namespace config_test;
using platform::fake::RegistryOperation;

const std::string kIntegrity =
    "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters\\QZTQuorelSetupIntegrityCheck";
const std::string kDefaultsBackup =
    "CAPI 2.0 Quorel Driver;1;CAPI20;\\SystemRoot\\System32\\drivers\\kxbus.sys;1;1;1;0;CAPI201;241;0;0;"
    "QZT Velmonic GmbH;0;0;1;2;608;3;";

class IntegrityBackupTest : public ConfigStoreFixture {
  protected:
    // The check as the configuration flow makes it, its choice as the number the dialog gives it.
    int Check() { return static_cast<int>(CheckIntegrity(nullptr, ReadScript(), Configured())); }
    // The test's configuration at its defaults with n adapters.
    void Defaults(uint32_t adapters = 1) {
        SetDefaultDriverConfig(1, ScriptMaintenance(), Config());
        Config().NumberOfControllers = adapters;
        for (AdapterConfig& adapter : Adapters()) SetDefaultAdapterConfig(adapter);
    }
    std::string StoredText(const std::string& name) {
        for (const auto& value : platform::fake::RegistryValues(kIntegrity)) {
            if (value.name == name)
                return value.data;
        }
        return "(missing)";
    }
    void StoreBackup(const std::string& text, const std::string& date = "19970815") {
        platform::fake::SetRegistryValue(kIntegrity, "RegistryBackup", kSz, Sz(text));
        platform::fake::SetRegistryValue(kIntegrity, "BackupDate", kSz, Sz(date));
    }
    std::string Information(const std::string& date) {
        return "The driver settings in the registry differ from the backup that Setup saved on " + date +
               ". They may have been changed by another program or by hand.";
    }
};

TEST_F(IntegrityBackupTest, DefaultsGiveTheDocumentedTextAndTodaysDate) {
    Defaults();
    Adapters()[1].Interrupt = 9;  // adapters beyond the count are not in the backup
    WriteIntegrityBackup(Configured(), Protocols());
    EXPECT_EQ(StoredText("RegistryBackup"), Sz(kDefaultsBackup));
    EXPECT_EQ(StoredText("BackupDate"), Sz("19970815"));
    EXPECT_EQ(platform::fake::RegistryValues(kIntegrity)[0].type, kSz);
    EXPECT_EQ(platform::fake::RegistryValues(kIntegrity)[1].type, kSz);

    platform::fake::SetLocalDate(2024, 1, 5);
    WriteIntegrityBackup(Configured(), Protocols());
    EXPECT_EQ(StoredText("BackupDate"), Sz("20240105"));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(IntegrityBackupTest, ProtocolBitsAddX31Layer2AndTheSpids) {
    Defaults(2);
    Config().x31Layer2 = 7;
    Adapters()[0].SPID = "111";
    Adapters()[1] = {1, 0x300, 5, "222"};
    const std::string head = "CAPI 2.0 Quorel Driver;1;CAPI20;";
    const std::string middle = ";1;1;1;0;CAPI201;241;0;0;QZT Velmonic GmbH;";
    struct Case {
        std::string image;
        std::string tail;
    } cases[] = {
        {kPlainImage, "0;0;2;2;608;3;1;768;5;"},
        {kX31Image, "1;0;7;2;2;608;3;1;768;5;"},
        {kSpidImage, "0;1;2;2;608;3;111;1;768;5;222;"},
        {kSpidX31Image, "1;1;7;2;2;608;3;111;1;768;5;222;"},
    };
    for (const Case& c : cases) {
        Config().ImagePath = c.image;
        WriteIntegrityBackup(Configured(), Protocols());
        EXPECT_EQ(StoredText("RegistryBackup"), Sz(head + c.image + middle + c.tail));
    }
}

TEST_F(IntegrityBackupTest, ParsingABuiltTextGivesTheFieldsBackAndKeepsTheRest) {
    DriverConfig written;
    SetDefaultDriverConfig(4, ScriptMaintenance(), written);
    written.DisplayName = "Display";
    written.ImagePath = kSpidX31Image;
    written.Start = 3;
    written.x31Layer2 = 0;
    written.NumberOfControllers = 2;
    AdapterArray adapters;
    adapters[0] = {2, 0x300, 5, "S1"};
    adapters[1] = {1, 0x340, 10, "S2"};
    std::string text = BuildBackupText(written, adapters, 3);

    DriverConfig parsed;
    SetDefaultDriverConfig(1, ScriptMaintenance(), parsed);
    parsed.username = "maintenance stays";
    parsed.CGPNCount = 5;
    AdapterArray parsedAdapters;
    parsedAdapters[2] = {9, 9, 9, "beyond the count"};
    ASSERT_TRUE(ParseBackupText(text, parsed, parsedAdapters));
    EXPECT_EQ(parsed.DisplayName, "Display");
    EXPECT_EQ(parsed.ImagePath, kSpidX31Image);
    EXPECT_EQ(parsed.Start, 3u);
    EXPECT_EQ(parsed.DeviceName, "CAPI204");
    EXPECT_EQ(parsed.x31Layer2, 0u);
    EXPECT_EQ(parsed.NumberOfControllers, 2u);
    EXPECT_EQ(parsed.username, "maintenance stays");
    EXPECT_EQ(parsed.CGPNCount, 5u);
    EXPECT_EQ(parsedAdapters[1].Interrupt, 10u);
    EXPECT_EQ(parsedAdapters[1].SPID, "S2");
    EXPECT_EQ(parsedAdapters[2].SPID, "beyond the count");

    // Without the X.31 flag the field is not in the text, and the record keeps its value.
    parsed.x31Layer2 = 6;
    ASSERT_TRUE(ParseBackupText(kDefaultsBackup, parsed, parsedAdapters));
    EXPECT_EQ(parsed.x31Layer2, 6u);
    EXPECT_EQ(parsed.NumberOfControllers, 1u);
    // Numbers: leading blanks skipped, stopping at the first non-digit, empty as 0.
    ASSERT_TRUE(ParseBackupText("N;  12x;G;I; ;1;1;0;D;241;0;0;M;0;0;1;2;608;3;", parsed, parsedAdapters));
    EXPECT_EQ(parsed.ErrorControl, 12u);
    EXPECT_EQ(parsed.Start, 0u);
}

TEST_F(IntegrityBackupTest, DamagedBackupsChangeNothing) {
    const std::string longName(64, 'n');
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"cut in the middle", kDefaultsBackup.substr(0, 60)},
        {"last field without its semicolon", kDefaultsBackup.substr(0, kDefaultsBackup.size() - 1)},
        {"five adapters", "D;1;G;I;1;1;1;0;C;241;0;0;M;0;0;5;2;608;3;2;608;3;2;608;3;2;608;3;2;608;3;"},
        {"no adapters", "D;1;G;I;1;1;1;0;C;241;0;0;M;0;0;0;"},
        {"second adapter missing", "D;1;G;I;1;1;1;0;C;241;0;0;M;0;0;2;2;608;3;"},
        {"text longer than its field", longName + ";1;G;I;1;1;1;0;C;241;0;0;M;0;0;1;2;608;3;"},
        {"x31 flag without its field", "D;1;G;I;1;1;1;0;C;241;0;0;M;1;0;"},
    };
    for (const Case& c : cases) {
        DriverConfig config;
        SetDefaultDriverConfig(1, ScriptMaintenance(), config);
        config.Start = 42;
        AdapterArray adapters;
        adapters[0].Interrupt = 42;
        EXPECT_FALSE(ParseBackupText(c.text, config, adapters)) << c.what;
        EXPECT_EQ(config.Start, 42u) << c.what;
        EXPECT_EQ(config.DisplayName, "CAPI 2.0 Quorel Driver") << c.what;
        EXPECT_EQ(adapters[0].Interrupt, 42u) << c.what;
    }
    // Four adapters and more text after them: the parser stops after the fourth.
    DriverConfig config;
    AdapterArray adapters;
    EXPECT_TRUE(ParseBackupText("D;1;G;I;1;1;1;0;C;241;0;0;M;0;0;4;1;1;1;2;2;2;3;3;3;4;4;4;5;5;5;", config,
                                adapters));
    EXPECT_EQ(adapters[3].Interrupt, 4u);
}

TEST_F(IntegrityBackupTest, OnlyTheFieldsThatCountMakeADifference) {
    DriverConfig live;
    SetDefaultDriverConfig(1, ScriptMaintenance(), live);
    live.ImagePath = kSpidImage;
    live.NumberOfControllers = 2;
    AdapterArray liveAdapters;
    liveAdapters[0] = {2, 0x260, 3, "spid-a"};
    liveAdapters[1] = {2, 0x300, 5, "spid-b"};
    struct Case {
        const char* what;
        std::function<void(DriverConfig&, AdapterArray&)> change;
        bool spidFlag;
        bool matches;
    } cases[] = {
        {"same", [](DriverConfig&, AdapterArray&) {}, true, true},
        {"Type", [](DriverConfig& c, AdapterArray&) { c.Type = 2; }, true, true},
        {"DisplayName", [](DriverConfig& c, AdapterArray&) { c.DisplayName = "x"; }, true, true},
        {"Group", [](DriverConfig& c, AdapterArray&) { c.Group = "x"; }, true, true},
        {"DeviceName", [](DriverConfig& c, AdapterArray&) { c.DeviceName = "x"; }, true, true},
        {"Manufacturer", [](DriverConfig& c, AdapterArray&) { c.Manufacturer = "x"; }, true, true},
        {"x31Layer2", [](DriverConfig& c, AdapterArray&) { c.x31Layer2 = 9; }, true, true},
        {"maintenance",
         [](DriverConfig& c, AdapterArray&) {
             c.cipValue = 9;
             c.username = "x";
             c.MaintenanceMode = 1;
         },
         true, true},
        {"ImagePath case",
         [](DriverConfig& c, AdapterArray&) { c.ImagePath = "\\SYSTEMROOT\\SYSTEM32\\DRIVERS\\QNI1.SYS"; },
         true, true},
        {"SPID case", [](DriverConfig&, AdapterArray& a) { a[1].SPID = "SPID-B"; }, true, true},
        {"SPID without the flag", [](DriverConfig&, AdapterArray& a) { a[1].SPID = "other"; }, false, true},
        {"adapter beyond the count", [](DriverConfig&, AdapterArray& a) { a[2].Interrupt = 9; }, true, true},
        {"ErrorControl", [](DriverConfig& c, AdapterArray&) { c.ErrorControl = 0; }, true, false},
        {"Start", [](DriverConfig& c, AdapterArray&) { c.Start = 3; }, true, false},
        {"DataIoMode", [](DriverConfig& c, AdapterArray&) { c.DataIoMode = 0; }, true, false},
        {"DeliveryConf", [](DriverConfig& c, AdapterArray&) { c.DeliveryConf = 1; }, true, false},
        {"DosVector", [](DriverConfig& c, AdapterArray&) { c.DosVector = 0xF2; }, true, false},
        {"Point2Point", [](DriverConfig& c, AdapterArray&) { c.Point2Point = 1; }, true, false},
        {"Test", [](DriverConfig& c, AdapterArray&) { c.Test = 1; }, true, false},
        {"ImagePath", [](DriverConfig& c, AdapterArray&) { c.ImagePath = kPlainImage; }, true, false},
        {"NumberOfControllers", [](DriverConfig& c, AdapterArray&) { c.NumberOfControllers = 1; }, true,
         false},
        {"Channels", [](DriverConfig&, AdapterArray& a) { a[1].Channels = 1; }, true, false},
        {"BaseAddress", [](DriverConfig&, AdapterArray& a) { a[0].BaseAddress = 0x280; }, true, false},
        {"Interrupt", [](DriverConfig&, AdapterArray& a) { a[1].Interrupt = 7; }, true, false},
        {"SPID", [](DriverConfig&, AdapterArray& a) { a[0].SPID = "other"; }, true, false},
    };
    for (const Case& c : cases) {
        DriverConfig backup = live;
        AdapterArray backupAdapters = liveAdapters;
        c.change(backup, backupAdapters);
        EXPECT_EQ(ConfigMatchesBackup(live, backup, liveAdapters, backupAdapters, c.spidFlag), c.matches)
            << c.what;
    }
}

TEST_F(IntegrityBackupTest, DifferencesNameTheValueAndBothSides) {
    DriverConfig live;
    SetDefaultDriverConfig(1, ScriptMaintenance(), live);
    live.ImagePath = kSpidImage;
    live.NumberOfControllers = 2;
    AdapterArray liveAdapters;
    liveAdapters[0] = {2, 0x260, 3, "spid-a"};
    liveAdapters[1] = {2, 0x300, 5, "spid-b"};
    using Texts = std::vector<std::string>;
    struct Case {
        const char* what;
        std::function<void(DriverConfig&, AdapterArray&)> change;
        Texts differences;
    } cases[] = {
        {"same but for fields that do not count",
         [](DriverConfig& c, AdapterArray& a) {
             c.Type = 2;
             a[1].SPID = "SPID-B";
             a[2].Interrupt = 9;
         },
         {}},
        {"Start", [](DriverConfig& c, AdapterArray&) { c.Start = 3; }, {"Start: registry 1, backup 3"}},
        {"DosVector",
         [](DriverConfig& c, AdapterArray&) { c.DosVector = 0xF2; },
         {"DosVector: registry 0xF1, backup 0xF2"}},
        {"ImagePath",
         [](DriverConfig& c, AdapterArray&) { c.ImagePath = kPlainImage; },
         {"ImagePath: registry " + kSpidImage + ", backup " + kPlainImage}},
        {"two adapter values, in their order",
         [](DriverConfig&, AdapterArray& a) {
             a[1].SPID = "other";
             a[0].BaseAddress = 0x280;
         },
         {"Adapter01 BaseAddress: registry 0x260, backup 0x280",
          "Adapter02 SPID: registry spid-b, backup other"}},
        {"fewer adapters: the count alone",
         [](DriverConfig& c, AdapterArray& a) {
             c.NumberOfControllers = 1;
             a[1].Interrupt = 7;
         },
         {"NumberOfControllers: registry 2, backup 1"}},
    };
    for (const Case& c : cases) {
        DriverConfig backup = live;
        AdapterArray backupAdapters = liveAdapters;
        c.change(backup, backupAdapters);
        Texts described;
        for (const ConfigDifference& d : BackupDifferences(live, backup, liveAdapters, backupAdapters, true))
            described.push_back(DescribeDifference(d));
        EXPECT_EQ(described, c.differences) << c.what;
    }
}

TEST_F(IntegrityBackupTest, NothingToCompareWithPassesWithoutADialog) {
    Defaults();
    EXPECT_EQ(Check(), 1);  // no integrity key
    platform::fake::SetRegistryValue(kIntegrity, "ScriptVersion", kDword, Dword(210));
    EXPECT_EQ(Check(), 1);  // no backup
    StoreBackup("CAPI 2.0 Quorel Driver;1;CAPI20;");
    EXPECT_EQ(Check(),
              1);  // damaged: restoring it would fill the record with its gaps
    StoreBackup(kDefaultsBackup);
    EXPECT_EQ(Check(), 1);  // the same
    EXPECT_TRUE(Shown().empty());
}

TEST_F(IntegrityBackupTest, DifferenceAsksAndEachAnswerGivesItsResult) {
    const std::string changedBackup =
        "CAPI 2.0 Quorel Driver;1;CAPI20;\\SystemRoot\\System32\\drivers\\kxbus.sys;4;1;1;0;CAPI201;241;0;0;"
        "QZT Velmonic GmbH;0;0;1;2;768;5;";
    struct Case {
        const char* what;
        std::vector<ui::fake::QueuedAnswer> answers;  // the dialog's, then the question's
        int result;
        std::vector<std::string> questions;
        bool restored;
    } cases[] = {
        {"cancel", {ui::IntegrityAnswer::kCancel}, 0, {}, false},
        {"closed or not shown", {}, 0, {}, false},
        {"apply, yes", {ui::IntegrityAnswer::kApplyCurrent, ui::Answer::kYes}, 1, {"AskYesNo"}, false},
        {"apply, no", {ui::IntegrityAnswer::kApplyCurrent, ui::Answer::kNo}, 0, {"AskYesNo"}, false},
        {"restore, yes", {ui::IntegrityAnswer::kRestoreBackup, ui::Answer::kYes}, 2, {"AskYesNo"}, true},
        {"restore, no", {ui::IntegrityAnswer::kRestoreBackup, ui::Answer::kNo}, 0, {"AskYesNo"}, false},
        {"restore, question closed",
         {ui::IntegrityAnswer::kRestoreBackup, ui::Answer::kCancel},
         0,
         {"AskYesNo"},
         false},
    };
    for (const Case& c : cases) {
        Defaults();
        Config().MaintenanceMode = 2;
        Config().username = "live maintenance";
        StoreBackup(changedBackup);
        Shown().clear();
        ui::fake::QueueAnswers(c.answers);
        EXPECT_EQ(Check(), c.result) << c.what;
        ASSERT_GE(Shown().size(), 1u) << c.what;
        EXPECT_EQ(Shown()[0].kind, "IntegrityDialog");
        EXPECT_EQ(Shown()[0].text, Information("15/08/1997"));
        ASSERT_EQ(Shown().size(), 1 + c.questions.size()) << c.what;
        if (!c.questions.empty()) {
            EXPECT_EQ(Shown()[1].kind, "AskYesNo");
            EXPECT_EQ(Shown()[1].text,
                      c.answers[0] == ui::fake::QueuedAnswer(ui::IntegrityAnswer::kApplyCurrent)
                          ? "Do you want to accept the current settings? The backup will be "
                            "replaced when you save the configuration."
                          : "Do you want to restore the settings from the backup? The differing "
                            "settings will be lost when you save the configuration.");
        }
        EXPECT_EQ(Config().Start, c.restored ? 4u : 1u) << c.what;
        EXPECT_EQ(Adapters()[0].Interrupt, c.restored ? 5u : 3u) << c.what;
        EXPECT_EQ(Config().username, "live maintenance") << c.what;
        EXPECT_EQ(Config().MaintenanceMode, 2u) << c.what;
        EXPECT_EQ(ui::fake::PendingAnswers(), 0u) << c.what;
    }
    // Neither choice wrote to the registry.
    EXPECT_EQ(StoredText("RegistryBackup"), Sz(changedBackup));
}

TEST_F(IntegrityBackupTest, BackupDateShowsAsDayMonthYear) {
    struct Case {
        const char* stored;  // nullptr: no BackupDate value
        std::string shown;
    } cases[] = {
        {"19970815", "15/08/1997"},
        {"20240105", "05/01/2024"},
        {nullptr, "00/00/0000"},
        {"garbage", "00/00/0000"},
    };
    for (const Case& c : cases) {
        platform::fake::ResetRegistry();
        Defaults();
        platform::fake::SetRegistryValue(kIntegrity, "RegistryBackup", kSz, Sz(kDefaultsBackup));
        if (c.stored)
            platform::fake::SetRegistryValue(kIntegrity, "BackupDate", kSz, Sz(c.stored));
        Config().Start = 3;
        Shown().clear();
        EXPECT_EQ(Check(), 0);
        ASSERT_EQ(Shown().size(), 1u);
        EXPECT_EQ(Shown()[0].text, Information(c.shown));
    }
}

TEST_F(IntegrityBackupTest, SpidsCountOnlyForAProtocolWithSpids) {
    Defaults();
    Adapters()[0].SPID = "live";
    for (const std::string& image : {kPlainImage, kSpidImage}) {
        Config().ImagePath = image;
        WriteIntegrityBackup(Configured(), Protocols());
        std::string backup = StoredText("RegistryBackup");
        Adapters()[0].SPID = "changed";
        Shown().clear();
        EXPECT_EQ(Check(), image == kPlainImage ? 1 : 0) << image;
        Adapters()[0].SPID = "live";
    }
}

TEST_F(IntegrityBackupTest, ScriptVersionIsANumberInTheIntegrityKey) {
    EXPECT_EQ(ReadStoredScriptVersion(), 0u);
    EXPECT_TRUE(platform::fake::RegistryKeyExists(kIntegrity));
    WriteStoredScriptVersion(210);
    EXPECT_EQ(platform::fake::RegistryValues(kIntegrity), (Values{NumberValue("ScriptVersion", 210)}));
    EXPECT_EQ(ReadStoredScriptVersion(), 210u);
    platform::fake::SetRegistryValue(kIntegrity, "ScriptVersion", kSz, Sz("300"));
    EXPECT_EQ(ReadStoredScriptVersion(), 0u);  // a text is no version
    EXPECT_TRUE(Shown().empty());
}

TEST_F(IntegrityBackupTest, FirstWriteBelowTheServiceKeyGivesItItsClass) {
    const std::string service = "SYSTEM\\CurrentControlSet\\Services\\Quorel";
    const std::string parameters = service + "\\Parameters";
    std::function<void()> writes[] = {
        [] { WriteStoredScriptVersion(210); },
        [this] {
            Defaults();
            WriteIntegrityBackup(Configured(), Protocols());
        },
        [] { ReadStoredScriptVersion(); },
    };
    for (const auto& write : writes) {
        platform::fake::ResetRegistry();
        write();
        EXPECT_EQ(platform::fake::RegistryKeyClass(service), "CAPI20");
        EXPECT_EQ(platform::fake::RegistryKeyClass(parameters), "");
        EXPECT_EQ(platform::fake::RegistryKeyClass(kIntegrity), "");
    }
    // A service key that is there already keeps the class it has, as on Windows.
    platform::fake::ResetRegistry();
    platform::fake::AddRegistryKey(service);
    WriteStoredScriptVersion(210);
    EXPECT_EQ(platform::fake::RegistryKeyClass(service), "");
    EXPECT_TRUE(Shown().empty());
}

TEST_F(IntegrityBackupTest, IntegrityKeyThatCannotBeCreatedIsReported) {
    platform::fake::FailRegistryOperation(kIntegrity, RegistryOperation::kCreateKey, 5);
    Defaults();
    EXPECT_EQ(ReadStoredScriptVersion(), 0u);
    WriteStoredScriptVersion(210);
    EXPECT_FALSE(WriteIntegrityBackup(Configured(), Protocols()));
    const std::string message = "The registry key " + kIntegrity + " cannot be opened or created.";
    EXPECT_EQ(Messages(), (std::vector<std::string>{message, message, message}));
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kIntegrity));
}

TEST_F(IntegrityBackupTest, BackupValuesThatCannotBeWrittenAreReported) {
    const std::string message = "The values of the registry key " + kIntegrity + " cannot be written.";
    for (const char* value : {"RegistryBackup", "BackupDate"}) {
        platform::fake::ResetRegistry();
        platform::fake::FailRegistryOperation(kIntegrity, RegistryOperation::kSetValue, 5, value);
        Defaults();
        Shown().clear();
        EXPECT_FALSE(WriteIntegrityBackup(Configured(), Protocols())) << value;
        EXPECT_EQ(Messages(), (std::vector<std::string>{message})) << value;
        EXPECT_EQ(StoredText(value), "(missing)");
    }
    platform::fake::ResetRegistry();
    Shown().clear();
    EXPECT_TRUE(WriteIntegrityBackup(Configured(), Protocols()));
    EXPECT_TRUE(Shown().empty());
}

}  // namespace
