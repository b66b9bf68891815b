#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "install/file_versions.h"
#include "shell/flow_inputs.h"
#include "shell/app_context.h"
#include "test_support.h"

namespace {

const std::string kMarker("\xE8\x52\xA7\x04\x61\x78\xCA\x12", 8);
const std::string kSkipped("\x00\x60\xCE\x26", 4);

std::string Le16(uint16_t value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string Record(uint16_t major, uint16_t minor, uint16_t revision) {
    return kMarker + kSkipped + Le16(major) + Le16(minor) + Le16(revision);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool SameVersion(const FileVersion& a, const FileVersion& b) {
    return a.major == b.major && a.minor == b.minor && a.revision == b.revision;
}

class ReadFileVersionTest : public SetupFixture {};

TEST_F(ReadFileVersionTest, FindsTheFirstCompleteRecord) {
    const size_t kBuffer = 4096;  // the reader's buffer: records across and beyond it must be found too
    struct Case {
        const char* what;
        std::string bytes;
        bool found;
        FileVersion version;
    } cases[] = {
        {"record at the start", Record(2, 0x10, 5), true, {2, 0x10, 5}},
        {"record after other bytes", "MZ\x90\x00 header" + Record(1, 2, 3) + "tail", true, {1, 2, 3}},
        {"numbers are little-endian", Record(0x1234, 0xABCD, 0x00FF), true, {0x1234, 0xABCD, 0x00FF}},
        {"a doubled first byte restarts the match", "\xE8" + Record(2, 0x10, 1), true, {2, 0x10, 1}},
        {"a match broken after three bytes", kMarker.substr(0, 3) + Record(2, 0x10, 2), true, {2, 0x10, 2}},
        {"a match broken one byte short", kMarker.substr(0, 7) + Record(2, 0x10, 3), true, {2, 0x10, 3}},
        {"a match broken by another byte",
         kMarker.substr(0, 5) + "x" + Record(2, 0x10, 4),
         true,
         {2, 0x10, 4}},
        {"only the first record counts", Record(1, 1, 1) + Record(2, 2, 2), true, {1, 1, 1}},
        {"the skipped bytes are not searched",
         kMarker + kMarker.substr(0, 4) + Le16(3) + Le16(4) + Le16(5),
         true,
         {3, 4, 5}},
        {"a record across the buffer's end",
         std::string(kBuffer - 5, 'x') + Record(2, 0x10, 6),
         true,
         {2, 0x10, 6}},
        {"a record several buffers in",
         std::string(3 * kBuffer + 17, '\0') + Record(2, 0x10, 7),
         true,
         {2, 0x10, 7}},
        {"a broken match only",
         kMarker.substr(0, 7) + std::string(1, '\0') + kSkipped + Le16(1) + Le16(2) + Le16(3),
         false,
         {}},
        {"the record cut off in the revision", kMarker + kSkipped + Le16(2) + Le16(0x10) + "\x05", false, {}},
        {"the record cut off in the skipped bytes", kMarker + kSkipped.substr(0, 3), false, {}},
        {"the marker at the very end", "lead" + kMarker, false, {}},
        {"a file shorter than the marker", kMarker.substr(0, 5), false, {}},
        {"an empty file", "", false, {}},
        {"no marker at all", std::string(2 * kBuffer, 'z'), false, {}},
    };
    for (const Case& c : cases) {
        WriteFile("driver.sys", c.bytes);
        FileVersion version;
        EXPECT_EQ(ReadFileVersion(PathOf("driver.sys"), version), c.found) << c.what;
        if (c.found) {
            EXPECT_TRUE(SameVersion(version, c.version)) << c.what;
        }
    }
}

TEST_F(ReadFileVersionTest, FileThatCannotBeOpenedHasNoVersion) {
    FileVersion version;
    EXPECT_FALSE(ReadFileVersion(PathOf("missing.sys"), version));
    WriteFile("locked.sys", Record(2, 0x10, 1));
    platform::fake::FailFileOperation(PathOf("locked.sys"), platform::fake::FileOperation::kOpenForRead);
    EXPECT_FALSE(ReadFileVersion(PathOf("locked.sys"), version));
}

TEST(FileVersionText, NumbersInLowerCaseHexadecimal) {
    struct Case {
        FileVersion version;
        const char* text;
    } cases[] = {
        {{2, 0x10, 5}, "v2.10 (rev.05)"},
        {{0, 0, 0}, "v0.0 (rev.00)"},
        {{1, 2, 0x0A}, "v1.2 (rev.0a)"},
        {{0xABCD, 0xFFFF, 0x1FF}, "vabcd.ffff (rev.1ff)"},
    };
    for (const Case& c : cases) EXPECT_EQ(FileVersionText(c.version), c.text);
}

// A distribution with a setup information file, a Windows directory and an installation directory. Its
// "[COMPFILES]": kxbus.sys into the Windows tree only; qdss1.sys and plain.sys into both places; tool.exe
// (not listed) and diag.exe into the installation directory only.
class FileVersionScanTest : public SetupFixture {
  protected:
    void SetUp() override {
        SetupFixture::SetUp();
        LoadLanguage({{"[INFO_SCANVERSION]", "Scanning %s"}, {"[TEXT_UNKNOWNVERSION]", "unknown version"}});
        std::filesystem::create_directories(PathOf("WINNT"));
        places_.script = Dir() + "\\dist\\SETUP.QZT";
        places_.setupDirectory = Dir() + "\\dist";
        places_.windowsDirectory = Dir() + "\\WINNT";
        places_.installDirectory = Dir() + "\\Quorel2";
        Script({"5",
                "1",
                "DRIVER",
                "KXBUS.SY_",
                "kxbus.sys",
                "!NOSETUPDIR",
                "system32\\drivers",
                "!VERSION_ON",
                "2",
                "DRIVER",
                "QDSS1.SY_",
                "qdss1.sys",
                "PLAIN.SY_",
                "plain.sys",
                "DRIVERS",
                "system32\\drivers",
                "!VERSION_ON",
                "1",
                "TOOLS",
                "TOOL.EX_",
                "tool.exe",
                "TOOLS",
                "!NOWINSYSTEM",
                "!VERSION_OFF",
                "1",
                "TOOLS",
                "DIAG.EX_",
                "diag.exe",
                "TOOLS",
                "!NOWINSYSTEM",
                "!VERSION_ON"});
    }

    void Script(const std::vector<std::string>& compFiles) {
        std::vector<std::string> lines = {"[VERSION]", "210", "[COMPFILES]"};
        lines.insert(lines.end(), compFiles.begin(), compFiles.end());
        WriteFile("dist/SETUP.QZT", CrLf(lines));
    }

    // The sources: kxbus.sys compressed (its record shows only once expanded), qdss1.sys stored plain,
    // plain.sys without a record, tool.exe with one but not listed, diag.exe missing.
    void WriteSources() {
        // Text lines with the record 2 / 0x10 / 7 at byte 3001, compressed with mscompress.
        WriteFile("dist/DRIVER/KXBUS.SY_", ReadHostFile(QUOREL_FIXTURES_DIR "/versioned.sy_"));
        WriteFile("dist/DRIVER/QDSS1.SY_", "image" + Record(2, 0x10, 2));
        WriteFile("dist/DRIVER/PLAIN.SY_", "image without a record");
        WriteFile("dist/TOOLS/TOOL.EX_", Record(2, 0x10, 9));
    }

    std::vector<std::string> Scan(int expectedResult = 1) {
        std::vector<FileVersionRow> rows;
        EXPECT_EQ(ScanFileVersions(nullptr, places_, rows), expectedResult);
        std::vector<std::string> lines;
        for (const FileVersionRow& row : rows) lines.push_back(FileVersionLine(row));
        return lines;
    }

    std::string DisplayName(const std::string& directory, const std::string& name) {
        return Lower(Dir() + directory) + "\\" + name;
    }

    std::vector<std::string> ProgressTexts() {
        std::vector<std::string> texts;
        for (const auto& shown : Shown())
            if (shown.kind == "InfoText")
                texts.push_back(shown.text);
        return texts;
    }

    bool ProgressClosedLast() {
        auto& shown = Shown();
        return !shown.empty() && shown.front().kind == "OpenInfoWindow" &&
               shown.back().kind == "CloseInfoWindow";
    }

    FileVersionPlaces places_;
};

TEST_F(FileVersionScanTest, BeforeInstallationListsTheExpandedSourcesByTheirSourceNames) {
    WriteSources();
    std::string driver = "\\dist\\DRIVER", tools = "\\dist\\TOOLS";
    EXPECT_EQ(Scan(), (std::vector<std::string>{
                          DisplayName(driver, "KXBUS.SY_") + "\tv2.10 (rev.07)",
                          DisplayName(driver, "QDSS1.SY_") + "\tv2.10 (rev.02)",
                          DisplayName(driver, "PLAIN.SY_") + "\tunknown version",
                          DisplayName(tools, "DIAG.EX_") + "\tunknown version",
                      }));
    EXPECT_EQ(ProgressTexts(), (std::vector<std::string>{
                                   "Scanning " + DisplayName(driver, "KXBUS.SY_"),
                                   "Scanning " + DisplayName(driver, "QDSS1.SY_"),
                                   "Scanning " + DisplayName(driver, "PLAIN.SY_"),
                                   "Scanning " + DisplayName(tools, "DIAG.EX_"),
                               }));
    EXPECT_TRUE(ProgressClosedLast());
    EXPECT_TRUE(std::filesystem::is_empty(PathOf("WINNT")));
}

TEST_F(FileVersionScanTest, TemporaryCopyBearsTheInstalledNameAndGoesAlsoWhenItsReadFails) {
    WriteSources();
    platform::fake::FailFileOperation(Dir() + "\\WINNT\\VERTMP.$$$\\qdss1.sys",
                                      platform::fake::FileOperation::kOpenForRead);
    std::vector<std::string> lines = Scan();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], DisplayName("\\dist\\DRIVER", "KXBUS.SY_") + "\tv2.10 (rev.07)");
    EXPECT_EQ(lines[1], DisplayName("\\dist\\DRIVER", "QDSS1.SY_") + "\tunknown version");
    EXPECT_TRUE(std::filesystem::is_empty(PathOf("WINNT")));
}

TEST_F(FileVersionScanTest, FailedExpansionShowsNoVersionEvenOverALeftoverCopy) {
    WriteSources();
    // An earlier scan was interrupted and left a copy under the name the missing diag.exe expands to.
    WriteFile("WINNT/VERTMP.$$$/diag.exe", Record(7, 7, 7));
    std::vector<std::string> lines = Scan();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3], DisplayName("\\dist\\TOOLS", "DIAG.EX_") + "\tunknown version");
    EXPECT_TRUE(std::filesystem::is_empty(PathOf("WINNT")));
}

