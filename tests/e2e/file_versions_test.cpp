// The file versions scan and the about box's driver version line in-process, against the real system: LZ32
// expands the built distribution's drivers into the Windows directory, directories are shown as the
// directory listing shows them, and the sample CAPI 2.0 DLL is loaded for real.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "harness.h"
#include "install/file_versions.h"
#include "platform/file_system.h"
#include "platform/system_info.h"
#include "sample_versions.h"
#include "setupfiles/language_table.h"
#include "shell/app_context.h"
#include "shell/driver_version.h"

namespace {

using namespace e2e;

std::string Lower(std::string text) {
    if (!text.empty())
        CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

std::vector<std::string> Lines(const std::vector<FileVersionRow>& rows) {
    std::vector<std::string> lines;
    for (const FileVersionRow& row : rows) lines.push_back(FileVersionLine(row));
    return lines;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string CurrentDirectory() {
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

// A Windows directory of its own for a scan of installed files, removed again with what the test put in.
class ScratchWindowsTree {
  public:
    ScratchWindowsTree() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        root_ = std::string(temp) + "quorel-file-versions";
        Remove();
        for (const char* directory : {"", "\\system32", "\\system32\\drivers"})
            CreateDirectoryA((root_ + directory).c_str(), nullptr);
    }
    ~ScratchWindowsTree() { Remove(); }
    ScratchWindowsTree(const ScratchWindowsTree&) = delete;
    ScratchWindowsTree& operator=(const ScratchWindowsTree&) = delete;
    const std::string& Root() const { return root_; }

  private:
    void Remove() {
        for (const ListedFile& file : kListed)
            DeleteFileA((root_ + "\\" + file.windowsSubdirectory + "\\" + file.installed).c_str());
        for (const char* directory : {"\\system32\\drivers", "\\system32", ""})
            RemoveDirectoryA((root_ + directory).c_str());
    }
    std::string root_;
};

TEST(FileVersionsTest, DirectoriesAreShownAsTheDirectoryListingShowsThem) {
    std::string before = CurrentDirectory();
    std::string driver = DistDirectory() + "\\DRIVER";
    for (const std::string& directory :
         {driver, driver + "\\", driver + "\\..\\TOOLS", std::string("C:\\")}) {
        SCOPED_TRACE(directory);
        EXPECT_EQ(platform::DisplayDirectory(directory), DirectoryListingForm(directory));
    }
    EXPECT_EQ(platform::DisplayDirectory(driver), Lower(driver));
    EXPECT_EQ(CurrentDirectory(), before);
}

TEST(FileVersionsTest, BeforeInstallationTheDistributionsDriversAreExpandedAndListed) {
    FileVersionPlaces places;
    places.script = DistDirectory() + "\\SETUP.QZT";
    places.setupDirectory = DistDirectory();
    places.windowsDirectory = platform::WindowsDirectory();
    std::vector<FileVersionRow> rows;
    ASSERT_EQ(ScanFileVersions(nullptr, places, rows), 1);
    std::vector<std::string> expected;
    for (const ListedFile& file : kListed)
        expected.push_back(DirectoryListingForm(DistDirectory() + "\\DRIVER") + "\\" + file.source + "\t" +
                           SampleVersionText(file.revisionOffset));
    EXPECT_EQ(Lines(rows), expected);
    EXPECT_FALSE(Exists(places.windowsDirectory + "\\VERTMP.$$$"));
}

TEST(FileVersionsTest, AfterInstallationTheFilesAreReadInTheWindowsTree) {
    ScratchWindowsTree windows;
    std::vector<std::string> expected;
    for (const ListedFile& file : kListed) {
        std::string directory = windows.Root() + "\\" + file.windowsSubdirectory;
        ASSERT_TRUE(CopyFileA((std::string(QUOREL_SAMPLE_ORIGINALS_DIR) + "\\" + file.installed).c_str(),
                              (directory + "\\" + file.installed).c_str(), FALSE));
        expected.push_back(DirectoryListingForm(directory) + "\\" + file.installed + "\t" +
                           SampleVersionText(file.revisionOffset));
    }
    FileVersionPlaces places;
    places.script = DistDirectory() + "\\SETUP.QZT";
    places.setupDirectory = DistDirectory();
    places.windowsDirectory = windows.Root();
    places.installDirectory = windows.Root() + "\\Quorel2";
    places.installed = true;
    std::vector<FileVersionRow> rows;
    ASSERT_EQ(ScanFileVersions(nullptr, places, rows), 1);
    EXPECT_EQ(Lines(rows), expected);
}

TEST(FileVersionsTest, DriverVersionComesFromTheLoadedCapiDll) {
    App().SetupDirectory = DistDirectory();
    App().Languages.entries = {{"English", "ENGLISH.LNG"}};
    App().LanguageIndex = 0;
    ASSERT_EQ(LoadCurrentLanguage(App()), 1);
    std::string notInstalled = LanguageText(DistDirectory() + "\\ENGLISH.LNG", "[TEXT_NOCAPIINSTALLED]");
    ASSERT_FALSE(notInstalled.empty());

    // The sample DLL reports manufacturer 2 and 101 (FILES.md).
    static_assert(QUOREL_SAMPLE_MANUFACTURER_MAJOR == 2 && QUOREL_SAMPLE_MANUFACTURER_MINOR == 101, "sample");
    // The DLL is loaded from the system directory by its plain name; a name with a path is not loaded.
    std::string dll = std::string(QUOREL_SAMPLE_ORIGINALS_DIR) + "\\CAPI2032.DLL";
    std::string installed = platform::SystemDirectory() + "\\QZTTEST.DLL";
    ASSERT_TRUE(CopyFileA(dll.c_str(), installed.c_str(), FALSE));
    EXPECT_EQ(DriverVersionText("QZTTEST.DLL"), "v2.1 (rev.01)");
    EXPECT_EQ(DriverVersionText(dll), notInstalled);
    EXPECT_TRUE(DeleteFileA(installed.c_str()));

    platform::CapiVersion version;
    EXPECT_EQ(platform::QueryCapiVersion("kernel32.dll", version), platform::CapiDllResult::kNoExport);
    EXPECT_EQ(DriverVersionText("kernel32.dll"), notInstalled);
    EXPECT_EQ(platform::QueryCapiVersion("QZTNONE.DLL", version), platform::CapiDllResult::kNotLoaded);
    EXPECT_EQ(DriverVersionText("QZTNONE.DLL"), notInstalled);
    EXPECT_EQ(DriverVersionText(""), notInstalled);
}

}  // namespace
