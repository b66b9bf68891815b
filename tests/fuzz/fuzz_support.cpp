#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/native_fakes.h"
#include "ui/ui_fakes.h"
#include "setupfiles/language_table.h"
#include "setupfiles/app_context.h"

namespace fuzz {

namespace {

std::string MakeScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorel-fuzz-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    std::string directory = buffer.data();
    std::filesystem::create_directories(directory + "/system32");
    return directory;
}

void RemoveScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(ScratchDirectory(), ignored);
}

}  // namespace

void Fail(const char* condition, const std::string& detail, const char* file, int line) {
    std::fprintf(stderr, "\n==== invariant broken at %s:%d: %s\n==== %s\n", file, line, condition,
                 detail.c_str());
    std::fflush(stderr);
    std::abort();
}

const std::string& ScratchDirectory() {
    // Never destroyed: the removal at exit runs after the destructors of function-local statics.
    static const std::string* const directory = [] {
        const std::string* made = new std::string(MakeScratchDirectory());
        std::atexit(RemoveScratchDirectory);
        return made;
    }();
    return *directory;
}

void ResetState() {
    const std::string& directory = ScratchDirectory();
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

void WriteHostFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        Fail("write", "cannot write " + path, __FILE__, __LINE__);
}

std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

bool HostFileExists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

void RemoveHostFile(const std::string& path) {
    std::remove(path.c_str());
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
