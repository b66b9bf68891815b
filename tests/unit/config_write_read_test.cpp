#include <gtest/gtest.h>

#include <functional>

#include "config_store_fixture.h"
#include "configstore/autoexec_block.h"
#include "configstore/capi_index.h"
#include "configstore/config_reader.h"
#include "configstore/config_writer.h"

namespace {

// The number our entry has, or takes, in the CAPI 2.0 tree as the test left it.
uint32_t OurCapiIndex() {
    bool found = false;
    return FindCapiIndex(&found);
}

using namespace config_test;
using platform::fake::RegistryOperation;
using platform::fake::RegistryValues;

const std::string kEntry1 = "SOFTWARE\\CAPI20\\1";
const std::string kEntry2 = "SOFTWARE\\CAPI20\\2";
const std::string kService = "SYSTEM\\CurrentControlSet\\Services\\Quorel";
const std::string kParameters = kService + "\\Parameters";
const std::string kMaintenance = kParameters + "\\Maintenance";
const std::string kAdapter01 = kParameters + "\\Adapter01";
const std::string kAdapter02 = kParameters + "\\Adapter02";
const std::string kGroupOrder = "SYSTEM\\CurrentControlSet\\Control\\ServiceGroupOrder";

class ConfigWriteReadTest : public ConfigStoreFixture {
  protected:
    void SetUp() override {
        ConfigStoreFixture::SetUp();
        WindowsNtState();
    }

    // Remote maintenance, two adapters with SPIDs, and a protocol with both SPID and x31Layer2, as entry 2
    // beside another maker's entry 1. Texts longer than 63 characters must arrive whole.
    void WriteFullConfiguration() {
        Shown().clear();
        OtherMakersEntry(1);
        platform::fake::SetRegistryValue(kEntry1 + "\\1", "Channels", kDword, Dword(30));
        full_ = DriverConfig();
        SetDefaultDriverConfig(2, ScriptMaintenance(), full_);
        full_.ImagePath = kSpidX31Image;
        full_.Start = 2;
        full_.DataIoMode = 0;
        full_.DeliveryConf = 1;
        full_.DosVector = 0xF3;
        full_.Point2Point = 1;
        full_.Test = 2;
        full_.x31Layer2 = 3;
        full_.NumberOfControllers = 2;
        full_.MaintenanceMode = 1;
        full_.cipValue = 2;
        full_.Controller = 0;
        full_.username = std::string(78, 'u');
        full_.password = "Qzt-4711";
        full_.CDPNCount = 1;
        full_.CDPN[0] = "089123456780,";
        full_.CGPNCount = 2;
        full_.CGPN[0] = "089765432100,";
        full_.CGPN[1] = "0897654321,12";
        adapters_[0] = {2, 0x300, 5, "0123456789"};
        adapters_[1] = {1, 0x340, 10, "9876543210"};
        ASSERT_TRUE(WriteDriverConfig(Protocols(), 2, full_));
        ASSERT_TRUE(WriteAdapterConfig(adapters_[0], 0, 3));
        ASSERT_TRUE(WriteAdapterConfig(adapters_[1], 1, 3));
        ASSERT_TRUE(Shown().empty());
    }

