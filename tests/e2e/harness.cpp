#include "resources/resource_ids.h"
#include "resources/install_ids.h"
#include "harness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace e2e {

namespace {

std::string Utf8(const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                   nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &text[0], size, nullptr,
                        nullptr);
    return text;
}

void CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((from + "\\*").c_str(), &found));
    if (!search)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + "\\" + name, to + "\\" + name);
        else
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(search.Get(), &found));
}

void DeleteTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((path + "\\*").c_str(), &found));
    if (search) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search.Get(), &found));
    }
    RemoveDirectoryA(path.c_str());
}

struct EnumContext {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
    EnumContext* context = reinterpret_cast<EnumContext*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == context->processId && IsWindowVisible(window))
        context->windows.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

}  // namespace

std::string DistDirectory() {
    return QUOREL_DIST_DIR;
}

std::string PrepareDistribution(const std::string& name) {
    CreateDirectoryA("C:\\quorel-e2e", nullptr);
    std::string directory = "C:\\quorel-e2e\\" + name;
    DeleteTree(directory);
    CopyTree(DistDirectory(), directory);
    return directory;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string FromAnsi(const std::string& bytes) {
    if (bytes.empty())
        return std::string();
    int size = MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], size);
    return Utf8(wide);
}

std::string LanguageText(const std::string& languageFile, const std::string& key) {
    std::string bytes = ReadFileBytes(languageFile);
    std::string keyLine = key + "\r\n";
    size_t at = bytes.find(keyLine);
    if (at == std::string::npos)
        return "<missing " + key + ">";
    size_t start = at + keyLine.size();
    size_t end = bytes.find('\r', start);
    std::string text = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
    for (char& c : text)
        if (static_cast<unsigned char>(c) == 0xAF)
            c = '\n';
    return FromAnsi(text);
}

std::string DirectoryListingForm(const std::string& directory) {
    constexpr int kListingStatic = 1;
    // The listing changes the current directory, which is put back.
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 10, 10, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListingStatic)), nullptr, nullptr);
    std::string spec = directory + "\\*.*";
    spec.resize(MAX_PATH);
    DlgDirListA(parent, &spec[0], 0, kListingStatic, DDL_DIRECTORY | DDL_EXCLUSIVE);
    std::string shown = ControlText(parent, kListingStatic);
    DestroyWindow(parent);
    SetCurrentDirectoryA(before);
    return shown;
}

namespace {

// Short beside the reaction times the tests wait for, long enough that a poll loop leaves Wine the processor.
constexpr DWORD kPollMs = 25;

}  // namespace

AppContext& App() {
    static AppContext context;
    return context;
}

bool WaitFor(const std::function<bool()>& check, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (check())
            return true;
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs))
            return check();
        Sleep(kPollMs);
    }
}

bool ExpectStays(const std::function<bool()>& check, int forMs, const std::string& what) {
    DWORD start = GetTickCount();
    for (;;) {
        // The time is taken before the check, so that the last check falls after the whole span.
        DWORD elapsed = GetTickCount() - start;
        if (!check()) {
            ADD_FAILURE() << what << " stopped holding after " << elapsed << " of " << forMs << " ms";
            return false;
        }
        if (elapsed >= static_cast<DWORD>(forMs))
            return true;
        Sleep(kPollMs);
    }
}

SetupProcess::SetupProcess(const std::string& directory, const std::string& arguments,
                           const std::string& startIn) {
    std::string program = directory + "\\SETUP.EXE";
    Start(program.c_str(), "SETUP.EXE " + arguments, startIn.empty() ? directory : startIn);
}

SetupProcess::SetupProcess(const RegisteredCommand& command) {
    Start(nullptr, command.line, command.startIn);
}

void SetupProcess::Start(const char* program, std::string commandLine, const std::string& current) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, current.c_str(),
                       &startup, &info)) {
        KernelHandle thread(info.hThread);  // only the process is waited for
        process_.Reset(info.hProcess);
        id_ = info.dwProcessId;
        WaitForInputIdle(process_.Get(), 10000);
    }
}

SetupProcess::~SetupProcess() {
    if (!process_)
        return;
    if (WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 99);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

std::vector<HWND> SetupProcess::Windows() const {
    EnumContext context = {id_, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&context));
    return context.windows;
}

HWND SetupProcess::WaitForControls(const std::vector<int>& ids, int timeoutMs) const {
    HWND match = nullptr;
    WaitFor(
        [&] {
            for (HWND window : Windows()) {
                bool all = true;
                for (int id : ids) all = all && HasControl(window, id);
                if (all)
                    return (match = window) != nullptr;
            }
            return false;
        },
        timeoutMs);
    return match;
}

HWND SetupProcess::WaitForText(const std::string& text, int timeoutMs) const {
    HWND match = nullptr;
    WaitFor(
        [&] {
            for (HWND window : Windows())
                for (const std::string& shown : ChildTexts(window))
                    if (shown == text)
                        return (match = window) != nullptr;
            return false;
        },
        timeoutMs);
    return match;
}

HWND SetupProcess::WaitForIntro(int timeoutMs) const {
    HWND match = nullptr;
    WaitFor(
        [&] {
            for (HWND window : Windows()) {
                char className[64] = {};
                GetClassNameA(window, className, sizeof className);
                if (std::string(className) == "#32770" && Children(window).empty())
                    return (match = window) != nullptr;
            }
            return false;
        },
        timeoutMs);
    return match;
}

