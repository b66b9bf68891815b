// A stand-in under the CAPI 2.0 DLL's name that leaves "<its own path>.loaded" beside itself in every
// process that loads it, and answers CAPI_GET_VERSION with a version no sample has (v9.9, rev.99): planted
// where a program looks for DLLs, it shows whether that program loaded it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH + 8];
    DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return TRUE;
    lstrcatA(path, ".loaded");
    HANDLE marker =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE)
        CloseHandle(marker);
    return TRUE;
}

extern "C" __declspec(dllexport) DWORD WINAPI
    CAPI_GET_VERSION(DWORD* capiMajor, DWORD* capiMinor, DWORD* manufacturerMajor, DWORD* manufacturerMinor) {
    *capiMajor = 2;
    *capiMinor = 0;
    *manufacturerMajor = 9;
    *manufacturerMinor = 999;
    return 0;
}
