#include <algorithm>
#include <cctype>

#include "platform/file_system.h"

// Both native file backends, the one on the host's disk and the fuzz build's in memory, show a directory
// the same way.
namespace platform {

// The listing shows the path as it was given, lower-cased; only a drive root keeps its closing backslash.
std::string DisplayDirectory(const std::string& directory) {
    std::string shown = directory;
    bool driveRoot = shown.size() == 3 && shown[1] == ':';
    while (!driveRoot && shown.size() > 1 && (shown.back() == '\\' || shown.back() == '/')) shown.pop_back();
    std::transform(shown.begin(), shown.end(), shown.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return shown;
}

}  // namespace platform
