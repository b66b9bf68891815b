// The driver files of the built distribution: each compressed file expands with the system's LZ32 to the
// file the build made, the CAPI 2.0 DLL loads and reports the sample version, and the version record is
// where the installed file versions dialog will look for it, and nowhere else.
#include <gtest/gtest.h>

#include <windows.h>
#include <lzexpand.h>

#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"

namespace {

using namespace e2e;

constexpr unsigned kMajor = QUOREL_SAMPLE_VERSION_MAJOR;
constexpr unsigned kMinor = QUOREL_SAMPLE_VERSION_MINOR;
constexpr unsigned kRevision = QUOREL_SAMPLE_VERSION_REVISION;

struct SampleFile {
    const char* subdirectory;
    const char* source;     // compressed name in the distribution
    const char* installed;  // name once expanded
    bool hasRecord;
    unsigned revision;  // of the version record, when there is one
};

// The files of "[COMPFILES]" in the sample SETUP.QZT; the groups listed in the file versions dialog carry
// a record, and each protocol driver its own revision so that the dialog's lines can be told apart.
const std::vector<SampleFile>& Files() {
    static const std::vector<SampleFile> files = {
        {"DRIVER", "KXBUS.SY_", "kxbus.sys", true, kRevision},
        {"DRIVER", "QDSS1.SY_", "qdss1.sys", true, kRevision + 1},
        {"DRIVER", "Q1TR6.SY_", "q1tr6.sys", true, kRevision + 2},
        {"DRIVER", "QNI1.SY_", "qni1.sys", true, kRevision + 3},
        {"DRIVER", "QDSSX31.SY_", "qdssx31.sys", true, kRevision + 4},
        {"DRIVER", "QNI1X31.SY_", "qni1x31.sys", true, kRevision + 5},
        {"DRIVER", "CAPI2032.DL_", "CAPI2032.DLL", true, kRevision},
        {"DRIVER", "DXBRIDGE.EX_", "dxbridge.exe", false, 0},
        {"TOOLS", "QTRACE.EX_", "qtrace.exe", false, 0},
        {"TOOLS", "CAPITEST.EX_", "capitest.exe", false, 0},
    };
    return files;
}

const std::string kMarker("\xE8\x52\xA7\x04\x61\x78\xCA\x12", 8);
const std::string kSzddMagic("SZDD\x88\xF0\x27\x33", 8);

std::string Original(const SampleFile& file) {
    return std::string(QUOREL_SAMPLE_ORIGINALS_DIR) + "\\" + file.installed;
}
std::string Compressed(const SampleFile& file) {
    return DistDirectory() + "\\" + file.subdirectory + "\\" + file.source;
}

std::uint32_t Le32(const std::string& bytes, size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return value;
}
unsigned Le16(const std::string& bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) |
           (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The names of the files (not folders) in a directory.
std::set<std::string> FilesIn(const std::string& directory) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((directory + "\\*").c_str(), &found));
    if (!search)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(found.cFileName);
    } while (FindNextFileA(search.Get(), &found));
    return names;
}