    DriverConfig full_;
    AdapterArray adapters_;
};

TEST_F(ConfigWriteReadTest, DefaultsAreWrittenInTheirKeysWithTheirTypes) {
    DriverConfig config;
    SetDefaultDriverConfig(1, ScriptMaintenance(), config);
    AdapterConfig adapter;
    SetDefaultAdapterConfig(adapter);
    ASSERT_TRUE(WriteDriverConfig(Protocols(), 1, config));
    ASSERT_TRUE(WriteAdapterConfig(adapter, 0, 0));
    EXPECT_TRUE(Shown().empty());

    EXPECT_EQ(RegistryValues(kEntry1),
              (Values{TextValue("Manufacturer", "QZT Velmonic GmbH"), TextValue("DeviceName", "CAPI201"),
                      NumberValue("NumberOfControllers", 1)}));
    EXPECT_EQ(RegistryValues(kService),
              (Values{TextValue("DisplayName", "CAPI 2.0 Quorel Driver"),
                      TextValue("Group", "CAPI20"),
                      NumberValue("ErrorControl", 1),
                      NumberValue("Start", 1),
                      NumberValue("Type", 1),
                      {"ImagePath", kExpandSz, Sz("\\SystemRoot\\System32\\drivers\\kxbus.sys")}}));
    EXPECT_EQ(
        RegistryValues(kParameters),
        (Values{NumberValue("DataIoMode", 1), NumberValue("DeliveryConf", 0), NumberValue("DosVector", 241),
                NumberValue("Point2Point", 0), NumberValue("Test", 0), TextValue("DeviceName", "CAPI201")}));
    EXPECT_EQ(RegistryValues(kEntry1 + "\\1"), (Values{NumberValue("Channels", 2)}));
    EXPECT_EQ(RegistryValues(kAdapter01),
              (Values{NumberValue("BaseAddress", 0x260), NumberValue("Interrupt", 3)}));
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kMaintenance));
    EXPECT_EQ(platform::fake::RegistryKeyClass(kService), "CAPI20");
    EXPECT_EQ(platform::fake::RegistryKeyClass(kParameters), "");
    EXPECT_EQ(platform::fake::RegistryKeyClass(kEntry1), "");
    EXPECT_EQ(platform::fake::RegistrySubKeys("SOFTWARE\\CAPI20"), (std::vector<std::string>{"1"}));
    EXPECT_EQ(platform::fake::RegistrySubKeys(kParameters), (std::vector<std::string>{"Adapter01"}));
    // The last two steps: the group and the loader.
    EXPECT_EQ(RegistryValues(kGroupOrder)[0].data,
              JoinGroupList({"System Bus Extender", "SCSI miniport", "CAPI20", "NDIS", "TDI"}));
    EXPECT_TRUE(HasAutoexecBlock(ReadFile("system32/AutoExec.NT")));
}

TEST_F(ConfigWriteReadTest, FullConfigurationWritesMaintenanceAdaptersSpidAndX31Layer2) {
    WriteFullConfiguration();
    EXPECT_EQ(RegistryValues(kEntry1), (Values{TextValue("Manufacturer", "Other Maker AG")}));
    EXPECT_EQ(RegistryValues(kEntry1 + "\\1"), (Values{NumberValue("Channels", 30)}));
    EXPECT_EQ(RegistryValues(kEntry2),
              (Values{TextValue("Manufacturer", "QZT Velmonic GmbH"), TextValue("DeviceName", "CAPI202"),
                      NumberValue("NumberOfControllers", 2)}));
    EXPECT_EQ(RegistryValues(kService), (Values{TextValue("DisplayName", "CAPI 2.0 Quorel Driver"),
                                                TextValue("Group", "CAPI20"),
                                                NumberValue("ErrorControl", 1),
                                                NumberValue("Start", 2),
                                                NumberValue("Type", 1),
                                                {"ImagePath", kExpandSz, Sz(kSpidX31Image)}}));
    EXPECT_EQ(RegistryValues(kParameters),
              (Values{NumberValue("DataIoMode", 0), NumberValue("DeliveryConf", 1),
                      NumberValue("DosVector", 0xF3), NumberValue("Point2Point", 1), NumberValue("Test", 2),
                      TextValue("DeviceName", "CAPI202"), NumberValue("x31Layer2", 3)}));
    EXPECT_EQ(RegistryValues(kMaintenance),
              (Values{NumberValue("cipValue", 2), NumberValue("Controller", 0),
                      TextValue("username", std::string(78, 'u')), TextValue("password", "Qzt-4711"),
                      TextValue("CDPN1", "089123456780,"), TextValue("CGPN1", "089765432100,"),
                      TextValue("CGPN2", "0897654321,12")}));
    EXPECT_EQ(RegistryValues(kEntry2 + "\\1"), (Values{NumberValue("Channels", 2)}));
    EXPECT_EQ(RegistryValues(kEntry2 + "\\2"), (Values{NumberValue("Channels", 1)}));
    EXPECT_EQ(RegistryValues(kAdapter01),
              (Values{NumberValue("BaseAddress", 0x300), NumberValue("Interrupt", 5),
                      TextValue("SPID", "0123456789")}));
    EXPECT_EQ(RegistryValues(kAdapter02),
              (Values{NumberValue("BaseAddress", 0x340), NumberValue("Interrupt", 10),
                      TextValue("SPID", "9876543210")}));
}

