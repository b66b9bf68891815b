#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <map>
#include <set>
#include <vector>

#include "platform/file_system.h"
#include "platform/native_fakes.h"
#include "platform/operation_faults_native.h"

// Host files stand in for the Windows file system. Linux has no read-only or hidden attribute that root
// respects, so those two bits are kept beside the files, and writes to a read-only file fail as they do
// on Windows; nor does it lock a file another program holds open, so such files are kept here too.
namespace platform {

namespace {
std::string g_systemDirectory = "C:\\WINNT\\system32";
std::string g_windowsDirectory = "C:\\WINNT";
std::string g_moduleFileName = "SETUP.EXE";
std::map<std::string, uint32_t> g_attributeBits;  // host path -> read-only and hidden bits
std::set<std::string> g_heldFiles;                // host paths another program holds open
struct Failure {
    std::string hostPath;
    fake::FileOperation operation;
    int remaining;  // 0: every time
};
std::vector<Failure> g_failures;
std::map<FileId, std::string> g_writers;  // host path of each file open for writing
std::map<FileId, std::string> g_readers;  // host path of each file open for reading
std::string g_currentDirectorySet;        // what the program last made its current directory
std::vector<std::string> g_markedForDeletion;
std::map<std::string, size_t> g_opensForRead;

constexpr uint32_t kKeptBits = kAttributeReadOnly | kAttributeHidden;
constexpr uint64_t kEpochDifference = 11644473600ULL;  // seconds from 1601 to 1970

// Whether an injected failure hits this operation now; a counted failure is used up by it.
bool Fails(const std::string& hostPath, fake::FileOperation operation) {
    for (auto failure = g_failures.begin(); failure != g_failures.end(); ++failure) {
        if (failure->hostPath != hostPath || failure->operation != operation)
            continue;
        if (failure->remaining > 0 && --failure->remaining == 0)
            g_failures.erase(failure);
        return true;
    }
    return false;
}

// Numbers the operation for the counting mode; true when it is the one to fail.
bool Counted(const char* operation, const std::string& path) {
    return faults::CountOperation(faults::Seam::kFiles, operation, path);
}

bool IsReadOnly(const std::string& hostPath) {
    auto found = g_attributeBits.find(hostPath);
    return found != g_attributeBits.end() && (found->second & kAttributeReadOnly);
}

bool IsHeld(const std::string& hostPath) {
    return g_heldFiles.count(hostPath) != 0;
}

uint64_t WriteTimeOf(const struct stat& status) {
    return (static_cast<uint64_t>(status.st_mtim.tv_sec) + kEpochDifference) * 10000000ULL +
           static_cast<uint64_t>(status.st_mtim.tv_nsec) / 100;
}

bool HostExists(const std::string& hostPath) {
    struct stat status;
    return stat(hostPath.c_str(), &status) == 0;
}

FileId OpenForWriting(const std::string& path, int flags) {
    std::string hostPath = fake::HostPath(path);
    if (IsReadOnly(hostPath) || IsHeld(hostPath))
        return kNoFile;
    int fd = open(hostPath.c_str(), flags, 0644);
    if (fd < 0)
        return kNoFile;
    if (flags & (O_TRUNC | O_EXCL))
        g_attributeBits.erase(hostPath);
    g_writers[fd] = hostPath;
    return fd;
}

bool CopyHostFile(const std::string& from, const std::string& to) {
    int in = open(from.c_str(), O_RDONLY);
    if (in < 0)
        return false;
    int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) {
        close(in);
        return false;
    }
    char buffer[65536];
    ssize_t got;
    bool ok = true;
    while (ok && (got = read(in, buffer, sizeof buffer)) > 0)
        ok = write(out, buffer, static_cast<size_t>(got)) == got;
    close(in);
    close(out);
    return ok;
}
}  // namespace

namespace fake {
std::string HostPath(const std::string& windowsPath) {
    std::string path = windowsPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}
void FailFileOperation(const std::string& path, FileOperation operation, int times) {
    g_failures.push_back({HostPath(path), operation, times});
}
void ResetFiles() {
    g_failures.clear();
    g_markedForDeletion.clear();
    g_opensForRead.clear();
}
size_t OpensForRead(const std::string& path) {
    auto found = g_opensForRead.find(HostPath(path));
    return found == g_opensForRead.end() ? 0 : found->second;
}
const std::string& CurrentDirectorySet() {
    return g_currentDirectorySet;
}
const std::vector<std::string>& FilesMarkedForDeletionAtRestart() {
    return g_markedForDeletion;
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
void HoldFileOpen(const std::string& path) {
    g_heldFiles.insert(HostPath(path));
}
void ReleaseHeldFiles() {
    g_heldFiles.clear();
}
}  // namespace fake

FileId OpenFileForRead(const std::string& path) {
    std::string hostPath = fake::HostPath(path);
    ++g_opensForRead[hostPath];
    if (Counted("OpenFileForRead", path) || Fails(hostPath, fake::FileOperation::kOpenForRead) ||
        IsHeld(hostPath))
        return kNoFile;
    int fd = open(hostPath.c_str(), O_RDONLY);
    struct stat status;
    // Windows does not open a directory as a file.
    if (fd >= 0 && (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode))) {
        close(fd);
        fd = -1;
    }
    if (fd < 0)
        return kNoFile;
    g_readers[fd] = hostPath;
    return fd;
}

