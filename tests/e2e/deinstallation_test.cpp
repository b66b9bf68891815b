#include <gtest/gtest.h>

#include <algorithm>

#include <iostream>
#include <string>
#include <vector>

#include "distribution_fixture.h"
#include "harness.h"
#include "machine_state.h"
#include "resources/deinstall_ids.h"
#include "resources/install_ids.h"
#include "resources/resource_ids.h"
#include "resources/configdialog_ids.h"
#include "resources/version.h"

namespace {

using namespace e2e;

constexpr int kLongWaitMs = 60000;
const std::string kInstallDirectory = "C:\\Quorel2";
const std::string kOtherMakersEntry = "SOFTWARE\\CAPI20\\1";
const std::string kSetupProgram = kInstallDirectory + "\\SETUP.EXE";
const char* const kSessionManagerKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char* const kPendingRenames = "PendingFileRenameOperations";
const std::string kProgramsEntry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorel";

// What the sample distribution installs, below the installation directory and in the Windows tree, and the
// files its programs leave behind there; the removal takes all of them.
std::vector<std::string> InstalledFiles() {
    std::string system = SystemDirectory();
    std::vector<std::string> files = {kInstallDirectory + "\\SETUP.EXE",
                                      kInstallDirectory + "\\SETUP.QZT",
                                      kInstallDirectory + "\\ENGLISH.LNG",
                                      kInstallDirectory + "\\DEUTSCH.LNG",
                                      kInstallDirectory + "\\TOOLS\\qtrace.exe",
                                      kInstallDirectory + "\\TOOLS\\capitest.exe",
                                      system + "\\CAPI2032.DLL",
                                      WindowsDirectory() + "\\system\\dxbridge.exe"};
    for (const char* name : {"kxbus.sys", "qdss1.sys", "q1tr6.sys", "qni1.sys", "qdssx31.sys", "qni1x31.sys"})
        files.push_back(system + "\\drivers\\" + name);
    for (const char* name : {"README.TXT", "LICENSE.TXT", "LIESMICH.TXT", "LIZENZ.TXT"})
        files.push_back(kInstallDirectory + "\\" + name);
    return files;
}
std::vector<std::string> LeftBehindFiles() {
    return {kInstallDirectory + "\\TOOLS\\QTRACE.INI", kInstallDirectory + "\\TOOLS\\QTRACE.LOG",
            kInstallDirectory + "\\CAPITEST.LOG"};
}

std::vector<std::string> Existing(const std::vector<std::string>& files) {
    std::vector<std::string> existing;
    for (const std::string& file : files)
        if (FileExists(file))
            existing.push_back(file);
    return existing;
}

// The bytes of the two shared system entries the driver edits: AutoExec.NT and the service group list.
struct SharedEntries {
    std::string autoexec;
    DWORD listType = 0;
    std::string list;

    static SharedEntries Now() {
        SharedEntries entries;
        entries.autoexec = ReadFileBytes(SystemDirectory() + "\\AutoExec.NT");
        ReadRegistryValue(kGroupOrderKey, "List", &entries.listType, &entries.list);
        return entries;
    }
    bool operator==(const SharedEntries& other) const {
        return autoexec == other.autoexec && listType == other.listType && list == other.list;
    }
    bool operator!=(const SharedEntries& other) const { return !(*this == other); }
};
void PrintTo(const SharedEntries& entries, std::ostream* out) {
    *out << "AutoExec.NT \"" << entries.autoexec << "\", list of type " << entries.listType << " with "
         << entries.list.size() << " bytes";
}

// Whether the file is to be deleted when the system next starts.
bool MarkedForDeletionAtRestart(const std::string& path) {
    DWORD type = 0;
    std::string pending;
    if (!ReadRegistryValue(kSessionManagerKey, kPendingRenames, &type, &pending))
        return false;
    // Pairs of names, each ended by a zero; an empty second name deletes the first.
    std::string entry = "\\??\\" + path + '\0' + '\0';
    return pending.find(entry) != std::string::npos;
}

// Forgets the deletions at the next start, so that a later start of the prefix cannot take the program
// from another test's installation.
void ForgetPendingDeletions() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, kPendingRenames);
    RegCloseKey(key);
}