TEST_F(ConfigWriteReadTest, ProtocolCodeDecidesX31Layer2AndSpidFlagDecidesSpid) {
    OurEntry(1);
    struct Case {
        std::string image;
        uint32_t spidEnabled;
        bool x31;
        bool spid;
    } cases[] = {
        {kPlainImage, 0, false, false}, {kX31Image, 0, true, false}, {kSpidImage, 1, false, true},
        {kSpidImage, 2, false, false},  // only bit value 1 of the flag word counts
        {kSpidX31Image, 3, true, true},
    };
    for (const Case& c : cases) {
        DriverConfig config;
        SetDefaultDriverConfig(1, ScriptMaintenance(), config);
        config.ImagePath = c.image;
        ASSERT_TRUE(WriteDriverConfig(Protocols(), 1, config));
        ASSERT_TRUE(WriteAdapterConfig({2, 0x260, 3, "SP"}, 0, c.spidEnabled));
        Values parameters = RegistryValues(kParameters);
        EXPECT_EQ(parameters.back() == NumberValue("x31Layer2", 1), c.x31) << c.image;
        Values adapter = RegistryValues(kAdapter01);
        EXPECT_EQ(adapter.back() == TextValue("SPID", "SP"), c.spid) << c.image << " " << c.spidEnabled;
        platform::fake::ResetRegistry();
        WindowsNtState();
        OurEntry(1);
    }
}

TEST_F(ConfigWriteReadTest, MaintenanceValuesFollowTheCounts) {
    OurEntry(1);
    DriverConfig config;
    SetDefaultDriverConfig(1, ScriptMaintenance(), config);
    config.MaintenanceMode = 2;
    config.Controller = 0xFFFF;
    config.CDPNCount = 0;
    config.CDPN[0] = "not written";
    config.CGPNCount = 3;
    config.CGPN = {"1", "2", "3", "not written", "", "", "", ""};
    ASSERT_TRUE(WriteDriverConfig(Protocols(), 1, config));
    EXPECT_EQ(RegistryValues(kMaintenance),
              (Values{NumberValue("cipValue", 0), NumberValue("Controller", 0xFFFF),
                      TextValue("username", ""), TextValue("password", ""), TextValue("CGPN1", "1"),
                      TextValue("CGPN2", "2"), TextValue("CGPN3", "3")}));
}

TEST_F(ConfigWriteReadTest, MaintenanceOffLeavesAnExistingMaintenanceKeyAlone) {
    platform::fake::SetRegistryValue(kMaintenance, "CGPN5", kSz, Sz("stale"));
    DriverConfig config;
    SetDefaultDriverConfig(1, ScriptMaintenance(), config);
    ASSERT_TRUE(WriteDriverConfig(Protocols(), 1, config));
    EXPECT_EQ(RegistryValues(kMaintenance), (Values{TextValue("CGPN5", "stale")}));
}

TEST_F(ConfigWriteReadTest, AdapterIndexThreeOfEntryTwoGoesToChannelKeyFourAndAdapter04) {
    OtherMakersEntry(1);
    OurEntry(2);
    ASSERT_TRUE(WriteAdapterConfig({2, 0x380, 11, ""}, 3, 0));
    EXPECT_EQ(RegistryValues(kEntry2 + "\\4"), (Values{NumberValue("Channels", 2)}));
    EXPECT_EQ(RegistryValues(kParameters + "\\Adapter04"),
              (Values{NumberValue("BaseAddress", 0x380), NumberValue("Interrupt", 11)}));
}

