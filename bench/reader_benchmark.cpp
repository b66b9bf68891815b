// Reader benchmark: a full read of a setup information file that fills every capacity and every field
// width, by the program's own readers, against a plain reader that makes one system call per byte (as a
// reader without a buffer does). Prints the medians and "reader ratio X.X" (the per-byte reader's time over
// the full read's). It fails only when the full read does not give back what the file holds, never on a
// time.
//
// Both sides do the same reads: every reader opens the file and reads it from its start through its own
// section, so the per-byte reader does the same, section by section.
//
// Usage: reader_benchmark [--runs N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "setupfiles/setup_info_file.h"

namespace {

constexpr int kDefaultRuns = 3;
// Each timing repeats its read this often, so that one timing lasts well beyond the clock's resolution.
constexpr int kFullReadsPerTiming = 20;
constexpr int kByteReadsPerTiming = 1;
constexpr size_t kProtocols = 64;
constexpr size_t kCompGroups = 26;  // of kMaxFileEntries / kCompGroups files each
constexpr size_t kAddGroups = 4;

// A field of exactly the width the format keeps: width - 1 characters, numbered so that no two are equal.
std::string Field(const std::string& stem, size_t width, size_t number) {
    std::string text = stem + std::to_string(number) + "_";
    while (text.size() < width - 1) text += static_cast<char>('A' + text.size() % 26);
    return text.substr(0, width - 1);
}

std::string Number(size_t number) {
    std::string digits = std::to_string(number);
    return std::string(kPartyNumberWidth - 1 - digits.size(), '0') + digits;
}

std::string LanguageName(size_t i) {
    return Field("Language", kLanguageNameWidth, i);
}

std::string MaximalScript() {
    std::string s;
    auto line = [&s](const std::string& text) { s += text + "\r\n"; };
    line("[OS]");
    line("!OS_WINDOWS_NT");
    line("");
    line("[MAINTENANCE]");
    line("!MAINTENANCE_FULL");
    line("2");
    line("1");
    line(Field("user", kUserWidth, 0));
    line(Field("password", kUserWidth, 0));
    line(std::to_string(kMaxCdpn));
    for (size_t i = 0; i < kMaxCdpn; ++i) line(Number(i));
    line(std::to_string(kMaxCgpn));
    for (size_t i = 0; i < kMaxCgpn; ++i) line(Number(100 + i));
    line("");
    line("[CURRENTCAPIDLL]");
    line(Field("CAPI", kTextWidth, 0));
    line("");
    line("[VERSION]");
    line("4294967295");
    line("");
    line("[DEFPROTOCOL]");
    line(Field("Protocol", kTextWidth, kProtocols - 1));
    line("");
    line("[PROTOCOL]");
    line(std::to_string(kProtocols));
    for (size_t i = 0; i < kProtocols; ++i) {
        line(Field("Protocol", kTextWidth, i));
        line(Field("image", kTextWidth, i));
        line(std::to_string(i % 4));
    }
    line("");
    line("[COMPFILES]");
    line(std::to_string(kCompGroups));
    for (size_t g = 0; g < kCompGroups; ++g) {
        size_t files = kMaxFileEntries / kCompGroups;
        line(std::to_string(files));
        line(Field("SOURCE", kFileNameWidth, g));
        for (size_t i = 0; i < files; ++i) {
            line(Field("S", kFileNameWidth, g * files + i));
            line(Field("i", kFileNameWidth, g * files + i));
        }
        line(Field("SETUP", kFileNameWidth, g));
        line(Field("system32\\", kFileNameWidth, g));
        line("!VERSION_ON");
    }
    line("");
    for (const char* header : {"[ADDFILES]", "[DELETEADDFILES]"}) {
        bool add = header[1] == 'A';
        line(header);
        line(std::to_string(kAddGroups));
        for (size_t g = 0; g < kAddGroups; ++g) {
            size_t files = kMaxFileEntries / kAddGroups;
            line(std::to_string(files));
            line(Field("FOLDER", kFileNameWidth, g));
            for (size_t i = 0; i < files; ++i) line(Field("F", kFileNameWidth, g * files + i));
            if (add)
                line(Field("TARGET", kFileNameWidth, g));
        }
        line("");
    }
    line("[PROGMAN]");
    line(Field("Group", kProgmanNameWidth, 0));
    for (size_t language = 0; language < kMaxLanguages; ++language) {
        line(LanguageName(language));
        line(std::to_string(kMaxProgmanItems));
        for (size_t i = 0; i < kMaxProgmanItems; ++i) {
            line(Field("Item", kProgmanNameWidth, i));
            line(Field("program.exe ", kTextWidth, i));
            line(Field("C:\\", kTextWidth, i));
            line(Field("C:\\icon", kTextWidth, i));
            line(std::to_string(i));
        }
    }
    line("");
    line("[LANGUAGE]");
    line(std::to_string(kMaxLanguages));
    for (size_t i = 0; i < kMaxLanguages; ++i) {
        line(LanguageName(i));
        line(Field("LANG", kFileNameWidth, i));
    }
    return s;
}

// What the benchmark stands on: the full read gives back every entry the file holds.
bool HoldsEverything(const FullRead& read) {
    auto expect = [](bool good, const char* what) {
        if (!good)
            std::fprintf(stderr, "the full read lost %s\n", what);
        return good;
    };
    return expect(read.os == 2, "the OS") &&
           expect(read.maintenance.CGPN.size() == kMaxCgpn &&
                      read.maintenance.CGPN.back().size() == kPartyNumberWidth - 1,
                  "party numbers") &&
           expect(read.capiDll.size() == kTextWidth - 1, "the CAPI DLL") &&
           expect(read.version == 4294967295u, "the version") &&
           expect(read.protocols.size() == kProtocols, "protocols") &&
           expect(read.compFiles.size() == kMaxFileEntries, "compressed files") &&
           expect(read.addFiles.size() == kMaxFileEntries, "added files") &&
           expect(read.deleteAddFiles.size() == kMaxFileEntries, "files to delete") &&
           expect(read.group.items.size() == kMaxProgmanItems &&
                      read.group.items.back().IconFile.size() == kTextWidth - 1,
                  "Program Manager items") &&
           expect(read.languages.entries.size() == kMaxLanguages, "languages");
}

// The sections in the order ReadEverything reads them.
const char* const kSections[] = {
    "[OS]",        "[MAINTENANCE]", "[CURRENTCAPIDLL]", "[VERSION]", "[DEFPROTOCOL]", "[PROTOCOL]",
    "[COMPFILES]", "[ADDFILES]",    "[DELETEADDFILES]", "[PROGMAN]", "[LANGUAGE]"};

// The same reads with one system call per byte: for each section the file is opened and read line by line
// by the format's rules (CR ends a line, the byte after it is skipped, 0xAF is a line break) from its start
// through the section, up to the empty line that ends it. Returns the number of lines read.
size_t ReadByteByByte(const std::string& script) {
    size_t lines = 0;
    for (const char* section : kSections) {
        platform::FileId file = platform::OpenFileForRead(script);
        if (file == platform::kNoFile)
            return 0;
        bool inSection = false;
        std::string current;
        char byte;
        while (platform::ReadFileBytes(file, &byte, 1) == 1) {
            if (byte != '\r') {
                current.push_back(static_cast<unsigned char>(byte) == 0xAF ? '\n' : byte);
                continue;
            }
            platform::ReadFileBytes(file, &byte, 1);
            ++lines;
            if (inSection && current.empty())
                break;
            inSection = inSection || current == section;
            current.clear();
        }
        platform::CloseFile(file);
    }
    return lines;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = kDefaultRuns;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: reader_benchmark [--runs N]\n");
            return 2;
        }
    }
    const std::string bytes = MaximalScript();
    const std::string script = (std::filesystem::temp_directory_path() / "quorel-reader-bench.qzt").string();
    {
        platform::OutputFile out(script);
        if (!out.IsOpen() || !out.Write(bytes)) {
            std::fprintf(stderr, "cannot write %s\n", script.c_str());
            return 1;
        }
    }
    const size_t lineCount = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\r'));
    bool good = HoldsEverything(ReadEverything(script, LanguageName(kMaxLanguages - 1)));
    const size_t perByteLines = good ? ReadByteByByte(script) : 0;
    if (good && perByteLines < lineCount) {
        std::fprintf(stderr, "the per-byte reader did not reach the last section\n");
        good = false;
    }

    std::vector<double> full, perByte;
    for (int run = 0; good && run < runs; ++run) {
        // Alternate which side goes first, so that neither always finds the file warmer.
        auto timeFull = [&] {
            full.push_back(SecondsPerCall(kFullReadsPerTiming,
                                          [&] { ReadEverything(script, LanguageName(kMaxLanguages - 1)); }));
        };
        auto timePerByte = [&] {
            perByte.push_back(SecondsPerCall(kByteReadsPerTiming, [&] { ReadByteByByte(script); }));
        };
        if (run % 2) {
            timePerByte();
            timeFull();
        } else {
            timeFull();
            timePerByte();
        }
    }
    platform::DeleteFilePath(script);
    if (!good)
        return 1;
    double fullMedian = Median(full), perByteMedian = Median(perByte);
    std::printf("%zu bytes, %zu lines, %zu lines read by each of the two sides; medians of %d runs\n",
                bytes.size(), lineCount, perByteLines, runs);
    std::printf("full read, buffered: %.3f ms\n", fullMedian * 1000);
    std::printf("the same reads, one system call per byte: %.3f ms\n", perByteMedian * 1000);
    std::printf("reader ratio %.1f\n", perByteMedian / fullMedian);
    return 0;
}
