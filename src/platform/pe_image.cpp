#include "platform/pe_image.h"

#include <cstdint>

namespace platform {

namespace {
constexpr size_t kNewHeaderOffsetAt = 0x3C;
constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kMachineX64 = 0x8664;

uint32_t Little(const unsigned char* bytes, size_t count) {
    uint32_t value = 0;
    for (size_t i = count; i-- > 0;) value = (value << 8) | bytes[i];
    return value;
}
}  // namespace

ImageMachine PeImageMachine(const unsigned char* data, size_t size) {
    if (size < kNewHeaderOffsetAt + 4 || data[0] != 'M' || data[1] != 'Z')
        return ImageMachine::kNotPe;
    uint32_t peHeader = Little(data + kNewHeaderOffsetAt, 4);
    // The signature and the machine field after it: 6 bytes, checked without an overflow for any offset.
    if (peHeader > size || size - peHeader < 6)
        return ImageMachine::kNotPe;
    const unsigned char* pe = data + peHeader;
    if (pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0)
        return ImageMachine::kNotPe;
    switch (Little(pe + 4, 2)) {
        case kMachineI386:
            return ImageMachine::kI386;
        case kMachineX64:
            return ImageMachine::kX64;
        default:
            return ImageMachine::kOther;
    }
}

bool DriverImageLoadsOn(ImageMachine machine, const SystemKind& system) {
    if (machine == ImageMachine::kI386)
        return !system.windows64;
    if (machine == ImageMachine::kX64)
        return system.windows64;
    return true;
}

}  // namespace platform
