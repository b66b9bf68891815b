#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>

#include "platform/file.h"
#include "platform/file_system_memory.h"
#include "platform/native_fakes.h"
#include "ui/ui_fakes.h"
#include "setupfiles/language_table.h"
#include "shell/app_context.h"

namespace fuzz {

void Fail(const char* condition, const std::string& detail, const char* file, int line) {
    std::fprintf(stderr, "\n==== invariant broken at %s:%d: %s\n==== %s\n", file, line, condition,
                 detail.c_str());
    std::fflush(stderr);
    std::abort();
}

const std::string& ScratchDirectory() {
    static const std::string directory = "C:/fuzz";
    return directory;
}

AppContext& App() {
    static AppContext context;
    return context;
}

void ResetState() {
    const std::string& directory = ScratchDirectory();
    platform::memory::ResetFiles();
    if (!platform::CreateDirectoryPath(directory) || !platform::CreateDirectoryPath(directory + "/system32"))
        Fail("scratch", "cannot make " + directory, __FILE__, __LINE__);
    App() = AppContext();
    App().SetupDirectory = directory;
    ClearLanguageTable();
    ui::fake::ResetUserInterface();
    platform::fake::ResetRegistry();
    platform::fake::ResetDde();
    platform::fake::SetRunningPlatformId(2);
    platform::fake::SetSystemDirectory(directory + "\\system32");
}

std::string Bytes(const uint8_t* data, size_t size) {
    return size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
}

void WriteFile(const std::string& path, const std::string& bytes) {
    platform::OutputFile out(path);
    if (!out.IsOpen() || !out.Write(bytes))
        Fail("write", "cannot write " + path, __FILE__, __LINE__);
}

std::string ReadFile(const std::string& path) {
    std::string content;
    platform::FileId file = platform::OpenFileForRead(path);
    if (file == platform::kNoFile)
        return content;
    char buffer[4096];
    for (long got; (got = platform::ReadFileBytes(file, buffer, sizeof buffer)) > 0;)
        content.append(buffer, static_cast<size_t>(got));
    platform::CloseFile(file);
    return content;
}

bool FileExists(const std::string& path) {
    return platform::FileAttributes(path) != platform::kInvalidAttributes;
}

void RemoveFile(const std::string& path) {
    platform::DeleteFilePath(path);
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out.push_back(static_cast<char>(c));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    return out + "\"";
}

std::vector<Line> SplitCrLines(const std::string& bytes) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t cr = bytes.find('\r', start);
        if (cr == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        size_t next = cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? cr + 2 : cr + 1;
        lines.push_back({bytes.substr(start, cr - start), bytes.substr(cr, next - cr)});
        start = next;
    }
    return lines;
}

}  // namespace fuzz