// Holds a file open without sharing, as a program that uses it does.
class HeldFile {
  public:
    explicit HeldFile(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool Held() const { return file_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held())
            CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE file_;
};

class DeinstallationTest : public DistributionFixture {
  protected:
    void TearDown() override {
        ForgetPendingDeletions();
        DeleteRegistryTree(kOtherMakersEntry);
        DistributionFixture::TearDown();
    }

    // Presses the button of the window that shows the text, once it appears.
    static bool Answer(const SetupProcess& setup, const std::string& text, int button) {
        HWND window = setup.WaitForText(text, kLongWaitMs);
        if (!window)
            return false;
        PressButton(window, button);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(window); }));
        return true;
    }

    static void ExpectExit(const SetupProcess& setup) {
        DWORD code = 99;
        ASSERT_TRUE(setup.WaitForExit(&code, kLongWaitMs)) << "the program did not end";
        EXPECT_EQ(code, 0u);
    }

    // A first installation with the default paths, ended with the restart text it asks for; beside another
    // maker's entry the run tells so.
    void Install(bool besideAnotherMaker = false) const {
        SetupProcess setup(dir_, "");
        HWND main = setup.SkipIntroToMainDialog(kLongWaitMs);
        ASSERT_NE(main, nullptr);
        PressButton(main, IDC_MAIN_ACTION);
        HWND install = setup.WaitForControls({IDC_INSTALL_SOURCE, IDC_INSTALL_DESTINATION});
        ASSERT_NE(install, nullptr);
        PressButton(install, IDC_INSTALL_START);
        ASSERT_TRUE(Answer(setup, English("[INFO_INS_DONE]"), IDC_MSG_OK));
        if (besideAnotherMaker) {
            ASSERT_TRUE(Answer(setup, English("[INFO_OTHERMANU]"), IDC_MSG_OK));
        }
        ASSERT_TRUE(WaitFor(
            [&] { return ControlText(main, IDC_MAIN_ACTION) == English("[DLG_MAIN_CONFIG]"); }, kLongWaitMs));
        PressButton(main, IDC_MAIN_EXIT);
        ASSERT_TRUE(Answer(setup, English("[QUEST_RESTARTSYSTEM]"), IDOK));
        ExpectExit(setup);
        ASSERT_EQ(Existing(InstalledFiles()), InstalledFiles());
        ASSERT_TRUE(WaitFor([] { return DirectoryExists(ProgramsFolder() + "\\Quorel ISDN"); }));
        // What the driver's programs leave behind once they ran.
        for (const std::string& file : LeftBehindFiles()) WriteFileBytes(file, "left behind");
    }

    // The installed copy started for removal, as the group's Remove item starts it: /d, in the installation
    // directory. Returns the deinstall dialog opened from the main dialog.
    static HWND OpenDeinstallDialog(const SetupProcess& setup, HWND* main) {
        *main = setup.SkipIntroToMainDialog(kLongWaitMs);
        if (!*main)
            return nullptr;
        PressButton(*main, IDC_MAIN_ACTION);
        return setup.WaitForControls({IDC_DEINSTALL_WARNING, IDC_DEINSTALL_START_HELP,
                                      IDC_DEINSTALL_CANCEL_HELP, IDC_DEINSTALL_START, IDC_DEINSTALL_CANCEL});
    }

    // A removal that goes through: confirmed, done, and the program ends.
    void RemoveCompletely() const {
        SetupProcess setup(kInstallDirectory, "/d");
        RemoveWith(setup);
    }
    // The same through a program already started for the removal.
    void RemoveWith(const SetupProcess& setup) const {
        HWND main = nullptr;
        HWND dialog = OpenDeinstallDialog(setup, &main);
        ASSERT_NE(dialog, nullptr);
        PressButton(dialog, IDC_DEINSTALL_START);
        ASSERT_TRUE(Answer(setup, English("[DLG_DEI_AREYOUSURE]"), IDYES));
        ASSERT_TRUE(Answer(setup, English("[INFO_DEI_DONE]"), IDC_MSG_OK));
        ExpectExit(setup);
    }

    // Nothing of the driver is left: files, directories, keys, group, removal log; the shared entries are
    // as they were before the installation.
    // keptSharedDll: another maker's CAPI 2.0 driver stays registered, and the CAPI 2.0 DLL it uses stays.
    void ExpectRemoved(const SharedEntries& before, bool keptSharedDll = false) const {
        // The running program cannot delete its own file: it goes when the system next starts.
        std::vector<std::string> left = Existing(InstalledFiles());
        const std::string sharedDll = SystemDirectory() + "\\CAPI2032.DLL";
        auto shared = std::find_if(left.begin(), left.end(), [&](const std::string& path) {
            return lstrcmpiA(path.c_str(), sharedDll.c_str()) == 0;
        });
        EXPECT_EQ(shared != left.end(), keptSharedDll) << sharedDll;
        if (shared != left.end())
            left.erase(shared);
        if (left == std::vector<std::string>{kSetupProgram}) {
            EXPECT_TRUE(MarkedForDeletionAtRestart(kSetupProgram));
            left.clear();
        }
        EXPECT_EQ(left, std::vector<std::string>{});
        EXPECT_EQ(Existing(LeftBehindFiles()), std::vector<std::string>{});
        EXPECT_FALSE(FileExists(kInstallDirectory + "\\removed.qzt"));
        EXPECT_FALSE(DirectoryExists(kInstallDirectory + "\\TOOLS"));
        for (const std::string& name : DirectoryEntries(kInstallDirectory))
            EXPECT_TRUE(name == "SETUP.EXE" && MarkedForDeletionAtRestart(kSetupProgram)) << name;
        EXPECT_TRUE(DirectoryExists(SystemDirectory() + "\\drivers"));  // it holds other drivers
        EXPECT_FALSE(RegistryKeyExists(kServiceKey));
        EXPECT_FALSE(RegistryKeyExists(kProgramsEntry));
        EXPECT_EQ(SharedEntries::Now(), before);
        EXPECT_TRUE(WaitFor([] { return !DirectoryExists(ProgramsFolder() + "\\Quorel ISDN"); }));
    }
};

