#include "platform/file_expansion.h"

#include <vector>

#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/szdd_expander.h"

namespace platform {

namespace {

// A driver file is a few hundred KiB; one read call takes at most a long's worth of bytes.
constexpr uint64_t kLargestFile = 0x7FFFFFFF;

enum class ReadResult { kRead, kNotOpened, kFailed };

// The program expands one file at a time, on its one thread, so the buffers stay for the next file: its
// bytes then land in memory already in use. Fresh memory for every file costs more than the expansion
// itself under Wine (measured: 0.63 ms against 0.26 ms for a 256 KiB driver image).
struct ExpansionBuffers {
    std::vector<unsigned char> source;
    std::vector<unsigned char> expanded;
};

ExpansionBuffers& Buffers() {
    static ExpansionBuffers buffers;
    return buffers;
}

// The whole file, read in one call as far as the system allows, and its last-write time. A read that
// ends before the size the file had when it was opened is a failure, never the end of the file.
ReadResult ReadWholeFile(const std::string& path, std::vector<unsigned char>* bytes, uint64_t* time) {
    InputFile file(path);
    if (!file.IsOpen())
        return ReadResult::kNotOpened;
    uint64_t size = 0;
    if (!SizeAndLastWriteTime(file.Id(), &size, time) || size > kLargestFile)
        return ReadResult::kFailed;
    // Resized, not emptied first: the read writes every byte, and a buffer that keeps its size from the last
    // file is not filled with zeros again.
    bytes->resize(static_cast<size_t>(size));
    for (size_t filled = 0; filled < bytes->size();) {
        long read = ReadFileBytes(file.Id(), reinterpret_cast<char*>(bytes->data() + filled),
                                  static_cast<long>(bytes->size() - filled));
        if (read == kReadFailed || read == 0)
            return ReadResult::kFailed;
        filled += static_cast<size_t>(read);
    }
    return ReadResult::kRead;
}

}  // namespace

std::string CompressedName(const std::string& path) {
    size_t name = path.find_last_of('\\');
    size_t dot = path.find('.', name == std::string::npos ? 0 : name);
    if (dot == std::string::npos)
        return path + "._";
    if (path.size() - dot - 1 < 3)
        return path + "_";
    return path.substr(0, path.size() - 1) + "_";
}

ExpansionResult ReadExpanded(const std::string& source, ExpandedSource* expanded) {
    std::vector<unsigned char>& bytes = Buffers().source;
    std::vector<unsigned char>& decoded = Buffers().expanded;
    uint64_t time = 0;
    ReadResult read = ReadWholeFile(source, &bytes, &time);
    // A source that cannot be opened is looked for under its compressed name, as LZ32 does; a name that
    // already is one is not opened twice.
    std::string compressed = CompressedName(source);
    if (read == ReadResult::kNotOpened && compressed != source)
        read = ReadWholeFile(compressed, &bytes, &time);
    if (read != ReadResult::kRead)
        return ExpansionResult::kSourceUnreadable;
    ExpandResult result = ExpandFileBytes(bytes.data(), bytes.size(), &decoded);
    if (result == ExpandResult::kDamaged)
        return ExpansionResult::kDamaged;
    const std::vector<unsigned char>& whole = result == ExpandResult::kCopied ? bytes : decoded;
    expanded->data = whole.data();
    expanded->size = whole.size();
    expanded->lastWriteTime = time;
    return ExpansionResult::kDone;
}

bool WriteExpanded(FileId target, const ExpandedSource& expanded) {
    return WriteFileBytes(target, reinterpret_cast<const char*>(expanded.data),
                          static_cast<long>(expanded.size)) &&
           SetFileLastWriteTime(target, expanded.lastWriteTime);
}

ExpansionResult ExpandFile(const std::string& source, const std::string& target) {
    ExpandedSource expanded;
    ExpansionResult read = ReadExpanded(source, &expanded);
    if (read != ExpansionResult::kDone)
        return read;
    bool whole;
    {
        OutputFile file(CreateFileTruncate(target));
        if (!file.IsOpen())
            return ExpansionResult::kTargetUnwritable;
        whole = WriteExpanded(file.Id(), expanded);
    }
    if (whole)
        return ExpansionResult::kDone;
    DeleteFilePath(target);
    return ExpansionResult::kTargetUnwritable;
}

}  // namespace platform
