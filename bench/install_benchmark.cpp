// Installation benchmark: how much the installation run's per-file work (progress text, message pump,
// source and target checks) costs beside the LZ expansion itself.
//
// A: the real SETUP.EXE installs a distribution of many compressed files; timed from the press of Install
//    to the notice that all files are in place.
// B: the same file work in a plain loop, in this process: the four files the run copies copied with
//    CopyFileA, the same files expanded with LZOpenFileA / LZCopy / LZClose.
// Both run in the same Wine session against the same source files and do the same file work, taking turns
// at going first, several times; the medians and their ratio A/B are printed ("install ratio X.XX").
//
// Then, unless --no-breakdown, it shows where the per-file time goes: the program's own progress window
// and message pump, linked in here, timed step by step around the same expansion.
//
// Last it times the same installation without a compressed file, as often as the runs: the run's fixed
// part, which the set has to outweigh ("fixed part X s, N% of the installation", medians).
//
// Usage: install_benchmark [--smoke] [--runs N] [--no-breakdown]
//   --smoke   the small file set (a quick check that everything works; its ratio means little)
//   --runs N  number of A/B pairs, A first in odd, B first in even ones (default 3, smoke 2)
#include <windows.h>
#include <lzexpand.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "resources/install_ids.h"
#include "bench_support.h"
#include "harness.h"
#include "machine_state.h"
#include "install/copy_file.h"
#include "ui/user_interface.h"
#include "setupfiles/text_format.h"

namespace {

using namespace e2e;

constexpr const char* kBenchDirectory = "C:\\quorel-bench";
constexpr const char* kSourceSubdirectory = "BENCH";
constexpr const char* kWindowsSubdirectory = "system32\\qzbench";
constexpr const char* kGroupName = "Quorel ISDN Bench";
constexpr const wchar_t* kGroupNameWide = L"Quorel ISDN Bench";
constexpr int kMainAction = IDC_MAIN_ACTION, kMainExit = IDC_MAIN_EXIT;
constexpr int kInstall = IDC_INSTALL_START, kSource = IDC_INSTALL_SOURCE,
              kDestination = IDC_INSTALL_DESTINATION;
constexpr int kMsgText = IDC_MSG_TEXT, kMsgOk = IDC_MSG_OK;
constexpr int kProgressText = IDC_INFO_TEXT;
constexpr int kYes = IDC_ASK_YES, kNo = IDC_ASK_NO;
constexpr int kLongWaitMs = 120000;
// The notice is looked for at this interval; the end of run A is known at most this late.
constexpr DWORD kPollMs = 5;

// What the run copies besides the compressed files: the script and the program, and the "[ADDFILES]".
const char* const kCopiedFiles[] = {"SETUP.QZT", "SETUP.EXE", "ENGLISH.LNG", "DEUTSCH.LNG"};

struct BenchFile {
    std::string sourceName;     // compressed, in the distribution's BENCH directory
    std::string installedName;  // as expanded
};

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The compressed files the build made, in name order.
std::vector<BenchFile> ListBenchFiles(const std::string& filesDirectory) {
    std::vector<BenchFile> files;
    std::vector<std::string> names = DirectoryEntries(filesDirectory + "\\" + kSourceSubdirectory);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (name.size() < 2 || name.back() != '_')
            continue;
        // QB000.BI_ expands to qb000.bin: the last letter that the compressed name gave up.
        files.push_back({name, Lower(name.substr(0, name.size() - 1)) + "n"});
    }
    return files;
}

