#include "platform/wow64_win32.h"

#include "platform/file_system.h"
#include "platform/wow64.h"

namespace platform {

namespace {

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
using DisableRedirectionFunction = BOOL(WINAPI*)(PVOID*);
using RevertRedirectionFunction = BOOL(WINAPI*)(PVOID);
using RegDeleteKeyExFunction = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);

SystemKind FindRunningSystem() {
    auto isWow64Process = SystemExport<IsWow64ProcessFunction>("kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    bool answered = isWow64Process && isWow64Process(GetCurrentProcess(), &wow64);
    return ClassifySystem(sizeof(void*) == 8, isWow64Process != nullptr, answered && wow64);
}

struct RedirectionFunctions {
    DisableRedirectionFunction disable = nullptr;
    RevertRedirectionFunction revert = nullptr;
    std::string systemDirectory;
};

// Looked up once, and only under WOW64: elsewhere nothing is redirected.
const RedirectionFunctions& Redirection() {
    static const RedirectionFunctions functions = [] {
        RedirectionFunctions found;
        if (RunningSystem().wow64) {
            found.disable =
                SystemExport<DisableRedirectionFunction>("kernel32.dll", "Wow64DisableWow64FsRedirection");
            found.revert =
                SystemExport<RevertRedirectionFunction>("kernel32.dll", "Wow64RevertWow64FsRedirection");
            found.systemDirectory = SystemDirectory();
        }
        return found;
    }();
    return functions;
}

}  // namespace

const SystemKind& RunningSystem() {
    static const SystemKind kind = FindRunningSystem();
    return kind;
}

NativeFileView::NativeFileView(const std::string& path, const std::string& otherPath) {
    const RedirectionFunctions& redirection = Redirection();
    if (!redirection.disable || !redirection.revert)
        return;
    if (!NeedsNativeFileView(RunningSystem(), path, redirection.systemDirectory) &&
        !NeedsNativeFileView(RunningSystem(), otherPath, redirection.systemDirectory))
        return;
    turnedOff_ = redirection.disable(&previous_) != FALSE;
}

NativeFileView::~NativeFileView() {
    if (turnedOff_)
        Redirection().revert(previous_);
}

LONG DeleteRegistryKey(HKEY root, const char* path) {
    if (RunningSystem().wow64) {
        static const auto deleteKeyEx =
            SystemExport<RegDeleteKeyExFunction>("advapi32.dll", "RegDeleteKeyExA");
        if (deleteKeyEx)
            return deleteKeyEx(root, path, kKeyWow64View64, 0);
    }
    return RegDeleteKeyA(root, path);
}

}  // namespace platform