// A scratch directory below the temporary directory, removed again with what it holds.
class ScratchDirectory {
  public:
    ScratchDirectory() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "quorel-sample-files";
        Remove();
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchDirectory() { Remove(); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const std::string& Path() const { return path_; }

  private:
    void Remove() {
        for (const std::string& name : FilesIn(path_)) DeleteFileA((path_ + "\\" + name).c_str());
        RemoveDirectoryA(path_.c_str());
    }
    std::string path_;
};

// Expands with LZ32 as the setup program does; returns LZCopy's result (the size, or a negative error).
LONG Expand(const std::string& from, const std::string& to) {
    OFSTRUCT sourceInfo{};
    OFSTRUCT targetInfo{};
    LzHandle source(LZOpenFileA(const_cast<char*>(from.c_str()), &sourceInfo, OF_READ));
    if (!source)
        return source.Get();  // the error code
    LzHandle target(LZOpenFileA(const_cast<char*>(to.c_str()), &targetInfo, OF_CREATE));
    if (!target)
        return target.Get();
    return LZCopy(source.Get(), target.Get());
}

TEST(SampleFilesTest, TableMatchesCompFilesOfTheSampleScript) {
    // "[COMPFILES]": groups of a count, the subdirectory, source and installed names, two destination
    // lines and the version flag.
    std::vector<std::string> lines = Lines(ReadFileBytes(DistDirectory() + "\\SETUP.QZT"));
    size_t at = 0;
    while (at < lines.size() && lines[at] != "[COMPFILES]") ++at;
    ASSERT_LT(at, lines.size());
    ++at;
    std::vector<SampleFile> listed;
    int groups = std::stoi(lines.at(at++));
    for (int group = 0; group < groups; ++group) {
        int count = std::stoi(lines.at(at++));
        const std::string& subdirectory = lines.at(at++);
        size_t names = at;
        at += 2 * static_cast<size_t>(count) + 2;
        bool versionOn = lines.at(at++) == "!VERSION_ON";
        for (int i = 0; i < count; ++i)
            listed.push_back({subdirectory.c_str(), lines.at(names + 2 * static_cast<size_t>(i)).c_str(),
                              lines.at(names + 2 * static_cast<size_t>(i) + 1).c_str(), versionOn, 0});
    }
    ASSERT_EQ(listed.size(), Files().size());
    for (size_t i = 0; i < listed.size(); ++i) {
        EXPECT_STREQ(listed[i].subdirectory, Files()[i].subdirectory);
        EXPECT_STREQ(listed[i].source, Files()[i].source);
        EXPECT_STREQ(listed[i].installed, Files()[i].installed);
        EXPECT_EQ(listed[i].hasRecord, Files()[i].hasRecord) << listed[i].installed;
    }
}

TEST(SampleFilesTest, DistributionHoldsExactlyTheCompressedDriverFiles) {
    std::set<std::string> expectedDriver, expectedTools;
    for (const SampleFile& file : Files())
        (std::string(file.subdirectory) == "DRIVER" ? expectedDriver : expectedTools).insert(file.source);
    EXPECT_EQ(FilesIn(DistDirectory() + "\\DRIVER"), expectedDriver);
    EXPECT_EQ(FilesIn(DistDirectory() + "\\TOOLS"), expectedTools);
}

TEST(SampleFilesTest, EveryFileIsSzddCompressedAndSmallerThanItsOriginal) {
    for (const SampleFile& file : Files()) {
        SCOPED_TRACE(file.source);
        std::string compressed = ReadFileBytes(Compressed(file));
        std::string original = ReadFileBytes(Original(file));
        ASSERT_GE(compressed.size(), 14u);
        ASSERT_FALSE(original.empty());
        // LZ32 passes a file without the header through unchanged, so expansion alone would not notice
        // an uncompressed file.
        EXPECT_EQ(compressed.substr(0, 8), kSzddMagic);
        EXPECT_EQ(compressed[8], 'A');
        EXPECT_EQ(Le32(compressed, 10), original.size());
        EXPECT_LT(compressed.size(), original.size());
    }
}

TEST(SampleFilesTest, Lz32ExpandsEveryFileToItsOriginalByteForByte) {
    ScratchDirectory scratch;
    for (const SampleFile& file : Files()) {
        SCOPED_TRACE(file.source);
        std::string expanded = scratch.Path() + "\\" + file.installed;
        std::string original = ReadFileBytes(Original(file));
        ASSERT_FALSE(original.empty());
        EXPECT_EQ(Expand(Compressed(file), expanded), static_cast<LONG>(original.size()));
        std::string bytes = ReadFileBytes(expanded);
        EXPECT_EQ(bytes.size(), original.size());
        EXPECT_TRUE(bytes == original) << "expanded file differs from " << Original(file);
    }
}

TEST(SampleFilesTest, VersionRecordIsInTheListedFilesOnlyWithTheirVersions) {
    std::set<unsigned> protocolRevisions;
    for (const SampleFile& file : Files()) {
        SCOPED_TRACE(file.installed);
        std::string bytes = ReadFileBytes(Original(file));
        ASSERT_FALSE(bytes.empty());
        size_t marker = bytes.find(kMarker);
        if (!file.hasRecord) {
            EXPECT_EQ(marker, std::string::npos);
            continue;
        }
        ASSERT_NE(marker, std::string::npos);
        // Only the first marker counts for the reader; a second one would be a stale record.
        EXPECT_EQ(bytes.find(kMarker, marker + 1), std::string::npos);
        // Marker, 4 skipped bytes, then major, minor and revision as 16-bit little-endian numbers.
        ASSERT_GE(bytes.size(), marker + 8 + 4 + 6);
        EXPECT_EQ(Le16(bytes, marker + 12), kMajor);
        EXPECT_EQ(Le16(bytes, marker + 14), kMinor);
        EXPECT_EQ(Le16(bytes, marker + 16), file.revision);
        if (std::string(file.installed).find(".sys") != std::string::npos && file.revision != kRevision)
            protocolRevisions.insert(file.revision);
    }
    EXPECT_EQ(protocolRevisions.size(), 5u);
}

struct CapiVersion {
    // Preset with values the DLL does not report, so that an untouched out-value shows.
    DWORD capiMajor = 0xDEAD, capiMinor = 0xDEAD, manufacturerMajor = 0xDEAD, manufacturerMinor = 0xDEAD;
};

// True when the mapped module holds the version record in one of its readable sections.
bool ModuleHoldsVersionRecord(HMODULE module) {
    const char* base = reinterpret_cast<const char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        if (!(section->Characteristics & IMAGE_SCN_MEM_READ))
            continue;
        std::string bytes(base + section->VirtualAddress, section->Misc.VirtualSize);
        if (bytes.find(kMarker) != std::string::npos)
            return true;
    }
    return false;
}

