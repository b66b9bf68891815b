#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "config_store_fixture.h"
#include "configstore/config_writer.h"
#include "configstore/integrity_backup.h"
#include "deinstall/registry_cleanup.h"
#include "configstore/removal_log.h"
#include "deinstall/removal_logging.h"

// The driver's registry entries, AUTOEXEC.NT block and service group taken out again at removal.
namespace {

using namespace config_test;
using platform::fake::RegistryKeyExists;
using platform::fake::RegistryOperation;
using platform::fake::RegistrySubKeys;
using platform::fake::RegistryValues;
using Keys = std::vector<std::string>;

const std::string kService = "SYSTEM\\CurrentControlSet\\Services\\Quorel";
const std::string kParameters = kService + "\\Parameters";
const std::string kIntegrity = kParameters + "\\QZTQuorelSetupIntegrityCheck";
const std::string kGroupOrder = "SYSTEM\\CurrentControlSet\\Control\\ServiceGroupOrder";
const std::string kLogHeader =
    "QZT Quorel Setup --- *** DON'T TOUCH THIS FILE!!!***\r\nDeleted Objects:\r\n\r\n";

void RemoveValue(const std::string& path, const std::string& name) {
    platform::registry::Key key;
    ASSERT_EQ(platform::registry::OpenKey(path, true, key.Put()), 0);
    ASSERT_EQ(platform::registry::DeleteValue(key.Get(), name), 0);
}

class RegistryCleanupTest : public ConfigStoreFixture {
  protected:
    void SetUp() override {
        ConfigStoreFixture::SetUp();
        WindowsNtState();
        stockAutoexec_ = ReadFile("system32/AutoExec.NT");
        stockList_ = List();
    }

    // Our driver as entry n with its adapters, remote maintenance, the integrity key and the Enum key that
    // Windows NT adds to a started service.
    void Install(uint32_t n, uint32_t adapters) {
        DriverConfig config;
        SetDefaultDriverConfig(n, ScriptMaintenance(), config);
        config.NumberOfControllers = adapters;
        config.MaintenanceMode = 1;
        ASSERT_TRUE(WriteDriverConfig(Protocols(), n, config));
        for (uint32_t i = 0; i < adapters; ++i) ASSERT_TRUE(WriteAdapterConfig({2, 0x260, 3, ""}, i, 0));
        WriteStoredScriptVersion(210);
        platform::fake::AddRegistryKey(kService + "\\Enum");
        ASSERT_TRUE(RegistryKeyExists(kService + "\\Parameters\\Maintenance"));
        Shown().clear();
    }

    // An empty registry and no removal log, for the next case of a table.
    void Fresh() {
        platform::fake::ResetRegistry();
        std::filesystem::remove(PathOf("removed.qzt"));
        Shown().clear();
    }

    RegistryValue List() {
        for (const auto& value : RegistryValues(kGroupOrder))
            if (value.name == "List")
                return value;
        return {"", 0, ""};
    }

