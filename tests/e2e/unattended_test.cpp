#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <iostream>
#include <map>

#include "resources/resource_ids.h"
#include "resources/install_ids.h"
#include "distribution_fixture.h"
#include "harness.h"
#include "machine_state.h"
#include "resources/version.h"

namespace {

using namespace e2e;

constexpr int kAction = IDC_MAIN_ACTION, kExit = IDC_MAIN_EXIT, kInstall = IDC_INSTALL_START,
              kMsgOk = IDC_MSG_OK;
constexpr int kLongWaitMs = 60000;
constexpr DWORD kSuccess = 0, kRestartRequired = 3010, kFailed = 1603, kBadCommandLine = 1639;
constexpr DWORD kWrongSystem = 1633, kAnotherRun = 1618;
constexpr DWORD kNoDifference = 0, kDifferences = 1;
const char* const kSessionManagerKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char* const kPendingRenames = "PendingFileRenameOperations";

// Whether the file is to be deleted when the system next starts.
bool MarkedForDeletionAtRestart(const std::string& path) {
    DWORD type = 0;
    std::string pending;
    if (!ReadRegistryValue(kSessionManagerKey, kPendingRenames, &type, &pending))
        return false;
    // Pairs of names, each ended by a zero; an empty second name deletes the first.
    return pending.find("\\??\\" + path + '\0' + '\0') != std::string::npos;
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

// Every value below a key and its subkeys: "subkey\name" -> type and bytes.
void DumpRegistry(HKEY parent, const std::string& path, const std::string& prefix,
                  std::map<std::string, std::string>& values) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name, type = 0;
        BYTE data[4096];
        DWORD dataSize = sizeof data;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        values[prefix + "\\" + name] =
            std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), dataSize);
    }
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        values[prefix + "\\" + name + "\\"] = "key";
        DumpRegistry(key, name, prefix + "\\" + name, values);
    }
    RegCloseKey(key);
}

// The files below a directory: relative path -> bytes.
void DumpFiles(const std::string& directory, const std::string& prefix,
               std::map<std::string, std::string>& files) {
    for (const std::string& name : DirectoryEntries(directory)) {
        std::string path = directory + "\\" + name;
        if (DirectoryExists(path))
            DumpFiles(path, prefix + name + "\\", files);
        else
            files[prefix + name] = ReadFileBytes(path);
    }
}

// What an installation leaves on the machine.
struct MachineSnapshot {
    std::map<std::string, std::string> registry;
    std::map<std::string, std::string> files;
    std::vector<std::string> groupItems;
};

MachineSnapshot TakeSnapshot() {
    MachineSnapshot snapshot;
    DumpRegistry(HKEY_LOCAL_MACHINE, kServiceKey, "Service", snapshot.registry);
    DumpRegistry(HKEY_LOCAL_MACHINE, kCapiTree, "CAPI20", snapshot.registry);
    DWORD type = 0;
    std::string list;
    ReadRegistryValue(kGroupOrderKey, "List", &type, &list);
    snapshot.registry["GroupOrder\\List"] = std::to_string(type) + ":" + list;
    DumpFiles("C:\\Quorel2", "Quorel2\\", snapshot.files);
    for (const char* name : {"kxbus.sys", "qdss1.sys", "q1tr6.sys", "qni1.sys", "qdssx31.sys", "qni1x31.sys"})
        snapshot.files[std::string("drivers\\") + name] =
            ReadFileBytes(SystemDirectory() + "\\drivers\\" + name);
    snapshot.files["CAPI2032.DLL"] = ReadFileBytes(SystemDirectory() + "\\CAPI2032.DLL");
    snapshot.files["dxbridge.exe"] = ReadFileBytes(WindowsDirectory() + "\\system\\dxbridge.exe");
    snapshot.files["AutoExec.NT"] = ReadFileBytes(SystemDirectory() + "\\AutoExec.NT");
    WaitFor([] { return DirectoryExists(ProgramsFolder() + "\\Quorel ISDN"); });
    snapshot.groupItems = DirectoryEntries(ProgramsFolder() + "\\Quorel ISDN");
    return snapshot;
}

