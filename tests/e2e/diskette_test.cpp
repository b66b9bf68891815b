#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "machine_state.h"

// The diskette image holds a whole distribution: its files, read back with mcopy as a person would copy
// them off the diskette, install the driver as the distribution directory does.
namespace {

using namespace e2e;

TEST(DisketteTest, TheFilesReadBackFromTheDisketteImageInstallTheDriver) {
    PrepareNt4Machine();
    const std::string diskette = QUOREL_DISKETTE_FILES_DIR;
    ASSERT_TRUE(DirectoryExists(diskette)) << diskette;
    std::string report = diskette + "\\report.log";
    DeleteFileA(report.c_str());
    DWORD code = 99;
    {
        SetupProcess setup(diskette, "/s /r" + report);
        ASSERT_TRUE(setup.Started());
        ASSERT_TRUE(setup.WaitForExit(&code, kLongWaitMs)) << "SETUP.EXE /s did not end";
    }
    EXPECT_EQ(code, 3010u) << ReadFileBytes(report);
    for (const char* name :
         {"kxbus.sys", "qdss1.sys", "q1tr6.sys", "qni1.sys", "qdssx31.sys", "qni1x31.sys"}) {
        EXPECT_EQ(ReadFileBytes(SystemDirectory() + "\\drivers\\" + name),
                  ReadFileBytes(std::string(QUOREL_SAMPLE_ORIGINALS_DIR) + "\\" + name))
            << name;
    }
    EXPECT_EQ(ReadFileBytes(SystemDirectory() + "\\CAPI2032.DLL"),
              ReadFileBytes(std::string(QUOREL_SAMPLE_ORIGINALS_DIR) + "\\CAPI2032.DLL"));
    EXPECT_TRUE(RegistryKeyExists("SYSTEM\\CurrentControlSet\\Services\\Quorel"));
    EXPECT_TRUE(FileExists("C:\\Quorel2\\SETUP.EXE"));
    PrepareNt4Machine();
}

}  // namespace
