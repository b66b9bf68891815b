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

}  // namespace platform