// Loads the DLL by its path, calls CAPI_GET_VERSION once and releases the DLL again, as the about box does.
// Wine has a CAPI2032.DLL of its own that it prefers to one given by path unless told otherwise
// (capi2032=n in WINEDLLOVERRIDES, as test.sh sets), and reports it under the path asked for; only the
// module's contents tell which one answered.
void CallGetVersion(const std::string& path, CapiVersion* version) {
    HMODULE dll = LoadLibraryA(path.c_str());
    ASSERT_NE(dll, nullptr) << "error " << GetLastError();
    bool ours = ModuleHoldsVersionRecord(dll);
    FARPROC proc = GetProcAddress(dll, "CAPI_GET_VERSION");
    if (ours && proc != nullptr) {
        using GetVersion = DWORD(WINAPI*)(DWORD*, DWORD*, DWORD*, DWORD*);
        reinterpret_cast<GetVersion>(reinterpret_cast<void (*)()>(proc))(
            &version->capiMajor, &version->capiMinor, &version->manufacturerMajor,
            &version->manufacturerMinor);
    }
    FreeLibrary(dll);
    ASSERT_TRUE(ours) << "another CAPI2032.DLL was loaded for " << path << "; under Wine, set capi2032=n";
    ASSERT_NE(proc, nullptr);
}

void ExpectSampleVersion(const CapiVersion& version) {
    EXPECT_EQ(version.capiMajor, static_cast<DWORD>(QUOREL_SAMPLE_CAPI_MAJOR));
    EXPECT_EQ(version.capiMinor, static_cast<DWORD>(QUOREL_SAMPLE_CAPI_MINOR));
    EXPECT_EQ(version.manufacturerMajor, static_cast<DWORD>(QUOREL_SAMPLE_MANUFACTURER_MAJOR));
    EXPECT_EQ(version.manufacturerMinor, static_cast<DWORD>(QUOREL_SAMPLE_MANUFACTURER_MINOR));
    // The about box shows nothing but "not installed" for a manufacturer version of 0.0.
    EXPECT_NE(version.manufacturerMajor | version.manufacturerMinor, 0u);
}

TEST(SampleFilesTest, CapiDllLoadsAndReportsTheSampleVersion) {
    CapiVersion version;
    ASSERT_NO_FATAL_FAILURE(
        CallGetVersion(std::string(QUOREL_SAMPLE_ORIGINALS_DIR) + "\\CAPI2032.DLL", &version));
    ExpectSampleVersion(version);
}

TEST(SampleFilesTest, CapiDllExpandedFromTheDistributionLoadsAndReportsTheSampleVersion) {
    ScratchDirectory scratch;
    const SampleFile& dll = Files()[6];
    ASSERT_STREQ(dll.installed, "CAPI2032.DLL");
    std::string expanded = scratch.Path() + "\\" + dll.installed;
    ASSERT_GT(Expand(Compressed(dll), expanded), 0);
    CapiVersion version;
    ASSERT_NO_FATAL_FAILURE(CallGetVersion(expanded, &version));
    ExpectSampleVersion(version);
}

}  // namespace
