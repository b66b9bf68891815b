#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource_ids.h"
#include "resources/install_ids.h"
#include "distribution_fixture.h"
#include "harness.h"
#include "resources/configdialog_ids.h"
#include "machine_state.h"

namespace {

using namespace e2e;

constexpr int kAction = IDC_MAIN_ACTION, kExit = IDC_MAIN_EXIT;
constexpr int kInstall = IDC_INSTALL_START, kSource = IDC_INSTALL_SOURCE,
              kDestination = IDC_INSTALL_DESTINATION;
constexpr int kMsgOk = IDC_MSG_OK;
constexpr int kYes = IDC_ASK_YES, kNo = IDC_ASK_NO, kAll = IDC_ASK_ALL, kIgnore = IDC_ASK_IGNORE,
              kCancel = IDC_ASK_CANCEL;
constexpr int kProgressText = IDC_INFO_TEXT;

// Types into an edit control of SETUP.EXE (wide text, so that it crosses the process boundary whole).
void SetControlText(HWND dialog, int id, const std::string& text) {
    std::wstring wide(text.begin(), text.end());
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

// Moves a file's last-write time a day ahead.
void MakeNewer(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file) << path;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time = {{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart += 24ULL * 3600 * 10000000;
    FILETIME later = {time.LowPart, time.HighPart};
    EXPECT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &later));
}

class InstallationTest : public DistributionFixture {};

TEST_F(InstallationTest, FirstInstallationPutsTheDriverOnTheMachine) {
    SetupProcess setup(dir_, "");
    HWND main = nullptr, install = nullptr;
    ASSERT_TRUE(OpenInstallDialog(setup, &main, &install));
    EXPECT_EQ(WindowText(install), English("[DLG_INS_CAPTION]"));
    EXPECT_EQ(ControlText(install, kSource), dir_);
    EXPECT_EQ(ControlText(install, kDestination), WindowsDirectory().substr(0, 3) + "Quorel2");
    EXPECT_EQ(ControlText(install, kInstall), English("[DLG_INS_INSTALL]"));
    PressButton(install, kInstall);
    ASSERT_TRUE(Answer(setup, English("[INFO_INS_DONE]"), kMsgOk));
    ASSERT_TRUE(ReachesConfigureMode(main, dir_));
    EXPECT_FALSE(IsWindow(install));

    // Files: the setup files in the installation directory, and the documents, which "[ADDFILES]" of the
    // sample takes from DOCS\ of the distribution into the installation directory itself; the drivers
    // expanded byte for byte.
    std::string target = "C:\\Quorel2";
    for (const char* name : {"SETUP.EXE", "SETUP.QZT", "ENGLISH.LNG", "DEUTSCH.LNG"})
        EXPECT_EQ(ReadFileBytes(target + "\\" + name), ReadFileBytes(dir_ + "\\" + name)) << name;
    for (const char* name : {"README.TXT", "LICENSE.TXT", "LIESMICH.TXT", "LIZENZ.TXT"}) {
        ASSERT_TRUE(FileExists(target + "\\" + name)) << name;
        EXPECT_EQ(ReadFileBytes(target + "\\" + name), ReadFileBytes(dir_ + "\\DOCS\\" + name)) << name;
    }
    EXPECT_FALSE(DirectoryExists(target + "\\DOCS"));
    std::string system = SystemDirectory();
    std::string originals = QUOREL_SAMPLE_ORIGINALS_DIR;
    struct Installed {
        const char* name;
        std::string directory;
    } installed[] = {
        {"kxbus.sys", system + "\\drivers"},
        {"qdss1.sys", system + "\\drivers"},
        {"q1tr6.sys", system + "\\drivers"},
        {"qni1.sys", system + "\\drivers"},
        {"qdssx31.sys", system + "\\drivers"},
        {"qni1x31.sys", system + "\\drivers"},
        {"CAPI2032.DLL", system},
        {"dxbridge.exe", WindowsDirectory() + "\\system"},
        {"qtrace.exe", target + "\\TOOLS"},
        {"capitest.exe", target + "\\TOOLS"},
    };
    for (const Installed& file : installed) {
        std::string path = file.directory + "\\" + file.name;
        ASSERT_TRUE(FileExists(path)) << path;
        EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(originals + "\\" + file.name)) << path;
    }
    EXPECT_FALSE(FileExists(target + "\\kxbus.sys"));
    EXPECT_FALSE(FileExists(dir_ + "\\removed.qzt"));