TEST_F(DeinstallationTest, RemovalFromTheInstalledCopyTakesEverythingItPutInPlaceAndEnds) {
    SharedEntries before = SharedEntries::Now();
    Install();
    ASSERT_NE(SharedEntries::Now(), before);

    SetupProcess setup(kInstallDirectory, "/d");
    HWND main = nullptr;
    HWND dialog = OpenDeinstallDialog(setup, &main);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(main, IDC_MAIN_ACTION), English("[DLG_MAIN_DEINSTALL]"));
    EXPECT_EQ(WindowText(dialog), English("[DLG_DEI_CAPTION]"));
    std::string warning = English("[DLG_DEI_WARNING]");
    std::string shown = ControlText(dialog, IDC_DEINSTALL_WARNING);
    EXPECT_EQ(shown.substr(0, warning.find("%s")), warning.substr(0, warning.find("%s")));
    EXPECT_NE(shown.find("Quorel2"), std::string::npos) << shown;
    EXPECT_EQ(ControlText(dialog, IDC_DEINSTALL_START), English("[DLG_DEI_OK]"));
    EXPECT_EQ(ControlText(dialog, IDC_DEINSTALL_CANCEL), English("[BUTTON_CANCEL]"));
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDC_DEINSTALL_CANCEL), GWL_STYLE) & BS_DEFPUSHBUTTON);
    PressButton(dialog, IDC_DEINSTALL_START);
    ASSERT_TRUE(Answer(setup, English("[DLG_DEI_AREYOUSURE]"), IDYES));
    ASSERT_TRUE(Answer(setup, English("[INFO_DEI_DONE]"), IDC_MSG_OK));
    ExpectExit(setup);

    ExpectRemoved(before);
    EXPECT_FALSE(RegistryKeyExists(kCapiTree));
}

// Add/Remove Programs lists the installation and starts the command lines it names as they stand, from
// its own directory: the removal from there takes everything, the entry included.
TEST_F(DeinstallationTest, AddRemoveProgramsListsItAndItsUninstallStringRemovesEverything) {
    SharedEntries before = SharedEntries::Now();
    Install();
    const std::string program = "\"" + kSetupProgram + "\"";
    EXPECT_EQ(RegistryText(kProgramsEntry, "DisplayName"), "Quorel ISDN");
    EXPECT_EQ(RegistryText(kProgramsEntry, "DisplayVersion"), "210");
    EXPECT_EQ(RegistryText(kProgramsEntry, "Publisher"), QUOREL_COMPANY_NAME);
    EXPECT_EQ(RegistryText(kProgramsEntry, "InstallLocation"), kInstallDirectory);
    EXPECT_EQ(RegistryText(kProgramsEntry, "DisplayIcon"), kSetupProgram);
    EXPECT_EQ(RegistryText(kProgramsEntry, "UninstallString"), program + " /d");
    EXPECT_EQ(RegistryText(kProgramsEntry, "QuietUninstallString"), program + " /s /d");
    EXPECT_EQ(RegistryText(kProgramsEntry, "ModifyPath"), program + " /c");
    EXPECT_EQ(RegistryNumber(kProgramsEntry, "NoRepair"), 1u);

    SetupProcess setup(RegisteredCommand{RegistryText(kProgramsEntry, "UninstallString"), SystemDirectory()});
    ASSERT_NO_FATAL_FAILURE(RemoveWith(setup));
    ExpectRemoved(before);
}