    // The objects the removal log holds, in order.
    Keys Logged() {
        std::string log = ReadFile("removed.qzt");
        if (log.compare(0, kLogHeader.size(), kLogHeader) != 0)
            return {"<no log>"};
        Keys lines;
        for (size_t start = kLogHeader.size(); start < log.size();) {
            size_t end = log.find("\r\n", start);
            lines.push_back(log.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    std::string KeyNotFound(const std::string& key) {
        return "The registry key " + key + " cannot be found.";
    }
    std::string NoRemoveKey(const std::string& key) {
        return "The registry key " + key + " cannot be deleted.";
    }

    std::string stockAutoexec_;
    RegistryValue stockList_;
};

TEST_F(RegistryCleanupTest, KeysGoLeafFirstInTheFixedOrderEachLogged) {
    struct Case {
        uint32_t n;
        uint32_t adapters;
        Keys logged;
    } cases[] = {
        {1,
         1,
         {"SOFTWARE\\CAPI20\\1\\1", "SOFTWARE\\CAPI20\\1", kParameters + "\\Adapter01", kIntegrity,
          kParameters, kService}},
        {3,
         3,
         {"SOFTWARE\\CAPI20\\3\\1", "SOFTWARE\\CAPI20\\3\\2", "SOFTWARE\\CAPI20\\3\\3", "SOFTWARE\\CAPI20\\3",
          kParameters + "\\Adapter01", kParameters + "\\Adapter02", kParameters + "\\Adapter03", kIntegrity,
          kParameters, kService}},
    };
    for (const Case& c : cases) {
        Fresh();
        WindowsNtState();
        Install(c.n, c.adapters);
        EXPECT_TRUE(DriverRegistryPresent());
        EXPECT_TRUE(RemoveDriverRegistry(Dir())) << c.adapters;
        EXPECT_EQ(Logged(), c.logged) << c.adapters;
        EXPECT_FALSE(RegistryKeyExists("SOFTWARE\\CAPI20")) << c.adapters;
        EXPECT_EQ(RegistrySubKeys("SYSTEM\\CurrentControlSet\\Services"), Keys{}) << c.adapters;
        EXPECT_FALSE(DriverRegistryPresent());
        EXPECT_EQ(platform::fake::OpenRegistryKeys(), 0u);
        EXPECT_TRUE(Shown().empty());
    }
}

TEST_F(RegistryCleanupTest, AutoexecAndGroupListComeBackByteForByte) {
    struct Case {
        const char* what;
        std::string autoexec;
        Keys groups;
        Keys groupsAfter;
    } cases[] = {
        {"stock files", stockAutoexec_, SplitGroupList(stockList_.data), SplitGroupList(stockList_.data)},
        {"AUTOEXEC.NT without final line end",
         "@echo off\r\nSET BLASTER=A220",
         {"NDIS", "TDI"},
         {"NDIS", "TDI"}},
        {"group list holding CAPI20 after NDIS: none stays", "@echo off\r\n", {"NDIS", "CAPI20"}, {"NDIS"}},
    };
    for (const Case& c : cases) {
        Fresh();
        platform::fake::SetRegistryValue(kGroupOrder, "List", kMultiSz, JoinGroupList(c.groups));
        WriteFile("system32/AutoExec.NT", c.autoexec);
        Install(1, 1);
        ASSERT_NE(ReadFile("system32/AutoExec.NT"), c.autoexec) << c.what;
        ASSERT_NE(List().data, JoinGroupList(c.groups)) << c.what;
        EXPECT_TRUE(RemoveDriverRegistry(Dir())) << c.what;
        EXPECT_EQ(ReadFile("system32/AutoExec.NT"), c.autoexec) << c.what;
        EXPECT_EQ(List(), (RegistryValue{"List", kMultiSz, JoinGroupList(c.groupsAfter)})) << c.what;
        EXPECT_TRUE(Shown().empty());
    }
}

TEST_F(RegistryCleanupTest, AnotherMakersDriverKeepsTheTreeTheGroupAndItsEntry) {
    struct Case {
        uint32_t other;
        uint32_t ours;
    } cases[] = {{1, 2}, {3, 1}};
    for (const Case& c : cases) {
        Fresh();
        WindowsNtState();
        OtherMakersEntry(c.other);
        const std::string other = CapiEntryPath(c.other);
        platform::fake::SetRegistryValue(other, "NumberOfControllers", kDword, Dword(2));
        platform::fake::SetRegistryValue(other + "\\1", "Channels", kDword, Dword(30));
        platform::fake::SetRegistryValue(other + "\\2", "Channels", kDword, Dword(2));
        const Values entry = RegistryValues(other), first = RegistryValues(other + "\\1"),
                     second = RegistryValues(other + "\\2");
        Install(c.ours, 2);
        const RegistryValue installedList = List();

        EXPECT_TRUE(RemoveDriverRegistry(Dir())) << c.ours;
        EXPECT_EQ(RegistrySubKeys("SOFTWARE\\CAPI20"), Keys{std::to_string(c.other)});
        EXPECT_EQ(RegistryValues(other), entry);
        EXPECT_EQ(RegistrySubKeys(other), (Keys{"1", "2"}));
        EXPECT_EQ(RegistryValues(other + "\\1"), first);
        EXPECT_EQ(RegistryValues(other + "\\2"), second);
        EXPECT_EQ(List(), installedList) << "the other driver's group stays";
        EXPECT_EQ(ReadFile("system32/AutoExec.NT"), stockAutoexec_);
        EXPECT_FALSE(RegistryKeyExists(kService));
        EXPECT_TRUE(Shown().empty());
    }
}

TEST_F(RegistryCleanupTest, TreeThatCannotBeCountedKeepsTheGroup) {
    Install(1, 1);
    const RegistryValue installedList = List();
    platform::fake::FailRegistryOperation("SOFTWARE\\CAPI20", RegistryOperation::kCountSubKeys, 5);
    EXPECT_TRUE(RemoveDriverRegistry(Dir()));
    EXPECT_EQ(List(), installedList);
    EXPECT_FALSE(RegistryKeyExists(kService));
}

TEST_F(RegistryCleanupTest, FailingStepStopsTheCleanUpThereAndKeepsWhatFollows) {
    struct Case {
        const char* what;
        std::string key;
        RegistryOperation operation;
        std::string message;
        Keys logged;     // deleted before the failure
        Keys remaining;  // still there after it
    } cases[] = {
        {"channel key cannot be deleted",
         "SOFTWARE\\CAPI20\\1\\1",
         RegistryOperation::kDeleteKey,
         NoRemoveKey("SOFTWARE\\CAPI20\\1\\1"),
         {},
         {"SOFTWARE\\CAPI20\\1\\1", kParameters + "\\Adapter01", kService}},
        {"entry cannot be deleted",
         "SOFTWARE\\CAPI20\\1",
         RegistryOperation::kDeleteKey,
         NoRemoveKey("SOFTWARE\\CAPI20\\1"),
         {"SOFTWARE\\CAPI20\\1\\1"},
         {"SOFTWARE\\CAPI20\\1", kParameters + "\\Adapter01", kService}},
        {"adapter key cannot be opened",
         kParameters + "\\Adapter01",
         RegistryOperation::kOpenRead,
         KeyNotFound(kParameters + "\\Adapter01"),
         {"SOFTWARE\\CAPI20\\1\\1", "SOFTWARE\\CAPI20\\1"},
         {kParameters + "\\Adapter01", kIntegrity, kService}},
        {"integrity key cannot be deleted",
         kIntegrity,
         RegistryOperation::kDeleteKey,
         NoRemoveKey(kIntegrity),
         {"SOFTWARE\\CAPI20\\1\\1", "SOFTWARE\\CAPI20\\1", kParameters + "\\Adapter01"},
         {kIntegrity, kParameters + "\\Maintenance", kService}},
        {"service key cannot be deleted",
         kService,
         RegistryOperation::kDeleteKey,
         NoRemoveKey(kService),
         {"SOFTWARE\\CAPI20\\1\\1", "SOFTWARE\\CAPI20\\1", kParameters + "\\Adapter01", kIntegrity,
          kParameters},
         {kService}},
    };
    for (const Case& c : cases) {
        Fresh();
        WindowsNtState();
        Install(1, 1);
        platform::fake::FailRegistryOperation(c.key, c.operation, platform::registry::kAccessDenied);
        EXPECT_FALSE(RemoveDriverRegistry(Dir())) << c.what;
        EXPECT_EQ(Messages(), Keys{c.message}) << c.what;
        EXPECT_EQ(c.logged.empty() ? Keys{"<no log>"} : c.logged, Logged()) << c.what;
        for (const std::string& key : c.remaining)
            EXPECT_TRUE(RegistryKeyExists(key)) << c.what << ": " << key;
        EXPECT_EQ(platform::fake::OpenRegistryKeys(), 0u);
    }
}

TEST_F(RegistryCleanupTest, AutoexecOrGroupListFailureRemovesNoKey) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::string message;
    } cases[] = {
        {"missing AUTOEXEC.NT", [this] { std::filesystem::remove(PathOf("system32/AutoExec.NT")); },
         "The file " + Dir() + "\\system32\\AutoExec.NT" +
             " cannot be opened. The CAPI loader for DOS applications has not been entered."},
        {"group list that cannot be written",
         [] { platform::fake::FailRegistryOperation(kGroupOrder, RegistryOperation::kSetValue, 5); },
         "The registry key " + kGroupOrder + " cannot be changed: its value List cannot be read."},
    };
    for (const Case& c : cases) {
        Fresh();
        WindowsNtState();
        Install(1, 1);
        c.arrange();
        EXPECT_FALSE(RemoveDriverRegistry(Dir())) << c.what;
        EXPECT_EQ(Messages(), Keys{c.message}) << c.what;
        EXPECT_TRUE(RegistryKeyExists("SOFTWARE\\CAPI20\\1\\1")) << c.what;
        EXPECT_FALSE(Exists("removed.qzt")) << c.what;
    }
}

// The removal reads of the configuration only the adapter count: a value it does not need may be missing,
// and one it needs that cannot be read is named, and the keys that are there still go.
TEST_F(RegistryCleanupTest, UnreadableConfigurationValuesKeepNoKeyFromGoing) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        Keys messages;
    } cases[] = {
        {"service key without DisplayName", [] { RemoveValue(kService, "DisplayName"); }, {}},
        {"adapter count missing",
         [] { RemoveValue("SOFTWARE\\CAPI20\\1", "NumberOfControllers"); },
         {NoValueQuery("NumberOfControllers")}},
        {"adapter count out of range",
         [] {
             platform::fake::SetRegistryValue("SOFTWARE\\CAPI20\\1", "NumberOfControllers",
                                              platform::registry::kTypeDword, std::string("\x09\0\0\0", 4));
         },
         {NoValueQuery("NumberOfControllers")}},
    };
    for (const Case& c : cases) {
        Fresh();
        WindowsNtState();
        Install(1, 2);
        c.arrange();
        EXPECT_TRUE(RemoveDriverRegistry(Dir())) << c.what;
        EXPECT_EQ(Messages(), c.messages) << c.what;
        EXPECT_FALSE(RegistryKeyExists(kService)) << c.what;
        EXPECT_FALSE(RegistryKeyExists("SOFTWARE\\CAPI20")) << c.what;
    }
}

