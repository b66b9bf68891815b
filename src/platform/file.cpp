#include "platform/file.h"

namespace platform {

bool InputFile::Fill() {
    if (id_ == kNoFile)
        return false;
    length_ = ReadFileBytes(id_, buffer_, sizeof buffer_);
    position_ = 0;
    if (length_ < 0) {
        failed_ = true;
        length_ = 0;
    }
    return length_ > 0;
}

bool InputFile::ReadByte(unsigned char* byte) {
    if (position_ >= length_ && !Fill())
        return false;
    *byte = static_cast<unsigned char>(buffer_[position_++]);
    return true;
}

void InputFile::SkipByte() {
    unsigned char ignored;
    ReadByte(&ignored);
}

void InputFile::Close() {
    if (id_ != kNoFile)
        CloseFile(id_);
    id_ = kNoFile;
    length_ = position_ = 0;
    failed_ = false;
}

bool ReadWholeTextFile(const std::string& path, std::string* text) {
    text->clear();
    FileId id = OpenFileForRead(path);
    if (id == kNoFile)
        return false;
    char block[16384];
    long read;
    while ((read = ReadFileBytes(id, block, sizeof block)) > 0)
        text->append(block, static_cast<size_t>(read));
    CloseFile(id);
    return read == 0;
}

}  // namespace platform
