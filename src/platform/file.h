#pragma once

#include <string>

#include "platform/file_system.h"

namespace platform {

// An open file, closed on every path. Reads go through a buffer so that parsers which look at one byte
// at a time cost one system call per 4 KiB, not per byte.
class InputFile {
  public:
    InputFile() = default;
    explicit InputFile(const std::string& path) : id_(OpenFileForRead(path)) {}
    ~InputFile() { Close(); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Closes what was open and opens the path read-only.
    void Open(const std::string& path) {
        Close();
        id_ = OpenFileForRead(path);
    }
    bool IsOpen() const { return id_ != kNoFile; }
    FileId Id() const { return id_; }
    // False at end of file, after a failed read (or when the file is not open).
    bool ReadByte(unsigned char* byte);
    // Whether a read failed: what was read before is then not the whole file.
    bool Failed() const { return failed_; }
    // Moves one byte forward without looking at it; nothing happens at end of file.
    void SkipByte();
    void Close();

  private:
    bool Fill();

    FileId id_ = kNoFile;
    char buffer_[4096];
    long length_ = 0;
    long position_ = 0;
    bool failed_ = false;
};

// A file open for writing, closed on every path: created (truncated) from a path, or taken over from
// another opening call.
class OutputFile {
  public:
    explicit OutputFile(const std::string& path) : id_(CreateFileTruncate(path)) {}
    explicit OutputFile(FileId id) : id_(id) {}
    ~OutputFile() { Close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool IsOpen() const { return id_ != kNoFile; }
    FileId Id() const { return id_; }
    void Reset(FileId id) {
        Close();
        id_ = id;
    }
    bool Write(const std::string& data) {
        return WriteFileBytes(id_, data.data(), static_cast<long>(data.size()));
    }
    void Close() {
        if (id_ != kNoFile)
            CloseFile(id_);
        id_ = kNoFile;
    }

  private:
    FileId id_ = kNoFile;
};

// Every byte of the file, read in blocks to its end. False when it cannot be opened or a read fails: what
// came before a failed read is not the whole file, and a caller that wrote it back would cut it there.
bool ReadWholeTextFile(const std::string& path, std::string* text);

}  // namespace platform