// A script with one [COMPFILES] group that puts every file into the Windows tree only, so that the run
// expands each file exactly once, as the plain loop does.
std::string MakeScript(const std::vector<BenchFile>& files) {
    std::string s;
    auto line = [&s](const std::string& text) { s += text + "\r\n"; };
    line("[OS]");
    line("!OS_WINDOWS_NT");
    line("");
    line("[CURRENTCAPIDLL]");
    line("CAPI2032.DLL");
    line("");
    line("[VERSION]");
    line("210");
    line("");
    line("[DEFPROTOCOL]");
    line("DSS1 (Euro-ISDN)");
    line("");
    line("[PROTOCOL]");
    line("2");
    line("DSS1 (Euro-ISDN)");
    line("qdss1.sys");
    line("0");
    line("1TR6 (German national ISDN)");
    line("q1tr6.sys");
    line("0");
    line("");
    line("[COMPFILES]");
    line("1");
    line(std::to_string(files.size()));
    line(kSourceSubdirectory);
    for (const BenchFile& file : files) {
        line(file.sourceName);
        line(file.installedName);
    }
    line("!NOSETUPDIR");
    line(kWindowsSubdirectory);
    line("!VERSION_OFF");
    line("");
    line("[ADDFILES]");
    line("1");
    line("2");
    line("");
    line("ENGLISH.LNG");
    line("DEUTSCH.LNG");
    line("");
    line("");
    line("[PROGMAN]");
    line(kGroupName);
    for (const char* language : {"English", "Deutsch"}) {
        line(language);
        line("1");
        line("Notepad");
        line("notepad.exe");
        line("!SETUPDIR");
        line("!SETUPICON");
        line("0");
    }
    line("");
    line("[LANGUAGE]");
    line("2");
    line("English");
    line("ENGLISH.LNG");
    line("Deutsch");
    line("DEUTSCH.LNG");
    return s;
}

bool CopyInto(const std::string& from, const std::string& to) {
    if (CopyFileA(from.c_str(), to.c_str(), FALSE))
        return true;
    std::fprintf(stderr, "cannot copy %s to %s (error %lu)\n", from.c_str(), to.c_str(), GetLastError());
    return false;
}

bool PrepareBenchDirectory(const std::string& filesDirectory, const std::vector<BenchFile>& files) {
    DeleteTree(kBenchDirectory);
    std::string bench = kBenchDirectory;
    std::string sources = bench + "\\" + kSourceSubdirectory;
    CreateDirectoryA(bench.c_str(), nullptr);
    CreateDirectoryA(sources.c_str(), nullptr);
    for (const char* name : {"SETUP.EXE", "ENGLISH.LNG", "DEUTSCH.LNG"})
        if (!CopyInto(DistDirectory() + "\\" + name, bench + "\\" + name))
            return false;
    for (const BenchFile& file : files)
        if (!CopyInto(filesDirectory + "\\" + kSourceSubdirectory + "\\" + file.sourceName,
                      sources + "\\" + file.sourceName))
            return false;
    WriteFileBytes(bench + "\\SETUP.QZT", MakeScript(files));
    return true;
}

std::string InstalledDirectory() {
    return WindowsDirectory() + "\\" + kWindowsSubdirectory;
}
std::string PlainDirectory() {
    return std::string(kBenchDirectory) + "\\plain";
}

BOOL CALLBACK CloseIfGroupWindow(HWND window, LPARAM closed) {
    // The window list holds every process's windows, and a window whose thread is busy or hung would not
    // answer a message (a sent WM_GETTEXT, even with a time limit, hung here after the end-to-end suite).
    // So the caption is read as the window manager keeps it, and the close is only posted: nothing here
    // waits for another process.
    wchar_t caption[128] = {};
    InternalGetWindowText(window, caption, 128);
    if (IsWindowVisible(window) && std::wcscmp(caption, kGroupNameWide) == 0) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        ++*reinterpret_cast<int*>(closed);
    }
    return TRUE;
}

// Wine's Program Manager opens an Explorer window on the group for each ShowGroup command; left open they
// would pile up in the session from run to run. They appear a little after SETUP.EXE has sent the command,
// so this waits up to waitMs for them, and returns once none has been seen for a second.
void CloseGroupWindows(DWORD waitMs) {
    DWORD start = GetTickCount(), lastSeen = 0;
    for (;;) {
        int closed = 0;
        EnumWindows(CloseIfGroupWindow, reinterpret_cast<LPARAM>(&closed));
        DWORD now = GetTickCount();
        if (closed)
            lastSeen = now;
        if (now - start >= waitMs || (lastSeen && now - lastSeen > 1000))
            break;
        Sleep(50);
    }
}