TEST_F(ConfigWriteReadTest, EachFailingWriteStepIsReportedOnceAndEndsTheWrite) {
    const std::string autoexec = ReadFile("system32/AutoExec.NT");
    struct Case {
        std::function<void()> inject;
        std::string message;
        const char* lastKeyWritten;  // the last key that received values, "" for none
        bool groupInserted;
    } cases[] = {
        {[] { platform::fake::FailRegistryOperation("SOFTWARE\\CAPI20", RegistryOperation::kCreateKey, 5); },
         NoKey("SOFTWARE\\CAPI20"), "", false},
        {[] { platform::fake::FailRegistryOperation(kEntry1, RegistryOperation::kCreateKey, 5); },
         NoKey(kEntry1), "", false},
        {[] {
             platform::fake::FailRegistryOperation(kEntry1, RegistryOperation::kSetValue, 5, "DeviceName");
         },
         NoKeyModify(kEntry1), "SOFTWARE\\CAPI20\\1", false},
        {[] { platform::fake::FailRegistryOperation(kService, RegistryOperation::kCreateKey, 5); },
         NoKey(kService), "SOFTWARE\\CAPI20\\1", false},
        {[] {
             platform::fake::FailRegistryOperation(kService, RegistryOperation::kSetValue, 5, "ImagePath");
         },
         NoKeyModify(kService), "SYSTEM\\CurrentControlSet\\Services\\Quorel", false},
        {[] { platform::fake::FailRegistryOperation(kParameters, RegistryOperation::kCreateKey, 5); },
         NoKey(kParameters), "SYSTEM\\CurrentControlSet\\Services\\Quorel", false},
        {[] { platform::fake::FailRegistryOperation(kParameters, RegistryOperation::kSetValue, 5, "Test"); },
         NoKeyModify(kParameters), "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters", false},
        {[] { platform::fake::FailRegistryOperation(kMaintenance, RegistryOperation::kCreateKey, 5); },
         NoKey(kMaintenance), "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters", false},
        {[] {
             platform::fake::FailRegistryOperation(kMaintenance, RegistryOperation::kSetValue, 5, "CGPN1");
         },
         NoKeyModify(kMaintenance), "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters\\Maintenance",
         false},
        {[] { platform::fake::FailRegistryOperation(kGroupOrder, RegistryOperation::kCreateKey, 5); },
         NoKey(kGroupOrder), "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters\\Maintenance", false},
    };
    for (const Case& c : cases) {
        platform::fake::ResetRegistry();
        WindowsNtState();
        c.inject();
        Shown().clear();
        DriverConfig config;
        SetDefaultDriverConfig(1, ScriptMaintenance(), config);
        config.MaintenanceMode = 1;
        EXPECT_FALSE(WriteDriverConfig(Protocols(), 1, config)) << c.message;
        EXPECT_EQ(Messages(), (std::vector<std::string>{c.message}));
        // Nothing after the failing step was written, and what came before stays.
        const std::vector<std::string> order = {kEntry1, kService, kParameters, kMaintenance};
        bool reached = std::string(c.lastKeyWritten).empty();
        for (const std::string& key : order) {
            EXPECT_EQ(!RegistryValues(key).empty(), !reached) << c.message << ": " << key;
            if (key == c.lastKeyWritten)
                reached = true;
        }
        EXPECT_EQ(SplitGroupList(RegistryValues(kGroupOrder)[0].data).size(), 4u) << c.message;
        EXPECT_EQ(ReadFile("system32/AutoExec.NT"), autoexec) << c.message;
    }
}

TEST_F(ConfigWriteReadTest, WithoutAutoexecTheWriteFailsAfterEverythingElse) {
    std::remove(PathOf("system32/AutoExec.NT").c_str());
    DriverConfig config;
    SetDefaultDriverConfig(1, ScriptMaintenance(), config);
    EXPECT_FALSE(WriteDriverConfig(Protocols(), 1, config));
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"The file " + Dir() +
                                        "\\system32\\AutoExec.NT cannot be opened. "
                                        "The CAPI loader for DOS applications has not been entered."}));
    EXPECT_FALSE(RegistryValues(kParameters).empty());
    EXPECT_EQ(SplitGroupList(RegistryValues(kGroupOrder)[0].data).size(), 5u);
}