TEST_F(DeinstallationTest, TheQuietUninstallStringRemovesEverythingWithoutAWindow) {
    SharedEntries before = SharedEntries::Now();
    Install();
    SetupProcess setup(
        RegisteredCommand{RegistryText(kProgramsEntry, "QuietUninstallString"), SystemDirectory()});
    ASSERT_TRUE(setup.Started());
    DWORD code = 99;
    ASSERT_TRUE(WaitFor(
        [&] {
            EXPECT_TRUE(setup.Windows().empty()) << "a window of the program is visible";
            return setup.WaitForExit(&code, 0);
        },
        kLongWaitMs));
    EXPECT_TRUE(code == 0 || code == 3010) << code;
    ExpectRemoved(before);
}

// Change in Add/Remove Programs opens the configuration, as the group's Configure item does.
TEST_F(DeinstallationTest, TheModifyPathOpensTheConfiguration) {
    Install();
    SetupProcess setup(RegisteredCommand{RegistryText(kProgramsEntry, "ModifyPath"), SystemDirectory()});
    HWND main = setup.SkipIntroToMainDialog(kLongWaitMs);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ControlText(main, IDC_MAIN_ACTION), English("[DLG_MAIN_CONFIG]"));
    PressButton(main, IDC_MAIN_ACTION);
    HWND frame =
        setup.WaitForControls({IDC_CFG_SHOW_ADAPTER, IDC_CFG_SHOW_ADVANCED, IDC_CFG_RESET}, kLongWaitMs);
    ASSERT_NE(frame, nullptr);
    // Left as a person leaves it, so that the next test finds no program of this one running.
    CloseWindowBySystemMenu(frame);
    ASSERT_TRUE(Answer(setup, English("[QUEST_CFG_ABORT]"), IDYES));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
    PressButton(main, IDC_MAIN_EXIT);
    ExpectExit(setup);
}

TEST_F(DeinstallationTest, AnotherMakersCapiEntryAndTheCapiGroupStay) {
    SetRegistryText(kOtherMakersEntry, "Manufacturer", "Other Maker Ltd");
    // The other maker's driver put the group in place when it was installed.
    std::string list;
    for (const std::string& group : Nt4ServiceGroups()) {
        if (group == "NDIS")
            list += std::string("CAPI20") + '\0';
        list += group + '\0';
    }
    list += '\0';
    HKEY order = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGroupOrderKey, 0, KEY_ALL_ACCESS, &order), ERROR_SUCCESS);
    RegSetValueExA(order, "List", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                   static_cast<DWORD>(list.size()));
    RegCloseKey(order);
    SharedEntries before = SharedEntries::Now();
    Install(true);
    ASSERT_EQ(RegistryText("SOFTWARE\\CAPI20\\2", "Manufacturer"), "QZT Velmonic GmbH");

    RemoveCompletely();

    ExpectRemoved(before, true);
    EXPECT_EQ(RegistryText(kOtherMakersEntry, "Manufacturer"), "Other Maker Ltd");
    EXPECT_FALSE(RegistryKeyExists("SOFTWARE\\CAPI20\\2"));
}

// The removal needs of the configuration only the adapter count: a value it does not need, gone behind
// the program's back, keeps no key of the driver from going.
TEST_F(DeinstallationTest, AServiceKeyWithoutDisplayNameIsStillRemoved) {
    SharedEntries before = SharedEntries::Now();
    Install();
    HKEY service = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, KEY_ALL_ACCESS, &service), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(service, "DisplayName"), ERROR_SUCCESS);
    RegCloseKey(service);

    RemoveCompletely();

    ExpectRemoved(before);
    EXPECT_FALSE(RegistryKeyExists(kServiceKey));
}

