#include <windows.h>

#include "shell/single_run.h"

SingleRunClaim::SingleRunClaim() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    DWORD major = GetVersionExA(&version) ? version.dwMajorVersion : 4;
    HANDLE mutex = CreateMutexA(nullptr, FALSE, SingleRunMutexName(major));
    // Without a mutex at all nothing is known of other runs; the run goes on as before there was one.
    held_ = mutex == nullptr || GetLastError() != ERROR_ALREADY_EXISTS;
    mutex_ = mutex;
}

SingleRunClaim::~SingleRunClaim() {
    if (mutex_)
        CloseHandle(static_cast<HANDLE>(mutex_));
}
