// The input is a driver file. ReadFileVersion must report the numbers that follow the first occurrence of
// the marker, found here by a plain substring search, and report none when the file has no marker or ends
// within the record.
#include "fuzz_support.h"
#include "install/file_versions.h"
#include "platform/native_fakes.h"

namespace {

const std::string kMarker("\xE8\x52\xA7\x04\x61\x78\xCA\x12", 8);
constexpr size_t kSkipped = 4;
constexpr size_t kNumbers = 6;

uint16_t Le16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ResetState();
    const std::string bytes = fuzz::Bytes(data, size);
    const std::string path = fuzz::ScratchDirectory() + "/driver.sys";
    fuzz::WriteFile(path, bytes);

    size_t marker = bytes.find(kMarker);
    size_t numbers = marker == std::string::npos ? 0 : marker + kMarker.size() + kSkipped;
    bool expected = marker != std::string::npos && numbers + kNumbers <= bytes.size();

    FileVersion version;
    bool found = ReadFileVersion(path, version);
    FUZZ_CHECK(found == expected, expected ? "the record was missed" : "a record was reported");
    if (found) {
        FUZZ_CHECK(version.major == Le16(bytes, numbers), "major");
        FUZZ_CHECK(version.minor == Le16(bytes, numbers + 2), "minor");
        FUZZ_CHECK(version.revision == Le16(bytes, numbers + 4), "revision");
    }
    return 0;
}
