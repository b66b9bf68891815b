#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_system.h"

// LZ expansion of one file through the files seam, as the system's LZCopy does it and no further: a file in
// the Windows file compression format (SZDD) is decoded, any other file copied unchanged, and the target
// gets the source's last-write time. The source is read once and the target written once: no handle of the
// system's LZ library, and so none of its ways (a fallback name for a target it cannot make, a short file
// from a cut source reported as success).
namespace platform {

enum class ExpansionResult {
    kDone,
    kSourceUnreadable,  // neither the source nor its compressed name can be opened and read
    kTargetUnwritable,  // the target cannot be created or written whole; no part of it is left
    kDamaged,           // compressed data that ends early or runs past its header's length; no target made
};

ExpansionResult ExpandFile(const std::string& source, const std::string& target);

// The two halves of ExpandFile, for a caller that opens the target its own way. The bytes stay in the
// expansion's buffers until the next source is read.
struct ExpandedSource {
    const unsigned char* data = nullptr;
    size_t size = 0;
    uint64_t lastWriteTime = 0;
};
// kDone, kSourceUnreadable or kDamaged.
ExpansionResult ReadExpanded(const std::string& source, ExpandedSource* expanded);
// Writes every byte into the open target and gives it the source's last-write time; false when either
// failed.
bool WriteExpanded(FileId target, const ExpandedSource& expanded);

// LZ32's compressed name of a file, which the expansion reads when the file itself is missing: the last
// letter of its extension replaced by '_' (appended to a shorter extension), or "._" appended to a name
// without one.
std::string CompressedName(const std::string& path);

}  // namespace platform
