#pragma once

#include <windows.h>
#include <lzexpand.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32_handles.h"
#include "shell/app_context.h"

// The system's own LZ expansion (LZ32), which the tests and benchmarks hold the program's against.
// LZOpenFileA gives a negative LZERROR_* code on failure, every one of them "no handle".
struct LzHandleTraits {
    using Type = INT;
    static Type None() { return -1; }
    static bool IsValid(Type handle) { return handle >= 0; }
    static void Close(Type handle) { LZClose(handle); }
};
using LzHandle = UniqueHandle<LzHandleTraits>;

// Helpers that drive the real SETUP.EXE from another process under Wine. Every wait polls with a deadline.
// Texts read from SETUP.EXE's windows come back as UTF-8; texts of the language files are Windows-1252
// and are converted with FromAnsi before they are compared.
namespace e2e {

constexpr int kDefaultWaitMs = 15000;
// For what waits on a whole installation run.
constexpr int kLongWaitMs = 60000;

// The built distribution directory (build/dist, seen through Wine's drive Z:).
std::string DistDirectory();
// A fresh copy of the distribution in C:\quorel-e2e\<name>; returns its path.
std::string PrepareDistribution(const std::string& name);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Windows-1252 bytes as UTF-8.
std::string FromAnsi(const std::string& bytes);
// The text of a key in a language file, as the program shows it (0xAF as a line break), in UTF-8.
std::string LanguageText(const std::string& languageFile, const std::string& key);

// What DlgDirListA shows in its static for a directory: the form in which the program shows directories.
std::string DirectoryListingForm(const std::string& directory);

// Polls until check() holds, for timeoutMs at most; whether it held.
bool WaitFor(const std::function<bool()>& check, int timeoutMs = kDefaultWaitMs);
// The program's context as its top would own it, for the tests that run its dialogs in this process.
AppContext& App();
// Polls that check() holds for the whole of forMs: at its first miss a test failure naming what, and false.
bool ExpectStays(const std::function<bool()>& check, int forMs, const std::string& what);

// SETUP.EXE started in a directory (which becomes its current directory) with a command line.
// A command line as Windows keeps it for a program (Add/Remove Programs: the quoted program and its
// switches), started as it stands from startIn.
struct RegisteredCommand {
    std::string line;
    std::string startIn;
};

class SetupProcess {
  public:
    // Starts directory\SETUP.EXE in startIn (the program's directory when empty), as a start-up script
    // starts it from its own.
    SetupProcess(const std::string& directory, const std::string& arguments, const std::string& startIn = "");
    explicit SetupProcess(const RegisteredCommand& command);
    ~SetupProcess();  // ends a process that is still running
    SetupProcess(const SetupProcess&) = delete;
    SetupProcess& operator=(const SetupProcess&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD Id() const { return id_; }
    // The visible top-level windows of the process.
    std::vector<HWND> Windows() const;
    // A visible window of the process that holds every one of the control ids.
    HWND WaitForControls(const std::vector<int>& ids, int timeoutMs = kDefaultWaitMs) const;
    // A visible window of the process that shows the text (UTF-8) in one of its controls.
    HWND WaitForText(const std::string& text, int timeoutMs = kDefaultWaitMs) const;
    // The start window: a visible dialog without controls.
    HWND WaitForIntro(int timeoutMs = kDefaultWaitMs) const;
    // Waits for the start window, clicks it away and returns the main dialog.
    HWND SkipIntroToMainDialog(int timeoutMs = kDefaultWaitMs) const;
    // True when the process ended within the time; its exit code in code.
    bool WaitForExit(DWORD* code, int timeoutMs = kDefaultWaitMs) const;

  private:
    void Start(const char* program, std::string commandLine, const std::string& current);

    KernelHandle process_;
    DWORD id_ = 0;
};

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
std::vector<std::string> ChildTexts(HWND window);
std::vector<std::string> ComboEntries(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
std::vector<std::string> ListBoxEntries(HWND dialog, int id);
bool HasControl(HWND dialog, int id);
// Clicks a button the way the dialog manager reports it: a command with the button's id.
void PressButton(HWND dialog, int id);
// Selects an entry and sends the selection-change notification, as a user's choice does.
void SelectComboEntry(HWND dialog, int id, int index);
void CloseWindowBySystemMenu(HWND window);

// The steps of an installation through SETUP.EXE's own dialogs, as a user takes them. Texts are the
// English ones of the distribution directory the program was started in.

// Waits for the main dialog and opens the install dialog from it; false when either does not appear.
bool OpenInstallDialog(const SetupProcess& setup, HWND* main, HWND* install);
// Presses the button of the window that shows the text, once it appears, and waits for the window to go;
// false when no such window appears.
bool Answer(const SetupProcess& setup, const std::string& text, int button, int timeoutMs = kLongWaitMs);
// True once the run has ended and the main dialog offers to configure.
bool ReachesConfigureMode(HWND main, const std::string& distribution);
// Ends the program with Exit, acknowledges the restart text when it is expected, and expects exit code 0.
void ExitProgram(const SetupProcess& setup, HWND main, const std::string& distribution, bool restartExpected);
// A whole first installation from the distribution with the default paths, up to the program's end.
void InstallWithDefaults(const std::string& distribution);

// Windows of any process, this one by default: for tests that run the program's dialogs in-process and
// drive them from a helper thread.
std::vector<HWND> VisibleWindows(DWORD processId = GetCurrentProcessId());
// A visible top-level window of the process for which match holds, or nullptr after the time is up.
HWND WaitForWindow(const std::function<bool(HWND)>& match, int timeoutMs = kDefaultWaitMs,
                   DWORD processId = GetCurrentProcessId());
// True when the window is a dialog (class "#32770") that holds every one of the control ids.
bool IsDialogWithControls(HWND window, const std::vector<int>& ids);
// True when one of the window's controls shows the text (UTF-8).
bool ShowsText(HWND window, const std::string& text);
// Posts a key press (down and up) to a window, as the keyboard delivers it to the focused control; a
// dialog's message loop turns Enter and Escape into commands.
void PostKey(HWND window, WPARAM key);
// The control that has the keyboard focus in the thread of the window, null when none has. The window is
// brought to the front first, as the administrator's click would: Wine's Program Manager opens an Explorer
// window on a new group some time after an installation, and a thread that lost the activation to it has
// no focus until its window is active again; a dialog then gives the focus back to its control.
HWND FocusedWindow(HWND window);

}  // namespace e2e
