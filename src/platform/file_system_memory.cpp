#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <set>

#include "platform/file_system.h"
#include "platform/file_system_memory.h"
#include "platform/native_fakes.h"

// The files seam for the fuzz build: the same behaviour as the host-file backend (paths compared as
// given after the '\' mapping, read-only and hidden bits, an open file outliving its deletion), but every
// file lives in this process's memory. A fuzz input then costs no system call, and the fuzzers run hundreds
// of times faster than through the disk.
namespace platform {

namespace {

struct MemoryFile {
    std::string bytes;
    uint32_t bits = 0;  // read-only and hidden
    uint64_t time = 0;  // last write, 100 ns units since 1601
};

struct OpenHandle {
    std::shared_ptr<MemoryFile> file;
    size_t position = 0;
    bool writable = false;
};

std::string g_systemDirectory = "C:\\WINNT\\system32";
std::string g_windowsDirectory = "C:\\WINNT";
std::string g_moduleFileName = "SETUP.EXE";
const std::string kCurrentDirectory = "C:/";
std::map<std::string, std::shared_ptr<MemoryFile>> g_files;  // mapped path -> file
std::set<std::string> g_directories;                         // mapped paths
std::map<FileId, OpenHandle> g_handles;
std::set<std::string> g_lockedFiles;
FileId g_nextFile = 3;

constexpr uint32_t kKeptBits = kAttributeReadOnly | kAttributeHidden;
constexpr uint64_t kEpochDifference = 11644473600ULL;  // seconds from 1601 to 1970

uint64_t Now() {
    auto since1970 = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    return kEpochDifference * 10000000ULL + static_cast<uint64_t>(since1970.count()) / 100;
}

std::string Parent(const std::string& mapped) {
    size_t slash = mapped.find_last_of('/');
    return slash == std::string::npos ? std::string() : mapped.substr(0, slash);
}

// A drive ("C:") or the host root stands for a directory that always exists.
bool IsRoot(const std::string& mapped) {
    return mapped.empty() || mapped == "/" || (mapped.size() == 2 && mapped[1] == ':') ||
           (mapped.size() == 3 && mapped[1] == ':' && mapped[2] == '/');
}

bool DirectoryExists(const std::string& mapped) {
    return IsRoot(mapped) || g_directories.count(mapped) != 0;
}

std::shared_ptr<MemoryFile> Find(const std::string& mapped) {
    auto found = g_files.find(mapped);
    return found == g_files.end() ? nullptr : found->second;
}

FileId OpenHandleOn(std::shared_ptr<MemoryFile> file, bool writable) {
    FileId id = g_nextFile++;
    g_handles[id] = OpenHandle{std::move(file), 0, writable};
    return id;
}

OpenHandle* Handle(FileId file) {
    auto found = g_handles.find(file);
    return found == g_handles.end() ? nullptr : &found->second;
}

// Creates or truncates; a missing directory or a read-only file makes it fail.
FileId CreateTruncated(const std::string& path) {
    std::string mapped = fake::HostPath(path);
    if (g_directories.count(mapped) || !DirectoryExists(Parent(mapped)))
        return kNoFile;
    std::shared_ptr<MemoryFile> file = Find(mapped);
    if (file && (file->bits & kAttributeReadOnly))
        return kNoFile;
    if (!file) {
        file = std::make_shared<MemoryFile>();
        g_files[mapped] = file;
    }
    file->bytes.clear();
    file->bits = 0;
    file->time = Now();
    return OpenHandleOn(file, true);
}

}  // namespace

namespace fake {
std::string HostPath(const std::string& windowsPath) {
    std::string path = windowsPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}
void SetSystemDirectory(const std::string& path) {
    g_systemDirectory = path;
}
void SetWindowsDirectory(const std::string& path) {
    g_windowsDirectory = path;
}
void SetModuleFileName(const std::string& path) {
    g_moduleFileName = path;
}
void FailOpenForRead(const std::string& path) {
    g_lockedFiles.insert(HostPath(path));
}
void ResetFileFailures() {
    g_lockedFiles.clear();
}
}  // namespace fake

namespace memory {
void ResetFiles() {
    g_files.clear();
    g_directories.clear();
    g_handles.clear();
    g_lockedFiles.clear();
}
}  // namespace memory

FileId OpenFileForRead(const std::string& path) {
    std::string mapped = fake::HostPath(path);
    std::shared_ptr<MemoryFile> file = Find(mapped);
    if (!file || g_lockedFiles.count(mapped))
        return kNoFile;
    return OpenHandleOn(file, false);
}

FileId CreateFileTruncate(const std::string& path) {
    return CreateTruncated(path);
}

FileId CreateNewFile(const std::string& path) {
    std::string mapped = fake::HostPath(path);
    if (Find(mapped) || g_directories.count(mapped))
        return kNoFile;
    return CreateTruncated(path);
}

long ReadFileBytes(FileId file, char* buffer, long size) {
    OpenHandle* handle = Handle(file);
    if (!handle || size <= 0 || handle->position >= handle->file->bytes.size())
        return 0;
    size_t count = std::min(static_cast<size_t>(size), handle->file->bytes.size() - handle->position);
    std::memcpy(buffer, handle->file->bytes.data() + handle->position, count);
    handle->position += count;
    return static_cast<long>(count);
}

bool WriteFileBytes(FileId file, const char* data, long size) {
    OpenHandle* handle = Handle(file);
    if (!handle || !handle->writable || size < 0)
        return false;
    std::string& bytes = handle->file->bytes;
    size_t count = static_cast<size_t>(size);
    if (bytes.size() < handle->position + count)
        bytes.resize(handle->position + count);
    std::memcpy(&bytes[handle->position], data, count);
    handle->position += count;
    handle->file->time = Now();
    return true;
}

void CloseFile(FileId file) {
    g_handles.erase(file);
}

bool DeleteFilePath(const std::string& path) {
    std::shared_ptr<MemoryFile> file = Find(fake::HostPath(path));
    if (!file || (file->bits & kAttributeReadOnly))
        return false;
    g_files.erase(fake::HostPath(path));
    return true;
}

std::string CurrentDirectory() {
    return kCurrentDirectory;
}
bool SetCurrentDirectoryPath(const std::string&) {
    return true;
}
std::string SystemDirectory() {
    return g_systemDirectory;
}
std::string WindowsDirectory() {
    return g_windowsDirectory;
}
std::string ModuleFileName() {
    return g_moduleFileName;
}

PathInformation QueryPathInformation(const std::string& path) {
    std::string mapped = fake::HostPath(path);
    PathInformation information;
    if (DirectoryExists(mapped)) {
        information.attributes = kAttributeDirectory;
        return information;
    }
    std::shared_ptr<MemoryFile> file = Find(mapped);
    if (file) {
        information.attributes = file->bits ? file->bits : kAttributeNormal;
        information.lastWriteTime = file->time;
    }
    return information;
}

uint32_t FileAttributes(const std::string& path) {
    return QueryPathInformation(path).attributes;
}

bool SetFileAttributesOf(const std::string& path, uint32_t attributes) {
    std::shared_ptr<MemoryFile> file = Find(fake::HostPath(path));
    if (!file)
        return DirectoryExists(fake::HostPath(path));
    file->bits = attributes & kKeptBits;
    return true;
}

FileId CreateFileWithAttributes(const std::string& path, uint32_t attributes) {
    FileId created = CreateTruncated(path);
    if (created != kNoFile)
        Handle(created)->file->bits = attributes & kKeptBits;
    return created;
}

FileId OpenFileForWrite(const std::string& path) {
    std::shared_ptr<MemoryFile> file = Find(fake::HostPath(path));
    if (!file || (file->bits & kAttributeReadOnly))
        return kNoFile;
    return OpenHandleOn(file, true);
}

bool SeekToEnd(FileId file) {
    OpenHandle* handle = Handle(file);
    if (!handle)
        return false;
    handle->position = handle->file->bytes.size();
    return true;
}

bool SizeAndLastWriteTime(FileId file, uint64_t* size, uint64_t* time) {
    OpenHandle* handle = Handle(file);
    if (!handle)
        return false;
    *size = handle->file->bytes.size();
    *time = handle->file->time;
    return true;
}

bool SetLastWriteTime(const std::string& path, uint64_t time) {
    std::shared_ptr<MemoryFile> file = Find(fake::HostPath(path));
    if (!file)
        return false;
    file->time = time;
    return true;
}

bool SetFileLastWriteTime(FileId file, uint64_t time) {
    OpenHandle* handle = Handle(file);
    if (!handle)
        return false;
    handle->file->time = time;
    return true;
}

bool CopyFilePath(const std::string& source, const std::string& target) {
    std::shared_ptr<MemoryFile> from = Find(fake::HostPath(source));
    if (!from)
        return false;
    FileId created = CreateTruncated(target);
    if (created == kNoFile)
        return false;
    std::shared_ptr<MemoryFile> to = Handle(created)->file;
    CloseFile(created);
    to->bytes = from->bytes;
    to->time = from->time;  // CopyFileA keeps the source's last-write time
    return true;
}

// MoveFileEx with MOVEFILE_REPLACE_EXISTING: the source takes the target's name in one step; a
// write-protected target or a directory in its place refuses.
bool ReplaceFilePath(const std::string& source, const std::string& target) {
    std::string from = fake::HostPath(source);
    std::string to = fake::HostPath(target);
    std::shared_ptr<MemoryFile> moved = Find(from);
    std::shared_ptr<MemoryFile> replaced = Find(to);
    if (!moved || DirectoryExists(to) || (replaced && (replaced->bits & kAttributeReadOnly)))
        return false;
    g_files[to] = moved;
    if (from != to)
        g_files.erase(from);
    return true;
}

// Nothing restarts in memory: the request is accepted and forgotten.
bool MarkFileForDeletionAtRestart(const std::string&) {
    return true;
}

bool CreateDirectoryPath(const std::string& path) {
    std::string mapped = fake::HostPath(path);
    while (mapped.size() > 1 && mapped.back() == '/' && !IsRoot(mapped)) mapped.pop_back();
    if (DirectoryExists(mapped) || Find(mapped) || !DirectoryExists(Parent(mapped)))
        return false;
    g_directories.insert(mapped);
    return true;
}

bool RemoveDirectoryPath(const std::string& path) {
    std::string mapped = fake::HostPath(path);
    if (!g_directories.count(mapped))
        return false;
    const std::string below = mapped + "/";
    auto holds = [&below](const std::string& entry) { return entry.compare(0, below.size(), below) == 0; };
    auto file = g_files.lower_bound(below);
    auto directory = g_directories.lower_bound(below);
    if ((file != g_files.end() && holds(file->first)) ||
        (directory != g_directories.end() && holds(*directory)))
        return false;
    g_directories.erase(mapped);
    return true;
}

bool IsDirectory(const std::string& path) {
    return DirectoryExists(fake::HostPath(path));
}

// The fuzz inputs' files in memory have one name each.
bool IsLinkedFile(const std::string&) {
    return false;
}

}  // namespace platform