// The script's reader leaves such an entry out: the scan neither lists it nor expands it anywhere.
TEST_F(FileVersionScanTest, NameLeadingOutsideItsDirectoryIsNeitherScannedNorWritten) {
    Script({"1", "1", "DRIVER", "ESCAPE.SY_", "..\\escape.sys", "!NOSETUPDIR", "system32", "!VERSION_ON"});
    WriteFile("dist/DRIVER/ESCAPE.SY_", Record(2, 0x10, 3));
    WriteFile("WINNT/escape.sys", "keep me");
    EXPECT_TRUE(Scan().empty());
    EXPECT_EQ(ReadFile("WINNT/escape.sys"), "keep me");
    EXPECT_FALSE(Exists("WINNT/VERTMP.$$$"));
}

TEST_F(FileVersionScanTest, CancelEndsTheScanWithoutRowsAndRemovesTheTemporaryDirectory) {
    WriteSources();
    ui::fake::CancelAtPump(2);
    EXPECT_TRUE(Scan(0).empty());
    EXPECT_EQ(ProgressTexts().size(), 2u);  // nothing is scanned after the Cancel press
    EXPECT_TRUE(ProgressClosedLast());
    EXPECT_TRUE(std::filesystem::is_empty(PathOf("WINNT")));
}

TEST_F(FileVersionScanTest, CancelAfterInstallationEndsTheScanWithoutRows) {
    places_.installed = true;
    ui::fake::CancelAtPump(1);
    EXPECT_TRUE(Scan(0).empty());
    EXPECT_EQ(ProgressTexts().size(), 1u);
    EXPECT_TRUE(ProgressClosedLast());
}

