#include <gtest/gtest.h>

#include <functional>

#include "config_store_fixture.h"
#include "configstore/capi_index.h"
#include "configstore/config_reports.h"
#include "configstore/config_writer.h"
#include "configstore/driver_config.h"
#include "configstore/registry_values.h"

namespace {

using namespace config_test;
using platform::fake::RegistryOperation;
namespace registry = platform::registry;

class DriverConfigTest : public ConfigStoreFixture {};

// Ours, followed by blanks and more, longer than the 259 characters the search reads.
const std::string kOverlongManufacturer = std::string("QZT Velmonic GmbH") + std::string(250, ' ') + "x";

// A record with something in every field, so that a default that is not set shows.
DriverConfig Scribbled() {
    DriverConfig config;
    config.DisplayName = config.Group = config.ImagePath = config.DeviceName = config.Manufacturer = "old";
    config.username = config.password = config.CDPN[0] = "old";
    config.CGPN.fill("old");
    config.ErrorControl = config.Start = config.Type = config.DataIoMode = config.DeliveryConf = 77;
    config.DosVector = config.Point2Point = config.Test = config.x31Layer2 = config.NumberOfControllers = 77;
    config.MaintenanceMode = config.cipValue = config.Controller = config.CDPNCount = config.CGPNCount = 77;
    return config;
}

TEST_F(DriverConfigTest, DefaultsFillEveryFieldAndNameTheDeviceAfterTheIndex) {
    DriverConfig config = Scribbled();
    SetDefaultDriverConfig(3, ScriptMaintenance(), config);
    EXPECT_EQ(config.DisplayName, "CAPI 2.0 Quorel Driver");
    EXPECT_EQ(config.ErrorControl, 1u);
    EXPECT_EQ(config.Group, "CAPI20");
    EXPECT_EQ(config.ImagePath, "\\SystemRoot\\System32\\drivers\\kxbus.sys");
    EXPECT_EQ(config.Start, 1u);
    EXPECT_EQ(config.Type, 1u);
    EXPECT_EQ(config.DataIoMode, 1u);
    EXPECT_EQ(config.DeliveryConf, 0u);
    EXPECT_EQ(config.DeviceName, "CAPI203");
    EXPECT_EQ(config.DosVector, 241u);
    EXPECT_EQ(config.Point2Point, 0u);
    EXPECT_EQ(config.Test, 0u);
    EXPECT_EQ(config.x31Layer2, 1u);
    EXPECT_EQ(config.Manufacturer, "QZT Velmonic GmbH");
    EXPECT_EQ(config.NumberOfControllers, 1u);
    EXPECT_EQ(config.MaintenanceMode, 0u);
    EXPECT_EQ(config.cipValue, 0u);
    EXPECT_EQ(config.Controller, 0u);
    EXPECT_EQ(config.username, "");
    EXPECT_EQ(config.password, "");
    EXPECT_EQ(config.CDPNCount, 1u);
    EXPECT_EQ(config.CDPN[0], "");
    EXPECT_EQ(config.CGPNCount, 1u);
    for (const std::string& number : config.CGPN) EXPECT_EQ(number, "");

    SetDefaultDriverConfig(12, ScriptMaintenance(), config);
    EXPECT_EQ(config.DeviceName, "CAPI2012");

    AdapterConfig adapter = {9, 9, 9, "old"};
    SetDefaultAdapterConfig(adapter);
    EXPECT_EQ(adapter.Channels, 2u);
    EXPECT_EQ(adapter.BaseAddress, 0x260u);
    EXPECT_EQ(adapter.Interrupt, 3u);
    EXPECT_EQ(adapter.SPID, "");
}

TEST_F(DriverConfigTest, MaintenanceDefaultsComeFromTheScriptUnlessItSaysOff) {
    const std::vector<std::string> section = {"7", "2", "admin", "secret", "1", "0301234", "2", "111", "222"};
    struct Case {
        std::vector<std::string> lines;
        uint32_t mode;
    } cases[] = {
        {{}, 0},
        {{"[MAINTENANCE]", "!MAINTENANCE_OFF"}, 0},
        {{"[MAINTENANCE]", "!MAINTENANCE_DEFAULT"}, 2},
        {{"[MAINTENANCE]", "!MAINTENANCE_FULL"}, 1},
        {{"[MAINTENANCE]", "!MAINTENANCE_DEFAULT_INVISIBLE"}, 3},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = c.lines;
        if (c.mode)
            lines.insert(lines.end(), section.begin(), section.end());
        Script(lines);
        DriverConfig config;
        SetDefaultDriverConfig(1, ScriptMaintenance(), config);
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(config.MaintenanceMode, c.mode);
        if (c.mode == 0) {
            EXPECT_EQ(config.Controller, 0u);
            EXPECT_EQ(config.cipValue, 0u);
            EXPECT_EQ(config.username, "");
            EXPECT_EQ(config.CGPNCount, 1u);
            EXPECT_EQ(config.CGPN[0], "");
        } else {
            EXPECT_EQ(config.Controller, 0xFFFFu);  // the section's 2 is for the dialog only
            EXPECT_EQ(config.cipValue, 7u);
            EXPECT_EQ(config.username, "admin");
            EXPECT_EQ(config.password, "secret");
            EXPECT_EQ(config.CDPNCount, 1u);
            EXPECT_EQ(config.CDPN[0], "0301234");
            EXPECT_EQ(config.CGPNCount, 2u);
            EXPECT_EQ(config.CGPN[0], "111");
            EXPECT_EQ(config.CGPN[1], "222");
            EXPECT_EQ(config.CGPN[2], "");
        }
    }
    std::remove(PathOf("SETUP.QZT").c_str());
    DriverConfig config;
    SetDefaultDriverConfig(1, ScriptMaintenance(), config);
    EXPECT_EQ(config.MaintenanceMode, 0u);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(DriverConfigTest, ReadDwordValueTakesFourByteNumbersAndPassesOverTexts) {
    const std::string key = "K";
    platform::fake::SetRegistryValue(key, "Dword", kDword, Dword(0x12345678));
    platform::fake::SetRegistryValue(key, "Binary", platform::registry::kTypeBinary, Dword(5));
    platform::fake::SetRegistryValue(key, "Text", kSz, Sz("42"));
    platform::fake::SetRegistryValue(key, "Expand", kExpandSz, Sz("42"));
    platform::fake::SetRegistryValue(key, "Multi", kMultiSz, std::string("42\0\0", 4));
    platform::fake::SetRegistryValue(key, "Wide", platform::registry::kTypeBinary, Dword(1) + Dword(2));
    platform::fake::SetRegistryValue(key, "Short", kDword, "\1\2");
    platform::fake::SetRegistryValue(key, "Denied", kDword, Dword(1));
    platform::fake::FailRegistryOperation(key, RegistryOperation::kQueryValue, 5, "Denied");
    struct Case {
        const char* name;
        bool result;
        uint32_t value;  // the field starts at 99
    } cases[] = {
        {"Dword", true, 0x12345678}, {"Binary", true, 5},    {"Text", true, 99},
        {"Expand", true, 99},        {"Multi", true, 99},    {"Wide", false, 99},
        {"Short", false, 99},        {"Missing", false, 99}, {"Denied", false, 99},
    };
    registry::Key open;
    ASSERT_EQ(registry::OpenKey(key, false, open.Put()), registry::kSuccess);
    for (const Case& c : cases) {
        for (bool report : {false, true}) {
            Shown().clear();
            uint32_t field = 99;
            EXPECT_EQ(ReadDwordValue(open.Get(), &field, c.name, report), c.result) << c.name;
            EXPECT_EQ(field, c.value) << c.name;
            std::vector<std::string> expected;
            if (report && !c.result)
                expected = {"The registry value " + std::string(c.name) + " cannot be read."};
            EXPECT_EQ(Messages(), expected) << c.name;
        }
    }
}

TEST_F(DriverConfigTest, ReadStringValueTakesWholeTextsThatFitOnlyAndNeverReports) {
    const std::string key = "K";
    platform::fake::SetRegistryValue(key, "Fits", kSz, Sz(std::string(15, 'a')));
    platform::fake::SetRegistryValue(key, "TooLong", kSz, Sz(std::string(16, 'b')));
    platform::fake::SetRegistryValue(key, "Unterminated", kSz, std::string(15, 'c'));
    platform::fake::SetRegistryValue(key, "FullUnterminated", kSz, std::string(16, 'd'));
    platform::fake::SetRegistryValue(key, "Expand", kExpandSz, Sz("%SystemRoot%"));
    platform::fake::SetRegistryValue(key, "Empty", kSz, Sz(""));
    platform::fake::SetRegistryValue(key, "Number", kDword, Dword(0x41414141));
    struct Case {
        const char* name;
        bool result;
        std::string text;
    } cases[] = {
        {"Fits", true, std::string(15, 'a')},
        {"TooLong", false, ""},  // never cut: a later write would shorten the stored text
        {"Unterminated", true, std::string(15, 'c')},
        {"FullUnterminated", false, ""},
        {"Expand", true, "%SystemRoot%"},
        {"Empty", true, ""},
        {"Number", false, ""},
        {"Missing", false, ""},
    };
    registry::Key open;
    ASSERT_EQ(registry::OpenKey(key, false, open.Put()), registry::kSuccess);
    for (const Case& c : cases) {
        std::string field = "previous";
        EXPECT_EQ(ReadStringValue(open.Get(), &field, c.name, 16), c.result) << c.name;
        EXPECT_EQ(field, c.text) << c.name;
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(DriverConfigTest, ValueListWritesEveryItemWholeAndGoesOnAfterAFailure) {
    const std::string longText(200, 'x');  // wider than a list item's 64 bytes of old
    registry::Key key;
    ASSERT_EQ(registry::CreateKey("K", "", key.Put()), registry::kSuccess);
    EXPECT_TRUE(WriteValueList(
        key.Get(), {TextItem("A", longText), NumberItem("B", 7), TextItem("C", "%SystemRoot%", kExpandSz)}));
    EXPECT_EQ(platform::fake::RegistryValues("K"),
              (Values{TextValue("A", longText), NumberValue("B", 7), {"C", kExpandSz, Sz("%SystemRoot%")}}));

    platform::fake::FailRegistryOperation("L", RegistryOperation::kSetValue, 5, "Second");
    registry::Key other;
    ASSERT_EQ(registry::CreateKey("L", "", other.Put()), registry::kSuccess);
    EXPECT_FALSE(WriteValueList(other.Get(),
                                {NumberItem("First", 1), NumberItem("Second", 2), NumberItem("Third", 3)}));
    EXPECT_EQ(platform::fake::RegistryValues("L"),
              (Values{NumberValue("First", 1), NumberValue("Third", 3)}));

    EXPECT_TRUE(WriteDwordValue(other.Get(), 0xF1, "Vector"));
    EXPECT_EQ(platform::fake::RegistryValues("L").back(), NumberValue("Vector", 0xF1));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(DriverConfigTest, ReportersShowTheirTextWithTheArgumentsInTheMessageDialog) {
    struct Case {
        std::function<void()> report;
        std::string text;
    } cases[] = {
        {[] { ReportNoKey("SOFTWARE\\CAPI20\\2"); },
         "The registry key SOFTWARE\\CAPI20\\2 cannot be opened or created."},
        {[] { ReportNoKeyModify("SOFTWARE\\CAPI20\\2"); },
         "The values of the registry key SOFTWARE\\CAPI20\\2 cannot be written."},
        {[] { ReportNoValueModify("SYSTEM\\Order", "List"); },
         "The registry key SYSTEM\\Order cannot be changed: its value List cannot be read."},
        {[] { ReportNoValueQuery("ErrorControl"); }, "The registry value ErrorControl cannot be read."},
        {[] { ReportNoAutoexec("C:\\WINNT\\system32\\AutoExec.NT"); },
         "The file C:\\WINNT\\system32\\AutoExec.NT cannot be opened. The CAPI loader for DOS applications "
         "has not been "
         "entered."},
        // A path holding a percent sign is an argument, never a format.
        {[] { ReportNoKey("A%sB%n"); }, "The registry key A%sB%n cannot be opened or created."},
    };
    for (const Case& c : cases) {
        Shown().clear();
        c.report();
        ASSERT_EQ(Shown().size(), 1u);
        EXPECT_EQ(Shown()[0].kind, "NoticeDialog");
        EXPECT_EQ(Shown()[0].caption, "Quorel ISDN Setup");
        EXPECT_EQ(Shown()[0].text, c.text);
    }
}

TEST_F(DriverConfigTest, FindCapiIndexFindsOurEntryOrTheNumberAboveTheOthers) {
    struct Entry {
        const char* name;
        const char* manufacturer;  // nullptr: no Manufacturer value
        bool opens;
    };
    struct Case {
        const char* what;
        bool tree;
        std::vector<Entry> entries;
        uint32_t index;
        bool found;
    } cases[] = {
        {"no tree", false, {}, 1, false},
        {"empty tree", true, {}, 1, false},
        {"ours after another",
         true,
         {{"1", "Other Maker AG", true}, {"2", "QZT Velmonic GmbH", true}},
         2,
         true},
        {"two others with a gap",
         true,
         {{"1", "Other Maker AG", true}, {"3", "Another One", true}},
         4,
         false},
        {"case ignored", true, {{"1", "qzt velmonic gmbh", true}}, 1, true},
        {"ours alone at 5", true, {{"5", "QZT Velmonic GmbH", true}}, 5, true},
        {"numeric order, not name order", true, {{"10", "Other", true}, {"9", "Other", true}}, 11, false},
        {"first of two of ours",
         true,
         {{"4", "QZT Velmonic GmbH", true}, {"2", "QZT Velmonic GmbH", true}},
         2,
         true},
        {"no manufacturer value", true, {{"1", nullptr, true}}, 2, false},
        {"names that are not numbers end the search",
         true,
         {{"1", "Other", true}, {"Foo", "QZT Velmonic GmbH", true}},
         2,
         false},
        {"leading zero or zero are no entries",
         true,
         {{"01", "QZT Velmonic GmbH", true}, {"0", "QZT Velmonic GmbH", true}},
         1,
         false},
        // It may be ours: a new entry beside it would give the driver two.
        {"an entry that cannot be opened leaves the number unknown",
         true,
         {{"1", "Other", true}, {"2", "QZT Velmonic GmbH", false}},
         0,
         false},
        {"an entry without a manufacturer is another's", true, {{"1", nullptr, true}}, 2, false},
        {"ours behind one that cannot be opened",
         true,
         {{"1", "Other", false}, {"2", "QZT Velmonic GmbH", true}},
         2,
         true},
        {"manufacturer longer than read", true, {{"1", kOverlongManufacturer.c_str(), true}}, 2, false},
    };
    for (const Case& c : cases) {
        platform::fake::ResetRegistry();
        if (c.tree)
            platform::fake::AddRegistryKey("SOFTWARE\\CAPI20");
        for (const Entry& entry : c.entries) {
            std::string path = std::string("SOFTWARE\\CAPI20\\") + entry.name;
            platform::fake::AddRegistryKey(path);
            if (entry.manufacturer)
                platform::fake::SetRegistryValue(path, "Manufacturer", kSz, Sz(entry.manufacturer));
            if (!entry.opens)
                platform::fake::FailRegistryOpen(path, 5, false);
        }
        bool found = !c.found;
        EXPECT_EQ(FindCapiIndex(&found), c.index) << c.what;
        EXPECT_EQ(found, c.found) << c.what;
        EXPECT_EQ(platform::fake::OpenRegistryKeys(), 0u) << c.what;
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(DriverConfigTest, TreeThatCannotBeReadThroughGivesNoNumberAndNothingIsWrittenOverTheOthers) {
    const platform::fake::RegistryOperation failures[] = {platform::fake::RegistryOperation::kOpenRead,
                                                          platform::fake::RegistryOperation::kEnumSubKeys};
    for (auto failure : failures) {
        platform::fake::ResetRegistry();
        OtherMakersEntry(1);
        platform::fake::FailRegistryOperation("SOFTWARE\\CAPI20", failure, 5);
        bool found = true;
        EXPECT_EQ(FindCapiIndex(&found), kCapiIndexUnknown);
        EXPECT_FALSE(found);
        EXPECT_TRUE(Shown().empty());

        DriverConfig config;
        SetDefaultDriverConfig(FindCapiIndex(&found), ScriptMaintenance(), config);
        EXPECT_FALSE(WriteDriverConfig(Protocols(), FindCapiIndex(&found), config));
        EXPECT_EQ(platform::fake::RegistryValues(CapiEntryPath(1)),
                  (Values{TextValue("Manufacturer", "Other Maker AG")}));
        EXPECT_EQ(platform::fake::RegistrySubKeys("SOFTWARE\\CAPI20"), std::vector<std::string>{"1"});
        EXPECT_EQ(Messages(),
                  std::vector<std::string>{"The registry key SOFTWARE\\CAPI20 cannot be opened or created."});
        Shown().clear();
    }
}

TEST_F(DriverConfigTest, OtherMakersEntriesAreCountedBesideOurs) {
    struct Case {
        const char* what;
        std::vector<uint32_t> others;
        std::vector<uint32_t> ours;
        bool unreadable;
        bool expected;  // the same whatever an unreadable tree is taken for, unless the tree is unreadable
    } cases[] = {
        {"no tree", {}, {}, false, false},
        {"another maker's entry on a first installation", {1}, {}, false, true},
        {"ours alone", {}, {1}, false, false},
        {"ours beside another maker's", {1}, {2}, false, true},
        {"ours before another maker's", {2}, {1}, false, true},
        {"a tree whose subkeys cannot be counted", {}, {1}, true, false},
    };
    for (const Case& c : cases) {
        for (UnreadableCapiTree unreadable :
             {UnreadableCapiTree::kHoldsNoOther, UnreadableCapiTree::kHoldsAnother}) {
            platform::fake::ResetRegistry();
            for (uint32_t n : c.others) OtherMakersEntry(n);
            for (uint32_t n : c.ours) OurEntry(n);
            bool found = false;
            FindCapiIndex(&found);
            if (c.unreadable)
                platform::fake::FailRegistryOperation("SOFTWARE\\CAPI20", RegistryOperation::kCountSubKeys,
                                                      5);
            bool takenAsAnother = unreadable == UnreadableCapiTree::kHoldsAnother;
            EXPECT_EQ(HasOtherCapiDriver(found, unreadable), c.unreadable ? takenAsAnother : c.expected)
                << c.what << ", unreadable taken as holding another: " << takenAsAnother;
        }
    }
    EXPECT_TRUE(Shown().empty());
}

}  // namespace
