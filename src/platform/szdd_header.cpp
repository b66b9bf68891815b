#include "platform/szdd_header.h"

#include <algorithm>
#include <iterator>

namespace platform {

namespace {

constexpr unsigned char kSzddSignature[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr size_t kSzddLengthOffset = 10;

}  // namespace

int64_t SzddExpandedLength(const unsigned char* header, size_t size) {
    if (size < kSzddHeaderLength || !std::equal(std::begin(kSzddSignature), std::end(kSzddSignature), header))
        return kAnyLength;
    uint32_t length = 0;
    for (size_t i = 4; i-- > 0;) length = length << 8 | header[kSzddLengthOffset + i];
    return length;
}

}  // namespace platform
