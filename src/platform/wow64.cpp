#include "platform/wow64.h"

#include <cctype>

namespace platform {

SystemKind ClassifySystem(bool program64Bit, bool hasIsWow64Process, bool isWow64Process) {
    SystemKind kind;
    kind.wow64 = !program64Bit && hasIsWow64Process && isWow64Process;
    kind.windows64 = program64Bit || kind.wow64;
    return kind;
}

uint32_t RegistryViewFlags(const SystemKind& kind) {
    return kind.wow64 ? kKeyWow64View64 : 0;
}

bool NeedsNativeFileView(const SystemKind& kind, const std::string& path,
                         const std::string& systemDirectory) {
    if (!kind.wow64 || systemDirectory.empty() || path.size() < systemDirectory.size())
        return false;
    for (size_t i = 0; i < systemDirectory.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(path[i])) !=
            std::tolower(static_cast<unsigned char>(systemDirectory[i])))
            return false;
    }
    // "C:\WINNT\system32x" is another directory; the system directory itself and what lies below it count.
    return path.size() == systemDirectory.size() || path[systemDirectory.size()] == '\\' ||
           systemDirectory.back() == '\\';
}

}  // namespace platform