    // Registry: the service with the default protocol's image, the CAPI entry, group order, backup.
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadRegistryValue(kServiceKey, "ImagePath", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(RegistryText(kServiceKey, "ImagePath"), "\\SystemRoot\\System32\\drivers\\qdss1.sys");
    EXPECT_EQ(RegistryText(kServiceKey, "DisplayName"), "CAPI 2.0 Quorel Driver");
    EXPECT_EQ(RegistryText(kServiceKey, "Group"), "CAPI20");
    EXPECT_EQ(RegistryNumber(kServiceKey, "Start"), 1u);
    EXPECT_EQ(RegistryNumber(kServiceKey, "Type"), 1u);
    EXPECT_EQ(RegistryNumber(kServiceKey, "ErrorControl"), 1u);
    EXPECT_EQ(RegistryText(kParametersKey, "DeviceName"), "CAPI201");
    EXPECT_EQ(RegistryNumber(kParametersKey, "DosVector"), 0xF1u);
    EXPECT_EQ(RegistryNumber(std::string(kParametersKey) + "\\Adapter01", "BaseAddress"), 0x260u);
    EXPECT_EQ(RegistryNumber(std::string(kParametersKey) + "\\Adapter01", "Interrupt"), 3u);
    EXPECT_FALSE(RegistryKeyExists(std::string(kParametersKey) + "\\Adapter02"));
    EXPECT_EQ(RegistryText("SOFTWARE\\CAPI20\\1", "Manufacturer"), "QZT Velmonic GmbH");
    EXPECT_EQ(RegistryNumber("SOFTWARE\\CAPI20\\1", "NumberOfControllers"), 1u);
    EXPECT_EQ(RegistryNumber("SOFTWARE\\CAPI20\\1\\1", "Channels"), 2u);
    EXPECT_TRUE(RegistryKeyExists(std::string(kParametersKey) + "\\Maintenance"));  // the sample enables it
    EXPECT_EQ(RegistryNumber(kIntegrityKey, "ScriptVersion"), 210u);
    EXPECT_NE(RegistryText(kIntegrityKey, "RegistryBackup"), "<missing>");
    EXPECT_EQ(RegistryText(kIntegrityKey, "BackupDate").size(), 8u);
    ASSERT_TRUE(ReadRegistryValue(kGroupOrderKey, "List", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
    auto groups = MultiStrings(kGroupOrderKey, "List");
    auto capi = std::find(groups.begin(), groups.end(), "CAPI20");
    ASSERT_NE(capi, groups.end());
    ASSERT_NE(capi + 1, groups.end());
    EXPECT_EQ(*(capi + 1), "NDIS");
    EXPECT_EQ(ReadFileBytes(system + "\\AutoExec.NT"),
              StockAutoexec() +
                  "REM --- QZT Setup for WindowsNT BEGIN ---\r\nlh %SystemRoot%\\system\\dxbridge.exe\r\n"
                  "REM --- QZT Setup for WindowsNT END ---\r\n");

    // The Program Manager group, as Wine's Program Manager server makes it: the group, and none of the
    // sample's items, since every one carries parameters (the program's switches, the document to open)
    // and Wine's server refuses an item whose command line is more than a program it finds.
    EXPECT_TRUE(WaitFor([] { return DirectoryExists(ProgramsFolder() + "\\Quorel ISDN"); }));
    EXPECT_EQ(DirectoryEntries(ProgramsFolder() + "\\Quorel ISDN"), std::vector<std::string>{});

    ExitProgram(setup, main, dir_, true);
}

TEST_F(InstallationTest, GroupHoldsTheItemsWinesProgramManagerMakesAndNoneOfTheRefusedOnes) {
    // Before the sample's four items, which carry parameters and are refused, one that is a program alone
    // and that Wine's server finds on its search path.
    std::string script = ReadFileBytes(dir_ + "\\SETUP.QZT");
    const std::string items = "[PROGMAN]\r\nQuorel ISDN\r\nEnglish\r\n4\r\n";
    size_t at = script.find(items);
    ASSERT_NE(at, std::string::npos);
    script.replace(at, items.size(),
                   "[PROGMAN]\r\nQuorel ISDN\r\nEnglish\r\n5\r\n"
                   "Notes\r\nnotepad.exe\r\n!SETUPDIR\r\n!SETUPICON\r\n3\r\n");
    WriteFileBytes(dir_ + "\\SETUP.QZT", script);
    ASSERT_NO_FATAL_FAILURE(InstallWithDefaults(dir_));

    std::string group = ProgramsFolder() + "\\Quorel ISDN";
    EXPECT_EQ(DirectoryEntries(group), std::vector<std::string>{"Notes.lnk"});
    Shortcut notes;
    ASSERT_TRUE(ReadShortcut(group + "\\Notes.lnk", &notes));
    EXPECT_EQ(Lower(notes.target), Lower(SystemDirectory() + "\\notepad.exe"));
    EXPECT_EQ(notes.description, "Notes");
    EXPECT_EQ(notes.workingDirectory, "C:\\Quorel2");
    EXPECT_EQ(notes.iconFile, "C:\\Quorel2\\SETUP.EXE");
    EXPECT_EQ(notes.iconIndex, 3);
}

TEST_F(InstallationTest, DistributionInADeepDirectoryExpandsEveryDriver) {
    // The compressed files' paths run past the 127 characters an OFSTRUCT can hold.
    std::string deep = PrepareDistribution(std::string(118, 'd'));
    ASSERT_GT((deep + "\\DRIVER\\KXBUS.SY_").size(), 128u);
    SetupProcess setup(deep, "");
    HWND main = nullptr, install = nullptr;
    ASSERT_TRUE(OpenInstallDialog(setup, &main, &install));
    PressButton(install, kInstall);
    ASSERT_TRUE(Answer(setup, English("[INFO_INS_DONE]"), kMsgOk));
    ASSERT_TRUE(ReachesConfigureMode(main, dir_));
    std::string originals = QUOREL_SAMPLE_ORIGINALS_DIR;
    EXPECT_EQ(ReadFileBytes(SystemDirectory() + "\\drivers\\kxbus.sys"),
              ReadFileBytes(originals + "\\kxbus.sys"));
    ExitProgram(setup, main, dir_, true);
    DeleteTree(deep);
}

TEST_F(InstallationTest, ReinstallationKeepsTheConfigurationOnYesAndRenewsItOnNo) {
    ASSERT_NO_FATAL_FAILURE(InstallWithDefaults(dir_));
    ASSERT_EQ(RegistryNumber(kServiceKey, "Start"), 1u);
    // A configuration the administrator changed since, and an older script version.
    RegistryKey service = OpenRegistryKey(kServiceKey, KEY_ALL_ACCESS);
    ASSERT_TRUE(service);
    DWORD demand = 3;
    RegSetValueExA(service.Get(), "Start", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&demand), 4);
    std::string backup = RegistryText(kIntegrityKey, "RegistryBackup");

    for (int answer : {kYes, kNo}) {
        SetupProcess setup(dir_, "");
        HWND main = nullptr, install = nullptr;
        ASSERT_TRUE(OpenInstallDialog(setup, &main, &install));
        PressButton(install, kInstall);
        // The expansion keeps the sources' times, so the same distribution overwrites without a question.
        ASSERT_TRUE(Answer(setup, English("[INFO_INS_DONE]"), kMsgOk));
        HWND keep = setup.WaitForText(English("[QUEST_APPLYOLD]"), kLongWaitMs);
        ASSERT_NE(keep, nullptr);
        EXPECT_EQ(GetDlgItem(keep, kAll), nullptr);
        PressButton(keep, answer);
        ASSERT_TRUE(ReachesConfigureMode(main, dir_));
        // A renewed configuration opens the configuration dialog; a kept one was already checked.
        bool dialogOpens =
            setup.WaitForControls({IDC_CFG_SHOW_ADAPTER, IDC_CFG_SHOW_ADVANCED, IDC_CFG_RESET},
                                  answer == kYes ? kDefaultWaitMs / 3 : kLongWaitMs) != nullptr;
        EXPECT_EQ(dialogOpens, answer == kNo) << answer;
        if (answer == kYes) {
            EXPECT_EQ(RegistryNumber(kServiceKey, "Start"), 3u);
            EXPECT_EQ(RegistryText(kIntegrityKey, "RegistryBackup"), backup);
        } else {
            EXPECT_EQ(RegistryNumber(kServiceKey, "Start"), 1u);
        }
        // The new driver images, and a renewed configuration, take effect after a restart.
        ExitProgram(setup, main, dir_, true);
        EXPECT_EQ(RegistryNumber(kIntegrityKey, "ScriptVersion"), 210u);
    }
}

TEST_F(InstallationTest, NewerTargetsAskUntilAllAndReadOnlyTargetsAskForWriteAccess) {
    ASSERT_NO_FATAL_FAILURE(InstallWithDefaults(dir_));
    // Files updated since: newer than the distribution's.
    std::string drivers = SystemDirectory() + "\\drivers\\";
    for (const char* name : {"kxbus.sys", "qdss1.sys", "q1tr6.sys", "qni1.sys"}) MakeNewer(drivers + name);
    std::string protectedFile = SystemDirectory() + "\\CAPI2032.DLL";
    ASSERT_TRUE(SetFileAttributesA(protectedFile.c_str(), FILE_ATTRIBUTE_READONLY));
    SetupProcess setup(dir_, "");
    HWND main = nullptr, install = nullptr;
    ASSERT_TRUE(OpenInstallDialog(setup, &main, &install));
    PressButton(install, kInstall);
    // Yes for the first two newer files: each is asked about on its own; All answers for q1tr6.sys and
    // qni1.sys.
    for (const char* name : {"kxbus.sys", "qdss1.sys"}) {
        HWND overwrite = setup.WaitForControls({kYes, kNo, kAll}, kLongWaitMs);
        ASSERT_NE(overwrite, nullptr) << name;
        EXPECT_NE(ControlText(overwrite, IDC_ASK_TEXT).find(name), std::string::npos)
            << ControlText(overwrite, IDC_ASK_TEXT);
        EXPECT_EQ(WindowText(overwrite), English("[MSG_CAPTION]"));
        PressButton(overwrite, kYes);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(overwrite); }));
    }
    HWND overwrite = setup.WaitForControls({kYes, kNo, kAll}, kLongWaitMs);
    ASSERT_NE(overwrite, nullptr);
    EXPECT_NE(ControlText(overwrite, IDC_ASK_TEXT).find("q1tr6.sys"), std::string::npos)
        << ControlText(overwrite, IDC_ASK_TEXT);
    PressButton(overwrite, kAll);
    // The write-protected DLL is asked about in a system message box even after All; No keeps it.
    HWND writeAccess = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (HWND window : setup.Windows())
                for (const std::string& text : ChildTexts(window))
                    if (text.find("CAPI2032.DLL") != std::string::npos && GetDlgItem(window, IDYES))
                        return (writeAccess = window) != nullptr;
            return false;
        },
        kLongWaitMs));
    PressButton(writeAccess, IDNO);
    ASSERT_TRUE(Answer(setup, English("[INFO_INS_DONE]"), kMsgOk));
    HWND keep = setup.WaitForText(English("[QUEST_APPLYOLD]"), kLongWaitMs);
    ASSERT_NE(keep, nullptr);
    PressButton(keep, kYes);
    ASSERT_TRUE(ReachesConfigureMode(main, dir_));
    EXPECT_TRUE(GetFileAttributesA(protectedFile.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadFileBytes(drivers + "qni1.sys"),
              ReadFileBytes(std::string(QUOREL_SAMPLE_ORIGINALS_DIR) + "\\qni1.sys"));
    ExitProgram(setup, main, dir_, true);
}