TEST_F(DeinstallationTest, NoToTheConfirmationChangesNothing) {
    Install();
    SharedEntries installed = SharedEntries::Now();
    std::string backup = RegistryText(kIntegrityKey, "RegistryBackup");

    SetupProcess setup(kInstallDirectory, "/d");
    HWND main = nullptr;
    HWND dialog = OpenDeinstallDialog(setup, &main);
    ASSERT_NE(dialog, nullptr);
    PressButton(dialog, IDC_DEINSTALL_START);
    ASSERT_TRUE(Answer(setup, English("[DLG_DEI_AREYOUSURE]"), IDNO));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(IsWindow(main));
    PressButton(main, IDC_MAIN_EXIT);
    ExpectExit(setup);

    EXPECT_EQ(Existing(InstalledFiles()), InstalledFiles());
    EXPECT_EQ(Existing(LeftBehindFiles()), LeftBehindFiles());
    EXPECT_FALSE(FileExists(kInstallDirectory + "\\removed.qzt"));
    EXPECT_EQ(SharedEntries::Now(), installed);
    EXPECT_EQ(RegistryText(kIntegrityKey, "RegistryBackup"), backup);
    EXPECT_EQ(RegistryText("SOFTWARE\\CAPI20\\1", "Manufacturer"), "QZT Velmonic GmbH");
    EXPECT_TRUE(DirectoryExists(ProgramsFolder() + "\\Quorel ISDN"));
}

TEST_F(DeinstallationTest, FileHeldOpenAndIgnoredLeavesTheRestForASecondRunThatCompletes) {
    SharedEntries before = SharedEntries::Now();
    Install();
    std::string held = kInstallDirectory + "\\TOOLS\\capitest.exe";
    {
        HeldFile file(held);
        ASSERT_TRUE(file.Held());
        SetupProcess setup(kInstallDirectory, "/d");
        HWND main = nullptr;
        HWND dialog = OpenDeinstallDialog(setup, &main);
        ASSERT_NE(dialog, nullptr);
        PressButton(dialog, IDC_DEINSTALL_START);
        ASSERT_TRUE(Answer(setup, English("[DLG_DEI_AREYOUSURE]"), IDYES));
        HWND question = setup.WaitForControls({IDC_ASK_CANCEL, IDC_ASK_RETRY, IDC_ASK_IGNORE}, kLongWaitMs);
        ASSERT_NE(question, nullptr);
        EXPECT_NE(ControlText(question, IDC_ASK_TEXT).find("capitest.exe"), std::string::npos)
            << ControlText(question, IDC_ASK_TEXT);
        PressButton(question, IDC_ASK_IGNORE);
        // No keeps the removal log for the second run.
        ASSERT_TRUE(Answer(setup, English("[ERR_DEI_NOSUCCESS]"), IDC_ASK_NO));
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
        PressButton(main, IDC_MAIN_EXIT);
        ExpectExit(setup);

        // What a second run needs stays: the program, its script and its language files.
        EXPECT_EQ(Existing(InstalledFiles()),
                  (std::vector<std::string>{kSetupProgram, kInstallDirectory + "\\SETUP.QZT",
                                            kInstallDirectory + "\\ENGLISH.LNG",
                                            kInstallDirectory + "\\DEUTSCH.LNG", held}));
        EXPECT_TRUE(FileExists(kInstallDirectory + "\\removed.qzt"));
        EXPECT_TRUE(DirectoryExists(ProgramsFolder() + "\\Quorel ISDN"));
        // The registry goes in the first run all the same.
        EXPECT_FALSE(RegistryKeyExists(kServiceKey));
        EXPECT_FALSE(RegistryKeyExists(kProgramsEntry));
        EXPECT_EQ(SharedEntries::Now(), before);
    }

    RemoveCompletely();
    ExpectRemoved(before);
}