// A directory's access list as "SID mask flags" lines, in its order; "no list" for a NULL DACL.
std::vector<std::string> AccessEntries(const std::string& path) {
    DWORD needed = 0;
    GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    BOOL present = FALSE, defaulted = FALSE;
    PACL acl = nullptr;
    if (!needed ||
        !GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, buffer.data(), needed, &needed) ||
        !GetSecurityDescriptorDacl(buffer.data(), &present, &acl, &defaulted))
        return {"unreadable"};
    if (!present || !acl)
        return {"no list"};
    std::vector<std::string> lines;
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        void* ace = nullptr;
        GetAce(acl, i, &ace);
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        char* sid = nullptr;
        ConvertSidToStringSidA(&allowed->SidStart, &sid);
        char line[128];
        snprintf(line, sizeof line, "%d %s %lX %X", allowed->Header.AceType, sid ? sid : "?",
                 static_cast<unsigned long>(allowed->Mask), allowed->Header.AceFlags);
        LocalFree(sid);
        lines.push_back(line);
    }
    return lines;
}

// Gives the directory the list NT 4.0 gives one below a drive's root: Everyone, Full Control.
bool OpenToEveryone(const std::string& path) {
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    return SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, &descriptor) != FALSE;
}

class UnattendedTest : public DistributionFixture {
  protected:
    void SetUp() override {
        DistributionFixture::SetUp();
        report_ = dir_ + "\\report.log";
    }
    void TearDown() override {
        ForgetPendingDeletions();
        DistributionFixture::TearDown();
    }
    // A text as a report line holds it: its line breaks as blanks.
    std::string EnglishLine(const std::string& key) const {
        std::string text = English(key);
        for (char& c : text)
            if (c == '\n')
                c = ' ';
        return text;
    }

    // Runs SETUP.EXE with the switches and waits for its end; fails the test when one of its windows shows.
    DWORD RunSilently(const std::string& arguments) const { return RunSilentlyIn(dir_, arguments); }
    DWORD RunSilentlyIn(const std::string& directory, const std::string& arguments) const {
        SetupProcess setup(directory, arguments);
        EXPECT_TRUE(setup.Started());
        DWORD code = 99;
        bool ended = WaitFor(
            [&] {
                EXPECT_TRUE(setup.Windows().empty()) << "a window of the program is visible";
                return setup.WaitForExit(&code, 0);
            },
            kLongWaitMs);
        EXPECT_TRUE(ended) << "SETUP.EXE " << arguments << " did not end";
        return code;
    }

    // The interactive installation with every default, as a person makes it.
    void InstallInteractively(const std::string& arguments = "") const {
        SetupProcess setup(dir_, arguments);
        HWND main = setup.SkipIntroToMainDialog();
        ASSERT_TRUE(main);
        PressButton(main, kAction);
        HWND install = setup.WaitForControls({IDC_INSTALL_SOURCE, IDC_INSTALL_DESTINATION,
                                              IDC_INSTALL_CHANGE_SOURCE, IDC_INSTALL_CHANGE_DESTINATION});
        ASSERT_TRUE(install);
        PressButton(install, kInstall);
        HWND done = setup.WaitForText(English("[INFO_INS_DONE]"), kLongWaitMs);
        ASSERT_TRUE(done);
        PressButton(done, kMsgOk);
        ASSERT_TRUE(
            WaitFor([&] { return ControlText(main, kAction) == English("[DLG_MAIN_CONFIG]"); }, kLongWaitMs));
        PressButton(main, kExit);
        HWND restart = setup.WaitForText(English("[QUEST_RESTARTSYSTEM]"));
        ASSERT_TRUE(restart);
        PressButton(restart, IDOK);
        DWORD code = 99;
        ASSERT_TRUE(setup.WaitForExit(&code));
    }

    bool NothingInstalled() const {
        return !RegistryKeyExists(kServiceKey) && !RegistryKeyExists("SOFTWARE\\CAPI20\\1") &&
               !DirectoryExists("C:\\Quorel2") &&
               ReadFileBytes(SystemDirectory() + "\\AutoExec.NT") == StockAutoexec() &&
               MultiStrings(kGroupOrderKey, "List") == Nt4ServiceGroups();
    }