TEST_F(InstallationTest, MissingSourceIgnoredEndsWithoutSuccessAndWithoutRegistryChanges) {
    ASSERT_TRUE(DeleteFileA((dir_ + "\\DRIVER\\QNI1.SY_").c_str()));
    SetupProcess setup(dir_, "");
    HWND main = nullptr, install = nullptr;
    ASSERT_TRUE(OpenInstallDialog(setup, &main, &install));
    PressButton(install, kInstall);
    HWND missing = setup.WaitForControls({kCancel, IDC_ASK_RETRY, kIgnore}, kLongWaitMs);
    ASSERT_NE(missing, nullptr);
    EXPECT_NE(ControlText(missing, IDC_ASK_TEXT).find("QNI1.SY_"), std::string::npos)
        << ControlText(missing, IDC_ASK_TEXT);
    PressButton(missing, kIgnore);
    ASSERT_TRUE(Answer(setup, English("[ERR_INS_NOSUCCESS]"), kMsgOk));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(install); }));
    EXPECT_TRUE(FileExists(SystemDirectory() + "\\drivers\\qdssx31.sys"));  // copying went on after it
    EXPECT_FALSE(RegistryKeyExists(kServiceKey));
    EXPECT_FALSE(RegistryKeyExists(kCapiTree));
    EXPECT_EQ(ReadFileBytes(SystemDirectory() + "\\AutoExec.NT"), StockAutoexec());
    EXPECT_EQ(ControlText(main, kAction), English("[DLG_MAIN_INSTALL]"));
    ExitProgram(setup, main, dir_, false);
}

