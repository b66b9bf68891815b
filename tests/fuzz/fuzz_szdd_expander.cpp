// The input is a whole file. ExpandFileBytes and ExpandedPrefix are held against libmspack's SZDD
// decompressor, which the native backends expand with. libmspack writes every whole token the stream
// holds, whatever the header's length says; ours must write the same bytes and judge the length: a file
// is expanded exactly when libmspack writes the header's length and needs every byte of the stream for it.
#include <mspack.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/szdd_expander.h"
#include "platform/szdd_header.h"

namespace {

// libmspack reads the input and writes the output through these, both in memory. file_system_memory.cpp has
// such a system too, but its files are those of the files seam; this target needs nothing of the seam, and
// so stays fast and can be built from the expander alone.
const char kInputName[] = "input";
const char kOutputName[] = "output";

struct MemoryFile {
    const uint8_t* data = nullptr;  // the input's bytes, or none for the output
    size_t size = 0;
    size_t position = 0;
    std::string* written = nullptr;  // the output's bytes
};

const uint8_t* g_input = nullptr;
size_t g_inputSize = 0;
std::string g_output;

MemoryFile* FileOf(mspack_file* file) {
    return reinterpret_cast<MemoryFile*>(file);
}

mspack_file* SystemOpen(mspack_system*, const char* name, int mode) {
    MemoryFile* file = nullptr;
    if (mode == MSPACK_SYS_OPEN_READ && std::strcmp(name, kInputName) == 0) {
        file = new MemoryFile{g_input, g_inputSize, 0, nullptr};
    } else if (mode == MSPACK_SYS_OPEN_WRITE && std::strcmp(name, kOutputName) == 0) {
        g_output.clear();
        file = new MemoryFile{nullptr, 0, 0, &g_output};
    }
    return reinterpret_cast<mspack_file*>(file);
}

void SystemClose(mspack_file* file) {
    delete FileOf(file);
}

int SystemRead(mspack_file* handle, void* buffer, int bytes) {
    MemoryFile* file = FileOf(handle);
    if (bytes < 0 || !file->data)
        return -1;
    size_t count = std::min(static_cast<size_t>(bytes), file->size - std::min(file->size, file->position));
    if (count > 0)
        std::memcpy(buffer, file->data + file->position, count);
    file->position += count;
    return static_cast<int>(count);
}

int SystemWrite(mspack_file* handle, void* buffer, int bytes) {
    MemoryFile* file = FileOf(handle);
    if (bytes < 0 || !file->written)
        return -1;
    file->written->append(static_cast<const char*>(buffer), static_cast<size_t>(bytes));
    return bytes;
}

int SystemSeek(mspack_file* handle, off_t offset, int mode) {
    MemoryFile* file = FileOf(handle);
    off_t base = mode == MSPACK_SYS_SEEK_START ? 0
                 : mode == MSPACK_SYS_SEEK_CUR ? static_cast<off_t>(file->position)
                                               : static_cast<off_t>(file->size);
    if (base + offset < 0)
        return -1;
    file->position = static_cast<size_t>(base + offset);
    return 0;
}

off_t SystemTell(mspack_file* handle) {
    return static_cast<off_t>(FileOf(handle)->position);
}

void SystemMessage(mspack_file*, const char*, ...) {}

void* SystemAlloc(mspack_system*, size_t bytes) {
    return std::malloc(bytes);
}

void SystemFree(void* pointer) {
    std::free(pointer);
}

void SystemCopy(void* from, void* to, size_t bytes) {
    std::memmove(to, from, bytes);
}

mspack_system g_memorySystem = {SystemOpen,    SystemClose, SystemRead, SystemWrite, SystemSeek, SystemTell,
                                SystemMessage, SystemAlloc, SystemFree, SystemCopy,  nullptr};

// libmspack's expansion of the bytes; false when it refuses them.
bool Libmspack(const uint8_t* data, size_t size, std::string* expanded) {
    g_input = data;
    g_inputSize = size;
    msszdd_decompressor* szdd = mspack_create_szdd_decompressor(&g_memorySystem);
    FUZZ_CHECK(szdd != nullptr, "no libmspack decompressor");
    int status = szdd->decompress(szdd, kInputName, kOutputName);
    mspack_destroy_szdd_decompressor(szdd);
    *expanded = g_output;
    return status == MSPACK_ERR_OK;
}

std::string Text(const std::vector<unsigned char>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The older QBasic variant of the format, which libmspack expands and LZ32 does not know.
const std::string kQbasicSignature("SZ \x88\xF0\x27\x33\xD1", 8);
constexpr size_t kMethodOffset = 8;
constexpr size_t kLengthOffset = 10;

const size_t kLimits[] = {0, 1, 19, 300, 4096, static_cast<size_t>(-1)};

// A file with a whole header and the method LZ32 knows: checked against libmspack, whose expansion is
// returned.
std::string CheckCompressed(const uint8_t* data, size_t size) {
    const size_t length = static_cast<size_t>(platform::SzddExpandedLength(data, size));
    std::vector<unsigned char> out;
    platform::ExpandResult result = platform::ExpandFileBytes(data, size, &out);
    std::string theirs;
    FUZZ_CHECK(Libmspack(data, size, &theirs), "libmspack refused a whole header");
    for (size_t limit : kLimits)
        FUZZ_CHECK(
            Text(platform::ExpandedPrefix(data, size, limit)) == theirs.substr(0, std::min(limit, length)),
            "the prefix differs from libmspack's, limit " + std::to_string(limit));

    // Without its last byte a sound stream gives less; one that carries a byte past its last token (a flag
    // byte with no token behind it, half a match) gives the same.
    bool everyByteNeeded = size == platform::kSzddHeaderLength;
    if (!everyByteNeeded) {
        std::string shorter;
        FUZZ_CHECK(Libmspack(data, size - 1, &shorter), "libmspack refused a shorter stream");
        everyByteNeeded = shorter.size() < length;
    }
    bool sound = theirs.size() == length && everyByteNeeded;
    FUZZ_CHECK(result == (sound ? platform::ExpandResult::kExpanded : platform::ExpandResult::kDamaged),
               sound ? "a sound file judged damaged" : "a damaged file judged sound");
    if (sound)
        FUZZ_CHECK(Text(out) == theirs, "the expansion differs from libmspack's");
    return theirs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input = fuzz::Bytes(data, size);
    const int64_t length = platform::SzddExpandedLength(data, size);
    if (length == platform::kAnyLength) {
        // Not a compressed file, copied as LZ32 copies it. libmspack refuses it (a read error for fewer
        // than 14 bytes, a wrong signature otherwise) but for its QBasic variant.
        std::vector<unsigned char> out;
        FUZZ_CHECK(platform::ExpandFileBytes(data, size, &out) == platform::ExpandResult::kCopied,
                   "a plain file not copied");
        FUZZ_CHECK(Text(out) == input, "the copy differs: " + fuzz::Quoted(Text(out)));
        std::string theirs;
        FUZZ_CHECK(!Libmspack(data, size, &theirs) ||
                       input.compare(0, kQbasicSignature.size(), kQbasicSignature) == 0,
                   "libmspack expanded what is no compressed file");
        for (size_t limit : kLimits)
            FUZZ_CHECK(Text(platform::ExpandedPrefix(data, size, limit)) == input.substr(0, limit),
                       "the prefix of a plain file, limit " + std::to_string(limit));
        return 0;
    }

    if (data[kMethodOffset] != 'A') {
        // A method that neither LZ32 nor libmspack knows.
        std::vector<unsigned char> out;
        std::string theirs;
        FUZZ_CHECK(platform::ExpandFileBytes(data, size, &out) == platform::ExpandResult::kDamaged,
                   "an unknown method expanded");
        FUZZ_CHECK(!Libmspack(data, size, &theirs), "libmspack expanded an unknown method");
        FUZZ_CHECK(platform::ExpandedPrefix(data, size, static_cast<size_t>(-1)).empty(),
                   "a prefix of an unknown method");
        return 0;
    }

    const std::string theirs = CheckCompressed(data, size);
    // Mutations seldom keep the header's length right. The same stream with the length libmspack wrote is
    // a sound file, or one damaged only by bytes past its last token, so most inputs test that too.
    std::vector<uint8_t> relengthed(data, data + size);
    for (size_t i = 0; i < 4; ++i)
        relengthed[kLengthOffset + i] = static_cast<uint8_t>(theirs.size() >> (8 * i));
    CheckCompressed(relengthed.data(), size);
    return 0;
}