    // The report as written so far.
    std::string Report() const { return ReadFileBytes(report_); }

    std::string report_;
};

TEST_F(UnattendedTest, SilentInstallationMakesWhatTheInteractiveOneMakesWithoutAWindow) {
    InstallInteractively();
    MachineSnapshot interactive = TakeSnapshot();
    ASSERT_FALSE(interactive.registry.empty());
    PrepareNt4Machine();
    ASSERT_TRUE(NothingInstalled());

    EXPECT_EQ(RunSilently("/s /r" + report_), kRestartRequired);
    MachineSnapshot silent = TakeSnapshot();
    EXPECT_EQ(silent.registry, interactive.registry);
    EXPECT_EQ(silent.groupItems, interactive.groupItems);
    ASSERT_EQ(silent.files.size(), interactive.files.size());
    for (const auto& file : interactive.files)
        EXPECT_TRUE(silent.files[file.first] == file.second) << file.first;

    std::string report = ReadFileBytes(report_);
    // A report line holds a message whole, its line breaks as blanks.
    std::string done = English("[INFO_INS_DONE]");
    for (char& c : done)
        if (c == '\n')
            c = ' ';
    EXPECT_NE(report.find(" " + done + "\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Registry: HKLM\\SYSTEM\\CurrentControlSet\\Services\\Quorel: Start = 1\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("Exit code 3010\r\n"), std::string::npos);
}

// A report also records what an interactive run shows last: the notice that the system must restart.
TEST_F(UnattendedTest, AnInteractiveRunWithAReportRecordsTheRestartNotice) {
    InstallInteractively("/r" + report_);
    EXPECT_NE(Report().find(" " + EnglishLine("[QUEST_RESTARTSYSTEM]") + "\r\n"), std::string::npos)
        << Report();
}

TEST_F(UnattendedTest, AMissingDriverFileFailsNamingItAndRegistersNothing) {
    std::string missing = dir_ + "\\DRIVER\\QNI1.SY_";
    ASSERT_TRUE(DeleteFileA(missing.c_str()));
    EXPECT_EQ(RunSilently("/s /r\"" + report_ + "\""), kFailed);
    EXPECT_FALSE(RegistryKeyExists(kServiceKey));
    EXPECT_FALSE(RegistryKeyExists("SOFTWARE\\CAPI20\\1"));
    EXPECT_EQ(MultiStrings(kGroupOrderKey, "List"), Nt4ServiceGroups());
    EXPECT_EQ(ReadFileBytes(SystemDirectory() + "\\AutoExec.NT"), StockAutoexec());
    std::string report = ReadFileBytes(report_);
    EXPECT_NE(report.find(missing), std::string::npos) << report;
    EXPECT_NE(report.find("Exit code 1603\r\n"), std::string::npos) << report;
}

// The default protocol's driver as a 32-bit Windows needs it, on the 64-bit Windows this program runs on
// here: a driver that could never load is not installed. The image is given uncompressed, which an
// installation takes as it stands.
TEST_F(UnattendedTest, ADriverForAnotherProcessorIsRefusedBeforeAnythingChanges) {
    std::string image = ReadFileBytes(std::string(QUOREL_SAMPLE_ORIGINALS_DIR) + "\\qdss1.sys");
    ASSERT_GT(image.size(), 0x100u);
    size_t pe = static_cast<unsigned char>(image[0x3C]) | static_cast<unsigned char>(image[0x3D]) << 8;
    ASSERT_EQ(image.substr(pe, 6), std::string("PE\0\0\x64\x86", 6)) << "the test build's images are x64";
    image[pe + 4] = '\x4C';
    image[pe + 5] = '\x01';
    WriteFileBytes(dir_ + "\\DRIVER\\QDSS1.SY_", image);

    EXPECT_EQ(RunSilently("/s /r" + report_), kWrongSystem);
    EXPECT_TRUE(NothingInstalled());
    std::string report = Report();
    std::string refusal = EnglishLine("[ERR_WRONGPROCESSOR]");
    ASSERT_NE(refusal.find("%s"), std::string::npos);
    refusal.replace(refusal.find("%s"), 2, "32-bit Windows (i386)");
    refusal.replace(refusal.find("%s"), 2, "64-bit");
    EXPECT_NE(report.find(refusal), std::string::npos) << report;
    EXPECT_NE(report.find("Exit code 1633\r\n"), std::string::npos) << report;
}

// Another run holds the machine's claim (here the test itself, under the program's mutex name): a second
// run changes nothing and ends with the code the deployment tools know for it.
TEST_F(UnattendedTest, ASecondRunWhileOneIsGoingOnEndsAtOnce) {
    HANDLE other = CreateMutexA(nullptr, FALSE, "Global\\QuorelSetupRun");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(RunSilently("/s /r" + report_), kAnotherRun);
    CloseHandle(other);
    EXPECT_TRUE(NothingInstalled());
    std::string report = Report();
    EXPECT_NE(report.find(EnglishLine("[ERR_ALREADYRUNNING]")), std::string::npos) << report;
    EXPECT_NE(report.find("Exit code 1618\r\n"), std::string::npos) << report;
    // Once the other run has ended, the program runs.
    EXPECT_EQ(RunSilently("/s"), kRestartRequired);
}

// As the README's start-up script starts it: from the script's own directory, with the answer file and
// the report named relative to it. The program still installs from its own directory.
TEST_F(UnattendedTest, StartedFromAnotherDirectoryItInstallsFromItsOwn) {
    std::string caller = dir_ + "\\caller";
    ASSERT_TRUE(CreateDirectoryA(caller.c_str(), nullptr));
    WriteFileBytes(caller + "\\answers.ini", "[Setup]\r\nLanguage=English\r\n");
    DWORD code = 99;
    {
        SetupProcess setup(dir_, "/aanswers.ini /rreport.log", caller);
        ASSERT_TRUE(setup.Started());
        ASSERT_TRUE(setup.WaitForExit(&code, kLongWaitMs));
    }
    std::string report = ReadFileBytes(caller + "\\report.log");
    EXPECT_EQ(code, kRestartRequired) << report;
    EXPECT_NE(report.find("Installation from " + dir_), std::string::npos) << report;
    EXPECT_TRUE(RegistryKeyExists(kServiceKey));
    EXPECT_TRUE(FileExists("C:\\Quorel2\\SETUP.QZT"));
}

// 64-bit Windows has no AUTOEXEC.NT; its installation and removal leave that step out and say so.
TEST_F(UnattendedTest, On64BitWindowsWithoutAutoexecTheStepIsLeftOutAndReported) {
    std::string autoexec = SystemDirectory() + "\\AutoExec.NT";
    ASSERT_TRUE(DeleteFileA(autoexec.c_str()));
    EXPECT_EQ(RunSilently("/s /r" + report_), kRestartRequired);
    EXPECT_TRUE(RegistryKeyExists(kServiceKey));
    EXPECT_EQ(RunSilentlyIn("C:\\Quorel2", "/s /d /r" + report_), kRestartRequired);
    EXPECT_FALSE(RegistryKeyExists(kServiceKey));
    EXPECT_EQ(GetFileAttributesA(autoexec.c_str()), INVALID_FILE_ATTRIBUTES);
    std::string report = Report();
    std::string leftOut = autoexec + ": none on 64-bit Windows (no MS-DOS subsystem), step left out";
    size_t first = report.find(leftOut);
    EXPECT_NE(first, std::string::npos) << report;
    EXPECT_NE(report.find(leftOut, first + 1), std::string::npos) << "the removal's line: " << report;
}

TEST_F(UnattendedTest, AnAnswerFileWithABadKeyChangesNothing) {
    std::string answers = dir_ + "\\answers.ini";
    WriteFileBytes(answers, "[Setup]\r\nOverwriteNewer=Never\r\nDestinaton=C:\\Elsewhere\r\n");
    EXPECT_EQ(RunSilently("/a" + answers + " /r" + report_), kBadCommandLine);
    EXPECT_TRUE(NothingInstalled());
    EXPECT_FALSE(DirectoryExists("C:\\Elsewhere"));
    std::string report = ReadFileBytes(report_);
    EXPECT_NE(report.find("line 3, Destinaton: unknown key in [Setup]"), std::string::npos) << report;
    EXPECT_NE(report.find("Exit code 1639\r\n"), std::string::npos) << report;
}

// The report is named by the caller, maybe in a directory others can write: a name planted there as a
// second name of another file must not lead the administrator's run to write into that file.
TEST_F(UnattendedTest, AReportFileThatIsAHardLinkIsRefusedAndTheOtherFileStaysAsItWas) {
    std::string other = dir_ + "\\other.txt";
    WriteFileBytes(other, "someone else's file");
    ASSERT_TRUE(CreateHardLinkA(report_.c_str(), other.c_str(), nullptr));
    EXPECT_EQ(RunSilently("/s /r" + report_), kBadCommandLine);
    EXPECT_EQ(ReadFileBytes(other), "someone else's file");
    EXPECT_TRUE(NothingInstalled());
}

// What the configuration dialog would not take is refused before anything changes, and a mistyped
// password line is not written into the report.
TEST_F(UnattendedTest, AnswerFilesWithWhatTheDialogRefusesChangeNothing) {
    struct Case {
        std::string answers;
        std::string reported;
    } cases[] = {
        {"[Driver]\r\nProtocol=National ISDN-1\r\n[Adapter1]\r\nSPID=12;34\r\n",
         "line 4, SPID: an SPID cannot hold ';'"},
        {"[Maintenance]\r\nCallingNumber1=1\t2\r\n",
         "line 2, CallingNumber1: a party number cannot hold ';' or a tab"},
        {"[Maintenance]\r\nUsername=service\r\nPassword Qzt-secret\r\n", "line 3, not a key=value line"},
        {"[Driver]\r\nProtocol=DSS1 (Euro-ISDN)\r\n[Adapter1]\r\nSPID=1234\r\n",
         "line 4, SPID: has no effect: the protocol DSS1 (Euro-ISDN) takes no SPID"},
    };
    std::string answers = dir_ + "\\answers.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reported);
        WriteFileBytes(answers, c.answers);
        DeleteFileA(report_.c_str());
        EXPECT_EQ(RunSilently("/a" + answers + " /r" + report_), kBadCommandLine);
        EXPECT_TRUE(NothingInstalled());
        std::string report = Report();
        EXPECT_NE(report.find(c.reported), std::string::npos) << report;
        EXPECT_EQ(report.find("Qzt-secret"), std::string::npos) << report;
    }
}

// A destination with a blank, quoted as deployment tools write it; a maintenance adapter that only the
// installed configuration has, checked against it when no adapter count is given.
TEST_F(UnattendedTest, AQuotedDestinationAndAccessToTheSecondOfTwoInstalledAdapters) {
    const std::string destination = "C:\\Program Files\\Q";
    std::string answers = dir_ + "\\answers.ini";
    WriteFileBytes(answers, "[Setup]\r\nDestination=\"" + destination + "\"\r\n[Driver]\r\nAdapters=2\r\n");
    ASSERT_EQ(RunSilently("/a" + answers + " /r" + report_), kRestartRequired) << Report();
    EXPECT_TRUE(FileExists(destination + "\\SETUP.QZT"));

    WriteFileBytes(answers, "[Maintenance]\r\nAccess=2\r\n");
    EXPECT_EQ(RunSilentlyIn(destination, "/a" + answers + " /c /r" + report_), kRestartRequired) << Report();
    const std::string maintenance = std::string(kParametersKey) + "\\Maintenance";
    EXPECT_EQ(RegistryNumber(maintenance, "Controller"), 2u);

    WriteFileBytes(answers, "[Maintenance]\r\nAccess=3\r\n");
    EXPECT_EQ(RunSilentlyIn(destination, "/a" + answers + " /c /r" + report_), kFailed);
    EXPECT_NE(Report().find("Access: adapter 3 is not in use (2 in use)"), std::string::npos) << Report();
    EXPECT_EQ(RegistryNumber(maintenance, "Controller"), 2u);
    DeleteTree(destination);
}

// The installed script is as writable as the installation directory: a removal by a script that names a
// directory outside the installation deletes nothing and says where the name stands.
TEST_F(UnattendedTest, ARemovalByATamperedScriptDeletesNothingOutsideAndNamesTheLine) {
    ASSERT_EQ(RunSilently("/s"), kRestartRequired);
    std::string script = ReadFileBytes("C:\\Quorel2\\SETUP.QZT");
    size_t tools = script.find("[DELETEADDFILES]\r\n2\r\n2\r\nTOOLS\r\n");
    ASSERT_NE(tools, std::string::npos);
    script.replace(script.find("TOOLS", tools), 5, "..\\victim");
    WriteFileBytes("C:\\Quorel2\\SETUP.QZT", script);
    CreateDirectoryA("C:\\victim", nullptr);
    WriteFileBytes("C:\\victim\\QTRACE.INI", "not the driver's");

    EXPECT_EQ(RunSilentlyIn("C:\\Quorel2", "/s /d /r" + report_), kFailed);
    EXPECT_EQ(ReadFileBytes("C:\\victim\\QTRACE.INI"), "not the driver's");
    EXPECT_TRUE(RegistryKeyExists(kServiceKey));
    EXPECT_TRUE(FileExists(SystemDirectory() + "\\CAPI2032.DLL"));
    std::string report = Report();
    EXPECT_NE(report.find("([DELETEADDFILES], line "), std::string::npos) << report;
    EXPECT_NE(report.find("..\\victim"), std::string::npos) << report;
    DeleteTree("C:\\victim");
}

// The Configure and Remove items start SETUP.EXE from the installation directory with an administrator's
// rights: the directory the installation makes lets everybody else only read and run, and an existing one
// that others can change is used as chosen and reported. Wine keeps an access list only as far as Unix mode
// bits hold it (owner, SYSTEM and Everyone come back, Administrators does not): the whole list the program
// sets is proven natively (DirectoryAccessTest); here the Everyone entry that reaches the file system.
TEST_F(UnattendedTest, InstallationDirectoryLetsEveryoneOnlyReadAndRunAsFarAsWineKeepsAccessLists) {
    ASSERT_EQ(RunSilently("/s /r" + report_), kRestartRequired);
    std::vector<std::string> entries = AccessEntries("C:\\Quorel2");
    EXPECT_NE(std::find(entries.begin(), entries.end(), "0 S-1-1-0 1200A9 3"), entries.end())
        << ::testing::PrintToString(entries);
    for (const std::string& entry : entries)
        EXPECT_TRUE(entry.find(" S-1-1-0 ") == std::string::npos || entry == "0 S-1-1-0 1200A9 3") << entry;
    EXPECT_NE(Report().find("C:\\Quorel2: made; Administrators and SYSTEM may change it"), std::string::npos)
        << Report();

    const std::string open = "C:\\Open";
    ASSERT_TRUE(CreateDirectoryA(open.c_str(), nullptr));
    ASSERT_TRUE(OpenToEveryone(open));
    std::vector<std::string> openEntries = AccessEntries(open);
    std::string answers = dir_ + "\\answers.ini";
    WriteFileBytes(answers, "[Setup]\r\nDestination=" + open + "\r\n");
    EXPECT_EQ(RunSilently("/a" + answers + " /r" + report_), kRestartRequired);
    EXPECT_EQ(AccessEntries(open), openEntries);
    EXPECT_NE(Report().find(open + ": others than the administrators can change this directory"),
              std::string::npos)
        << Report();
    DeleteTree(open);
}

TEST_F(UnattendedTest, AnAnswerFileChoosesTheDestination) {
    std::string answers = dir_ + "\\my answers.ini";
    WriteFileBytes(answers,
                   "; roll-out\r\n[Setup]\r\nDestination=C:\\Drivers\\Quorel\r\nLanguage=Deutsch\r\n");
    EXPECT_EQ(RunSilently("/a\"" + answers + "\""), kRestartRequired);
    EXPECT_EQ(ReadFileBytes("C:\\Drivers\\Quorel\\SETUP.QZT"), ReadFileBytes(dir_ + "\\SETUP.QZT"));
    EXPECT_FALSE(DirectoryExists("C:\\Quorel2"));
    EXPECT_EQ(RegistryText(kServiceKey, "ImagePath"), "\\SystemRoot\\System32\\drivers\\qdss1.sys");
    DeleteTree("C:\\Drivers");
}

TEST_F(UnattendedTest, AnswerFileWithTwoAdaptersAndAnotherProtocolWritesThatConfiguration) {
    std::string answers = dir_ + "\\answers.ini";
    WriteFileBytes(answers,
                   "[Driver]\r\nProtocol=1TR6 (German national ISDN)\r\nAdapters=2\r\nStart=Demand\r\n"
                   "[Adapter1]\r\nBaseAddress=300\r\nInterrupt=5\r\n"
                   "[Adapter2]\r\nBaseAddress=340\r\nInterrupt=7\r\n");
    EXPECT_EQ(RunSilently("/a" + answers + " /r" + report_), kRestartRequired);
    EXPECT_EQ(RegistryText(kServiceKey, "ImagePath"), "\\SystemRoot\\System32\\drivers\\q1tr6.sys");
    EXPECT_EQ(RegistryNumber(kServiceKey, "Start"), 3u);
    EXPECT_EQ(RegistryNumber("SOFTWARE\\CAPI20\\1", "NumberOfControllers"), 2u);
    EXPECT_TRUE(RegistryKeyExists("SOFTWARE\\CAPI20\\1\\1"));
    EXPECT_TRUE(RegistryKeyExists("SOFTWARE\\CAPI20\\1\\2"));
    EXPECT_FALSE(RegistryKeyExists("SOFTWARE\\CAPI20\\1\\3"));
    std::string adapter1 = std::string(kParametersKey) + "\\Adapter01";
    std::string adapter2 = std::string(kParametersKey) + "\\Adapter02";
    EXPECT_EQ(RegistryNumber(adapter1, "BaseAddress"), 0x300u);
    EXPECT_EQ(RegistryNumber(adapter1, "Interrupt"), 5u);
    EXPECT_EQ(RegistryNumber(adapter2, "BaseAddress"), 0x340u);
    EXPECT_EQ(RegistryNumber(adapter2, "Interrupt"), 7u);
    EXPECT_FALSE(RegistryKeyExists(std::string(kParametersKey) + "\\Adapter03"));
    // The backup holds the new configuration: a verification finds nothing to report.
    EXPECT_EQ(RunSilently("/v /r" + report_), kNoDifference);
    EXPECT_NE(Report().find("Verification: 0 difference(s)\r\n"), std::string::npos) << Report();

    // The same settings again on the installed configuration: the configuration alone is written.
    WriteFileBytes(answers, "[Adapter2]\r\nInterrupt=9\r\n");
    EXPECT_EQ(RunSilentlyIn("C:\\Quorel2", "/a" + answers + " /c /r" + report_), kRestartRequired);
    EXPECT_EQ(RegistryNumber(adapter2, "Interrupt"), 9u);
    EXPECT_EQ(RegistryNumber(adapter1, "BaseAddress"), 0x300u);
    EXPECT_EQ(RegistryText(kServiceKey, "ImagePath"), "\\SystemRoot\\System32\\drivers\\q1tr6.sys");
    EXPECT_EQ(RunSilently("/v /r" + report_), kNoDifference);
}

TEST_F(UnattendedTest, SilentRemovalFromTheInstallationDirectoryRemovesEverything) {
    ASSERT_EQ(RunSilently("/s"), kRestartRequired);
    ASSERT_TRUE(RegistryKeyExists(kServiceKey));
    DWORD code = RunSilentlyIn("C:\\Quorel2", "/s /d /r" + report_);
    // The running program cannot always delete its own file: then the system deletes it at the next start,
    // and only that start finishes the removal.
    bool programLeft = FileExists("C:\\Quorel2\\SETUP.EXE");
    EXPECT_EQ(code, programLeft ? kRestartRequired : kSuccess) << Report();
    if (programLeft) {
        EXPECT_TRUE(MarkedForDeletionAtRestart("C:\\Quorel2\\SETUP.EXE"));
    }
    std::cout << "[          ] /s /d ended with " << code
              << (programLeft ? ": SETUP.EXE is deleted at the next start" : ": SETUP.EXE deleted") << "\n";
    for (const std::string& name : DirectoryEntries("C:\\Quorel2"))
        EXPECT_TRUE(name == "SETUP.EXE" && programLeft) << name;
    EXPECT_FALSE(RegistryKeyExists(kServiceKey));
    EXPECT_FALSE(RegistryKeyExists("SOFTWARE\\CAPI20\\1"));
    EXPECT_EQ(ReadFileBytes(SystemDirectory() + "\\AutoExec.NT"), StockAutoexec());
    EXPECT_EQ(MultiStrings(kGroupOrderKey, "List"), Nt4ServiceGroups());
    for (const char* name : {"kxbus.sys", "qdss1.sys", "q1tr6.sys", "qni1.sys", "qdssx31.sys", "qni1x31.sys"})
        EXPECT_FALSE(FileExists(SystemDirectory() + "\\drivers\\" + name)) << name;
    EXPECT_FALSE(FileExists(SystemDirectory() + "\\CAPI2032.DLL"));
    EXPECT_TRUE(WaitFor([] { return !DirectoryExists(ProgramsFolder() + "\\Quorel ISDN"); }));
    std::string report = Report();
    EXPECT_NE(report.find(EnglishLine("[DLG_DEI_AREYOUSURE]") + " -> "), std::string::npos) << report;
    EXPECT_NE(report.find("Exit code " + std::to_string(code) + "\r\n"), std::string::npos) << report;
}

TEST_F(UnattendedTest, VerificationReportsAValueChangedBehindTheProgramsBack) {
    ASSERT_EQ(RunSilently("/s"), kRestartRequired);
    EXPECT_EQ(RunSilently("/v /r" + report_), kNoDifference);
    EXPECT_NE(Report().find("Verification: 0 difference(s)\r\n"), std::string::npos) << Report();
    EXPECT_NE(Report().find("Exit code 0\r\n"), std::string::npos) << Report();

    ASSERT_TRUE(SetRegistryNumber(kServiceKey, "Start", 3));
    std::string changedFile = SystemDirectory() + "\\drivers\\qdss1.sys";
    WriteFileBytes(changedFile, "no version record");
    EXPECT_EQ(RunSilently("/v /r" + report_), kDifferences);
    std::string report = Report();
    EXPECT_NE(report.find("Verification: Start: registry 3, backup 1\r\n"), std::string::npos) << report;
    EXPECT_NE(
        report.find("qdss1.sys: installed " + EnglishLine("[TEXT_UNKNOWNVERSION]") + ", distribution v"),
        std::string::npos)
        << report;
    EXPECT_NE(report.find("Exit code 1\r\n"), std::string::npos) << report;
    // Nothing was changed.
    EXPECT_EQ(RegistryNumber(kServiceKey, "Start"), 3u);
    EXPECT_EQ(ReadFileBytes(changedFile), "no version record");
}

TEST(VersionResourceTest, SetupExeNamesItsVersionAndMaker) {
    std::string program = DistDirectory() + "\\SETUP.EXE";
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(program.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS,
              static_cast<DWORD>(MAKELONG(QUOREL_VERSION_MINOR, QUOREL_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS,
              static_cast<DWORD>(MAKELONG(QUOREL_VERSION_BUILD, QUOREL_VERSION_PATCH)));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    struct Entry {
        const char* name;
        const char* text;
    } entries[] = {
        {"CompanyName", QUOREL_COMPANY_NAME}, {"FileDescription", QUOREL_FILE_DESCRIPTION},
        {"FileVersion", QUOREL_VERSION_TEXT}, {"ProductVersion", QUOREL_VERSION_TEXT},
        {"ProductName", QUOREL_PRODUCT_NAME}, {"OriginalFilename", "SETUP.EXE"},
    };
    for (const Entry& entry : entries) {
        char* text = nullptr;
        std::string query = std::string("\\StringFileInfo\\040904E4\\") + entry.name;
        ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
            << entry.name;
        EXPECT_STREQ(text, entry.text) << entry.name;
    }
}

}  // namespace