TEST_F(InstallationTest, WhileTheRunWorksNeitherDialogTakesInputAndASentInstallStartsNoSecondRun) {
    // A missing driver file holds the run at its question, with the progress window open behind it.
    ASSERT_TRUE(DeleteFileA((dir_ + "\\DRIVER\\QNI1.SY_").c_str()));
    SetupProcess setup(dir_, "");
    HWND main = nullptr, install = nullptr;
    ASSERT_TRUE(OpenInstallDialog(setup, &main, &install));
    PressButton(install, kInstall);
    HWND missing = setup.WaitForControls({kCancel, IDC_ASK_RETRY, kIgnore}, kLongWaitMs);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(GetWindow(missing, GW_OWNER), install) << "the question belongs to the install dialog";
    for (int id : {kInstall, kCancel, 31, 32, kSource, kDestination})
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(install, id))) << "install dialog control " << id;
    EXPECT_FALSE(IsWindowEnabled(main)) << "the main dialog takes input during the run";

    // Commands that reach the install dialog anyway are handled at once: a second run or the directory
    // picker would hold the sent message until it ended.
    for (int id : {kInstall, 31, 32}) {
        DWORD_PTR result = 0;
        EXPECT_NE(SendMessageTimeoutA(install, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                      reinterpret_cast<LPARAM>(GetDlgItem(install, id)), SMTO_NORMAL,
                                      kDefaultWaitMs, &result),
                  0)
            << "command " << id << " started something inside the run";
    }

    PressButton(missing, kIgnore);
    ASSERT_TRUE(Answer(setup, English("[ERR_INS_NOSUCCESS]"), kMsgOk));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(install); }));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }));
    ExitProgram(setup, main, dir_, false);
}