HWND SetupProcess::SkipIntroToMainDialog(int timeoutMs) const {
    HWND intro = WaitForIntro(timeoutMs);
    if (intro)
        PostMessageA(intro, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    return WaitForControls({IDC_MAIN_ACTION, IDC_MAIN_ABOUT, IDC_MAIN_EXIT, IDC_MAIN_LANGUAGE}, timeoutMs);
}

bool SetupProcess::WaitForExit(DWORD* code, int timeoutMs) const {
    if (!process_ || WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(process_.Get(), code);
    return true;
}

std::string WindowText(HWND window) {
    // The ANSI messages come back cut across processes under Wine: ask for the wide text.
    wchar_t buffer[1024] = {};
    SendMessageW(window, WM_GETTEXT, sizeof buffer / sizeof buffer[0], reinterpret_cast<LPARAM>(buffer));
    return Utf8(buffer);
}

std::string ControlText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<std::string> texts;
    for (HWND child : Children(window)) texts.push_back(WindowText(child));
    return texts;
}

std::vector<std::string> ComboEntries(HWND dialog, int id) {
    HWND combo = GetDlgItem(dialog, id);
    std::vector<std::string> entries;
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t buffer[1024] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) < 1024)
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer));
        entries.push_back(Utf8(buffer));
    }
    return entries;
}

std::vector<std::string> ListBoxEntries(HWND dialog, int id) {
    HWND list = GetDlgItem(dialog, id);
    std::vector<std::string> entries;
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t buffer[1024] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 1024)
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
        entries.push_back(Utf8(buffer));
    }
    return entries;
}

int ComboSelection(HWND dialog, int id) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, id), CB_GETCURSEL, 0, 0));
}

bool HasControl(HWND dialog, int id) {
    return GetDlgItem(dialog, id) != nullptr;
}

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SelectComboEntry(HWND dialog, int id, int index) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void CloseWindowBySystemMenu(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

namespace {

constexpr int kMainAction = IDC_MAIN_ACTION, kMainExit = IDC_MAIN_EXIT;
constexpr int kInstall = IDC_INSTALL_START, kSource = IDC_INSTALL_SOURCE,
              kDestination = IDC_INSTALL_DESTINATION, kChangeSource = IDC_INSTALL_CHANGE_SOURCE,
              kChangeDestination = IDC_INSTALL_CHANGE_DESTINATION;
constexpr int kNoticeOk = IDC_MSG_OK;

std::string English(const std::string& distribution, const std::string& key) {
    return LanguageText(distribution + "\\ENGLISH.LNG", key);
}

}  // namespace

bool OpenInstallDialog(const SetupProcess& setup, HWND* main, HWND* install) {
    *main = setup.SkipIntroToMainDialog();
    if (!*main)
        return false;
    PressButton(*main, kMainAction);
    *install = setup.WaitForControls({kSource, kDestination, kChangeSource, kChangeDestination});
    return *install != nullptr;
}

bool Answer(const SetupProcess& setup, const std::string& text, int button, int timeoutMs) {
    HWND window = setup.WaitForText(text, timeoutMs);
    if (!window)
        return false;
    PressButton(window, button);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(window); })) << "the window of " << text << " stayed";
    return true;
}

bool ReachesConfigureMode(HWND main, const std::string& distribution) {
    std::string configure = English(distribution, "[DLG_MAIN_CONFIG]");
    return WaitFor([&] { return ControlText(main, kMainAction) == configure; }, kLongWaitMs);
}

void ExitProgram(const SetupProcess& setup, HWND main, const std::string& distribution,
                 bool restartExpected) {
    PressButton(main, kMainExit);
    if (restartExpected) {
        EXPECT_TRUE(Answer(setup, English(distribution, "[QUEST_RESTARTSYSTEM]"), IDOK)) << "no restart text";
    }
    DWORD code = 99;
    ASSERT_TRUE(setup.WaitForExit(&code));
    EXPECT_EQ(code, 0u);
}

void InstallWithDefaults(const std::string& distribution) {
    SetupProcess setup(distribution, "");
    HWND main = nullptr, install = nullptr;
    ASSERT_TRUE(OpenInstallDialog(setup, &main, &install));
    PressButton(install, kInstall);
    ASSERT_TRUE(Answer(setup, English(distribution, "[INFO_INS_DONE]"), kNoticeOk));
    ASSERT_TRUE(ReachesConfigureMode(main, distribution));
    ExitProgram(setup, main, distribution, true);
}

std::vector<HWND> VisibleWindows(DWORD processId) {
    EnumContext context = {processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&context));
    return context.windows;
}

HWND WaitForWindow(const std::function<bool(HWND)>& match, int timeoutMs, DWORD processId) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND window : VisibleWindows(processId))
                if (match(window))
                    return (found = window) != nullptr;
            return false;
        },
        timeoutMs);
    return found;
}

bool IsDialogWithControls(HWND window, const std::vector<int>& ids) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770")
        return false;
    for (int id : ids)
        if (!HasControl(window, id))
            return false;
    return true;
}

bool ShowsText(HWND window, const std::string& text) {
    for (const std::string& shown : ChildTexts(window))
        if (shown == text)
            return true;
    return false;
}

void PostKey(HWND window, WPARAM key) {
    UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (1u << 30) | (1u << 31)));
}

HWND FocusedWindow(HWND window) {
    SetForegroundWindow(GetAncestor(window, GA_ROOT));
    GUITHREADINFO input = {};
    input.cbSize = sizeof input;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &input))
        return nullptr;
    return input.hwndFocus;
}

}  // namespace e2e