FileId CreateFileTruncate(const std::string& path) {
    if (Counted("CreateFileTruncate", path))
        return kNoFile;
    return OpenForWriting(path, O_RDWR | O_CREAT | O_TRUNC);
}

FileId CreateNewFile(const std::string& path) {
    if (Counted("CreateNewFile", path))
        return kNoFile;
    return OpenForWriting(path, O_RDWR | O_CREAT | O_EXCL);
}

long ReadFileBytes(FileId file, char* buffer, long size) {
    if (Counted("ReadFileBytes", std::to_string(file)))
        return kReadFailed;
    auto reader = g_readers.find(file);
    if (reader != g_readers.end() && lseek(static_cast<int>(file), 0, SEEK_CUR) > 0 &&
        Fails(reader->second, fake::FileOperation::kLaterRead))
        return kReadFailed;
    ssize_t got = read(static_cast<int>(file), buffer, static_cast<size_t>(size));
    return got < 0 ? kReadFailed : static_cast<long>(got);
}

bool WriteFileBytes(FileId file, const char* data, long size) {
    auto writer = g_writers.find(file);
    bool counted =
        Counted("WriteFileBytes", writer == g_writers.end() ? std::to_string(file) : writer->second);
    if (counted || (writer != g_writers.end() && Fails(writer->second, fake::FileOperation::kWrite))) {
        ssize_t ignored = write(static_cast<int>(file), data, static_cast<size_t>(size / 2));
        (void)ignored;
        return false;
    }
    return write(static_cast<int>(file), data, static_cast<size_t>(size)) == size;
}

void CloseFile(FileId file) {
    g_writers.erase(file);
    g_readers.erase(file);
    close(static_cast<int>(file));
}

bool DeleteFilePath(const std::string& path) {
    std::string hostPath = fake::HostPath(path);
    if (Counted("DeleteFilePath", path) || IsReadOnly(hostPath) || IsHeld(hostPath) ||
        Fails(hostPath, fake::FileOperation::kDelete) || unlink(hostPath.c_str()) != 0)
        return false;
    g_attributeBits.erase(hostPath);
    return true;
}

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

// The unit tests share one process: the current directory is only recorded, never changed under them.
bool SetCurrentDirectoryPath(const std::string& path) {
    g_currentDirectorySet = path;
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
    std::string hostPath = fake::HostPath(path);
    PathInformation information;
    if (Counted("QueryPathInformation", path))
        return information;
    struct stat status;
    if (stat(hostPath.c_str(), &status) != 0)
        return information;
    information.lastWriteTime = WriteTimeOf(status);
    if (S_ISDIR(status.st_mode)) {
        information.attributes = kAttributeDirectory;
        return information;
    }
    auto found = g_attributeBits.find(hostPath);
    uint32_t bits = found == g_attributeBits.end() ? 0 : found->second;
    information.attributes = bits ? bits : kAttributeNormal;
    return information;
}

uint32_t FileAttributes(const std::string& path) {
    return QueryPathInformation(path).attributes;
}

bool SetFileAttributesOf(const std::string& path, uint32_t attributes) {
    if (Counted("SetFileAttributesOf", path))
        return false;
    std::string hostPath = fake::HostPath(path);
    if (!HostExists(hostPath))
        return false;
    g_attributeBits[hostPath] = attributes & kKeptBits;
    return true;
}

FileId CreateFileWithAttributes(const std::string& path, uint32_t attributes) {
    if (Counted("CreateFileWithAttributes", path))
        return kNoFile;
    FileId file = OpenForWriting(path, O_RDWR | O_CREAT | O_TRUNC);
    if (file != kNoFile)
        g_attributeBits[fake::HostPath(path)] = attributes & kKeptBits;
    return file;
}

FileId OpenFileForWrite(const std::string& path) {
    if (Counted("OpenFileForWrite", path))
        return kNoFile;
    return OpenForWriting(path, O_WRONLY);
}

