#include <gtest/gtest.h>

#include <filesystem>

#include "config_store_fixture.h"
#include "configstore/autoexec_block.h"
#include "configstore/group_order.h"
#include "ui/run_report.h"

// AUTOEXEC.NT and the service group order: the edits outside the driver's own keys, byte for byte.
namespace {

using namespace config_test;
using platform::fake::RegistryOperation;

const std::string kBlockLines =
    "REM --- QZT Setup for WindowsNT BEGIN ---\r\nlh %SystemRoot%\\system\\dxbridge.exe\r\n"
    "REM --- QZT Setup for WindowsNT END ---";
// As appended after a last line with its line end, and after one without.
const std::string kBlock = kBlockLines + "\r\n";
const std::string kOpenLineBlock = "\r\n" + kBlockLines;
const std::string kStock =
    CrLf({"@echo off", "REM AUTOEXEC.BAT is not used to initialize the MS-DOS environment.",
          "lh %SystemRoot%\\system32\\mscdexnt.exe", "lh %SystemRoot%\\system32\\redir",
          "lh %SystemRoot%\\system32\\dosx", "SET BLASTER=A220 I5 D1 P330 T3"});
const std::string kGroupOrder = "SYSTEM\\CurrentControlSet\\Control\\ServiceGroupOrder";

// A literal's bytes, its zeros included.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

class AutoexecTest : public ConfigStoreFixture {
  protected:
    void Autoexec(const std::string& bytes) { WriteFile("system32/AutoExec.NT", bytes); }
    std::string Autoexec() { return ReadFile("system32/AutoExec.NT"); }
    std::string AutoexecPath() { return Dir() + "\\system32\\AutoExec.NT"; }
    std::string NoAutoexec(const std::string& path) {
        return "The file " + path +
               " cannot be opened. The CAPI loader for DOS applications has not been entered.";
    }
};

TEST_F(AutoexecTest, InsertionAppendsTheBlockOnceOnALineOfItsOwn) {
    struct Case {
        const char* what;
        std::string before;
        std::string after;
    } cases[] = {
        {"stock file", kStock, kStock + kBlock},
        {"no final line end", "@echo off\r\nSET X=1", "@echo off\r\nSET X=1" + kOpenLineBlock},
        {"last line ended by a lone CR", "@echo off\r", "@echo off\r" + kBlock},
        {"empty file", "", kBlock},
        {"block there", kStock + kBlock + "rem later\r\n", kStock + kBlock + "rem later\r\n"},
        {"loader line alone, other case", "LH %SYSTEMROOT%\\SYSTEM\\DXBRIDGE.EXE\r\n",
         "LH %SYSTEMROOT%\\SYSTEM\\DXBRIDGE.EXE\r\n"},
        {"begin marker alone as the unterminated last line", "x\r\nrem --- qzt setup for windowsnt begin ---",
         "x\r\nrem --- qzt setup for windowsnt begin ---"},
        {"end marker alone does not count", "REM --- QZT Setup for WindowsNT END ---\r\n",
         "REM --- QZT Setup for WindowsNT END ---\r\n" + kBlock},
        {"extra spaces do not count", " lh %SystemRoot%\\system\\dxbridge.exe\r\n",
         " lh %SystemRoot%\\system\\dxbridge.exe\r\n" + kBlock},
    };
    for (const Case& c : cases) {
        Autoexec(c.before);
        EXPECT_TRUE(InsertAutoexecBlock()) << c.what;
        EXPECT_EQ(Autoexec(), c.after) << c.what;
        EXPECT_TRUE(InsertAutoexecBlock()) << c.what;
        EXPECT_EQ(Autoexec(), c.after) << c.what << " (inserted twice)";
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(AutoexecTest, RemovalDropsEveryBlockLineAndKeepsEveryOtherByteForByte) {
    struct Case {
        const char* what;
        std::string before;
        std::string after;
    } cases[] = {
        {"inserted block", kStock + kBlock, kStock},
        {"block inserted after a last line without line end", "x\r\nlast" + kOpenLineBlock, "x\r\nlast"},
        {"lines between the markers stay",
         "a\r\nREM --- QZT Setup for WindowsNT BEGIN ---\r\nkept inside\r\nlh "
         "%SystemRoot%\\system\\dxbridge.exe\r\n"
         "REM --- QZT Setup for WindowsNT END ---\r\nb\r\n",
         "a\r\nkept inside\r\nb\r\n"},
        {"every occurrence, any case",
         "LH %systemroot%\\SYSTEM\\dxbridge.EXE\r\nx\r\nlh %SystemRoot%\\system\\dxbridge.exe\r\n", "x\r\n"},
        {"0xAF, a lone CR and a last line without line end are written back as they were",
         "one\xAFtwo\r\nlh %SystemRoot%\\system\\dxbridge.exe\r\nlone\rcr\r\nlast",
         "one\xAFtwo\r\nlone\rcr\r\nlast"},
        {"unterminated block line at the end", "a\r\nlh %SystemRoot%\\system\\dxbridge.exe", "a"},
        {"an empty line before an unterminated block line keeps its line end",
         "a\r\n\r\nlh %SystemRoot%\\system\\dxbridge.exe", "a\r\n\r\n"},
        {"loader line with extra spaces stays",
         "lh %SystemRoot%\\system\\dxbridge.exe \r\nREM --- QZT Setup for WindowsNT END ---\r\n",
         "lh %SystemRoot%\\system\\dxbridge.exe \r\nREM --- QZT Setup for WindowsNT END ---\r\n"},
        {"nothing but the block", "REM --- QZT Setup for WindowsNT BEGIN ---\r\n", ""},
        {"a lone CR before a removed line does not swallow the LF that starts the next line",
         "a\rlh %SystemRoot%\\system\\dxbridge.exe\r\n\nb\rREM --- QZT Setup for WindowsNT END ---\r\ncd\r\n",
         "a\r\n\nb\rcd\r\n"},
    };
    for (const Case& c : cases) {
        Autoexec(c.before);
        EXPECT_TRUE(RemoveAutoexecBlock()) << c.what;
        EXPECT_EQ(Autoexec(), c.after) << c.what;
        EXPECT_FALSE(Exists("system32/AutoTmp.$$$")) << c.what;
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(AutoexecTest, InsertingThenRemovingGivesTheFileBackByteForByte) {
    struct Case {
        const char* what;
        std::string file;
    } cases[] = {
        {"stock file", kStock},
        {"no final line end", "@echo off\r\nSET BLASTER=A220 I5 D1 P330 T3"},
        {"one line without line end", "@echo off"},
        {"empty file", ""},
        {"last line ended by a lone CR", "@echo off\r"},
        {"empty last line", "@echo off\r\n\r\n"},
        {"0xAF and line feeds only", "rem \xAF kept\nlast\n"},
    };
    for (const Case& c : cases) {
        Autoexec(c.file);
        ASSERT_TRUE(InsertAutoexecBlock()) << c.what;
        ASSERT_NE(Autoexec(), c.file) << c.what;
        ASSERT_TRUE(RemoveAutoexecBlock()) << c.what;
        EXPECT_EQ(Autoexec(), c.file) << c.what;
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(AutoexecTest, MissingOrWriteProtectedFileIsReported) {
    EXPECT_FALSE(InsertAutoexecBlock());
    EXPECT_FALSE(RemoveAutoexecBlock());
    EXPECT_EQ(Messages(), (std::vector<std::string>{NoAutoexec(AutoexecPath()), NoAutoexec(AutoexecPath())}));
    EXPECT_FALSE(Exists("system32/AutoExec.NT"));

    Shown().clear();
    Autoexec(kStock + kBlock);
    ASSERT_TRUE(platform::SetFileAttributesOf(AutoexecPath(), platform::kAttributeReadOnly));
    EXPECT_FALSE(RemoveAutoexecBlock());
    ASSERT_TRUE(platform::SetFileAttributesOf(AutoexecPath(), platform::kAttributeNormal));
    EXPECT_EQ(Autoexec(), kStock + kBlock);
    EXPECT_EQ(Messages(), (std::vector<std::string>{NoAutoexec(AutoexecPath())}));
}

// 64-bit Windows has no AUTOEXEC.NT; the 32-bit program finds it so under WOW64, a 64-bit one always.
TEST_F(AutoexecTest, On64BitWindowsAMissingFileIsLeftOutAndReportedAndAnExistingOneStillEdited) {
    struct Kind {
        const char* what;
        platform::SystemKind kind;
    } kinds[] = {{"32-bit program under WOW64", platform::ClassifySystem(false, true, true)},
                 {"64-bit program", platform::ClassifySystem(true, false, false)}};
    for (const Kind& k : kinds) {
        platform::fake::SetRunningSystem(k.kind);
        std::filesystem::remove(PathOf("report.log"));
        ASSERT_TRUE(ui::OpenReport(PathOf("report.log")));
        EXPECT_TRUE(InsertAutoexecBlock()) << k.what;
        EXPECT_TRUE(RemoveAutoexecBlock()) << k.what;
        ui::CloseReport();
        EXPECT_FALSE(Exists("system32/AutoExec.NT")) << k.what;
        EXPECT_TRUE(Shown().empty()) << k.what;
        std::string report = ReadFile("report.log");
        size_t first =
            report.find(AutoexecPath() + ": none on 64-bit Windows (no MS-DOS subsystem), step left out");
        EXPECT_NE(first, std::string::npos) << report;
        EXPECT_NE(report.find("step left out", first + 1), std::string::npos) << "removal: " << report;

        Autoexec(kStock);
        EXPECT_TRUE(InsertAutoexecBlock()) << k.what;
        EXPECT_EQ(Autoexec(), kStock + kBlock) << k.what;
        EXPECT_TRUE(RemoveAutoexecBlock()) << k.what;
        EXPECT_EQ(Autoexec(), kStock) << k.what;
        std::filesystem::remove(PathOf("system32/AutoExec.NT"));
    }
    platform::fake::SetRunningSystem(platform::SystemKind());
}

// A read that fails in the middle of the file is no end of the file: written back from what was read,
// every other program's line after the failure would be lost.
TEST_F(AutoexecTest, FailedReadInTheMiddleOfALongFileKeepsEveryByte) {
    std::vector<std::string> lines;
    for (int i = 0; lines.size() < 400; ++i)
        lines.push_back("SET OTHER_PROGRAM_" + std::to_string(i) + "=value");
    const std::string foreign = CrLf(lines) + kBlock + "rem after the block\r\n";
    ASSERT_GT(foreign.size(), 2 * 4096u);
    Autoexec(foreign);
    platform::fake::FailFileOperation(AutoexecPath(), platform::fake::FileOperation::kLaterRead);
    EXPECT_FALSE(RemoveAutoexecBlock());
    EXPECT_FALSE(InsertAutoexecBlock());
    EXPECT_EQ(Autoexec(), foreign);
    EXPECT_FALSE(Exists("system32/AutoTmp.$$$"));
    EXPECT_EQ(Messages(), (std::vector<std::string>{NoAutoexec(AutoexecPath()), NoAutoexec(AutoexecPath())}));
}

TEST_F(AutoexecTest, WithoutTheTemporaryFileAutoexecIsNeverReplaced) {
    Autoexec(kStock + kBlock);
    std::filesystem::create_directory(PathOf("system32/AutoTmp.$$$"));  // cannot be created as a file
    EXPECT_FALSE(RemoveAutoexecBlock());
    EXPECT_EQ(Autoexec(), kStock + kBlock);
    EXPECT_EQ(Messages(), (std::vector<std::string>{NoAutoexec(Dir() + "\\system32\\AutoTmp.$$$")}));
}

TEST_F(AutoexecTest, FailedReplacementOfAutoexecLeavesItAsItWasAndIsReported) {
    Autoexec(kStock + kBlock);
    platform::fake::FailFileOperation(AutoexecPath(), platform::fake::FileOperation::kReplaceOnto);
    EXPECT_FALSE(RemoveAutoexecBlock());
    EXPECT_EQ(Autoexec(), kStock + kBlock);
    EXPECT_FALSE(Exists("system32/AutoTmp.$$$"));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"The file " + AutoexecPath() + " cannot be written."}));
}

TEST_F(AutoexecTest, RemovalWithoutABlockLeavesTheFileAlone) {
    Autoexec("no block\r\nhere");
    EXPECT_TRUE(RemoveAutoexecBlock());
    EXPECT_EQ(Autoexec(), "no block\r\nhere");
    EXPECT_FALSE(Exists("system32/AutoTmp.$$$"));
}

class GroupOrderTest : public ConfigStoreFixture {
  protected:
    void List(const std::string& bytes) {
        platform::fake::SetRegistryValue(kGroupOrder, "List", kMultiSz, bytes);
    }
    platform::fake::RegistryValue Stored() {
        for (const auto& value : platform::fake::RegistryValues(kGroupOrder)) {
            if (value.name == "List")
                return value;
        }
        return {"", 0, ""};
    }
    std::string NoValueModify() {
        return "The registry key " + kGroupOrder + " cannot be changed: its value List cannot be read.";
    }
};

TEST_F(GroupOrderTest, CapiGroupGoesBeforeNdisUnlessItComesFirst) {
    using Names = std::vector<std::string>;
    struct Case {
        Names before;
        Names after;
    } cases[] = {
        {{"A", "NDIS", "B"}, {"A", "CAPI20", "NDIS", "B"}},
        {{"NDIS"}, {"CAPI20", "NDIS"}},
        {{"ndis", "TDI"}, {"CAPI20", "ndis", "TDI"}},
        {{"CAPI20", "NDIS"}, {"CAPI20", "NDIS"}},
        {{"A", "capi20", "B", "NDIS"}, {"A", "capi20", "B", "NDIS"}},
        {{"A", "NDIS", "CAPI20"}, {"A", "CAPI20", "NDIS", "CAPI20"}},  // the first of the two decides
        {{"A", "B"}, {"A", "B"}},
        {{"NDISWAN", "TDI"}, {"NDISWAN", "TDI"}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        List(JoinGroupList(c.before));
        EXPECT_TRUE(InsertCapiGroup());
        EXPECT_EQ(Stored().type, kMultiSz);
        EXPECT_EQ(SplitGroupList(Stored().data), c.after);
    }
    EXPECT_TRUE(Shown().empty());
}

// A List of another type is someone else's value: never rewritten as a list of names, and reported.
TEST_F(GroupOrderTest, ListOfAnotherTypeIsLeftAloneAndReported) {
    const std::string names = Bytes("A\0CAPI20\0NDIS\0\0");
    for (uint32_t type :
         {platform::registry::kTypeSz, platform::registry::kTypeBinary, platform::registry::kTypeExpandSz}) {
        SCOPED_TRACE(type);
        Shown().clear();
        platform::fake::SetRegistryValue(kGroupOrder, "List", type, names);
        EXPECT_FALSE(InsertCapiGroup());
        EXPECT_FALSE(RemoveCapiGroup());
        EXPECT_EQ(Stored(), (platform::fake::RegistryValue{"List", type, names}));
        EXPECT_EQ(Messages(), (std::vector<std::string>{NoValueModify(), NoValueModify()}));
    }
}

TEST_F(GroupOrderTest, InsertionGrowsTheListBySevenBytesWithTwoZerosAtTheEnd) {
    List(std::string("A\0NDIS\0B\0\0", 10));
    ASSERT_TRUE(InsertCapiGroup());
    EXPECT_EQ(Stored().data, std::string("A\0CAPI20\0NDIS\0B\0\0", 17));
    ASSERT_TRUE(RemoveCapiGroup());
    EXPECT_EQ(Stored().data, std::string("A\0NDIS\0B\0\0", 10));
}

TEST_F(GroupOrderTest, InsertionAndRemovalChangeOnlyTheBytesOfTheirName) {
    struct Case {
        const char* what;
        std::string before;
        std::string inserted;
    } cases[] = {
        {"a name after an embedded empty name", Bytes("A\0NDIS\0\0B\0\0"), Bytes("A\0CAPI20\0NDIS\0\0B\0\0")},
        {"bytes after the closing empty name", Bytes("NDIS\0TDI\0\0\x01\xFFjunk"),
         Bytes("CAPI20\0NDIS\0TDI\0\0\x01\xFFjunk")},
        {"the closing empty name missing", Bytes("A\0NDIS\0"), Bytes("A\0CAPI20\0NDIS\0\0")},
        {"the last name's zero missing too", Bytes("A\0NDIS"), Bytes("A\0CAPI20\0NDIS\0\0")},
    };
    for (const Case& c : cases) {
        List(c.before);
        EXPECT_TRUE(InsertCapiGroup()) << c.what;
        EXPECT_EQ(Stored().data, c.inserted) << c.what;
        EXPECT_EQ(Stored().type, kMultiSz) << c.what;
        EXPECT_TRUE(RemoveCapiGroup()) << c.what;
        std::string closed = c.inserted;
        closed.erase(closed.find("CAPI20"), 7);
        EXPECT_EQ(Stored().data, closed) << c.what;
    }
    // A name after the list's end is not part of it: Windows would not see a "CAPI20" put before it.
    List(Bytes("A\0\0NDIS\0\0"));
    EXPECT_TRUE(InsertCapiGroup());
    EXPECT_EQ(Stored().data, Bytes("A\0\0NDIS\0\0"));
    // The removal of a last name without its zero leaves a closed list.
    List(Bytes("A\0CAPI20"));
    EXPECT_TRUE(RemoveCapiGroup());
    EXPECT_EQ(Stored().data, Bytes("A\0\0"));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(GroupOrderTest, RemovalTakesOutEveryCapiGroup) {
    struct Case {
        std::string before;
        std::string after;
    } cases[] = {
        {std::string("CAPI20\0NDIS\0\0", 13), std::string("NDIS\0\0", 6)},
        {std::string("A\0capi20\0NDIS\0CAPI20\0\0", 22), std::string("A\0NDIS\0\0", 8)},
        {std::string("CAPI20\0\0", 8), std::string("\0", 1)},
        {std::string("A\0NDIS\0\0", 8), std::string("A\0NDIS\0\0", 8)},
        {std::string("A\0CAPI20X\0\0", 12), std::string("A\0CAPI20X\0\0", 12)},
    };
    for (const Case& c : cases) {
        List(c.before);
        EXPECT_TRUE(RemoveCapiGroup());
        EXPECT_EQ(Stored().data, c.after);
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(GroupOrderTest, InsertingThenRemovingLeavesNoCapiGroup) {
    using Names = std::vector<std::string>;
    struct Case {
        const char* what;
        Names before;
        Names after;
    } cases[] = {
        {"stock list, byte for byte",
         {"System Bus Extender", "SCSI miniport", "NDIS", "TDI"},
         {"System Bus Extender", "SCSI miniport", "NDIS", "TDI"}},
        {"a group left after NDIS makes it twice", {"A", "NDIS", "CAPI20"}, {"A", "NDIS"}},
    };
    for (const Case& c : cases) {
        List(JoinGroupList(c.before));
        ASSERT_TRUE(InsertCapiGroup()) << c.what;
        ASSERT_TRUE(RemoveCapiGroup()) << c.what;
        EXPECT_EQ(Stored().data, JoinGroupList(c.after)) << c.what;
        EXPECT_EQ(Stored().type, kMultiSz) << c.what;
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(GroupOrderTest, ListTooLongForTheBufferIsNeverWrittenBackCutShort) {
    std::vector<std::string> names(2000, "SomeGroupName");  // 28 000 bytes
    names.push_back("NDIS");
    List(JoinGroupList(names));
    std::string before = Stored().data;
    EXPECT_FALSE(InsertCapiGroup());
    EXPECT_EQ(Stored().data, before);
    names.insert(names.begin(), "CAPI20");
    List(JoinGroupList(names));
    before = Stored().data;
    EXPECT_FALSE(RemoveCapiGroup());
    EXPECT_EQ(Stored().data, before);
    EXPECT_EQ(Messages(), (std::vector<std::string>{NoValueModify(), NoValueModify()}));

    // A list that fits may only grow to the capacity: the removal must be able to read it back whole.
    Shown().clear();
    std::string full = std::string(16384 - 7, 'x') + std::string("\0NDIS\0\0", 7);
    List(full);
    EXPECT_FALSE(InsertCapiGroup());
    EXPECT_EQ(Stored().data, full);
    EXPECT_EQ(Messages(), (std::vector<std::string>{NoValueModify()}));
    std::string room = std::string(16384 - 14, 'x') + std::string("\0NDIS\0\0", 7);
    List(room);
    EXPECT_TRUE(InsertCapiGroup());
    EXPECT_EQ(Stored().data.size(), 16384u);
    EXPECT_TRUE(RemoveCapiGroup());
    EXPECT_EQ(Stored().data, room);
}

TEST_F(GroupOrderTest, MissingKeyValueOrFailedWriteIsReported) {
    EXPECT_FALSE(RemoveCapiGroup());  // the key is not created for a removal
    EXPECT_FALSE(platform::fake::RegistryKeyExists(kGroupOrder));
    EXPECT_FALSE(InsertCapiGroup());  // created, but without a list
    EXPECT_TRUE(platform::fake::RegistryKeyExists(kGroupOrder));
    EXPECT_FALSE(RemoveCapiGroup());
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"The registry key " + kGroupOrder + " cannot be opened or created.",
                                        NoValueModify(), NoValueModify()}));
    Shown().clear();
    List(JoinGroupList({"NDIS"}));
    platform::fake::FailRegistryOperation(kGroupOrder, RegistryOperation::kSetValue, 5);
    EXPECT_FALSE(InsertCapiGroup());
    EXPECT_EQ(SplitGroupList(Stored().data), std::vector<std::string>{"NDIS"});
    EXPECT_EQ(Messages(), (std::vector<std::string>{NoValueModify()}));
}

TEST_F(GroupOrderTest, ListsWithoutTheirClosingZerosStillEndTheirNames) {
    EXPECT_EQ(SplitGroupList(std::string("A\0NDIS", 6)), (std::vector<std::string>{"A", "NDIS"}));
    EXPECT_EQ(SplitGroupList(std::string("A\0\0B\0\0", 6)), (std::vector<std::string>{"A"}));
    EXPECT_EQ(SplitGroupList(""), (std::vector<std::string>{}));
    EXPECT_EQ(JoinGroupList({"A", "B"}), std::string("A\0B\0\0", 5));
}

}  // namespace