// Leaves the prefix as the other tests expect it: no driver, no group, no benchmark files.
void CleanMachine() {
    CloseGroupWindows(0);
    PrepareNt4Machine();
    DeleteTree(InstalledDirectory());
    DeleteTree(ProgramsFolder() + "\\" + kGroupName);
}

std::string English(const std::string& key) {
    return LanguageText(std::string(kBenchDirectory) + "\\ENGLISH.LNG", key);
}

// A visible window of the process, other than the install dialog, that has a message text control.
// Only GetDlgItem and the window list are used: nothing is sent to SETUP.EXE's thread while it works,
// since a sent message would wake its message pump and change what is measured.
HWND FindMessageWindow(const SetupProcess& setup, HWND install) {
    for (HWND window : setup.Windows())
        if (window != install && HasControl(window, kMsgText))
            return window;
    return nullptr;
}

// Run A: one whole installation. Returns the time from Install to the notice, or a negative value.
double RunInstallation(size_t fileCount) {
    CleanMachine();
    std::unique_ptr<SetupProcess> started;
    for (int attempt = 1; attempt <= 2 && !(started && started->Started()); ++attempt) {
        started = std::make_unique<SetupProcess>(kBenchDirectory, "");
        if (!started->Started()) {
            // Seen once under load; a second try tells a passing hitch from a broken setup.
            std::fprintf(stderr, "note: SETUP.EXE did not start (error %lu)\n", GetLastError());
            Sleep(1000);
        }
    }
    if (!started->Started())
        return -1;
    const SetupProcess& setup = *started;
    HWND main = setup.SkipIntroToMainDialog();
    if (!main) {
        std::fprintf(stderr, "no main dialog\n");
        return -1;
    }
    PressButton(main, kMainAction);
    HWND install = setup.WaitForControls({kSource, kDestination, kInstall});
    if (!install) {
        std::fprintf(stderr, "no install dialog\n");
        return -1;
    }

    double start = Seconds();
    PressButton(install, kInstall);
    HWND notice = nullptr;
    for (;;) {
        notice = FindMessageWindow(setup, install);
        if (notice)
            break;
        if (Seconds() - start > kLongWaitMs / 1000.0)
            break;
        Sleep(kPollMs);
    }
    double elapsed = Seconds() - start;
    if (!notice) {
        std::fprintf(stderr, "no notice after %.0f s\n", elapsed);
        return -1;
    }
    std::string shown = ControlText(notice, kMsgText);
    if (shown != English("[INFO_INS_DONE]") || !HasControl(notice, kMsgOk)) {
        std::fprintf(stderr, "the run showed \"%s\" instead of the done notice\n", shown.c_str());
        return -1;
    }
    PressButton(notice, kMsgOk);

    // The rest of the run (group, registry) is not timed; answer what it asks until the main dialog
    // has switched to configuring.
    std::string configure = English("[DLG_MAIN_CONFIG]");
    bool finished = WaitFor(
        [&] {
            if (ControlText(main, kMainAction) == configure)
                return true;
            HWND window = FindMessageWindow(setup, nullptr);
            if (window && window != main && IsWindow(window)) {
                std::string text = ControlText(window, kMsgText);
                if (HasControl(window, kYes) && HasControl(window, kNo)) {
                    PressButton(window, kYes);  // keep the earlier configuration
                } else if (HasControl(window, kMsgOk) && !text.empty() &&
                           text != English("[INFO_INS_DONE]")) {
                    std::fprintf(stderr, "note: the run showed \"%s\"\n", text.c_str());
                    PressButton(window, kMsgOk);
                }
            }
            return false;
        },
        kLongWaitMs);
    if (!finished) {
        std::fprintf(stderr, "the run did not finish\n");
        return -1;
    }
    PressButton(main, kMainExit);
    HWND restart = setup.WaitForText(English("[QUEST_RESTARTSYSTEM]"), kDefaultWaitMs);
    if (restart)
        PressButton(restart, IDOK);
    DWORD code = 99;
    if (!setup.WaitForExit(&code, kLongWaitMs))
        std::fprintf(stderr, "note: SETUP.EXE did not end by itself\n");
    CloseGroupWindows(5000);

    // Every file has to be there, or the time means nothing; their bytes are compared at the end.
    std::vector<std::string> installed = DirectoryEntries(InstalledDirectory());
    if (installed.size() != fileCount) {
        std::fprintf(stderr, "the run installed %zu of %zu files\n", installed.size(), fileCount);
        return -1;
    }
    return elapsed;
}

