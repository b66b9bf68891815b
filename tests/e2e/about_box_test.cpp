// The about box and the driver file versions dialog of the real SETUP.EXE, before and after a real
// installation: the driver version the installed CAPI 2.0 DLL reports, and the versions in the driver files.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "distribution_fixture.h"
#include "harness.h"
#include "machine_state.h"
#include "resources/install_ids.h"
#include "resources/resource_ids.h"
#include "resources/version_ids.h"
#include "sample_versions.h"

namespace {

using namespace e2e;

constexpr int kLongWaitMs = 60000;

// The sample DLL reports manufacturer version 2 and 101: major 2, minor 1, revision 01.
static_assert(QUOREL_SAMPLE_MANUFACTURER_MAJOR == 2 && QUOREL_SAMPLE_MANUFACTURER_MINOR == 101, "sample");
const char* const kSampleDriverVersion = "v2.1 (rev.01)";

class AboutBoxTest : public DistributionFixture {
  protected:
    std::string Text(const std::string& languageFile, const std::string& key) const {
        return LanguageText(dir_ + "\\" + languageFile, key);
    }

    static HWND OpenAboutBox(const SetupProcess& setup, HWND main) {
        PressButton(main, IDC_MAIN_ABOUT);
        return setup.WaitForControls({IDC_ABOUT_TEXT, IDC_ABOUT_VERSION, IDC_ABOUT_FILE_VERSIONS});
    }
    static HWND OpenFileVersions(const SetupProcess& setup, HWND about) {
        PressButton(about, IDC_ABOUT_FILE_VERSIONS);
        return setup.WaitForControls({IDC_VER_HEADING, IDC_VER_LIST}, kLongWaitMs);
    }
    // The list's lines once the scan behind the shown dialog has filled it.
    static std::vector<std::string> ScannedLines(HWND versions) {
        WaitFor([&] { return ListBoxEntries(versions, IDC_VER_LIST).size() == std::size(kListed); },
                kLongWaitMs);
        return ListBoxEntries(versions, IDC_VER_LIST);
    }
    // Presses the button and waits for the window to go.
    static bool CloseWith(HWND window, int button) {
        PressButton(window, button);
        return WaitFor([&] { return !IsWindow(window); });
    }

    // Installs with the default paths; the main dialog is then in configure mode.
    void Install(const SetupProcess& setup, HWND main) const {
        PressButton(main, IDC_MAIN_ACTION);
        HWND install = setup.WaitForControls({IDC_INSTALL_SOURCE, IDC_INSTALL_DESTINATION});
        ASSERT_TRUE(install);
        PressButton(install, IDC_INSTALL_START);
        HWND done = setup.WaitForText(English("[INFO_INS_DONE]"), kLongWaitMs);
        ASSERT_TRUE(done) << "the installation did not finish";
        ASSERT_TRUE(CloseWith(done, IDC_MSG_OK));
        ASSERT_TRUE(WaitFor(
            [&] { return ControlText(main, IDC_MAIN_ACTION) == English("[DLG_MAIN_CONFIG]"); }, kLongWaitMs));
    }

