#include <windows.h>

#include "platform/file_system.h"

namespace platform {

namespace {
HANDLE AsHandle(FileId file) { return reinterpret_cast<HANDLE>(file); }
FileId FromHandle(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileId>(handle); }

std::string FromBuffer(const char* buffer, DWORD length) { return length ? std::string(buffer, length) : std::string(); }
}  // namespace

FileId OpenFileForRead(const std::string& path) {
    return FromHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileId CreateFileTruncate(const std::string& path) {
    return FromHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

long ReadFileBytes(FileId file, char* buffer, long size) {
    DWORD read = 0;
    if (!ReadFile(AsHandle(file), buffer, static_cast<DWORD>(size), &read, nullptr)) return 0;
    return static_cast<long>(read);
}

bool WriteFileBytes(FileId file, const char* data, long size) {
    DWORD written = 0;
    return WriteFile(AsHandle(file), data, static_cast<DWORD>(size), &written, nullptr) &&
           written == static_cast<DWORD>(size);
}

void CloseFile(FileId file) { CloseHandle(AsHandle(file)); }

bool DeleteFilePath(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

std::string CurrentDirectory() {
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return FromBuffer(buffer, length < MAX_PATH ? length : 0);
}

std::string SystemDirectory() {
    char buffer[MAX_PATH];
    UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
    return FromBuffer(buffer, length < MAX_PATH ? length : 0);
}

std::string WindowsDirectory() {
    char buffer[MAX_PATH];
    UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return FromBuffer(buffer, length < MAX_PATH ? length : 0);
}

std::string ModuleFileName() {
    char buffer[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return FromBuffer(buffer, length < MAX_PATH ? length : 0);
}

}  // namespace platform