// Run B: the same file work in a plain loop: the directory made, the four files the run copies (script,
// program, language files) copied, every file expanded. Returns its time, or a negative value.
double RunPlainExpansion(const std::vector<BenchFile>& files) {
    std::string target = PlainDirectory();
    DeleteTree(target);
    std::string bench = kBenchDirectory;
    std::string sources = bench + "\\" + kSourceSubdirectory + "\\";
    std::vector<std::string> from, to;
    for (const BenchFile& file : files) {
        from.push_back(sources + file.sourceName);
        to.push_back(target + "\\" + file.installedName);
    }
    double start = Seconds();
    CreateDirectoryA(target.c_str(), nullptr);
    for (const char* name : kCopiedFiles)
        if (!CopyInto(bench + "\\" + name, target + "\\" + name))
            return -1;
    for (size_t i = 0; i < files.size(); ++i) {
        OFSTRUCT sourceInfo = {}, targetInfo = {};
        LONG written = -1;
        {
            LzHandle source(LZOpenFileA(&from[i][0], &sourceInfo, OF_READ));
            LzHandle dest(LZOpenFileA(&to[i][0], &targetInfo, OF_CREATE));
            if (source && dest)
                written = LZCopy(source.Get(), dest.Get());
        }
        if (written < 0) {
            std::fprintf(stderr, "LZCopy of %s failed (%ld)\n", from[i].c_str(), static_cast<long>(written));
            return -1;
        }
    }
    return Seconds() - start;
}

// Where the per-file time of the run goes. The program's own progress window, message pump and file step
// are linked in here and timed around each file, in this process. The variants add one call between the
// progress text and the pump, to see what lets the pump's wait end at once.
enum class PumpVariant { kNone, kAsTheRun, kInvalidateText, kPostNull };

const char* VariantName(PumpVariant variant) {
    switch (variant) {
        case PumpVariant::kNone:
            return "text, no pump";
        case PumpVariant::kAsTheRun:
            return "text + PumpMessages (as the run does)";
        case PumpVariant::kInvalidateText:
            return "text + InvalidateRect(603) + PumpMessages";
        case PumpVariant::kPostNull:
            return "text + PostMessage(WM_NULL) + PumpMessages";
    }
    return "";
}

// What is done with each file after the pump: the plain LZ calls, or the run's own file step.
enum class FileWork { kPlainLz, kRunStep };

struct StepTimes {
    double text = 0, pump = 0, directory = 0, file = 0;
    double Total() const { return text + pump + directory + file; }
};