TEST_F(ConfigWriteReadTest, FailingAdapterStepsAreReported) {
    OurEntry(1);
    platform::fake::FailRegistryOperation(kEntry1 + "\\2", RegistryOperation::kCreateKey, 5);
    EXPECT_FALSE(WriteAdapterConfig({2, 0x260, 3, ""}, 1, 0));
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kAdapter02));
    platform::fake::FailRegistryOperation(kEntry1 + "\\3", RegistryOperation::kSetValue, 5);
    EXPECT_FALSE(WriteAdapterConfig({2, 0x260, 3, ""}, 2, 0));
    platform::fake::FailRegistryOperation(kParameters + "\\Adapter04", RegistryOperation::kCreateKey, 5);
    EXPECT_FALSE(WriteAdapterConfig({2, 0x260, 3, ""}, 3, 0));
    platform::fake::FailRegistryOperation(kAdapter01, RegistryOperation::kSetValue, 5, "Interrupt");
    EXPECT_FALSE(WriteAdapterConfig({2, 0x260, 3, ""}, 0, 0));
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{NoKey(kEntry1 + "\\2"), NoKeyModify(kEntry1 + "\\3"),
                                        NoKey(kParameters + "\\Adapter04"), NoKeyModify(kAdapter01)}));
}

TEST_F(ConfigWriteReadTest, NoAdapterKeyGoesBelowANumberWithoutOurManufacturer) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
        std::vector<std::string> messages;
        bool entryStays;
    } cases[] = {
        {"the entry cannot be created",
         [] { platform::fake::FailRegistryOperation(kEntry1, RegistryOperation::kCreateKey, 5); },
         {NoKey(kEntry1), NoKey(kEntry1)},
         false},
        {"a new entry cannot take its manufacturer",
         [] {
             platform::fake::FailRegistryOperation(kEntry1, RegistryOperation::kSetValue, 5, "Manufacturer");
         },
         {NoKeyModify(kEntry1), NoKey(kEntry1)},
         false},
        {"our earlier entry keeps its manufacturer",
         [this] {
             OurEntry(1);
             platform::fake::FailRegistryOperation(kEntry1, RegistryOperation::kSetValue, 5, "Manufacturer");
         },
         {NoKeyModify(kEntry1)},
         true},
    };
    for (const Case& c : cases) {
        platform::fake::ResetRegistry();
        WindowsNtState();
        c.prepare();
        Shown().clear();
        DriverConfig config;
        SetDefaultDriverConfig(1, ScriptMaintenance(), config);
        EXPECT_FALSE(WriteDriverConfig(Protocols(), 1, config)) << c.what;
        EXPECT_EQ(WriteAdapterConfig({2, 0x260, 3, ""}, 0, 0), c.entryStays) << c.what;
        EXPECT_EQ(Messages(), c.messages) << c.what;
        EXPECT_EQ(platform::fake::RegistryKeyExists(kEntry1), c.entryStays) << c.what;
        EXPECT_EQ(platform::fake::RegistryKeyExists(kEntry1 + "\\1"), c.entryStays) << c.what;
        EXPECT_EQ(platform::fake::RegistryKeyExists(kAdapter01), c.entryStays) << c.what;
    }
}