TEST_F(InstallationTest, DriverFileThatWasNotExpandedEndsWithoutSuccessAndKeepsWhatWasThere) {
    const std::string drivers = SystemDirectory() + "\\drivers";
    const std::string driver = drivers + "\\kxbus.sys";
    const std::string compressed = ReadFileBytes(dir_ + "\\DRIVER\\KXBUS.SY_");
    enum class InPlace { kEarlierDriver, kDirectory, kNothing };
    struct Case {
        const char* what;
        int answer;
        InPlace inPlace;
        bool held;
        bool cut;
    } cases[] = {
        {"a compressed driver cut off halfway, answered Ignore", kIgnore, InPlace::kEarlierDriver, false,
         true},
        {"a cut driver where there was none, answered Ignore", kIgnore, InPlace::kNothing, false, true},
        {"the earlier driver held open without sharing, answered Abort", kCancel, InPlace::kEarlierDriver,
         true, false},
        {"a directory in the driver's place, answered Abort", kCancel, InPlace::kDirectory, false, false},
    };
    for (const Case& c : cases) {
        PrepareNt4Machine();
        DeleteFileA(driver.c_str());
        WriteFileBytes(dir_ + "\\DRIVER\\KXBUS.SY_",
                       c.cut ? compressed.substr(0, compressed.size() / 2) : compressed);
        CreateDirectoryA(drivers.c_str(), nullptr);
        if (c.inPlace == InPlace::kDirectory) {
            ASSERT_TRUE(CreateDirectoryA(driver.c_str(), nullptr)) << c.what;
        } else if (c.inPlace == InPlace::kEarlierDriver) {
            WriteFileBytes(driver, "earlier driver");
            // Older than the distribution's file: no overwrite question before the expansion.
            HANDLE file =
                CreateFileA(driver.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            FILETIME longAgo = {0, 0x01C00000};
            EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &longAgo));
            CloseHandle(file);
        }
        HANDLE held = c.held
                          ? CreateFileA(driver.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                          : INVALID_HANDLE_VALUE;
        std::vector<std::string> before = DirectoryEntries(drivers);

        SetupProcess setup(dir_, "");
        HWND main = nullptr, install = nullptr;
        ASSERT_TRUE(OpenInstallDialog(setup, &main, &install)) << c.what;
        PressButton(install, kInstall);
        HWND question = setup.WaitForControls({kCancel, IDC_ASK_RETRY, kIgnore}, kLongWaitMs);
        ASSERT_NE(question, nullptr) << c.what;
        EXPECT_NE(ControlText(question, IDC_ASK_TEXT).find("kxbus.sys"), std::string::npos)
            << ControlText(question, IDC_ASK_TEXT);
        PressButton(question, c.answer);
        ASSERT_TRUE(Answer(setup, English("[ERR_INS_NOSUCCESS]"), kMsgOk)) << c.what;
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(install); })) << c.what;
        ExitProgram(setup, main, dir_, false);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);

        // Nothing but the distribution's other drivers beside it (no kxbus.sy_, no temporary file), and the
        // earlier one as it was.
        const std::vector<std::string> originals = DirectoryEntries(QUOREL_SAMPLE_ORIGINALS_DIR);
        for (const std::string& name : DirectoryEntries(drivers)) {
            bool known = std::find(before.begin(), before.end(), name) != before.end() ||
                         std::find(originals.begin(), originals.end(), name) != originals.end();
            EXPECT_TRUE(known) << c.what << ": " << name;
        }
        if (c.inPlace == InPlace::kDirectory) {
            EXPECT_TRUE(DirectoryExists(driver)) << c.what;
            RemoveDirectoryA(driver.c_str());
        } else if (c.inPlace == InPlace::kEarlierDriver) {
            EXPECT_EQ(ReadFileBytes(driver), "earlier driver") << c.what;
        } else {
            EXPECT_FALSE(FileExists(driver)) << c.what;
        }
        EXPECT_FALSE(RegistryKeyExists(kServiceKey)) << c.what;
        EXPECT_FALSE(RegistryKeyExists(kCapiTree)) << c.what;
        EXPECT_FALSE(DirectoryExists(ProgramsFolder() + "\\Quorel ISDN")) << c.what;
    }
}