TEST_F(RegistryCleanupTest, SecondRunAfterAnInterruptedOneFinishesWithoutMessages) {
    // A subkey that somebody else put below one of our keys stops the first run at that key.
    struct Case {
        const char* what;
        std::string blocked;
        Keys firstRun;
        Keys bothRuns;
    } cases[] = {
        {"stopped at our CAPI 2.0 entry: its logged channel key is gone and passed over",
         "SOFTWARE\\CAPI20\\1",
         {"SOFTWARE\\CAPI20\\1\\1"},
         {"SOFTWARE\\CAPI20\\1\\1", "SOFTWARE\\CAPI20\\1\\1", "SOFTWARE\\CAPI20\\1",
          kParameters + "\\Adapter01", kIntegrity, kParameters, kService}},
        {"stopped below Parameters: our CAPI 2.0 entry is gone, the service keys still go",
         kParameters + "\\Adapter01",
         {"SOFTWARE\\CAPI20\\1\\1", "SOFTWARE\\CAPI20\\1"},
         {"SOFTWARE\\CAPI20\\1\\1", "SOFTWARE\\CAPI20\\1", kParameters + "\\Adapter01", kIntegrity,
          kParameters, kService}},
    };
    for (const Case& c : cases) {
        Fresh();
        WindowsNtState();
        Install(1, 1);
        platform::fake::AddRegistryKey(c.blocked + "\\Foreign");
        EXPECT_FALSE(RemoveDriverRegistry(Dir())) << c.what;
        EXPECT_EQ(Messages(), Keys{NoRemoveKey(c.blocked)}) << c.what;
        EXPECT_EQ(Logged(), c.firstRun) << c.what;

        Shown().clear();
        ASSERT_EQ(platform::registry::DeleteKey(c.blocked + "\\Foreign"), 0);
        EXPECT_TRUE(DriverRegistryPresent()) << c.what;
        EXPECT_TRUE(RemoveDriverRegistry(Dir())) << c.what;
        EXPECT_TRUE(Shown().empty()) << c.what;
        EXPECT_EQ(Logged(), c.bothRuns) << c.what;
        EXPECT_FALSE(RegistryKeyExists(kService)) << c.what;
        EXPECT_FALSE(RegistryKeyExists("SOFTWARE\\CAPI20")) << c.what;
        EXPECT_EQ(ReadFile("system32/AutoExec.NT"), stockAutoexec_) << c.what;
        EXPECT_EQ(List(), stockList_) << c.what;
        EXPECT_FALSE(DriverRegistryPresent()) << c.what;
    }
}