TEST_F(ConfigWriteReadTest, FullConfigurationReadsBackOverDefaults) {
    WriteFullConfiguration();
    DriverConfig read;
    SetDefaultDriverConfig(2, ScriptMaintenance(), read);
    ASSERT_TRUE(ReadDriverConfig(Protocols(), OurCapiIndex(), read));
    EXPECT_EQ(read.DisplayName, full_.DisplayName);
    EXPECT_EQ(read.ErrorControl, full_.ErrorControl);
    EXPECT_EQ(read.Group, full_.Group);
    EXPECT_EQ(read.ImagePath, full_.ImagePath);
    EXPECT_EQ(read.Start, 2u);
    EXPECT_EQ(read.Type, full_.Type);
    EXPECT_EQ(read.DataIoMode, 0u);
    EXPECT_EQ(read.DeliveryConf, 1u);
    EXPECT_EQ(read.DeviceName, "CAPI202");
    EXPECT_EQ(read.DosVector, 0xF3u);
    EXPECT_EQ(read.Point2Point, 1u);
    EXPECT_EQ(read.Test, 2u);
    EXPECT_EQ(read.x31Layer2, 3u);
    EXPECT_EQ(read.Manufacturer, "QZT Velmonic GmbH");
    EXPECT_EQ(read.NumberOfControllers, 2u);
    EXPECT_NE(read.MaintenanceMode, 0u);
    EXPECT_EQ(read.cipValue, 2u);
    EXPECT_EQ(read.Controller, 0u);
    EXPECT_EQ(read.username, std::string(78, 'u'));
    EXPECT_EQ(read.password, "Qzt-4711");
    EXPECT_EQ(read.CDPNCount, 1u);
    EXPECT_EQ(read.CDPN[0], "089123456780,");
    EXPECT_EQ(read.CGPNCount, 2u);
    EXPECT_EQ(read.CGPN[0], "089765432100,");
    EXPECT_EQ(read.CGPN[1], "0897654321,12");
    for (uint32_t i = 0; i < 2; ++i) {
        AdapterConfig adapter;
        SetDefaultAdapterConfig(adapter);
        ASSERT_TRUE(ReadAdapterConfig(adapter, i, OurCapiIndex(), true));
        EXPECT_EQ(adapter.Channels, adapters_[i].Channels);
        EXPECT_EQ(adapter.BaseAddress, adapters_[i].BaseAddress);
        EXPECT_EQ(adapter.Interrupt, adapters_[i].Interrupt);
        EXPECT_EQ(adapter.SPID, adapters_[i].SPID);
    }
    AdapterConfig withoutSpid;
    ASSERT_TRUE(ReadAdapterConfig(withoutSpid, 0, OurCapiIndex(), false));
    EXPECT_EQ(withoutSpid.SPID, "");
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ConfigWriteReadTest, ReadChainsStopAtTheFirstFailureWithTheirMessages) {
    struct Case {
        const char* what;
        std::function<void()> change;
        bool result;
        std::vector<std::string> messages;
        std::function<void(const DriverConfig&)> check;
    } cases[] = {
        {"no DisplayName",
         [] {
             platform::fake::FailRegistryOperation(kService, RegistryOperation::kQueryValue, 2,
                                                   "DisplayName");
         },
         false,
         {},
         [](const DriverConfig& c) { EXPECT_EQ(c.Group, "default"); }},
        {"no ErrorControl",
         [] {
             platform::fake::FailRegistryOperation(kService, RegistryOperation::kQueryValue, 2,
                                                   "ErrorControl");
         },
         false,
         {NoValueQuery("ErrorControl")},
         [](const DriverConfig& c) {
             EXPECT_EQ(c.DisplayName, "CAPI 2.0 Quorel Driver");
             EXPECT_EQ(c.Group, "default");
         }},
        {"Start stored as text",
         [] { platform::fake::SetRegistryValue(kService, "Start", kSz, Sz("2")); },
         true,
         {},
         [](const DriverConfig& c) { EXPECT_EQ(c.Start, 77u); }},
        {"no service key",
         [] { platform::fake::FailRegistryOpen(kService, 2, false); },
         false,
         {NoKey(kService)},
         [](const DriverConfig& c) { EXPECT_EQ(c.DisplayName, "default"); }},
        {"no DosVector",
         [] {
             platform::fake::FailRegistryOperation(kParameters, RegistryOperation::kQueryValue, 2,
                                                   "DosVector");
         },
         false,
         {NoValueQuery("DosVector")},
         [](const DriverConfig& c) {
             EXPECT_EQ(c.DeviceName, "default");
             EXPECT_EQ(c.x31Layer2, 3u);  // read whatever the chain did
         }},
        {"no Parameters key",
         [] { platform::fake::FailRegistryOpen(kParameters, 2, false); },
         false,
         {NoKey(kParameters)},
         [](const DriverConfig& c) { EXPECT_EQ(c.ImagePath, kSpidX31Image); }},
        {"no x31Layer2",
         [] {
             platform::fake::FailRegistryOperation(kParameters, RegistryOperation::kQueryValue, 2,
                                                   "x31Layer2");
         },
         true,
         {},
         [](const DriverConfig& c) { EXPECT_EQ(c.x31Layer2, 1u); }},
        {"DeviceName of Parameters differs",
         [] { platform::fake::SetRegistryValue(kParameters, "DeviceName", kSz, Sz("OTHER")); },
         true,
         {},
         [](const DriverConfig& c) { EXPECT_EQ(c.DeviceName, "CAPI202"); }},
        {"no Maintenance key",
         [] { platform::fake::FailRegistryOpen(kMaintenance, 2, false); },
         true,
         {},
         [](const DriverConfig& c) {
             EXPECT_EQ(c.MaintenanceMode, 0u);
             EXPECT_EQ(c.username, "default");
         }},
        {"CGPN3 missing",
         [] { platform::fake::SetRegistryValue(kMaintenance, "CGPN4", kSz, Sz("4")); },
         true,
         {},
         [](const DriverConfig& c) {
             EXPECT_EQ(c.CGPNCount, 2u);
             EXPECT_EQ(c.CGPN[2], "");
         }},
        {"no CDPN1",
         [] {
             platform::fake::FailRegistryOperation(kMaintenance, RegistryOperation::kQueryValue, 2, "CDPN1");
         },
         true,
         {},
         [](const DriverConfig& c) { EXPECT_EQ(c.CDPNCount, 0u); }},
        {"our entry gone",
         [] { platform::fake::SetRegistryValue(kEntry2, "Manufacturer", kSz, Sz("Somebody Else")); },
         false,
         {NoKey("SOFTWARE\\CAPI20\\3")},
         nullptr},
        {"no NumberOfControllers",
         [] {
             platform::fake::FailRegistryOperation(kEntry2, RegistryOperation::kQueryValue, 2,
                                                   "NumberOfControllers");
         },
         false,
         {NoValueQuery("NumberOfControllers")},
         [](const DriverConfig& c) { EXPECT_EQ(c.NumberOfControllers, 77u); }},
        {"five adapters",
         [] { platform::fake::SetRegistryValue(kEntry2, "NumberOfControllers", kDword, Dword(5)); },
         false,
         {NoValueQuery("NumberOfControllers")},
         [](const DriverConfig& c) { EXPECT_EQ(c.NumberOfControllers, 77u); }},
    };
    for (const Case& c : cases) {
        platform::fake::ResetRegistry();
        WindowsNtState();
        WriteFullConfiguration();
        c.change();
        Shown().clear();
        DriverConfig read;
        SetDefaultDriverConfig(2, ScriptMaintenance(), read);
        read.DisplayName = read.Group = read.DeviceName = read.username = "default";
        read.Start = read.NumberOfControllers = read.x31Layer2 = 77;
        EXPECT_EQ(ReadDriverConfig(Protocols(), OurCapiIndex(), read), c.result) << c.what;
        EXPECT_EQ(Messages(), c.messages) << c.what;
        if (c.check) {
            SCOPED_TRACE(c.what);
            c.check(read);
        }
    }
}

