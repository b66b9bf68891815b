// The input is an existing removal log (none at all for an empty input). Lookups must agree with the log's
// lines as the setup files' line format defines them; an append must add exactly one entry at the end,
// and an object appended to a log whose last line is complete must be found afterwards.
#include <algorithm>

#include "configstore/removal_log.h"
#include "fuzz_support.h"
#include "platform/native_fakes.h"
#include "ui/ui_fakes.h"
#include "setupfiles/text_line.h"

namespace {

constexpr size_t kEntryWidth = 260;
const std::string kHeader =
    "QZT Quorel Setup --- *** DON'T TOUCH THIS FILE!!!***\r\nDeleted Objects:\r\n\r\n";

// The log's lines as the format reads them: a line ends at a CR and the byte after the CR is skipped
// unread; 0xAF reads as LF; at most width - 1 bytes are kept. A last line without a CR counts when it is
// not empty.
struct LogModel {
    std::vector<std::string> lines;
    // True when the next byte appended to the file starts a line of its own.
    bool aligned = true;
};

LogModel ReadModel(const std::string& bytes) {
    LogModel model;
    size_t position = 0;
    while (position < bytes.size()) {
        size_t cr = bytes.find('\r', position);
        size_t end = cr == std::string::npos ? bytes.size() : cr;
        std::string line = bytes.substr(position, std::min(end - position, kEntryWidth - 1));
        std::replace(line.begin(), line.end(), '\xAF', '\n');
        if (cr == std::string::npos) {
            if (!line.empty())
                model.lines.push_back(line);
            model.aligned = false;
            return model;
        }
        model.lines.push_back(line);
        position = cr + 2;
    }
    // A CR as the very last byte skips the first byte that is appended after it.
    model.aligned = position == bytes.size();
    return model;
}

bool ModelHolds(const LogModel& model, const std::string& object) {
    return std::any_of(model.lines.begin(), model.lines.end(),
                       [&](const std::string& line) { return EqualsIgnoreCase(line, object); });
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Objects the removal records: a driver file, a registry key, and a path of the longest length an entry
// holds whole.
std::string ObjectFor(size_t choice) {
    switch (choice % 3) {
        case 0:
            return "C:\\WINNT\\system32\\drivers\\qdss1.sys";
        case 1:
            return "SYSTEM\\CurrentControlSet\\Services\\Quorel\\Parameters\\Adapter01";
        default:
            return "C:\\" + std::string(kEntryWidth - 3 - 3 - 4, 'q') + ".DLL";
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ResetState();
    const std::string original = fuzz::Bytes(data, size);
    const std::string& directory = fuzz::ScratchDirectory();
    const std::string path = directory + "/removed.qzt";
    if (size == 0)
        fuzz::RemoveFile(path);
    else
        fuzz::WriteFile(path, original);

    const LogModel model = ReadModel(original);
    // Every line of the log is found (a few of them: each lookup reads the whole log), in any case.
    for (size_t i = 0; i < model.lines.size(); i += std::max<size_t>(1, model.lines.size() / 4)) {
        FUZZ_CHECK(IsInRemovalLog(directory, model.lines[i]) == 1,
                   "line " + std::to_string(i) + " " + fuzz::Quoted(model.lines[i]) + " is not found");
        FUZZ_CHECK(IsInRemovalLog(directory, Upper(model.lines[i])) == 1,
                   "line " + std::to_string(i) + " in upper case");
    }
    const std::string object = ObjectFor(size);
    FUZZ_CHECK(object.size() == kEntryWidth - 3 || object.size() < kEntryWidth - 3,
               "object too long for an entry");
    FUZZ_CHECK(IsInRemovalLog(directory, object) == (ModelHolds(model, object) ? 1 : 0),
               "lookup of " + fuzz::Quoted(object) + " disagrees with the log's lines");

    FUZZ_CHECK(TryAppendRemovalLog(directory, object, false) == RemovalLogWrite::kWritten, "append failed");
    const std::string after = fuzz::ReadFile(path);
    const std::string expected = (size == 0 ? kHeader : original) + object + "\r\n";
    FUZZ_CHECK(after == expected, "the log after the append is not the log plus one entry");
    if (model.aligned) {
        FUZZ_CHECK(IsInRemovalLog(directory, object) == 1, "an appended object is not found");
        FUZZ_CHECK(IsInRemovalLog(directory, Upper(object)) == 1,
                   "an appended object is not found in upper case");
    }
    if (size == 0)
        FUZZ_CHECK(IsInRemovalLog(directory, "Deleted Objects:") == 1, "the new log's header is not found");

    const auto& shown = ui::fake::ShownMessages();
    FUZZ_CHECK(shown.empty(), "the log showed " + fuzz::Quoted(shown.empty() ? "" : shown.front().text));
    return 0;
}
