#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// A file in the Windows file compression format (SZDD) begins with 14 bytes: the signature (8), the method,
// the last character of the expanded name, and the expanded file's length (4, least significant first).
constexpr size_t kSzddHeaderLength = 14;
// For a file that is not compressed: LZ expansion copies it unchanged, whatever its length.
constexpr int64_t kAnyLength = -1;

// The length the expansion of a file beginning with these bytes must write, or kAnyLength when they are not
// a compression header (another signature, or fewer than kSzddHeaderLength bytes).
int64_t SzddExpandedLength(const unsigned char* header, size_t size);

}  // namespace platform
