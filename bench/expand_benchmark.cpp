// Expansion benchmark: the program's own expansion against the system's, and its file step against the
// floor any expander meets.
//
// expand ratio:     platform::ExpandFile over every compressed file of the set, against a loop of
//                   LZOpenFileA / LZCopy / LZClose over the same files (no windows on either side).
// copy-limit ratio: the installation's whole file step (CopyOrExpandFile: the source and target checks,
//                   the expansion beside the target and the move into place) over the same files, against
//                   CopyFileA of the already expanded files: what a step costs that only has to write them.
// Both sides take turns at going first, several times; the medians and their ratios are printed. Nothing
// fails on a time; a file that does not expand to its original fails the benchmark.
//
// Usage: expand_benchmark [--smoke] [--runs N]
//   --smoke  the small file set (a quick check that everything works; its ratios mean little)
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "harness.h"
#include "install/copy_file.h"
#include "machine_state.h"
#include "platform/file_expansion.h"

namespace {

using namespace e2e;

constexpr int kDefaultRuns = 5;
constexpr const char* kWorkDirectory = "C:\\quorel-expand-bench";

struct FileSet {
    std::vector<std::string> compressed;  // the sources
    std::vector<std::string> originals;   // what each expands to
};

FileSet ListFiles(const std::string& directory) {
    FileSet set;
    for (const std::string& name : DirectoryEntries(directory + "\\BENCH")) {
        std::string original = name.substr(0, name.size() - 1) + "N";  // QB000.BI_ -> QB000.BIN
        set.compressed.push_back(directory + "\\BENCH\\" + name);
        set.originals.push_back(directory + "\\originals\\" + original);
    }
    return set;
}

std::string Target(const std::string& side, size_t i) {
    return std::string(kWorkDirectory) + "\\" + side + "\\F" + std::to_string(i) + ".BIN";
}

void FreshDirectory(const std::string& side) {
    std::string directory = std::string(kWorkDirectory) + "\\" + side;
    DeleteTree(directory);
    CreateDirectoryA(kWorkDirectory, nullptr);
    CreateDirectoryA(directory.c_str(), nullptr);
}

double Seconds(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool Ours(const FileSet& set) {
    for (size_t i = 0; i < set.compressed.size(); ++i)
        if (platform::ExpandFile(set.compressed[i], Target("ours", i)) != platform::ExpansionResult::kDone)
            return false;
    return true;
}

bool System(const FileSet& set) {
    for (size_t i = 0; i < set.compressed.size(); ++i) {
        OFSTRUCT sourceInfo{}, targetInfo{};
        std::string from = set.compressed[i], to = Target("system", i);
        LzHandle source(LZOpenFileA(&from[0], &sourceInfo, OF_READ));
        LzHandle target(LZOpenFileA(&to[0], &targetInfo, OF_CREATE));
        if (!source || !target || LZCopy(source.Get(), target.Get()) < 0)
            return false;
    }
    return true;
}

bool FileStep(const FileSet& set) {
    CopyRun run;
    for (size_t i = 0; i < set.compressed.size(); ++i)
        if (CopyOrExpandFile(nullptr, run, set.compressed[i], Target("step", i), true) != FileResult::kDone)
            return false;
    return true;
}

bool PlainCopy(const FileSet& set) {
    for (size_t i = 0; i < set.compressed.size(); ++i)
        if (!CopyFileA(set.originals[i].c_str(), Target("copy", i).c_str(), FALSE))
            return false;
    return true;
}

// One side of a comparison: what it is called, the directory its targets go to, and its loop.
struct Side {
    const char* label;
    const char* directory;
    bool (*run)(const FileSet&);
};

// The medians of both sides over runs, each side into a fresh directory, taking turns at going first.
bool Measure(const char* name, const FileSet& set, int runs, const Side& a, const Side& b) {
    std::vector<double> times[2];
    for (int run = 0; run < runs; ++run) {
        for (int turn = 0; turn < 2; ++turn) {
            int which = (run + turn) % 2;
            const Side& side = which == 0 ? a : b;
            FreshDirectory(side.directory);
            bool ok = true;
            times[which].push_back(Seconds([&] { ok = side.run(set); }));
            if (!ok) {
                std::printf("%s: the %s side failed\n", name, side.label);
                return false;
            }
        }
    }
    double medianA = Median(times[0]), medianB = Median(times[1]);
    std::printf("%s ratio %.2f (%s %.1f ms, %s %.1f ms, %zu files, median of %d)\n", name, medianA / medianB,
                a.label, medianA * 1000, b.label, medianB * 1000, set.compressed.size(), runs);
    return true;
}

bool SameAsOriginals(const FileSet& set, const char* side) {
    for (size_t i = 0; i < set.originals.size(); ++i)
        if (ReadFileBytes(Target(side, i)) != ReadFileBytes(set.originals[i])) {
            std::printf("%s: %s does not expand to its original\n", side, set.compressed[i].c_str());
            return false;
        }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    bool smoke = false;
    int runs = kDefaultRuns;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0)
            smoke = true;
        else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::atoi(argv[++i]);
    }
    FileSet set = ListFiles(smoke ? QUOREL_BENCH_SMOKE_DIR : QUOREL_BENCH_FULL_DIR);
    if (set.compressed.empty()) {
        std::printf("no benchmark files (build the bench_files_full target)\n");
        return 1;
    }
    bool ok =
        Measure("expand", set, runs, {"ours", "ours", Ours}, {"LZCopy", "system", System}) &&
        SameAsOriginals(set, "ours") &&
        Measure("copy-limit", set, runs, {"file step", "step", FileStep}, {"CopyFile", "copy", PlainCopy}) &&
        SameAsOriginals(set, "step");
    DeleteTree(kWorkDirectory);
    return ok ? 0 : 1;
}
