#include <gtest/gtest.h>

#include <functional>

#include "setupfiles/setup_info_file.h"
#include "shell/app_context.h"
#include "test_support.h"

namespace {

class SetupInfoFileTest : public SetupFixture {
  protected:
    void Script(const std::vector<std::string>& lines) { WriteFile("SETUP.QZT", CrLf(lines)); }
    std::string File() const { return Dir() + "\\SETUP.QZT"; }
    SetupInfoFile Read() const { return SetupInfoFile::Read(File()); }
    std::vector<ProtocolEntry> Protocols() const { return Read().ReadProtocolEntries(); }

    const std::vector<std::string> kProtocols = {
        "[PROTOCOL]", "3", "DSS1",        "qdss1.sys", "0",   "National ISDN",
        "qni1.sys",   "1", "X.31 packet", "qx31.sys",  "0x2",
    };
};

TEST_F(SetupInfoFileTest, OsSectionNamesThePlatform) {
    struct Case {
        std::vector<std::string> lines;
        int id;
    } cases[] = {
        {{"[OS]", "!OS_WINDOWS_NT"}, 2},
        {{"junk", "[OS]", "!OS_WINDOWS_95"}, 1},
        {{"[OS]", "!OS_WINDOWS_16"}, 0},
        {{"[OS]", "!os_windows_nt"}, 0},  // keywords are compared case included
        {{"[os]", "!OS_WINDOWS_NT"}, 0},
        {{"[VERSION]", "3"}, 0},
    };
    for (const Case& c : cases) {
        Script(c.lines);
        SetupInfoFile script = Read();
        EXPECT_TRUE(script.IsRead()) << c.lines.back();
        EXPECT_EQ(script.ReadOsSection(), c.id) << c.lines.back();
    }
    std::remove(PathOf("SETUP.QZT").c_str());
    SetupInfoFile missing = Read();
    EXPECT_FALSE(missing.IsRead());
    EXPECT_EQ(missing.ReadOsSection(), 0);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(SetupInfoFileTest, MaintenanceSectionFillsTheDefaults) {
    Script({"[MAINTENANCE]", "!MAINTENANCE_DEFAULT", "7", "2", "admin", "secret", "1", "0301234", "2", "111",
            "222"});
    MaintenanceDefaults record;
    ASSERT_TRUE(Read().ReadMaintenanceSection(record));
    EXPECT_EQ(record.Mode, kMaintenanceDefault);
    EXPECT_EQ(record.cipValue, 7);
    EXPECT_EQ(record.Controller, 2);
    EXPECT_EQ(record.username, "admin");
    EXPECT_EQ(record.password, "secret");
    EXPECT_EQ(record.CDPN, (std::vector<std::string>{"0301234"}));
    EXPECT_EQ(record.CGPN, (std::vector<std::string>{"111", "222"}));
}

TEST_F(SetupInfoFileTest, MaintenanceOffReadsNothingMoreAndTwoSectionsOverwrite) {
    MaintenanceDefaults record;
    record.username = "kept";
    record.Mode = kMaintenanceFull;
    Script({"[MAINTENANCE]", "!MAINTENANCE_OFF", "9", "9", "other"});
    ASSERT_TRUE(Read().ReadMaintenanceSection(record));
    EXPECT_EQ(record.Mode, kMaintenanceOff);
    EXPECT_EQ(record.username, "kept");
    EXPECT_EQ(record.cipValue, 0);

    Script({"[MAINTENANCE]", "!MAINTENANCE_FULL", "1", "1", "first", "pw1", "0", "0", "[MAINTENANCE]",
            "!MAINTENANCE_DEFAULT_INVISIBLE", "2", "3", "second", "pw2", "0", "1", "555"});
    MaintenanceDefaults twice;
    Read().ReadMaintenanceSection(twice);
    EXPECT_EQ(twice.Mode, kMaintenanceDefaultInvisible);
    EXPECT_EQ(twice.username, "second");
    EXPECT_EQ(twice.CGPN, (std::vector<std::string>{"555"}));

    // The first section switching maintenance off ends the scan: the second is not read.
    Script({"[MAINTENANCE]", "!MAINTENANCE_OFF", "[MAINTENANCE]", "!MAINTENANCE_FULL", "4", "4", "late", "x",
            "0", "0"});
    MaintenanceDefaults off;
    Read().ReadMaintenanceSection(off);
    EXPECT_EQ(off.Mode, kMaintenanceOff);
    EXPECT_EQ(off.username, "");

    // An unknown mode line keeps the mode the caller passed.
    Script({"[MAINTENANCE]", "!MAINTENANCE_SOMETIMES", "5", "0", "u", "p", "0", "0"});
    MaintenanceDefaults unknown;
    unknown.Mode = kMaintenanceDefault;
    Read().ReadMaintenanceSection(unknown);
    EXPECT_EQ(unknown.Mode, kMaintenanceDefault);
    EXPECT_EQ(unknown.cipValue, 5);

    Script({"[OS]", "!OS_WINDOWS_NT"});
    EXPECT_FALSE(Read().ReadMaintenanceSection(unknown));
}

TEST_F(SetupInfoFileTest, MaintenanceCountsAboveCapacityKeepWhatFits) {
    std::vector<std::string> lines = {
        "[MAINTENANCE]", "!MAINTENANCE_FULL", "1", "0", std::string(200, 'u'), "p", "3", "a", "b", "c", "12"};
    for (int i = 0; i < 12; ++i) lines.push_back(std::string(60, static_cast<char>('0' + i % 10)));
    lines.push_back("[VERSION]");
    Script(lines);
    MaintenanceDefaults record;
    Read().ReadMaintenanceSection(record);
    EXPECT_EQ(record.username, std::string(78, 'u'));
    EXPECT_EQ(record.CDPN, (std::vector<std::string>{"a"}));
    ASSERT_EQ(record.CGPN.size(), 8u);
    EXPECT_EQ(record.CGPN[7], std::string(39, '7'));
}

TEST_F(SetupInfoFileTest, SingleLineSections) {
    Script({"[CURRENTCAPIDLL]", "CAPI2032.DLL", "[VERSION]", "  210", "[DEFPROTOCOL]", "DSS1"});
    std::string dll, protocol;
    SetupInfoFile script = Read();
    EXPECT_TRUE(script.ReadCurrentCapiDll(dll));
    EXPECT_EQ(dll, "CAPI2032.DLL");
    EXPECT_EQ(script.ReadScriptVersion(), 210u);
    EXPECT_TRUE(script.ReadDefaultProtocol(protocol));
    EXPECT_EQ(protocol, "DSS1");
    SetupInfoFile nowhere = SetupInfoFile::Read(Dir() + "\\nowhere\\SETUP.QZT");
    EXPECT_FALSE(nowhere.IsRead());
    EXPECT_EQ(nowhere.ReadScriptVersion(), 0u);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(SetupInfoFileTest, ProtocolLookups) {
    Script(kProtocols);
    std::string image;
    EXPECT_TRUE(AnyProtocolNeedsSpid(Protocols()));
    EXPECT_EQ(FindProtocolIndexByImage(Protocols(), "\\SystemRoot\\System32\\drivers\\QNI1.SYS"), 1u);
    EXPECT_EQ(FindProtocolIndexByImage(Protocols(), "\\SystemRoot\\System32\\drivers\\other.sys"),
              kNoProtocolIndex);
    // The prefix is never compared, only cut off.
    EXPECT_EQ(FindProtocolIndexByImage(Protocols(), "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXqx31.sys"), 2u);
    EXPECT_EQ(FindProtocolIndexByImage(Protocols(), "qx31.sys"), kNoProtocolIndex);
    EXPECT_TRUE(FindNewImagePath(Protocols(), "National ISDN", image));
    EXPECT_EQ(image, "\\SystemRoot\\System32\\drivers\\qni1.sys");
    EXPECT_FALSE(FindNewImagePath(Protocols(), "national isdn", image));  // names match case included
    EXPECT_EQ(FindProtocolCode(Protocols(), "x.31 PACKET"), 2u);
    EXPECT_EQ(FindProtocolCode(Protocols(), "\\SystemRoot\\System32\\drivers\\QX31.SYS"), 2u);
    EXPECT_EQ(FindProtocolCode(Protocols(), "unknown"), 0u);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(SetupInfoFileTest, NoProtocolsGiveTheNothingValues) {
    for (auto lines :
         {std::vector<std::string>{"[PROTOCOL]", "0"}, std::vector<std::string>{"[OS]", "!OS_WINDOWS_NT"}}) {
        Script(lines);
        std::string image = "unchanged";
        EXPECT_FALSE(AnyProtocolNeedsSpid(Protocols()));
        EXPECT_EQ(FindProtocolIndexByImage(Protocols(), "\\SystemRoot\\System32\\drivers\\qdss1.sys"),
                  kNoProtocolIndex);
        EXPECT_EQ(FindProtocolCode(Protocols(), "DSS1"), 0u);
        EXPECT_FALSE(FindNewImagePath(Protocols(), "DSS1", image));
        EXPECT_EQ(image, "unchanged");
    }
    EXPECT_TRUE(Shown().empty());
}

// Every section of a file that could not be read is missing; the reader shows nothing, its caller tells the
// user.
void ExpectNothingRead(const SetupInfoFile& script) {
    EXPECT_FALSE(script.IsRead());
    std::string text = "kept";
    MaintenanceDefaults record;
    record.username = "kept";
    NameOutside outside;
    EXPECT_EQ(script.ReadOsSection(), 0);
    EXPECT_FALSE(script.ReadMaintenanceSection(record));
    EXPECT_FALSE(script.ReadCurrentCapiDll(text));
    EXPECT_EQ(script.ReadScriptVersion(), 0u);
    EXPECT_FALSE(script.ReadDefaultProtocol(text));
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(record.username, "kept");
    EXPECT_TRUE(script.ReadProtocolEntries().empty());
    EXPECT_TRUE(script.ReadCompFiles().empty());
    EXPECT_TRUE(script.ReadAddFiles().empty());
    EXPECT_TRUE(script.ReadDeleteAddFiles().empty());
    EXPECT_TRUE(script.ReadLanguageSection().entries.empty());
    ProgmanGroup group = script.ReadProgmanSection("English");
    EXPECT_EQ(group.name, "");
    EXPECT_TRUE(group.items.empty());
    EXPECT_FALSE(script.FindNameOutside(outside));
}

TEST_F(SetupInfoFileTest, MissingFileIsNotReadAndNothingIsShown) {
    SetupInfoFile script = Read();
    EXPECT_EQ(script.Path(), File());
    ExpectNothingRead(script);
    ExpectNothingRead(SetupInfoFile());
    EXPECT_TRUE(Shown().empty());
}

// A file that another program holds locked, or whose read fails after the first block, is not read at all:
// the sections in the part that came in are not taken, as a list cut short is not the list.
TEST_F(SetupInfoFileTest, AFailedOpenOrReadLeavesEverySectionMissing) {
    std::vector<std::string> lines = {"[OS]",
                                      "!OS_WINDOWS_NT",
                                      "[VERSION]",
                                      "3",
                                      "[DEFPROTOCOL]",
                                      "DSS1",
                                      "[COMPFILES]",
                                      "1",
                                      "1",
                                      "DRIVER",
                                      "A.SY_",
                                      "a.sys",
                                      "!NOSETUPDIR",
                                      "system32",
                                      "!VERSION_ON",
                                      "[LANGUAGE]",
                                      "1",
                                      "English",
                                      "ENGLISH.LNG"};
    for (int i = 0; i < 2000; ++i) lines.push_back("; filler line " + std::to_string(i));  // past one block
    Script(lines);
    SetupInfoFile whole = Read();
    ASSERT_TRUE(whole.IsRead());
    ASSERT_EQ(whole.ReadScriptVersion(), 3u);
    ASSERT_EQ(whole.ReadCompFiles().size(), 1u);

    platform::fake::FailFileOperation(File(), platform::fake::FileOperation::kLaterRead, 1);
    ExpectNothingRead(Read());
    EXPECT_TRUE(Read().IsRead());  // the failure was injected once

    platform::fake::FailFileOperation(File(), platform::fake::FileOperation::kOpenForRead, 1);
    ExpectNothingRead(Read());
    EXPECT_TRUE(Shown().empty());
}

TEST_F(SetupInfoFileTest, CompFilesGroupsFillConsecutiveEntries) {
    Script({"[COMPFILES]",  "2",           "2",     "DRIVER",      "A.SY_",
            "a.sys",        "B.SY_",       "b.sys", "!NOSETUPDIR", "system32\\drivers",
            "!VERSION_ON",  "3",           "DLL",   "C.DL_",       "c.dll",
            "D.DL_",        "d.dll",       "E.EX_", "e.exe",       "BIN",
            "!NOWINSYSTEM", "!VERSION_OFF"});
    SetupInfoFile script = Read();
    ASSERT_TRUE(script.IsRead());
    std::vector<CompFile> list = script.ReadCompFiles();
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[1].sourceName, "B.SY_");
    EXPECT_EQ(list[1].installedName, "b.sys");
    EXPECT_EQ(list[1].sourceSubdirectory, "DRIVER");
    EXPECT_EQ(list[1].setupSubdirectory, "!NOSETUPDIR");
    EXPECT_EQ(list[1].windowsSubdirectory, "system32\\drivers");
    EXPECT_EQ(list[1].versionFlag, "!VERSION_ON");
    EXPECT_EQ(list[2].sourceName, "C.DL_");
    EXPECT_EQ(list[4].installedName, "e.exe");
    EXPECT_EQ(list[4].sourceSubdirectory, "DLL");
    EXPECT_EQ(list[4].setupSubdirectory, "BIN");
    EXPECT_EQ(list[4].versionFlag, "!VERSION_OFF");
}

TEST_F(SetupInfoFileTest, CompFileMarkersTellWhereTheFileGoes) {
    Script({"[COMPFILES]",
            "4",
            "1",
            "DRIVER",
            "A.SY_",
            "a.sys",
            "!NOSETUPDIR",
            "system32\\drivers",
            "!VERSION_ON",
            "1",
            "BIN",
            "B.EX_",
            "b.exe",
            "TOOLS",
            "!NOWINSYSTEM",
            "!VERSION_OFF",
            "1",
            "DLL",
            "C.DL_",
            "c.dll",
            "TOOLS",
            "system32",
            "",
            "1",
            "DLL",
            "D.DL_",
            "d.dll",
            "!NOSETUPDIR",
            "!NOWINSYSTEM",
            "!version_on"});
    std::vector<CompFile> list = Read().ReadCompFiles();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_FALSE(list[0].InSetupDirectory());
    EXPECT_TRUE(list[0].InWindowsDirectory());
    EXPECT_TRUE(list[0].ListedInVersions());
    EXPECT_TRUE(list[1].InSetupDirectory());
    EXPECT_FALSE(list[1].InWindowsDirectory());
    EXPECT_FALSE(list[1].ListedInVersions());
    EXPECT_TRUE(list[2].InSetupDirectory());
    EXPECT_TRUE(list[2].InWindowsDirectory());
    EXPECT_FALSE(list[2].ListedInVersions());  // an empty flag line lists nothing
    EXPECT_FALSE(list[3].InSetupDirectory());
    EXPECT_FALSE(list[3].InWindowsDirectory());
    EXPECT_FALSE(list[3].ListedInVersions());  // markers are compared case included
}

TEST_F(SetupInfoFileTest, AddAndDeleteFiles) {
    Script({"[ADDFILES]", "2", "1", "DOCS", "README.TXT", "DOCS", "2", "", "ENGLISH.LNG", "DEUTSCH.LNG", "",
            "[DELETEADDFILES]", "1", "2", "DOCS", "README.TXT", "LICENSE.TXT"});
    SetupInfoFile script = Read();
    ASSERT_TRUE(script.IsRead());
    std::vector<AddFile> add = script.ReadAddFiles();
    ASSERT_EQ(add.size(), 3u);
    EXPECT_EQ(add[0].sourceSubdirectory, "DOCS");
    EXPECT_EQ(add[0].destinationSubdirectory, "DOCS");
    EXPECT_EQ(add[2].fileName, "DEUTSCH.LNG");
    EXPECT_EQ(add[2].sourceSubdirectory, "");
    std::vector<DeleteAddFile> del = script.ReadDeleteAddFiles();
    ASSERT_EQ(del.size(), 2u);
    EXPECT_EQ(del[1].subdirectory, "DOCS");
    EXPECT_EQ(del[1].fileName, "LICENSE.TXT");
}

TEST_F(SetupInfoFileTest, FileListsHoldAtMost260EntriesWithoutLosingStep) {
    std::vector<std::string> lines = {"[COMPFILES]", "2", "300", "SRC"};
    for (int i = 0; i < 300; ++i) {
        lines.push_back("S" + std::to_string(i));
        lines.push_back(std::string(100, 'n'));
    }
    lines.insert(lines.end(), {"SETUP", "!NOWINSYSTEM", "!VERSION_ON", "1", "LATE", "L", "l", "X", "Y", "Z"});
    Script(lines);
    SetupInfoFile script = Read();
    ASSERT_TRUE(script.IsRead());
    std::vector<CompFile> list = script.ReadCompFiles();
    ASSERT_EQ(list.size(), 260u);
    EXPECT_EQ(list[259].sourceName, "S259");
    EXPECT_EQ(list[259].installedName, std::string(31, 'n'));
    EXPECT_EQ(list[259].setupSubdirectory, "SETUP");
    EXPECT_EQ(list[0].versionFlag, "!VERSION_ON");
}

TEST_F(SetupInfoFileTest, HugeAndNegativeCountsAtTheEndOfTheFileStopQuickly) {
    Script(
        {"[COMPFILES]", "2147483647", "2147483647", "SRC", "[ADDFILES]", "-5", "[LANGUAGE]", "2147483647"});
    SetupInfoFile script = Read();
    ASSERT_TRUE(script.IsRead());
    std::vector<CompFile> comp = script.ReadCompFiles();
    ASSERT_EQ(comp.size(), 260u);  // a count overshooting the file gives empty entries, up to the capacity
    EXPECT_EQ(comp[0].sourceName, "[ADDFILES]");
    EXPECT_TRUE(script.ReadAddFiles().empty());
    EXPECT_EQ(script.ReadLanguageSection().entries.size(), 16u);
}

// Entries left out for a name outside still count towards the end: a huge count of them at the end of the
// file must not run on through every empty entry it promises.
TEST_F(SetupInfoFileTest, HugeCountsOfLeftOutEntriesAtTheEndOfTheFileStopQuickly) {
    Script({"[COMPFILES]", "1", "2147483647", "..", "[ADDFILES]", "1", "2147483647", "C:", "[DELETEADDFILES]",
            "1", "2147483647", "\\x"});
    SetupInfoFile script = Read();
    ASSERT_TRUE(script.IsRead());
    std::vector<CompFile> comp = script.ReadCompFiles();
    std::vector<AddFile> add = script.ReadAddFiles();
    std::vector<DeleteAddFile> del = script.ReadDeleteAddFiles();
    // Read through every entry promised, the three readers would run for many minutes, past the test's
    // time limit.
    EXPECT_TRUE(comp.empty() && add.empty() && del.empty());
}

TEST_F(SetupInfoFileTest, ProgmanReadsOnlyTheCurrentLanguagesBlock) {
    Script({"[PROGMAN]",    "Quorel ISDN", "English",    "2",       "Configure", "!SETUPFILE+CMD",
            "/c /lEnglish", "!SETUPDIR",   "!SETUPICON", "0",       "Readme",    "notepad.exe README.TXT",
            "DOCS",         "!SETUPICON",  "-2",         "Deutsch", "1",         "Konfigurieren",
            "!SETUPFILE",   "!SETUPDIR",   "cfg.ico",    "70000"});
    SetupInfoFile script = Read();
    ASSERT_TRUE(script.IsRead());
    ProgmanGroup group = script.ReadProgmanSection("English");
    EXPECT_EQ(group.name, "Quorel ISDN");
    ASSERT_EQ(group.items.size(), 2u);
    EXPECT_EQ(group.items[0].Parameters, "/c /lEnglish");
    EXPECT_EQ(group.items[0].WorkingDirectory, "!SETUPDIR");
    EXPECT_EQ(group.items[1].Command, "notepad.exe README.TXT");
    EXPECT_EQ(group.items[1].Parameters, "");
    EXPECT_EQ(group.items[1].IconIndex, -2);

    ProgmanGroup german = script.ReadProgmanSection("DEUTSCH");  // compared without regard to case
    ASSERT_EQ(german.items.size(), 1u);
    EXPECT_EQ(german.items[0].Command, "!SETUPFILE");
    EXPECT_EQ(german.items[0].Parameters, "");  // no parameters line after plain !SETUPFILE
    EXPECT_EQ(german.items[0].IconFile, "cfg.ico");
    EXPECT_EQ(german.items[0].IconIndex, static_cast<int16_t>(70000));

    ProgmanGroup none = script.ReadProgmanSection("Francais");
    EXPECT_TRUE(none.items.empty());
}

TEST_F(SetupInfoFileTest, LanguageSection) {
    Script({"[LANGUAGE]", "2", "English", "ENGLISH.LNG", std::string(100, 'D'), "DEUTSCH.LNG"});
    SetupInfoFile script = Read();
    ASSERT_TRUE(script.IsRead());
    LanguageList list = script.ReadLanguageSection();
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[0].fileName, "ENGLISH.LNG");
    EXPECT_EQ(list.entries[1].displayName, std::string(63, 'D'));
    Script({"[OS]", "!OS_WINDOWS_NT"});
    script = Read();
    ASSERT_TRUE(script.IsRead());
    list = script.ReadLanguageSection();
    EXPECT_TRUE(list.entries.empty());
}

// Each reader leaves out what would lead outside its directory; the check names the first such name by
// its section and line.
TEST_F(SetupInfoFileTest, NamesOutsideTheirPlaceAreLeftOutAndTheFirstIsNamed) {
    struct Case {
        std::vector<std::string> lines;
        const char* section;
        int line;
        const char* name;
    } cases[] = {
        {{"[DELETEADDFILES]", "1", "1", "..\\victim", "file.txt"}, "[DELETEADDFILES]", 4, "..\\victim"},
        {{"[DELETEADDFILES]", "1", "1", "TOOLS", "..\\..\\x"}, "[DELETEADDFILES]", 5, "..\\..\\x"},
        {{"[ADDFILES]", "1", "1", "DOCS", "README.TXT", "C:\\x"}, "[ADDFILES]", 6, "C:\\x"},
        {{"[COMPFILES]", "1", "1", "DRIVER", "A.SY_", "a.sys", "!NOSETUPDIR", "\\x", "!VERSION_ON"},
         "[COMPFILES]",
         8,
         "\\x"},
        {{"[COMPFILES]", "1", "1", "DRIVER", "A.SY_", "x:y", "!NOSETUPDIR", "system32", "!VERSION_ON"},
         "[COMPFILES]",
         6,
         "x:y"},
        {{"[LANGUAGE]", "1", "English", "..\\x"}, "[LANGUAGE]", 4, "..\\x"},
        {{"[CURRENTCAPIDLL]", "DRIVER\\CAPI2032.DLL"}, "[CURRENTCAPIDLL]", 2, "DRIVER\\CAPI2032.DLL"},
        {{"[PROTOCOL]", "1", "Euro", "..\\..\\evil.sys", "0"}, "[PROTOCOL]", 4, "..\\..\\evil.sys"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = {"[OS]", "!OS_WINDOWS_NT"};
        lines.insert(lines.end(), c.lines.begin(), c.lines.end());
        Script(lines);
        SetupInfoFile script = Read();
        NameOutside outside;
        ASSERT_TRUE(script.FindNameOutside(outside)) << c.name;
        EXPECT_EQ(outside.section, c.section);
        EXPECT_EQ(outside.line, c.line + 2) << c.name;
        EXPECT_EQ(outside.name, c.name);
        std::string capiDll;
        EXPECT_TRUE(script.IsRead()) << c.name;
        std::vector<CompFile> comp = script.ReadCompFiles();
        std::vector<AddFile> add = script.ReadAddFiles();
        std::vector<DeleteAddFile> del = script.ReadDeleteAddFiles();
        EXPECT_TRUE(comp.empty() && add.empty() && del.empty()) << c.name;
        EXPECT_TRUE(script.ReadProtocolEntries().empty()) << c.name;
        EXPECT_FALSE(script.ReadCurrentCapiDll(capiDll)) << c.name;
    }
    Script(kProtocols);
    NameOutside outside;
    EXPECT_FALSE(Read().FindNameOutside(outside));
    EXPECT_EQ(outside.line, 0);
}

TEST_F(SetupInfoFileTest, EveryReaderKeepsALastLineWithoutLineEnd) {
    struct Case {
        std::vector<std::string> lines;  // the last one is saved without CR LF
        std::function<std::string()> read;
        std::string expected;
    } cases[] = {
        {{"[OS]", "!OS_WINDOWS_NT"}, [this] { return std::to_string(Read().ReadOsSection()); }, "2"},
        {{"[VERSION]", "210"}, [this] { return std::to_string(Read().ReadScriptVersion()); }, "210"},
        {{"[CURRENTCAPIDLL]", "CAPI2032.DLL"},
         [this] {
             std::string name;
             Read().ReadCurrentCapiDll(name);
             return name;
         },
         "CAPI2032.DLL"},
        {{"[DEFPROTOCOL]", "DSS1"},
         [this] {
             std::string name;
             Read().ReadDefaultProtocol(name);
             return name;
         },
         "DSS1"},
        {{"[PROTOCOL]", "1", "DSS1", "qdss1.sys", "3"},
         [this] { return std::to_string(FindProtocolCode(Protocols(), "DSS1")); },
         "3"},
        {{"[MAINTENANCE]", "!MAINTENANCE_FULL", "1", "2", "user", "pass", "0", "2", "111", "222"},
         [this] {
             MaintenanceDefaults record;
             Read().ReadMaintenanceSection(record);
             return record.CGPN.size() == 2 ? record.CGPN[1] : std::string("missing");
         },
         "222"},
        {{"[COMPFILES]", "1", "1", "DRIVER", "A.SY_", "a.sys", "!NOSETUPDIR", "system32", "!VERSION_ON"},
         [this] {
             std::vector<CompFile> list = Read().ReadCompFiles();
             return list.size() == 1 ? list[0].versionFlag : std::string("missing");
         },
         "!VERSION_ON"},
        {{"[ADDFILES]", "1", "1", "DOCS", "README.TXT", "DOCS"},
         [this] {
             std::vector<AddFile> list = Read().ReadAddFiles();
             return list.size() == 1 ? list[0].destinationSubdirectory : std::string("missing");
         },
         "DOCS"},
        {{"[DELETEADDFILES]", "1", "2", "DOCS", "README.TXT", "LICENSE.TXT"},
         [this] {
             std::vector<DeleteAddFile> list = Read().ReadDeleteAddFiles();
             return list.size() == 2 ? list[1].fileName : std::string("missing");
         },
         "LICENSE.TXT"},
        {{"[PROGMAN]", "Group", "English", "1", "Setup", "!SETUPFILE", "!SETUPDIR", "!SETUPICON", "5"},
         [this] {
             ProgmanGroup group = Read().ReadProgmanSection("English");
             return group.items.size() == 1 ? std::to_string(group.items[0].IconIndex)
                                            : std::string("missing");
         },
         "5"},
        {{"[LANGUAGE]", "2", "English", "ENGLISH.LNG", "Deutsch", "DEUTSCH.LNG"},
         [this] {
             LanguageList list = Read().ReadLanguageSection();
             return list.entries.size() == 2 ? list.entries[1].fileName : std::string("missing");
         },
         "DEUTSCH.LNG"},
    };
    for (const Case& c : cases) {
        std::string bytes = CrLf(c.lines);
        WriteFile("SETUP.QZT", bytes.substr(0, bytes.size() - 2));
        EXPECT_EQ(c.read(), c.expected) << c.lines[0];
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(SetupInfoFileTest, OtherScriptNameAndDriveRootDirectory) {
    WriteFile("TEST.QZT", CrLf({"[OS]", "!OS_WINDOWS_95"}));
    EXPECT_EQ(SetupInfoFile::Read(SetupInfoPath(Dir(), "TEST.QZT")).ReadOsSection(), 1);
    EXPECT_EQ(SetupInfoPath("C:\\", "TEST.QZT"), "C:\\TEST.QZT");
}

// A change on disk is seen by the next read of the file, never by one already read: its sections keep what
// the file held when it was read, even once the file is gone.
TEST_F(SetupInfoFileTest, ChangesOnDiskAreSeenByTheNextReadOnly) {
    Script({"[VERSION]", "1"});
    SetupInfoFile first = Read();
    EXPECT_EQ(first.ReadScriptVersion(), 1u);
    Script({"[VERSION]", "2", "[DEFPROTOCOL]", "DSS1"});
    EXPECT_EQ(Read().ReadScriptVersion(), 2u);
    std::string protocol;
    EXPECT_EQ(first.ReadScriptVersion(), 1u);
    EXPECT_FALSE(first.ReadDefaultProtocol(protocol));
    std::remove(PathOf("SETUP.QZT").c_str());
    EXPECT_TRUE(first.IsRead());
    EXPECT_EQ(first.ReadScriptVersion(), 1u);
    EXPECT_FALSE(Read().IsRead());
}

}  // namespace
