#include "platform/file_expansion.h"

#include <vector>

#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/szdd_expander.h"

namespace platform {

namespace {

constexpr size_t kFirstReadSize = 64 * 1024;

enum class ReadResult { kRead, kNotOpened, kFailed };

// The whole file and its last-write time.
ReadResult ReadWholeFile(const std::string& path, std::vector<unsigned char>* bytes, uint64_t* time) {
    InputFile file(path);
    if (!file.IsOpen())
        return ReadResult::kNotOpened;
    if (!LastWriteTime(file.Id(), time))
        return ReadResult::kFailed;
    bytes->resize(kFirstReadSize);
    size_t filled = 0;
    for (;;) {
        // Doubling keeps the reads few for any size: a driver image takes one or two.
        if (filled == bytes->size())
            bytes->resize(bytes->size() * 2);
        long read = ReadFileBytes(file.Id(), reinterpret_cast<char*>(bytes->data() + filled),
                                  static_cast<long>(bytes->size() - filled));
        if (read == kReadFailed)
            return ReadResult::kFailed;
        if (read == 0)
            break;
        filled += static_cast<size_t>(read);
    }
    bytes->resize(filled);
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

ExpansionResult ExpandFile(const std::string& source, const std::string& target) {
    std::vector<unsigned char> bytes;
    uint64_t time = 0;
    ReadResult read = ReadWholeFile(source, &bytes, &time);
    // Only a source that is not there is looked for under its compressed name, as LZ32 does.
    if (read == ReadResult::kNotOpened)
        read = ReadWholeFile(CompressedName(source), &bytes, &time);
    if (read != ReadResult::kRead)
        return ExpansionResult::kSourceUnreadable;
    std::vector<unsigned char> expanded;
    ExpandResult result = ExpandFileBytes(bytes.data(), bytes.size(), &expanded);
    if (result == ExpandResult::kDamaged)
        return ExpansionResult::kDamaged;
    const std::vector<unsigned char>& written = result == ExpandResult::kCopied ? bytes : expanded;
    bool whole;
    {
        OutputFile file(CreateFileTruncate(target));
        if (!file.IsOpen())
            return ExpansionResult::kTargetUnwritable;
        whole = WriteFileBytes(file.Id(), reinterpret_cast<const char*>(written.data()),
                               static_cast<long>(written.size())) &&
                SetFileLastWriteTime(file.Id(), time);
    }
    if (whole)
        return ExpansionResult::kDone;
    DeleteFilePath(target);
    return ExpansionResult::kTargetUnwritable;
}

}  // namespace platform
