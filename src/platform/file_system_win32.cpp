#include <windows.h>

#include "platform/file_system.h"
#include "platform/win32_handles.h"
#include "platform/wow64_win32.h"

namespace platform {

namespace {
HANDLE AsHandle(FileId file) {
    return reinterpret_cast<HANDLE>(file);
}
FileId FromHandle(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileId>(handle);
}

std::string FromBuffer(const char* buffer, DWORD length) {
    return length ? std::string(buffer, length) : std::string();
}
}  // namespace

FileId OpenFileForRead(const std::string& path) {
    NativeFileView view(path);
    return FromHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileId CreateFileTruncate(const std::string& path) {
    NativeFileView view(path);
    return FromHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileId CreateNewFile(const std::string& path) {
    NativeFileView view(path);
    return FromHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

long ReadFileBytes(FileId file, char* buffer, long size) {
    DWORD read = 0;
    if (!ReadFile(AsHandle(file), buffer, static_cast<DWORD>(size), &read, nullptr))
        return kReadFailed;
    return static_cast<long>(read);
}

bool WriteFileBytes(FileId file, const char* data, long size) {
    DWORD written = 0;
    return WriteFile(AsHandle(file), data, static_cast<DWORD>(size), &written, nullptr) &&
           written == static_cast<DWORD>(size);
}

void CloseFile(FileId file) {
    CloseHandle(AsHandle(file));
}

bool DeleteFilePath(const std::string& path) {
    NativeFileView view(path);
    return DeleteFileA(path.c_str()) != 0;
}

std::string CurrentDirectory() {
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return FromBuffer(buffer, length < MAX_PATH ? length : 0);
}

bool SetCurrentDirectoryPath(const std::string& path) {
    return SetCurrentDirectoryA(path.c_str()) != 0;
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

namespace platform {

uint32_t FileAttributes(const std::string& path) {
    NativeFileView view(path);
    return GetFileAttributesA(path.c_str());
}

PathInformation QueryPathInformation(const std::string& path) {
    NativeFileView view(path);
    PathInformation information;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        information.attributes = data.dwFileAttributes;
        information.lastWriteTime = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                    data.ftLastWriteTime.dwLowDateTime;
    }
    return information;
}

bool SetFileAttributesOf(const std::string& path, uint32_t attributes) {
    NativeFileView view(path);
    return SetFileAttributesA(path.c_str(), attributes) != 0;
}

FileId CreateFileWithAttributes(const std::string& path, uint32_t attributes) {
    NativeFileView view(path);
    return FromHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  attributes, nullptr));
}

FileId OpenFileForWrite(const std::string& path) {
    NativeFileView view(path);
    return FromHandle(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool SeekToEnd(FileId file) {
    return SetFilePointer(AsHandle(file), 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER;
}

bool SizeAndLastWriteTime(FileId file, uint64_t* size, uint64_t* time) {
    // Two plain questions: under Wine GetFileInformationByHandle, which answers both, costs several times
    // as much, as it asks the volume too.
    DWORD high = 0;
    DWORD low = GetFileSize(AsHandle(file), &high);
    FILETIME written;
    if ((low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) ||
        !GetFileTime(AsHandle(file), nullptr, nullptr, &written))
        return false;
    *size = (static_cast<uint64_t>(high) << 32) | low;
    *time = (static_cast<uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    return true;
}

bool SetLastWriteTime(const std::string& path, uint64_t time) {
    NativeFileView view(path);
    FileHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    FILETIME written = {static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    return SetFileTime(file.Get(), nullptr, nullptr, &written) != 0;
}

bool SetFileLastWriteTime(FileId file, uint64_t time) {
    FILETIME written = {static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    return SetFileTime(AsHandle(file), nullptr, nullptr, &written) != 0;
}

bool CopyFilePath(const std::string& source, const std::string& target) {
    NativeFileView view(source, target);
    return CopyFileA(source.c_str(), target.c_str(), FALSE) != 0;
}

bool ReplaceFilePath(const std::string& source, const std::string& target) {
    NativeFileView view(source, target);
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool CreateDirectoryPath(const std::string& path) {
    NativeFileView view(path);
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool RemoveDirectoryPath(const std::string& path) {
    NativeFileView view(path);
    return RemoveDirectoryA(path.c_str()) != 0;
}

bool MarkFileForDeletionAtRestart(const std::string& path) {
    NativeFileView view(path);
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

bool IsDirectory(const std::string& path) {
    NativeFileView view(path);
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// DlgDirListA shows a directory by making it current and showing the current directory in lower case. The
// full path name is what making it current would store, so the form is the same without the side effect.
bool IsLinkedFile(const std::string& path) {
    NativeFileView view(path);
    // The bit came with Windows 2000; NT 4.0 never sets it. A reparse point is not opened to count its
    // links, as opening it would follow it.
    constexpr DWORD kAttributeReparsePoint = 0x400;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (attributes & kAttributeReparsePoint)
        return true;
    // Opened for no access at all: even a file held open by another program tells its link count.
    FileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    return file && GetFileInformationByHandle(file.Get(), &information) && information.nNumberOfLinks > 1;
}

std::string DisplayDirectory(const std::string& directory) {
    char full[MAX_PATH] = {};
    DWORD length = GetFullPathNameA(directory.c_str(), MAX_PATH, full, nullptr);
    std::string shown = length > 0 && length < MAX_PATH ? std::string(full, length) : directory;
    bool driveRoot = shown.size() == 3 && shown[1] == ':';
    while (!driveRoot && shown.size() > 1 && shown.back() == '\\') shown.pop_back();
    if (!shown.empty())
        CharLowerBuffA(&shown[0], static_cast<DWORD>(shown.size()));
    return shown;
}

}  // namespace platform
