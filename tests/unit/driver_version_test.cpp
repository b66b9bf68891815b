#include <gtest/gtest.h>

#include "platform/native_fakes.h"
#include "platform/system_info.h"
#include "shell/driver_version.h"
#include "test_support.h"

namespace {

const char* const kNoCapi = "No CAPI 2.0 driver installed";

class DriverVersionTest : public SetupFixture {
  protected:
    void SetUp() override {
        SetupFixture::SetUp();
        LoadLanguage({{"[TEXT_NOCAPIINSTALLED]", kNoCapi}});
    }
};

TEST_F(DriverVersionTest, ManufacturerNumbersMakeTheLine) {
    struct Case {
        uint32_t major;
        uint32_t minor;
        const char* line;
    } cases[] = {
        {2, 25, "v2.2 (rev.05)"},
        {2, 123, "v2.1 (rev.23)"},
        {3, 100, "v3.1 (rev.00)"},
        {0, 7, "v0.0 (rev.07)"},
        {2, 99, "v2.9 (rev.09)"},
        {2, 101, "v2.1 (rev.01)"},
        {5, 0, "v5.0 (rev.00)"},
        // Only the low 16 bits count.
        {0x10002, 0xFFFF0019, "v2.2 (rev.05)"},
        {0x10000, 0x20000, kNoCapi},
        {0, 0, kNoCapi},
    };
    for (const Case& c : cases) {
        platform::fake::ResetCapiDlls();
        platform::fake::InstallCapiDll("CAPI2032.DLL", true, {2, 0, c.major, c.minor});
        EXPECT_EQ(DriverVersionText("CAPI2032.DLL"), c.line) << c.major << " " << c.minor;
    }
}

TEST_F(DriverVersionTest, NoUsableDllShowsTheNotInstalledText) {
    platform::fake::InstallCapiDll("CAPI2032.DLL", true, {2, 0, 2, 101});
    platform::fake::InstallCapiDll("NOEXPORT.DLL", false, {2, 0, 2, 101});
    EXPECT_EQ(DriverVersionText("OTHER.DLL"), kNoCapi);     // not loadable
    EXPECT_EQ(DriverVersionText("NOEXPORT.DLL"), kNoCapi);  // loads, but without CAPI_GET_VERSION
    EXPECT_EQ(DriverVersionText(""), kNoCapi);              // no "[CURRENTCAPIDLL]" in the script
    EXPECT_EQ(DriverVersionText("capi2032.dll"), "v2.1 (rev.01)");
}

TEST_F(DriverVersionTest, UnderWow64ADllThatCannotBeLoadedIsSaidToBeUnreadable) {
    LoadLanguage({{"[TEXT_NOCAPIINSTALLED]", kNoCapi}, {"[TEXT_CAPI_WOW64]", "32-bit cannot tell"}});
    platform::fake::InstallCapiDll("NOEXPORT.DLL", false, {2, 0, 2, 101});
    platform::fake::SetRunningSystem(platform::ClassifySystem(false, true, true));
    EXPECT_EQ(DriverVersionText("CAPI2032.DLL"), "32-bit cannot tell");
    EXPECT_EQ(DriverVersionText("NOEXPORT.DLL"), kNoCapi);
    EXPECT_EQ(DriverVersionText(""), kNoCapi);
    // A 32-bit CAPI DLL beside the 64-bit one answers for the driver.
    platform::fake::InstallCapiDll("CAPI2032.DLL", true, {2, 0, 2, 101});
    EXPECT_EQ(DriverVersionText("CAPI2032.DLL"), "v2.1 (rev.01)");

    platform::fake::ResetCapiDlls();
    platform::fake::SetRunningSystem(platform::ClassifySystem(false, true, false));
    EXPECT_EQ(DriverVersionText("CAPI2032.DLL"), kNoCapi);
}

// The CAPI DLL is the system's: a name that brings its own path is not loaded, even where it would load.
TEST_F(DriverVersionTest, ANameWithAPathIsNotLoaded) {
    for (const char* name :
         {"..\\CAPI2032.DLL", "C:\\Temp\\CAPI2032.DLL", "D:CAPI2032.DLL", "sub/CAPI2032.DLL"}) {
        platform::fake::ResetCapiDlls();
        platform::fake::InstallCapiDll(name, true, {2, 0, 2, 101});
        EXPECT_EQ(DriverVersionText(name), kNoCapi) << name;
    }
}

TEST_F(DriverVersionTest, CapiNumbersAreNotShown) {
    platform::fake::InstallCapiDll("CAPI2032.DLL", true, {2, 1, 0, 0});
    EXPECT_EQ(DriverVersionText("CAPI2032.DLL"), kNoCapi);
}

}  // namespace
