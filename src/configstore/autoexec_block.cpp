#include "configstore/autoexec_block.h"

#include <vector>

#include "configstore/config_reports.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/wow64.h"
#include "setupfiles/text_line.h"
#include "ui/linked_file.h"
#include "ui/run_report.h"

const char* const kAutoexecBeginMarker = "REM --- QZT Setup for WindowsNT BEGIN ---";
const char* const kAutoexecLoaderLine = "lh %SystemRoot%\\system\\dxbridge.exe";
const char* const kAutoexecEndMarker = "REM --- QZT Setup for WindowsNT END ---";

namespace {

const char* const kAutoexecName = "AutoExec.NT";
const char* const kTemporaryName = "AutoTmp.$$$";

// A line as it stands in the file: its text and the line end that followed it ("\r\n", "\r" or none).
// The removal writes kept lines back from these, so nothing that the file held is changed; the shared
// line reader would turn 0xAF into a line break and drop the byte after a lone CR.
struct RawLine {
    std::string text;
    std::string end;
};

std::vector<RawLine> SplitRawLines(const std::string& content) {
    std::vector<RawLine> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t cr = content.find('\r', start);
        if (cr == std::string::npos) {
            lines.push_back({content.substr(start), ""});
            break;
        }
        size_t next = cr + 1 < content.size() && content[cr + 1] == '\n' ? cr + 2 : cr + 1;
        lines.push_back({content.substr(start, cr - start), content.substr(cr, next - cr)});
        start = next;
    }
    return lines;
}

bool IsBlockStart(const std::string& line) {
    return EqualsIgnoreCase(line, kAutoexecBeginMarker) || EqualsIgnoreCase(line, kAutoexecLoaderLine);
}

bool IsBlockLine(const std::string& line) {
    return IsBlockStart(line) || EqualsIgnoreCase(line, kAutoexecEndMarker);
}

}  // namespace

bool HasAutoexecBlock(const std::string& content) {
    for (const RawLine& line : SplitRawLines(content)) {
        if (IsBlockStart(line.text))
            return true;
    }
    return false;
}

std::string AutoexecBlockFor(const std::string& content) {
    std::string lines =
        std::string(kAutoexecBeginMarker) + "\r\n" + kAutoexecLoaderLine + "\r\n" + kAutoexecEndMarker;
    std::vector<RawLine> existing = SplitRawLines(content);
    if (existing.empty() || !existing.back().end.empty())
        return lines + "\r\n";
    // After a last line without line end the block needs a line of its own, and it leaves the file
    // ending without one, as it did: the removal then gives the file back byte for byte.
    return "\r\n" + lines;
}

std::string WithoutAutoexecBlock(const std::string& content) {
    std::vector<RawLine> lines = SplitRawLines(content);
    std::vector<RawLine> kept;
    for (const RawLine& line : lines) {
        if (!IsBlockLine(line.text))
            kept.push_back(line);
    }
    // A file that ended in a block line without line end ends without one again: that line end was the
    // one the insertion put before the block. An empty line keeps its line end, or it would vanish.
    if (!lines.empty() && lines.back().end.empty() && IsBlockLine(lines.back().text) && !kept.empty() &&
        !kept.back().text.empty())
        kept.back().end.clear();
    // A line that ended in a lone CR now meets what followed the dropped line; when that begins with an LF,
    // the two would read as one CRLF and the next line would lose its first byte. A full CRLF keeps them
    // apart.
    for (size_t i = 0; i + 1 < kept.size(); ++i) {
        if (kept[i].end == "\r" && !kept[i + 1].text.empty() && kept[i + 1].text.front() == '\n')
            kept[i].end = "\r\n";
    }
    std::string bytes;
    for (const RawLine& line : kept) bytes += line.text + line.end;
    return bytes;
}

namespace {
// 64-bit Windows has no MS-DOS subsystem and so no AUTOEXEC.NT: there is no DOS side to load CAPI into,
// and a missing file there is no failure. One that exists is still kept in step.
bool LeftOutWithoutDosSubsystem(const std::string& path) {
    if (!platform::RunningSystem().windows64 ||
        platform::FileAttributes(path) != platform::kInvalidAttributes)
        return false;
    ui::Report(path + ": none on 64-bit Windows (no MS-DOS subsystem), step left out");
    return true;
}
}  // namespace

bool InsertAutoexecBlock() {
    std::string path = JoinPath(platform::SystemDirectory(), kAutoexecName);
    if (LeftOutWithoutDosSubsystem(path))
        return true;
    platform::OutputFile file(platform::OpenFileForWrite(path));
    std::string content;
    if (!file.IsOpen() || !platform::ReadWholeTextFile(path, &content)) {
        ReportNoAutoexec(path);
        return false;
    }
    if (HasAutoexecBlock(content))
        return true;
    if (!platform::SeekToEnd(file.Id()) || !file.Write(AutoexecBlockFor(content))) {
        ReportNoAutoexec(path);
        return false;
    }
    ui::Report(path + ": " + kAutoexecLoaderLine + " added");
    return true;
}

bool RemoveAutoexecBlock() {
    std::string path = JoinPath(platform::SystemDirectory(), kAutoexecName);
    if (LeftOutWithoutDosSubsystem(path))
        return true;
    std::string temporaryPath = JoinPath(platform::SystemDirectory(), kTemporaryName);
    std::string content;
    bool writable = platform::OutputFile(platform::OpenFileForWrite(path)).IsOpen();
    if (!writable || !platform::ReadWholeTextFile(path, &content)) {
        ReportNoAutoexec(path);
        return false;
    }
    if (!HasAutoexecBlock(content))
        return true;

    if (RefuseLinkedFile(nullptr, temporaryPath))
        return false;
    platform::OutputFile temporary(temporaryPath);
    if (!temporary.IsOpen()) {
        ReportNoAutoexec(temporaryPath);
        return false;
    }
    bool copyWritten = temporary.Write(WithoutAutoexecBlock(content));
    temporary.Close();
    // A short temporary copy must never replace the file: every other line of it would be lost.
    if (!copyWritten) {
        platform::DeleteFilePath(temporaryPath);
        ReportNoAutoexec(temporaryPath);
        return false;
    }
    // Moved into place in one step: a replacement that fails leaves AUTOEXEC.NT as it was, where a copy
    // over it that broke off would cut it short and lose every other program's lines.
    if (!platform::ReplaceFilePath(temporaryPath, path)) {
        platform::DeleteFilePath(temporaryPath);
        ReportNotWritten(path);
        return false;
    }
    return true;
}
