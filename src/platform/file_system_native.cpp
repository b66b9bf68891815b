#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

#include "platform/file_system.h"
#include "platform/native_fakes.h"

namespace platform {

namespace {
std::string g_systemDirectory = "C:\\WINNT\\system32";
std::string g_windowsDirectory = "C:\\WINNT";
std::string g_moduleFileName = "SETUP.EXE";
}  // namespace

namespace fake {
std::string HostPath(const std::string& windowsPath) {
    std::string path = windowsPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}
void SetSystemDirectory(const std::string& path) { g_systemDirectory = path; }
void SetWindowsDirectory(const std::string& path) { g_windowsDirectory = path; }
void SetModuleFileName(const std::string& path) { g_moduleFileName = path; }
}  // namespace fake

FileId OpenFileForRead(const std::string& path) {
    int fd = open(fake::HostPath(path).c_str(), O_RDONLY);
    struct stat status;
    // Windows does not open a directory as a file.
    if (fd >= 0 && (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode))) {
        close(fd);
        fd = -1;
    }
    return fd < 0 ? kNoFile : fd;
}

FileId CreateFileTruncate(const std::string& path) {
    int fd = open(fake::HostPath(path).c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
    return fd < 0 ? kNoFile : fd;
}

long ReadFileBytes(FileId file, char* buffer, long size) {
    ssize_t got = read(static_cast<int>(file), buffer, static_cast<size_t>(size));
    return got < 0 ? 0 : static_cast<long>(got);
}

bool WriteFileBytes(FileId file, const char* data, long size) {
    return write(static_cast<int>(file), data, static_cast<size_t>(size)) == size;
}

void CloseFile(FileId file) { close(static_cast<int>(file)); }

bool DeleteFilePath(const std::string& path) { return unlink(fake::HostPath(path).c_str()) == 0; }

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

std::string SystemDirectory() { return g_systemDirectory; }
std::string WindowsDirectory() { return g_windowsDirectory; }
std::string ModuleFileName() { return g_moduleFileName; }

}  // namespace platform