TEST_F(InstallationTest, CancelAtTheSystemEntriesLeavesTheRegistryUntouched) {
    SetupProcess setup(dir_, "");
    HWND main = nullptr, install = nullptr;
    ASSERT_TRUE(OpenInstallDialog(setup, &main, &install));
    PressButton(install, kInstall);
    // Every file is in place and the notice says so; the progress window waits behind it for the
    // system entries. The Cancel is pressed there while the notice still holds the run, so it is the last
    // Cancel the run can see, whatever the timing.
    HWND done = setup.WaitForText(English("[INFO_INS_DONE]"), kLongWaitMs);
    ASSERT_NE(done, nullptr);
    HWND progress = setup.WaitForControls({kProgressText, kCancel});
    ASSERT_NE(progress, nullptr);
    PressButton(progress, kCancel);
    ASSERT_TRUE(Answer(setup, English("[QUEST_INFO_ABORT]"), IDYES));
    PressButton(done, kMsgOk);
    ASSERT_TRUE(Answer(setup, English("[ERR_INS_NOSUCCESS]"), kMsgOk));
    EXPECT_TRUE(FileExists(SystemDirectory() + "\\drivers\\kxbus.sys"));
    EXPECT_FALSE(RegistryKeyExists(kServiceKey));
    EXPECT_FALSE(RegistryKeyExists(kCapiTree));
    EXPECT_EQ(MultiStrings(kGroupOrderKey, "List"), Nt4ServiceGroups());
    EXPECT_FALSE(DirectoryExists(ProgramsFolder() + "\\Quorel ISDN"));
    ExitProgram(setup, main, dir_, false);
}