TEST_F(ConfigWriteReadTest, SilentReadFailuresNameTheirValueForTheCaller) {
    struct Case {
        std::function<void()> change;
        bool result;
        std::string unreported;  // empty: the failure was shown, or there was none
        std::vector<std::string> messages;
    } cases[] = {
        {[] {
             platform::fake::FailRegistryOperation(kService, RegistryOperation::kQueryValue, 2,
                                                   "DisplayName");
         },
         false,
         "DisplayName",
         {}},
        {[] { platform::fake::SetRegistryValue(kService, "Group", kDword, Dword(1)); }, false, "Group", {}},
        {[] {
             platform::fake::SetRegistryValue(kService, "ImagePath", kExpandSz, Sz(std::string(260, 'i')));
         },
         false,
         "ImagePath",
         {}},
        {[] { platform::fake::SetRegistryValue(kParameters, "DeviceName", kSz, Sz(std::string(16, 'd'))); },
         false,
         "DeviceName",
         {}},
        {[] { platform::fake::SetRegistryValue(kEntry2, "DeviceName", kDword, Dword(1)); },
         false,
         "DeviceName",
         {}},
        {[] { platform::fake::FailRegistryOperation(kService, RegistryOperation::kQueryValue, 2, "Start"); },
         false,
         "",
         {NoValueQuery("Start")}},
        {[] { platform::fake::FailRegistryOpen(kParameters, 2, false); }, false, "", {NoKey(kParameters)}},
        // The maintenance values never fail the read.
        {[] { platform::fake::SetRegistryValue(kMaintenance, "username", kDword, Dword(1)); }, true, "", {}},
    };
    for (const Case& c : cases) {
        platform::fake::ResetRegistry();
        WindowsNtState();
        WriteFullConfiguration();
        c.change();
        Shown().clear();
        DriverConfig read;
        SetDefaultDriverConfig(2, ScriptMaintenance(), read);
        std::string unreported;
        EXPECT_EQ(ReadDriverConfig(Protocols(), OurCapiIndex(), read, &unreported), c.result) << c.unreported;
        EXPECT_EQ(unreported, c.unreported);
        EXPECT_EQ(Messages(), c.messages) << c.unreported;
    }
}

