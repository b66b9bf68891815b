#include <gtest/gtest.h>

#include "config_store_fixture.h"
#include "configstore/config_writer.h"
#include "configstore/key_deletion.h"

namespace {

using namespace config_test;
using platform::fake::RegistryKeyExists;
using platform::fake::RegistryValues;

const std::string kService = "SYSTEM\\CurrentControlSet\\Services\\Quorel";
const std::string kParameters = kService + "\\Parameters";
const std::string kMaintenance = kParameters + "\\Maintenance";

class KeyDeletionTest : public ConfigStoreFixture {
  protected:
    // Entry 2 beside another maker's entry 1 (with an adapter of its own), maintenance with every party
    // number, x31Layer2 and two adapters.
    void WriteConfiguration() {
        WindowsNtState();
        OtherMakersEntry(1);
        platform::fake::SetRegistryValue("SOFTWARE\\CAPI20\\1\\1", "Channels", kDword, Dword(30));
        DriverConfig config;
        SetDefaultDriverConfig(2, ScriptMaintenance(), config);
        config.ImagePath = kX31Image;
        config.MaintenanceMode = 1;
        config.CGPNCount = 8;
        config.NumberOfControllers = 2;
        ASSERT_TRUE(WriteDriverConfig(Protocols(), 2, config));
        ASSERT_TRUE(WriteAdapterConfig({2, 0x260, 3, ""}, 0, 0));
        ASSERT_TRUE(WriteAdapterConfig({2, 0x300, 5, ""}, 1, 0));
        ASSERT_EQ(RegistryValues(kMaintenance).size(), 13u);
    }
};

TEST_F(KeyDeletionTest, OptionalParametersGoAndEverythingElseStays) {
    WriteConfiguration();
    Values parameters = RegistryValues(kParameters);
    ASSERT_EQ(parameters.back().name, "x31Layer2");
    parameters.pop_back();
    for (int time = 0; time < 2; ++time) {
        DeleteOptionalParameters();
        EXPECT_FALSE(RegistryKeyExists(kMaintenance));
        EXPECT_EQ(RegistryValues(kParameters), parameters);
        EXPECT_EQ(RegistryValues(kService).size(), 6u);
        EXPECT_TRUE(RegistryKeyExists(kParameters + "\\Adapter01"));
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(KeyDeletionTest, WithoutParametersTheServiceKeyIsReported) {
    DeleteOptionalParameters();
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"The registry key " + kService + " cannot be opened or created."}));
}

TEST_F(KeyDeletionTest, AdapterKeysOfOurEntryGoWhateverTheirNumber) {
    WriteConfiguration();
    platform::fake::AddRegistryKey(kParameters + "\\Adapter04");
    for (int time = 0; time < 2; ++time) {
        DeleteAdapterKeys();
        EXPECT_EQ(platform::fake::RegistrySubKeys("SOFTWARE\\CAPI20\\2"), std::vector<std::string>{});
        EXPECT_EQ(RegistryValues("SOFTWARE\\CAPI20\\2").size(), 3u);
        EXPECT_EQ(platform::fake::RegistrySubKeys(kParameters), (std::vector<std::string>{"Maintenance"}));
        // The other maker's adapter stays.
        EXPECT_EQ(RegistryValues("SOFTWARE\\CAPI20\\1\\1"), (Values{NumberValue("Channels", 30)}));
    }
    EXPECT_TRUE(Shown().empty());
}

}  // namespace
