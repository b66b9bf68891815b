#pragma once

#include <cstdio>
#include <string>

// The driver files of the built sample distribution whose versions the program shows, and the versions they
// carry (the sample's version numbers come from the build).
namespace e2e {

// The "[COMPFILES]" entries of the sample SETUP.QZT that carry "!VERSION_ON", in order.
struct ListedFile {
    const char* source;
    const char* installed;
    const char* windowsSubdirectory;
    unsigned revisionOffset;  // each protocol driver counts the sample revision up by one
};
inline const ListedFile kListed[] = {
    {"KXBUS.SY_", "kxbus.sys", "system32\\drivers", 0},
    {"QDSS1.SY_", "qdss1.sys", "system32\\drivers", 1},
    {"Q1TR6.SY_", "q1tr6.sys", "system32\\drivers", 2},
    {"QNI1.SY_", "qni1.sys", "system32\\drivers", 3},
    {"QDSSX31.SY_", "qdssx31.sys", "system32\\drivers", 4},
    {"QNI1X31.SY_", "qni1x31.sys", "system32\\drivers", 5},
    {"CAPI2032.DL_", "CAPI2032.DLL", "system32", 0},
};

// The version line text of a listed file: the sample version with the file's revision offset.
inline std::string SampleVersionText(unsigned revisionOffset) {
    char text[32];
    std::snprintf(text, sizeof text, "v%x.%x (rev.%02x)", QUOREL_SAMPLE_VERSION_MAJOR,
                  QUOREL_SAMPLE_VERSION_MINOR, QUOREL_SAMPLE_VERSION_REVISION + revisionOffset);
    return text;
}

}  // namespace e2e
