#pragma once

#include <cstdint>
#include <string>

// The files seam. Paths are Windows paths; the native backend maps '\' to '/'.
namespace platform {

using FileId = std::intptr_t;
constexpr FileId kNoFile = -1;

FileId OpenFileForRead(const std::string& path);
// Creates the file with plain attributes, truncating an existing one.
FileId CreateFileTruncate(const std::string& path);
// Creates the file with plain attributes; fails when the name exists in any form. A file made anew is no
// link to another, whoever could plant names beside it.
FileId CreateNewFile(const std::string& path);
// Returns the number of bytes read, 0 at end of file, kReadFailed when the read failed: a read error is
// never taken for the end of the file, or a reader that rewrites the file would cut it there.
constexpr long kReadFailed = -1;
long ReadFileBytes(FileId file, char* buffer, long size);
// Returns false when not every byte could be written.
bool WriteFileBytes(FileId file, const char* data, long size);
void CloseFile(FileId file);
bool DeleteFilePath(const std::string& path);

// Attribute bits as Win32 reports them.
constexpr uint32_t kAttributeReadOnly = 0x01;
constexpr uint32_t kAttributeHidden = 0x02;
constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kAttributeNormal = 0x80;
constexpr uint32_t kInvalidAttributes = 0xFFFFFFFF;

// kInvalidAttributes when the path does not exist.
uint32_t FileAttributes(const std::string& path);
bool SetFileAttributesOf(const std::string& path, uint32_t attributes);
// What one query tells of a path without opening it: its attribute bits (kInvalidAttributes when it does
// not exist) and its last-write time.
struct PathInformation {
    uint32_t attributes = kInvalidAttributes;
    uint64_t lastWriteTime = 0;
};
PathInformation QueryPathInformation(const std::string& path);
// Creates (truncates) a file with the given attributes, open for reading and writing.
FileId CreateFileWithAttributes(const std::string& path, uint32_t attributes);
// Opens an existing file for writing, positioned at its start.
FileId OpenFileForWrite(const std::string& path);
bool SeekToEnd(FileId file);
// The size and the last-write time of an open file, asked at once; the time in 100 ns units since 1601 (a
// FILETIME as one number).
bool SizeAndLastWriteTime(FileId file, uint64_t* size, uint64_t* time);
bool SetLastWriteTime(const std::string& path, uint64_t time);
// The same for a file open for writing.
bool SetFileLastWriteTime(FileId file, uint64_t time);
// Copies with overwriting allowed.
bool CopyFilePath(const std::string& source, const std::string& target);
// Moves source into target's place, replacing it. False, with both files as they were, when target cannot
// be replaced: held open by another program, write-protected, or a directory.
bool ReplaceFilePath(const std::string& source, const std::string& target);

bool CreateDirectoryPath(const std::string& path);  // one level
// Removes an empty directory; fails while it holds anything.
bool RemoveDirectoryPath(const std::string& path);
// Has the system delete the file when it next starts, for a file that cannot be deleted now (a running
// program's own file). The request needs administrator rights.
bool MarkFileForDeletionAtRestart(const std::string& path);
bool IsDirectory(const std::string& path);
// True when the path exists and a write to it would also reach another name: a reparse point (a symbolic
// link, a junction) or a file with more than one hard link. A program running as an administrator that
// writes a file by a name others could plant must refuse such a file.
bool IsLinkedFile(const std::string& path);
// The directory as a directory listing shows it: the full path in lower case, without a closing backslash
// unless it is a drive root. The process's current directory is left alone.
std::string DisplayDirectory(const std::string& directory);

std::string CurrentDirectory();
bool SetCurrentDirectoryPath(const std::string& path);
std::string SystemDirectory();
std::string WindowsDirectory();
std::string ModuleFileName();

}  // namespace platform
