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
// Returns the number of bytes read, 0 at end of file or on failure.
long ReadFileBytes(FileId file, char* buffer, long size);
// Returns false when not every byte could be written.
bool WriteFileBytes(FileId file, const char* data, long size);
void CloseFile(FileId file);
bool DeleteFilePath(const std::string& path);

std::string CurrentDirectory();
std::string SystemDirectory();
std::string WindowsDirectory();
std::string ModuleFileName();

}  // namespace platform