bool MeasureSteps(const std::vector<BenchFile>& files, size_t count, PumpVariant variant, FileWork work,
                  StepTimes* times) {
    std::string target = PlainDirectory();
    DeleteTree(target);
    std::string sources = std::string(kBenchDirectory) + "\\" + kSourceSubdirectory + "\\";
    std::string format = English("[INFO_EXPANDFILE]");
    WindowRef progress = ui::OpenInfoWindow(nullptr, true, true);
    HWND window = static_cast<HWND>(progress);
    if (!window) {
        std::fprintf(stderr, "the progress window did not open\n");
        return false;
    }
    ui::ActivateWindow(progress);
    ui::PumpMessages(progress);  // its first paint is not a step
    if (work == FileWork::kPlainLz)
        CreateDirectoryA(target.c_str(), nullptr);
    *times = StepTimes();
    for (size_t i = 0; i < count && i < files.size(); ++i) {
        std::string from = sources + files[i].sourceName, to = target + "\\" + files[i].installedName;
        double t0 = Seconds();
        ui::SetInfoText(progress, FormatText(format, {from, to}));
        if (variant == PumpVariant::kInvalidateText)
            InvalidateRect(GetDlgItem(window, kProgressText), nullptr, TRUE);
        if (variant == PumpVariant::kPostNull)
            PostMessageA(window, WM_NULL, 0, 0);
        double t1 = Seconds();
        if (variant != PumpVariant::kNone)
            ui::PumpMessages(progress);
        double t2 = Seconds();
        if (work == FileWork::kRunStep) {
            CreatePathDirectories(progress, target);
            times->directory += Seconds() - t2;
            t2 = Seconds();
            CopyRun run;
            CopyOrExpandFile(nullptr, run, from, to, true);
        } else {
            OFSTRUCT sourceInfo = {}, targetInfo = {};
            LzHandle source(LZOpenFileA(&from[0], &sourceInfo, OF_READ));
            LzHandle dest(LZOpenFileA(&to[0], &targetInfo, OF_CREATE));
            if (source && dest)
                LZCopy(source.Get(), dest.Get());
        }
        double t3 = Seconds();
        times->text += t1 - t0;
        times->pump += t2 - t1;
        times->file += t3 - t2;
    }
    ui::CloseInfoWindow(progress);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return true;
}

// The unit of what the progress text and the pump cost under Wine: every window call that the server
// answers (setting a window text, posting, waiting, looking at the queue) takes one round trip to it. An
// empty queue asked in a loop is nothing but that round trip.
double RoundTripMilliseconds() {
    constexpr int kCalls = 2000;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    double start = Seconds();
    for (int i = 0; i < kCalls; ++i) PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    return (Seconds() - start) * 1000.0 / kCalls;
}

