#pragma once

#include <cstddef>

#include "platform/wow64.h"

// The processor a program or driver image is made for, read from its PE header.
namespace platform {

enum class ImageMachine {
    kNotPe,  // no MZ header leading to a PE signature within the bytes given
    kI386,
    kX64,
    kOther,  // a PE image for another processor
};

// The machine field of the image beginning with these bytes (its PE header must lie within them).
ImageMachine PeImageMachine(const unsigned char* data, size_t size);

// Whether a kernel driver image for this machine can load on the running Windows: a 32-bit Windows
// loads no x64 driver and a 64-bit Windows no i386 one. A file that is not a PE image, or one for another
// processor, is not judged.
bool DriverImageLoadsOn(ImageMachine machine, const SystemKind& system);

}  // namespace platform