TEST_F(DeinstallationTest, RunEndedFromOutsideBetweenTwoFilesCompletesOnTheSecondRun) {
    SharedEntries before = SharedEntries::Now();
    Install();
    {
        // A file in the middle of the list holds the run at its question, after the files before it.
        HeldFile file(kInstallDirectory + "\\TOOLS\\qtrace.exe");
        ASSERT_TRUE(file.Held());
        SetupProcess setup(kInstallDirectory, "/d");
        HWND main = nullptr;
        HWND dialog = OpenDeinstallDialog(setup, &main);
        ASSERT_NE(dialog, nullptr);
        PressButton(dialog, IDC_DEINSTALL_START);
        ASSERT_TRUE(Answer(setup, English("[DLG_DEI_AREYOUSURE]"), IDYES));
        ASSERT_NE(setup.WaitForControls({IDC_ASK_CANCEL, IDC_ASK_RETRY, IDC_ASK_IGNORE}, kLongWaitMs),
                  nullptr);
        ASSERT_FALSE(FileExists(SystemDirectory() + "\\drivers\\kxbus.sys"));
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, setup.Id());
        ASSERT_NE(process, nullptr);
        EXPECT_TRUE(TerminateProcess(process, 1));
        WaitForSingleObject(process, kLongWaitMs);
        CloseHandle(process);
    }
    EXPECT_TRUE(FileExists(kInstallDirectory + "\\removed.qzt"));
    EXPECT_TRUE(RegistryKeyExists(kServiceKey));

    RemoveCompletely();
    ExpectRemoved(before);
}

// Every file boundary of the sample distribution's removal, one after the other: a run is held at the
// question about one file (held open by another program, so the run stops right after the files before it)
// and ended from outside there; the next run goes on from where the last one was ended and is held at the
// next file. The last run, with nothing held, completes, and the machine is as after an uninterrupted
// removal. Holding a file is what makes the boundary exact: the progress text shows a file only while it
// is on its way, and a process ended on a change of that text could be anywhere in its deletion.
TEST_F(DeinstallationTest, InterruptedAtEveryFileBoundaryTheRemovalCompletesOnTheNextRun) {
    SharedEntries before = SharedEntries::Now();
    Install();
    // The files the removal asks about, in the order it takes them: "[COMPFILES]", then "[ADDFILES]".
    std::string system = SystemDirectory();
    std::vector<std::string> boundaries;
    for (const char* name : {"kxbus.sys", "qdss1.sys", "q1tr6.sys", "qni1.sys", "qdssx31.sys", "qni1x31.sys"})
        boundaries.push_back(system + "\\drivers\\" + name);
    for (const std::string& file :
         {system + "\\CAPI2032.DLL", WindowsDirectory() + "\\system\\dxbridge.exe",
          kInstallDirectory + "\\TOOLS\\qtrace.exe", kInstallDirectory + "\\TOOLS\\capitest.exe"})
        boundaries.push_back(file);
    for (const char* name : {"README.TXT", "LICENSE.TXT", "LIESMICH.TXT", "LIZENZ.TXT"})
        boundaries.push_back(kInstallDirectory + "\\" + name);
    int ended = 0;
    for (const std::string& boundary : boundaries) {
        HeldFile file(boundary);
        ASSERT_TRUE(file.Held()) << boundary << " was taken by a run held at an earlier file";
        SetupProcess setup(kInstallDirectory, "/d");
        HWND main = nullptr;
        HWND dialog = OpenDeinstallDialog(setup, &main);
        ASSERT_NE(dialog, nullptr) << boundary;
        PressButton(dialog, IDC_DEINSTALL_START);
        ASSERT_TRUE(Answer(setup, English("[DLG_DEI_AREYOUSURE]"), IDYES)) << boundary;
        ASSERT_NE(setup.WaitForControls({IDC_ASK_CANCEL, IDC_ASK_RETRY, IDC_ASK_IGNORE}, kLongWaitMs),
                  nullptr)
            << boundary;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, setup.Id());
        ASSERT_NE(process, nullptr);
        EXPECT_TRUE(TerminateProcess(process, 1));
        WaitForSingleObject(process, kLongWaitMs);
        CloseHandle(process);
        ++ended;
        // Ended right at the boundary: the files before it gone, this one still there.
        EXPECT_TRUE(FileExists(boundary));
        if (ended > 1) {
            EXPECT_FALSE(FileExists(boundaries[ended - 2])) << boundary;
        }
    }
    std::cout << "removal ended from outside at " << ended << " of " << boundaries.size()
              << " file boundaries" << std::endl;
    RecordProperty("boundaries", ended);

    RemoveCompletely();
    ExpectRemoved(before);
}

}  // namespace