void PrintStepBreakdown(const std::vector<BenchFile>& files) {
    size_t few = std::min<size_t>(files.size(), 50);
    std::printf(
        "per-file steps, in this process with the program's progress window, %zu files (ms per file):\n",
        few);
    double asTheRun = 0;
    for (PumpVariant variant :
         {PumpVariant::kNone, PumpVariant::kAsTheRun, PumpVariant::kInvalidateText, PumpVariant::kPostNull}) {
        StepTimes times;
        if (!MeasureSteps(files, few, variant, FileWork::kPlainLz, &times))
            return;
        double n = static_cast<double>(few) / 1000.0;
        std::printf("  %-44s text %6.2f  pump %6.2f  LZ %6.2f  total %6.2f\n", VariantName(variant),
                    times.text / n, times.pump / n, times.file / n, times.Total() / n);
        std::fflush(stdout);
        if (variant == PumpVariant::kAsTheRun)
            asTheRun = (times.text + times.pump) / n;
    }
    double roundTrip = RoundTripMilliseconds();
    std::printf(
        "  an empty PeekMessage (one round trip to the Wine server) %.3f ms: text + pump take %.1f of them\n",
        roundTrip, asTheRun / roundTrip);
    // The whole per-file work of the run (progress text, pump, directory test, source and target probes,
    // expansion) over all files, for the pump variants that do not wait for the timer, alternating with the
    // plain loop: what the ratio would be with such a pump.
    const PumpVariant fixed[] = {PumpVariant::kNone, PumpVariant::kInvalidateText, PumpVariant::kPostNull};
    constexpr int kRepeats = 3;
    std::vector<double> plain;
    std::vector<StepTimes> measured[3];
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        double seconds = RunPlainExpansion(files);
        if (seconds <= 0)
            return;
        plain.push_back(seconds);
        for (size_t v = 0; v < 3; ++v) {
            StepTimes times;
            if (!MeasureSteps(files, files.size(), fixed[v], FileWork::kRunStep, &times))
                return;
            measured[v].push_back(times);
        }
    }
    double plainMedian = Median(plain);
    std::printf(
        "the run's per-file work (text, pump, CreatePathDirectories, CopyOrExpandFile), %zu files, medians "
        "of %d:\n",
        files.size(), kRepeats);
    std::printf("  %-44s %.2f s\n", "plain LZCopy loop", plainMedian);
    for (size_t v = 0; v < 3; ++v) {
        auto median = [&](double StepTimes::*field) {
            std::vector<double> values;
            for (const StepTimes& t : measured[v]) values.push_back(t.*field);
            return Median(values);
        };
        std::vector<double> totals;
        for (const StepTimes& t : measured[v]) totals.push_back(t.Total());
        double total = Median(totals);
        std::printf("  %-44s %.2f s (text %.2f, pump %.2f, directory %.2f, file %.2f), ratio %.2f\n",
                    VariantName(fixed[v]), total, median(&StepTimes::text), median(&StepTimes::pump),
                    median(&StepTimes::directory), median(&StepTimes::file), total / plainMedian);
    }
    // The file step does the same file work as the plain loop; what it adds is its probes and checks.
    std::vector<double> fileSteps;
    for (const StepTimes& t : measured[0]) fileSteps.push_back(t.directory + t.file);
    std::printf("  %-44s %.2f s, ratio %.2f\n", "directory test and file step alone", Median(fileSteps),
                Median(fileSteps) / plainMedian);
    std::fflush(stdout);
}

// Both runs have to have made the files the build compressed, byte for byte.
bool CheckExpandedFiles(const std::string& filesDirectory, const std::vector<BenchFile>& files) {
    bool good = true;
    for (const BenchFile& file : files) {
        std::string original = ReadFileBytes(filesDirectory + "\\originals\\" + file.installedName);
        for (const std::string& directory : {InstalledDirectory(), PlainDirectory()}) {
            if (ReadFileBytes(directory + "\\" + file.installedName) != original) {
                std::fprintf(stderr, "%s\\%s differs from the original\n", directory.c_str(),
                             file.installedName.c_str());
                good = false;
            }
        }
    }
    return good;
}

// Wine's server closes the session's desktop (and its Explorer goes, and every X window with it) one second
// after a thread leaves the desktop and the users left are as many as the desktop Explorer's threads. Once
// SETUP.EXE and the group's Explorer windows have ended, this process is the only other user, and the exit of
// one of its short-lived worker threads was seen to close the desktop; our own progress window then failed
// with an X error. A thread that waits for messages all the time keeps one user more until the end.
class DesktopAnchor {
  public:
    DesktopAnchor() {
        ready_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        if (ready_)
            thread_.Reset(CreateThread(nullptr, 0, Run, ready_.Get(), 0, &id_));
        // The main thread's first window waits until this thread's window exists: two threads of one
        // process connecting to Wine's display at the same time were seen to hang for good (about one run
        // in eight, before SETUP.EXE was even started).
        if (thread_ && WaitForSingleObject(ready_.Get(), 10000) != WAIT_OBJECT_0)
            std::fprintf(stderr, "the desktop anchor thread made no window\n");
    }
    ~DesktopAnchor() {
        if (!thread_)
            return;
        PostThreadMessageA(id_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_.Get(), 5000);
    }
    DesktopAnchor(const DesktopAnchor&) = delete;
    DesktopAnchor& operator=(const DesktopAnchor&) = delete;

