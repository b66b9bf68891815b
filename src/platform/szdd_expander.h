#pragma once

#include <cstddef>
#include <vector>

namespace platform {

// LZ expansion of whole files held in memory, without the files seam: the same result as LZ32's LZCopy
// for a sound file, and a judgement on a damaged one, which LZ32 expands short without an error.
enum class ExpandResult { kExpanded, kCopied, kDamaged };

// Expands a whole file's bytes: a compressed file (SZDD, see szdd_header.h) is decoded, any other file
// copied unchanged, as LZ32 does. kDamaged when the compressed data ends before the header's length is
// reached or would run past it, or the method is not the one LZ32 knows ('A'); out is then unspecified.
ExpandResult ExpandFileBytes(const unsigned char* data, size_t size, std::vector<unsigned char>* out);

// The first `limit` bytes of what the file expands to, at most the header's length; fewer when the
// compressed data ends sooner, none when its method is unknown. The header's length is not judged: this is
// for reading a few leading bytes (a PE header) of a compressed image.
std::vector<unsigned char> ExpandedPrefix(const unsigned char* data, size_t size, size_t limit);

}  // namespace platform
