#include <gtest/gtest.h>

#include <string>

#include "platform/pe_image.h"

// Which driver images can load on which Windows, read from the first bytes of the image.
namespace {

using platform::ImageMachine;

// An MZ header whose new-header offset points at a PE signature with the machine field.
std::string Image(uint16_t machine, uint32_t peOffset = 0x80) {
    std::string bytes(peOffset + 24, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    for (int i = 0; i < 4; ++i) bytes[0x3C + i] = static_cast<char>(peOffset >> (8 * i));
    bytes.replace(peOffset, 4, std::string("PE\0\0", 4));
    bytes[peOffset + 4] = static_cast<char>(machine & 0xFF);
    bytes[peOffset + 5] = static_cast<char>(machine >> 8);
    return bytes;
}

ImageMachine MachineOf(const std::string& bytes) {
    return platform::PeImageMachine(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

TEST(PeImageTest, MachineFieldOfEveryKindOfFile) {
    std::string offsetPastEnd = Image(0x014C);
    offsetPastEnd[0x3C] = static_cast<char>(0xFC);
    offsetPastEnd[0x3F] = static_cast<char>(0xFF);  // 0xFF0000FC: no overflow may bring it back in range
    std::string noSignature = Image(0x014C);
    noSignature[0x81] = 'X';
    struct Case {
        const char* what;
        std::string bytes;
        ImageMachine machine;
    } cases[] = {
        {"i386 driver", Image(0x014C), ImageMachine::kI386},
        {"x64 driver", Image(0x8664), ImageMachine::kX64},
        {"ARM64 driver", Image(0xAA64), ImageMachine::kOther},
        {"PE header right after the DOS header", Image(0x8664, 0x40), ImageMachine::kX64},
        {"cut in the machine field", Image(0x014C).substr(0, 0x85), ImageMachine::kNotPe},
        {"machine field just inside", Image(0x014C).substr(0, 0x86), ImageMachine::kI386},
        {"offset past the end", offsetPastEnd, ImageMachine::kNotPe},
        {"MZ without PE signature (a DOS program)", noSignature, ImageMachine::kNotPe},
        {"text file", std::string("plain driver stand-in, not an image at all........................"),
         ImageMachine::kNotPe},
        {"empty", std::string(), ImageMachine::kNotPe},
    };
    for (const Case& c : cases) EXPECT_EQ(MachineOf(c.bytes), c.machine) << c.what;
}

TEST(PeImageTest, OnlyADriverForTheOtherProcessorIsRefused) {
    const platform::SystemKind windows32 = platform::ClassifySystem(false, true, false);
    const platform::SystemKind nt4 = platform::ClassifySystem(false, false, false);
    const platform::SystemKind wow64 = platform::ClassifySystem(false, true, true);
    const platform::SystemKind program64 = platform::ClassifySystem(true, true, false);
    struct Case {
        ImageMachine machine;
        bool on32;
        bool on64;
    } cases[] = {
        {ImageMachine::kI386, true, false},
        {ImageMachine::kX64, false, true},
        {ImageMachine::kNotPe, true, true},
        {ImageMachine::kOther, true, true},
    };
    for (const Case& c : cases) {
        int machine = static_cast<int>(c.machine);
        EXPECT_EQ(platform::DriverImageLoadsOn(c.machine, windows32), c.on32) << machine;
        EXPECT_EQ(platform::DriverImageLoadsOn(c.machine, nt4), c.on32) << machine;
        EXPECT_EQ(platform::DriverImageLoadsOn(c.machine, wow64), c.on64) << machine;
        EXPECT_EQ(platform::DriverImageLoadsOn(c.machine, program64), c.on64) << machine;
    }
}

}  // namespace