TEST_F(FileVersionScanTest, MissingSetupInformationFileEndsTheScanAtOnce) {
    std::filesystem::remove(PathOf("dist/SETUP.QZT"));
    for (bool installed : {false, true}) {
        Shown().clear();
        places_.installed = installed;
        EXPECT_TRUE(Scan(0).empty());
        EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"", "Can't find SETUPINFOFILE!", ""}));
        EXPECT_TRUE(ProgressClosedLast());
        EXPECT_TRUE(std::filesystem::is_empty(PathOf("WINNT")));
    }
}

TEST_F(FileVersionScanTest, AfterInstallationReadsTheInstalledFilesWindowsTreeFirst) {
    places_.installed = true;
    WriteFile("WINNT/system32/drivers/kxbus.sys", Record(2, 0x10, 1));
    WriteFile("WINNT/system32/drivers/qdss1.sys", Record(2, 0x10, 2));
    WriteFile("Quorel2/DRIVERS/qdss1.sys", Record(9, 9, 9));
    WriteFile("Quorel2/DRIVERS/plain.sys", Record(9, 9, 9));  // its Windows tree copy is missing
    WriteFile("Quorel2/TOOLS/diag.exe", Record(2, 0x10, 8));
    WriteFile("Quorel2/TOOLS/tool.exe", Record(2, 0x10, 9));
    std::string drivers = "\\WINNT\\system32\\drivers";
    EXPECT_EQ(Scan(), (std::vector<std::string>{
                          DisplayName(drivers, "kxbus.sys") + "\tv2.10 (rev.01)",
                          DisplayName(drivers, "qdss1.sys") + "\tv2.10 (rev.02)",
                          DisplayName(drivers, "plain.sys") + "\tunknown version",
                          DisplayName("\\Quorel2\\TOOLS", "diag.exe") + "\tv2.10 (rev.08)",
                      }));
    EXPECT_TRUE(ProgressClosedLast());
    EXPECT_FALSE(Exists("WINNT/VERTMP.$$$"));
}