  private:
    static DWORD WINAPI Run(void* ready) {
        HWND window = CreateWindowA("STATIC", "install_benchmark", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        // The thread has its message queue now, so the quit message of the destructor reaches it.
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        SetEvent(static_cast<HANDLE>(ready));
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        if (window)
            DestroyWindow(window);
        return 0;
    }
    KernelHandle ready_;
    KernelHandle thread_;
    DWORD id_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    bool smoke = false;
    bool breakdown = true;
    int runs = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0) {
            smoke = true;
        } else if (std::strcmp(argv[i], "--no-breakdown") == 0) {
            breakdown = false;
        } else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: install_benchmark [--smoke] [--runs N] [--no-breakdown]\n");
            return 2;
        }
    }
    if (runs <= 0)
        runs = smoke ? 2 : 3;
    std::string filesDirectory = smoke ? QUOREL_BENCH_SMOKE_DIR : QUOREL_BENCH_FULL_DIR;
    std::vector<BenchFile> files = ListBenchFiles(filesDirectory);
    if (files.empty()) {
        std::fprintf(stderr, "no compressed files in %s\\%s (build the bench_files target)\n",
                     filesDirectory.c_str(), kSourceSubdirectory);
        return 1;
    }
    long long bytes = 0;
    for (const BenchFile& file : files) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA((filesDirectory + "\\originals\\" + file.installedName).c_str(),
                                 GetFileExInfoStandard, &data))
            bytes += data.nFileSizeLow;
    }
    std::printf("%zu files, %.0f KiB each expanded, %d run%s\n", files.size(), bytes / 1024.0 / files.size(),
                runs, runs == 1 ? "" : "s");
    std::fflush(stdout);

    DesktopAnchor anchor;
    if (!PrepareBenchDirectory(filesDirectory, files))
        return 1;
    std::vector<double> installTimes, plainTimes;
    bool ok = true;
    for (int run = 1; run <= runs && ok; ++run) {
        // The sides take turns at going first, so that neither always finds the disk cache warmer.
        double install = -1, plain = -1;
        if (run % 2) {
            install = RunInstallation(files.size());
            plain = install >= 0 ? RunPlainExpansion(files) : -1;
        } else {
            plain = RunPlainExpansion(files);
            install = plain > 0 ? RunInstallation(files.size()) : -1;
        }
        if (install < 0 || plain <= 0) {
            ok = false;
            break;
        }
        installTimes.push_back(install);
        plainTimes.push_back(plain);
        std::printf("run %d: install %.2f s, plain LZCopy %.2f s, ratio %.2f\n", run, install, plain,
                    install / plain);
        std::fflush(stdout);
    }
    if (ok)
        ok = CheckExpandedFiles(filesDirectory, files);
    if (ok) {
        double install = Median(installTimes), plain = Median(plainTimes);
        std::printf(
            "median: install %.2f s, plain LZCopy %.2f s, ratio %.2f (%.1f ms per file beside the "
            "expansion)\n",
            install, plain, install / plain, (install - plain) * 1000.0 / files.size());
        std::printf("install ratio %.2f\n", install / plain);
        std::fflush(stdout);
        // What the set has to outweigh: the same installation without a compressed file (the script, the
        // program and the language files still copied), timed the same way, as often as the runs.
        std::vector<double> fixedTimes;
        ok = PrepareBenchDirectory(filesDirectory, {});
        for (int run = 1; run <= runs && ok; ++run) {
            fixedTimes.push_back(RunInstallation(0));
            ok = fixedTimes.back() >= 0;
        }
        if (ok) {
            double fixed = Median(fixedTimes);
            std::printf("fixed part %.3f s, %.0f%% of the installation\n", fixed, fixed * 100.0 / install);
            std::fflush(stdout);
        }
        if (ok && breakdown && PrepareBenchDirectory(filesDirectory, files))
            PrintStepBreakdown(files);
    }
    CleanMachine();
    DeleteTree(kBenchDirectory);
    return ok ? 0 : 1;
}