TEST_F(InstallationTest, ConfirmedCancelStopsBeforeTheNextFile) {
    // A missing first added file holds the run at a question, so the Cancel press lands between files.
    ASSERT_TRUE(DeleteFileA((dir_ + "\\DOCS\\README.TXT").c_str()));
    SetupProcess setup(dir_, "");
    HWND main = nullptr, install = nullptr;
    ASSERT_TRUE(OpenInstallDialog(setup, &main, &install));
    PressButton(install, kInstall);
    HWND missing = setup.WaitForControls({kCancel, IDC_ASK_RETRY, kIgnore}, kLongWaitMs);
    ASSERT_NE(missing, nullptr);
    HWND progress = setup.WaitForControls({kProgressText, kCancel});
    ASSERT_NE(progress, nullptr);
    PressButton(progress, kCancel);
    ASSERT_TRUE(Answer(setup, English("[QUEST_INFO_ABORT]"), IDYES));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(progress); }));
    PressButton(missing, kIgnore);
    ASSERT_TRUE(Answer(setup, English("[ERR_INS_NOSUCCESS]"), kMsgOk));
    EXPECT_TRUE(FileExists("C:\\Quorel2\\SETUP.EXE"));
    EXPECT_FALSE(FileExists("C:\\Quorel2\\LICENSE.TXT"));
    EXPECT_FALSE(FileExists(SystemDirectory() + "\\drivers\\kxbus.sys"));
    EXPECT_FALSE(RegistryKeyExists(kServiceKey));
    EXPECT_FALSE(DirectoryExists(ProgramsFolder() + "\\Quorel ISDN"));
    ExitProgram(setup, main, dir_, false);
}

TEST_F(InstallationTest, SourceDirectoryGivesTheScriptAndAddedFilesStartDirectoryTheRest) {
    std::string source = PrepareDistribution("InstallationTest.OtherSource");
    std::string script = ReadFileBytes(source + "\\SETUP.QZT");
    size_t version = script.find("[VERSION]\r\n");
    ASSERT_NE(version, std::string::npos);
    script.replace(version, 14, "[VERSION]\r\n211");
    WriteFileBytes(source + "\\SETUP.QZT", script);
    for (const std::string& name : DirectoryEntries(source + "\\DOCS"))
        WriteFileBytes(source + "\\DOCS\\" + name, "from the source path " + name);
    WriteFileBytes(source + "\\SETUP.EXE", "not the program");
    DeleteTree(source + "\\DRIVER");
    DeleteTree(source + "\\TOOLS");

    SetupProcess setup(dir_, "");
    HWND main = nullptr, install = nullptr;
    ASSERT_TRUE(OpenInstallDialog(setup, &main, &install));
    SetControlText(install, kSource, source);
    PressButton(install, kInstall);
    ASSERT_TRUE(Answer(setup, English("[INFO_INS_DONE]"), kMsgOk));
    ASSERT_TRUE(ReachesConfigureMode(main, dir_));
    EXPECT_EQ(ReadFileBytes("C:\\Quorel2\\SETUP.QZT"), script);
    EXPECT_EQ(ReadFileBytes("C:\\Quorel2\\SETUP.EXE"), ReadFileBytes(dir_ + "\\SETUP.EXE"));
    EXPECT_EQ(ReadFileBytes("C:\\Quorel2\\README.TXT"), "from the source path README.TXT");
    EXPECT_EQ(ReadFileBytes(SystemDirectory() + "\\drivers\\kxbus.sys"),
              ReadFileBytes(std::string(QUOREL_SAMPLE_ORIGINALS_DIR) + "\\kxbus.sys"));
    EXPECT_EQ(RegistryNumber(kIntegrityKey, "ScriptVersion"), 211u);
    ExitProgram(setup, main, dir_, true);
}

TEST_F(InstallationTest, OtherMakersEntryIsReportedFromTheFirstInstallationOn) {
    SetRegistryText("SOFTWARE\\CAPI20\\1", "Manufacturer", "Other Maker Ltd");
    for (bool first : {true, false}) {
        SetupProcess setup(dir_, "");
        HWND main = nullptr, install = nullptr;
        ASSERT_TRUE(OpenInstallDialog(setup, &main, &install));
        PressButton(install, kInstall);
        ASSERT_TRUE(Answer(setup, English("[INFO_INS_DONE]"), kMsgOk));
        ASSERT_TRUE(Answer(setup, English("[INFO_OTHERMANU]"), kMsgOk)) << first;
        if (!first) {
            ASSERT_TRUE(Answer(setup, English("[QUEST_APPLYOLD]"), kYes));
        }
        ASSERT_TRUE(ReachesConfigureMode(main, dir_));
        // New driver images need a restart, whether the configuration is new or kept.
        ExitProgram(setup, main, dir_, true);
        // The first installation took the next number beside the other maker's entry.
        EXPECT_EQ(RegistryText("SOFTWARE\\CAPI20\\1", "Manufacturer"), "Other Maker Ltd");
        EXPECT_EQ(RegistryText("SOFTWARE\\CAPI20\\2", "Manufacturer"), "QZT Velmonic GmbH");
        EXPECT_EQ(RegistryText(kParametersKey, "DeviceName"), "CAPI202");
    }
}