TEST_F(FileVersionScanTest, AfterInstallationAnEntryInstalledNowhereHasNoVersion) {
    places_.installed = true;
    Script({"1", "1", "DRIVER", "NOWHERE.SY_", "nowhere.sys", "!NOSETUPDIR", "!NOWINSYSTEM", "!VERSION_ON"});
    WriteFile("Quorel2/nowhere.sys", Record(2, 0x10, 1));
    WriteFile("WINNT/nowhere.sys", Record(2, 0x10, 1));
    EXPECT_EQ(Scan(), (std::vector<std::string>{"nowhere.sys\tunknown version"}));
}

TEST_F(FileVersionScanTest, PlacesFollowTheRunModes) {
    App().SetupDirectory = Dir() + "\\dist";
    App().InstalledDestinationPath = "C:\\Quorel2";
    platform::fake::SetWindowsDirectory("C:\\WINNT");
    struct Case {
        int runMode;
        int startRunMode;
        bool installed;
        std::string installDirectory;
    } cases[] = {
        {kRunNormal, kRunNormal, false, "C:\\Quorel2"},
        // Installed in this run: the files lie below the destination just chosen.
        {kRunConfigure, kRunNormal, true, "C:\\Quorel2"},
        // Started from the installed copy: the files lie below the program's own directory.
        {kRunConfigure, kRunConfigure, true, Dir() + "\\dist"},
        {kRunDeinstall, kRunDeinstall, true, Dir() + "\\dist"},
    };
    for (const Case& c : cases) {
        App().RunMode = c.runMode;
        App().StartRunMode = c.startRunMode;
        FileVersionPlaces places = CurrentFileVersionPlaces(App());
        EXPECT_EQ(places.installed, c.installed) << c.runMode << c.startRunMode;
        EXPECT_EQ(places.installDirectory, c.installDirectory) << c.runMode << c.startRunMode;
        EXPECT_EQ(places.setupDirectory, Dir() + "\\dist");
        EXPECT_EQ(places.script, Dir() + "\\dist\\SETUP.QZT");
        EXPECT_EQ(places.windowsDirectory, "C:\\WINNT");
    }
}

}  // namespace