bool SeekToEnd(FileId file) {
    if (Counted("SeekToEnd", std::to_string(file)))
        return false;
    return lseek(static_cast<int>(file), 0, SEEK_END) >= 0;
}

// The access time left alone and the modification time set from a Windows time (100 ns units since 1601).
struct ModificationTimes {
    explicit ModificationTimes(uint64_t time) {
        uint64_t units = time - kEpochDifference * 10000000ULL;
        times[0].tv_sec = 0;
        times[0].tv_nsec = UTIME_OMIT;
        times[1].tv_sec = static_cast<time_t>(units / 10000000ULL);
        times[1].tv_nsec = static_cast<long>(units % 10000000ULL) * 100;
    }
    struct timespec times[2];
};

bool SizeAndLastWriteTime(FileId file, uint64_t* size, uint64_t* time) {
    if (Counted("SizeAndLastWriteTime", std::to_string(file)))
        return false;
    struct stat status;
    if (fstat(static_cast<int>(file), &status) != 0)
        return false;
    *size = static_cast<uint64_t>(status.st_size);
    *time = WriteTimeOf(status);
    return true;
}

bool SetLastWriteTime(const std::string& path, uint64_t time) {
    if (Counted("SetLastWriteTime", path))
        return false;
    ModificationTimes times(time);
    return utimensat(AT_FDCWD, fake::HostPath(path).c_str(), times.times, 0) == 0;
}

bool SetFileLastWriteTime(FileId file, uint64_t time) {
    auto writer = g_writers.find(file);
    if (Counted("SetFileLastWriteTime", writer == g_writers.end() ? std::to_string(file) : writer->second))
        return false;
    ModificationTimes times(time);
    return futimens(static_cast<int>(file), times.times) == 0;
}

bool CopyFilePath(const std::string& source, const std::string& target) {
    std::string hostSource = fake::HostPath(source);
    std::string hostTarget = fake::HostPath(target);
    if (IsReadOnly(hostTarget) || IsHeld(hostSource) || IsHeld(hostTarget))
        return false;
    if (Counted("CopyFilePath", target) || Fails(hostTarget, fake::FileOperation::kCopyOnto)) {
        int cut = open(hostTarget.c_str(), O_WRONLY | O_TRUNC);
        if (cut >= 0)
            close(cut);
        return false;
    }
    if (!CopyHostFile(hostSource, hostTarget))
        return false;
    // CopyFileA keeps the source's last-write time.
    struct stat status;
    if (stat(hostSource.c_str(), &status) != 0)
        return false;
    struct timespec times[2] = {status.st_atim, status.st_mtim};
    return utimensat(AT_FDCWD, hostTarget.c_str(), times, 0) == 0;
}

bool ReplaceFilePath(const std::string& source, const std::string& target) {
    if (Counted("ReplaceFilePath", target))
        return false;
    std::string from = fake::HostPath(source);
    std::string to = fake::HostPath(target);
    // rename() itself refuses a directory in the target's place, as MoveFileEx does.
    if (IsHeld(from) || IsHeld(to) || IsReadOnly(to) || Fails(to, fake::FileOperation::kReplaceOnto) ||
        std::rename(from.c_str(), to.c_str()) != 0)
        return false;
    g_attributeBits.erase(to);
    auto bits = g_attributeBits.find(from);
    if (bits != g_attributeBits.end()) {
        g_attributeBits[to] = bits->second;
        g_attributeBits.erase(bits);
    }
    return true;
}

bool CreateDirectoryPath(const std::string& path) {
    if (Counted("CreateDirectoryPath", path))
        return false;
    return mkdir(fake::HostPath(path).c_str(), 0755) == 0;
}

bool RemoveDirectoryPath(const std::string& path) {
    if (Counted("RemoveDirectoryPath", path))
        return false;
    return rmdir(fake::HostPath(path).c_str()) == 0;
}

// Nothing restarts here: the request is only recorded.
bool MarkFileForDeletionAtRestart(const std::string& path) {
    if (Counted("MarkFileForDeletionAtRestart", path) ||
        Fails(fake::HostPath(path), fake::FileOperation::kMarkForDeletion))
        return false;
    g_markedForDeletion.push_back(path);
    return true;
}

bool IsDirectory(const std::string& path) {
    if (Counted("IsDirectory", path))
        return false;
    struct stat status;
    return stat(fake::HostPath(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool IsLinkedFile(const std::string& path) {
    struct stat status;
    if (lstat(fake::HostPath(path).c_str(), &status) != 0)
        return false;
    return S_ISLNK(status.st_mode) || (!S_ISDIR(status.st_mode) && status.st_nlink > 1);
}

}  // namespace platform