// The values of a key below HKEY_LOCAL_MACHINE and of its subkeys, byte for byte; the backup's date aside,
// which is the day of the run.
void AppendKey(const std::string& path, std::string* out) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    *out += "[" + path + "]\n";
    char name[256];
    BYTE data[8192];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        if (std::string(name) != "BackupDate")
            *out += std::string(name) + "=" + std::to_string(type) + ":" +
                    std::string(reinterpret_cast<char*>(data), dataSize) + "\n";
    }
    std::vector<std::string> children;
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& child : children) AppendKey(path + "\\" + child, out);
}

// A file's bytes in a line: its length and FNV-1a hash.
std::string Fingerprint(const std::string& bytes) {
    uint64_t hash = 1469598103934665603ULL;
    for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return std::to_string(bytes.size()) + " bytes, " + std::to_string(hash);
}

// What an installation leaves on the machine: the driver's keys, the shared entries, every file it puts in
// place with its bytes.
std::string InstalledState() {
    std::string state;
    AppendKey(kServiceKey, &state);
    AppendKey(kCapiTree, &state);
    state += "AutoExec.NT:" + ReadFileBytes(SystemDirectory() + "\\AutoExec.NT") + "\n";
    for (const std::string& group : MultiStrings(kGroupOrderKey, "List")) state += "group " + group + "\n";
    // Of the system directory only the driver's own file: it holds the whole of Wine besides.
    state += "CAPI2032.DLL:" + Fingerprint(ReadFileBytes(SystemDirectory() + "\\CAPI2032.DLL")) + "\n";
    for (const std::string& directory :
         {std::string("C:\\Quorel2"), std::string("C:\\Quorel2\\TOOLS"), std::string("C:\\Quorel2\\DOCS"),
          SystemDirectory() + "\\drivers", WindowsDirectory() + "\\system"}) {
        for (const std::string& name : DirectoryEntries(directory)) {
            std::string path = directory + "\\" + name;
            if (!DirectoryExists(path))
                state += path + ":" + Fingerprint(ReadFileBytes(path)) + "\n";
        }
    }
    return state;
}

// Every file boundary of the sample distribution: a run is held where it reaches one source file (held open
// by another program, so the run stops at its question right after the files before it) and ended from
// outside there. Holding a source is what makes the boundary exact: the progress text names a file only
// while it is on its way, and a process ended on a change of that text could be anywhere in its copy. After
// all of them an undisturbed run completes, and the machine is as after an installation never interrupted.
TEST_F(InstallationTest, InterruptedAtEveryFileBoundaryTheInstallationCompletesOnTheNextRun) {
    InstallWithDefaults(dir_);
    const std::string uninterrupted = InstalledState();
    PrepareNt4Machine();

    std::vector<std::string> sources;
    for (const char* directory : {"DOCS", "DRIVER", "TOOLS"})
        for (const std::string& name : DirectoryEntries(dir_ + "\\" + directory))
            sources.push_back(dir_ + "\\" + directory + "\\" + name);
    int ended = 0;
    for (const std::string& source : sources) {
        HANDLE held = CreateFileA(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE) << source;
        SetupProcess setup(dir_, "");
        HWND main = nullptr, install = nullptr;
        ASSERT_TRUE(OpenInstallDialog(setup, &main, &install)) << source;
        PressButton(install, kInstall);
        HWND question = setup.WaitForControls({kCancel, IDC_ASK_RETRY, kIgnore}, kLongWaitMs);
        EXPECT_NE(question, nullptr) << source;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, setup.Id());
        ASSERT_NE(process, nullptr);
        EXPECT_TRUE(TerminateProcess(process, 1));
        WaitForSingleObject(process, kLongWaitMs);
        CloseHandle(process);
        CloseHandle(held);
        if (question)
            ++ended;
    }
    std::printf("installation ended from outside at %d of %zu file boundaries\n", ended, sources.size());
    RecordProperty("boundaries", ended);

    InstallWithDefaults(dir_);
    EXPECT_EQ(InstalledState(), uninterrupted);
}

}  // namespace