    // Ends the program from the main dialog; acknowledges the restart text an installation leaves.
    void ExitProgram(const SetupProcess& setup, HWND main, bool restartExpected) const {
        PressButton(main, IDC_MAIN_EXIT);
        if (restartExpected) {
            HWND restart = setup.WaitForText(English("[QUEST_RESTARTSYSTEM]"));
            ASSERT_TRUE(restart) << "no restart text";
            PressButton(restart, IDOK);
        }
        DWORD code = 99;
        ASSERT_TRUE(setup.WaitForExit(&code));
        EXPECT_EQ(code, 0u);
    }
};

TEST_F(AboutBoxTest, BeforeInstallationNoDriverRunsAndTheSourcesAreListedInTheChosenLanguage) {
    struct Language {
        const char* arguments;
        const char* file;
    } languages[] = {{"", "ENGLISH.LNG"}, {"/lDeutsch", "DEUTSCH.LNG"}};
    std::vector<std::string> expected;
    for (const ListedFile& file : kListed)
        expected.push_back(DirectoryListingForm(dir_ + "\\DRIVER") + "\\" + file.source + "\t" +
                           SampleVersionText(file.revisionOffset));
    for (const Language& language : languages) {
        SCOPED_TRACE(language.file);
        SetupProcess setup(dir_, language.arguments);
        HWND main = setup.SkipIntroToMainDialog();
        ASSERT_TRUE(main);
        HWND about = OpenAboutBox(setup, main);
        ASSERT_TRUE(about);
        EXPECT_EQ(WindowText(about), Text(language.file, "[DLG_ABOUT_CAPTION]"));
        EXPECT_EQ(ControlText(about, IDC_ABOUT_TEXT), Text(language.file, "[DLG_ABOUT_TEXT]"));
        EXPECT_EQ(ControlText(about, IDC_ABOUT_VERSION_LABEL),
                  Text(language.file, "[DLG_ABOUT_DRIVERVERSION]"));
        EXPECT_EQ(ControlText(about, IDC_ABOUT_FILE_VERSIONS),
                  Text(language.file, "[DLG_ABOUT_FILEVERSION]"));
        EXPECT_EQ(ControlText(about, IDC_ABOUT_OK), Text(language.file, "[BUTTON_OK]"));
        EXPECT_EQ(ControlText(about, IDC_ABOUT_VERSION), Text(language.file, "[TEXT_NOCAPIINSTALLED]"));

        HWND versions = OpenFileVersions(setup, about);
        ASSERT_TRUE(versions);
        EXPECT_EQ(WindowText(versions), Text(language.file, "[DLG_VER_CAPTION]"));
        EXPECT_EQ(ControlText(versions, IDC_VER_HEADING), Text(language.file, "[DLG_VER_VERTEXT]"));
        EXPECT_EQ(ControlText(versions, IDC_VER_OK), Text(language.file, "[BUTTON_OK]"));
        EXPECT_EQ(ScannedLines(versions), expected);
        // The expanded copies and their directory are gone, and nothing landed in the Windows tree.
        EXPECT_FALSE(DirectoryExists(WindowsDirectory() + "\\VERTMP.$$$"));
        for (const ListedFile& file : kListed) {
            EXPECT_FALSE(FileExists(WindowsDirectory() + "\\" + file.installed)) << file.installed;
            EXPECT_FALSE(
                FileExists(WindowsDirectory() + "\\" + file.windowsSubdirectory + "\\" + file.installed))
                << file.installed;
        }

        // OK closes the list and leaves the about box; OK there goes back to the main dialog.
        ASSERT_TRUE(CloseWith(versions, IDC_VER_OK));
        EXPECT_TRUE(IsWindowVisible(about));
        ASSERT_TRUE(CloseWith(about, IDC_ABOUT_OK));
        ExitProgram(setup, main, false);
    }
}

TEST_F(AboutBoxTest, AfterInstallationTheRunningDriverAndTheInstalledFilesAreShown) {
    SetupProcess setup(dir_, "");
    HWND main = setup.SkipIntroToMainDialog();
    ASSERT_TRUE(main);
    Install(setup, main);
    if (HasFatalFailure())
        return;
    // One installed driver file that has lost its version record.
    std::string withoutRecord = SystemDirectory() + "\\drivers\\qni1x31.sys";
    WriteFileBytes(withoutRecord, "a driver image without a version record");

    HWND about = OpenAboutBox(setup, main);
    ASSERT_TRUE(about);
    EXPECT_EQ(ControlText(about, IDC_ABOUT_VERSION), kSampleDriverVersion);

    HWND versions = OpenFileVersions(setup, about);
    ASSERT_TRUE(versions);
    std::vector<std::string> expected;
    for (const ListedFile& file : kListed) {
        std::string directory = WindowsDirectory() + "\\" + file.windowsSubdirectory;
        std::string version = std::string(file.installed) == "qni1x31.sys"
                                  ? English("[TEXT_UNKNOWNVERSION]")
                                  : SampleVersionText(file.revisionOffset);
        expected.push_back(DirectoryListingForm(directory) + "\\" + file.installed + "\t" + version);
    }
    EXPECT_EQ(ScannedLines(versions), expected);
    ASSERT_TRUE(CloseWith(versions, IDC_VER_OK));
    ASSERT_TRUE(CloseWith(about, IDC_ABOUT_OK));

    // The about box loads the DLL afresh at each opening: one that lacks the export runs no known driver.
    ASSERT_TRUE(
        CopyFileA(QUOREL_DLL_WITHOUT_CAPI_EXPORT, (SystemDirectory() + "\\CAPI2032.DLL").c_str(), FALSE));
    about = OpenAboutBox(setup, main);
    ASSERT_TRUE(about);
    EXPECT_EQ(ControlText(about, IDC_ABOUT_VERSION), English("[TEXT_NOCAPIINSTALLED]"));
    // The close box ends the about box as OK does.
    CloseWindowBySystemMenu(about);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
    ExitProgram(setup, main, true);
}

// The about box asks the system's CAPI 2.0 DLL: one planted under its name in the program's directory, which
// the loader would search first for a bare name, is never loaded. The same DLL in the system directory is,
// which shows that the stand-in would have given itself away.
TEST_F(AboutBoxTest, ADllPlantedInTheProgramsDirectoryIsNotLoaded) {
    std::string planted = dir_ + "\\CAPI2032.DLL";
    std::string system = SystemDirectory() + "\\CAPI2032.DLL";
    ASSERT_TRUE(CopyFileA(QUOREL_PLANTED_CAPI_DLL, planted.c_str(), FALSE));
    ASSERT_FALSE(FileExists(system));
    SetupProcess setup(dir_, "");
    HWND main = setup.SkipIntroToMainDialog();
    ASSERT_TRUE(main);
    HWND about = OpenAboutBox(setup, main);
    ASSERT_TRUE(about);
    EXPECT_EQ(ControlText(about, IDC_ABOUT_VERSION), English("[TEXT_NOCAPIINSTALLED]"));
    EXPECT_FALSE(FileExists(planted + ".loaded"));
    ASSERT_TRUE(CloseWith(about, IDC_ABOUT_OK));

    ASSERT_TRUE(CopyFileA(QUOREL_PLANTED_CAPI_DLL, system.c_str(), FALSE));
    about = OpenAboutBox(setup, main);
    ASSERT_TRUE(about);
    EXPECT_EQ(ControlText(about, IDC_ABOUT_VERSION), "v9.9 (rev.99)");
    EXPECT_TRUE(FileExists(system + ".loaded"));
    EXPECT_FALSE(FileExists(planted + ".loaded"));
    ASSERT_TRUE(CloseWith(about, IDC_ABOUT_OK));
    ExitProgram(setup, main, false);
    DeleteFileA(system.c_str());
    DeleteFileA((system + ".loaded").c_str());
}

}  // namespace