TEST_F(RegistryCleanupTest, LoggedKeyIsDeletedSilentlyAndAnUnloggedMissingOneIsReported) {
    platform::fake::AddRegistryKey("SOFTWARE\\X\\Logged");
    ASSERT_EQ(AppendRemovalLog(Dir(), "SOFTWARE\\X\\Logged"), 1);
    ASSERT_EQ(AppendRemovalLog(Dir(), "SOFTWARE\\X\\Gone"), 1);
    platform::fake::AddRegistryKey("SOFTWARE\\X\\Logged\\Sub");
    EXPECT_EQ(DeleteLoggedKey(Dir(), "SOFTWARE\\X\\Logged"), platform::registry::kAccessDenied);
    ASSERT_EQ(platform::registry::DeleteKey("SOFTWARE\\X\\Logged\\Sub"), 0);
    EXPECT_EQ(DeleteLoggedKey(Dir(), "software\\x\\LOGGED"), 0);
    EXPECT_FALSE(RegistryKeyExists("SOFTWARE\\X\\Logged"));
    EXPECT_EQ(DeleteLoggedKey(Dir(), "SOFTWARE\\X\\Gone"), 0);
    EXPECT_TRUE(Shown().empty());

    EXPECT_EQ(DeleteLoggedKey(Dir(), "SOFTWARE\\X\\Never"), platform::registry::kFileNotFound);
    EXPECT_EQ(Messages(), Keys{KeyNotFound("SOFTWARE\\X\\Never")});
}

TEST_F(RegistryCleanupTest, DriverRegistryIsPresentWhileOurEntryOrTheServiceKeyIsThere) {
    struct Case {
        const char* what;
        bool otherMaker;
        bool ourEntry;
        bool serviceKey;
        bool present;
    } cases[] = {
        {"nothing", false, false, false, false},
        {"another maker's entry only", true, false, false, false},
        {"our entry beside another maker's", true, true, false, true},
        {"the service key alone", false, false, true, true},
    };
    for (const Case& c : cases) {
        Fresh();
        if (c.otherMaker)
            OtherMakersEntry(1);
        if (c.ourEntry)
            OurEntry(2);
        if (c.serviceKey)
            platform::fake::AddRegistryKey(kService);
        EXPECT_EQ(DriverRegistryPresent(), c.present) << c.what;
        EXPECT_TRUE(Shown().empty());
    }
}

}  // namespace