TEST_F(ConfigWriteReadTest, EmptyMaintenanceKeyMeansMaintenanceOnWithNothingHeld) {
    WriteFullConfiguration();
    ASSERT_EQ(platform::registry::DeleteKey(kMaintenance), platform::registry::kSuccess);
    platform::fake::AddRegistryKey(kMaintenance);
    Shown().clear();
    DriverConfig read;
    SetDefaultDriverConfig(2, ScriptMaintenance(), read);
    EXPECT_TRUE(ReadDriverConfig(Protocols(), OurCapiIndex(), read));
    EXPECT_NE(read.MaintenanceMode, 0u);
    EXPECT_EQ(read.CDPNCount, 0u);
    EXPECT_EQ(read.CGPNCount, 0u);
    EXPECT_EQ(Messages(), (std::vector<std::string>{NoValueQuery("cipValue"), NoValueQuery("Controller")}));

    Script({"[MAINTENANCE]", "!MAINTENANCE_DEFAULT_INVISIBLE", "0", "0", "", "", "0", "0"});
    SetDefaultDriverConfig(2, ScriptMaintenance(), read);
    ASSERT_EQ(read.MaintenanceMode, 3u);
    ReadDriverConfig(Protocols(), OurCapiIndex(), read);
    EXPECT_EQ(read.MaintenanceMode, 3u);  // a mode the defaults set is kept while the key exists
}

TEST_F(ConfigWriteReadTest, AdapterReadsStopAtTheirFirstFailure) {
    WriteFullConfiguration();
    struct Case {
        std::function<void()> change;
        std::vector<std::string> messages;
        uint32_t interrupt;
        uint32_t channels;
    } cases[] = {
        {[] { platform::fake::FailRegistryOpen(kAdapter02, 2, false); }, {NoKey(kAdapter02)}, 99, 99},
        {[] {
             platform::fake::FailRegistryOperation(kAdapter02, RegistryOperation::kQueryValue, 2,
                                                   "BaseAddress");
         },
         {NoValueQuery("BaseAddress")},
         99,
         99},
        {[] { platform::fake::FailRegistryOperation(kAdapter02, RegistryOperation::kQueryValue, 2, "SPID"); },
         {},
         10,
         99},
        {[] { platform::fake::FailRegistryOpen(kEntry2 + "\\2", 2, false); },
         {NoKey(kEntry2 + "\\2")},
         10,
         99},
        {[] {
             platform::fake::FailRegistryOperation(kEntry2 + "\\2", RegistryOperation::kQueryValue, 2,
                                                   "Channels");
         },
         {NoValueQuery("Channels")},
         10,
         99},
    };
    for (const Case& c : cases) {
        platform::fake::ResetRegistry();
        WindowsNtState();
        WriteFullConfiguration();
        c.change();
        Shown().clear();
        AdapterConfig adapter = {99, 99, 99, ""};
        EXPECT_FALSE(ReadAdapterConfig(adapter, 1, OurCapiIndex(), true));
        EXPECT_EQ(Messages(), c.messages);
        EXPECT_EQ(adapter.Interrupt, c.interrupt);
        EXPECT_EQ(adapter.Channels, c.channels);
    }
}

}  // namespace
