// The sample CAPI 2.0 DLL of the distribution. It does no CAPI work: SETUP.EXE's about box only loads it
// and asks CAPI_GET_VERSION for the driver version, and the installed file versions dialog looks for the
// version record in its bytes. The numbers come from cmake/sample_files.cmake, which also hands them to the
// generator of the other driver files and to the tests.
#include <windows.h>

namespace {

#define QUOREL_LE16(value) \
    static_cast<unsigned char>((value)&0xFF), static_cast<unsigned char>(((value) >> 8) & 0xFF)

// Marker, 4 bytes the reader skips (DOS time and date of the build, as in the generated drivers), then
// major, minor and revision. Nothing in the code reads the record, so "used" keeps the compiler from
// dropping it; the linker keeps every section of a PE file unless asked to collect garbage.
__attribute__((used)) const unsigned char kVersionRecord[] = {
    0xE8,
    0x52,
    0xA7,
    0x04,
    0x61,
    0x78,
    0xCA,
    0x12,
    0x00,
    0x60,
    0xCE,
    0x26,
    QUOREL_LE16(QUOREL_SAMPLE_VERSION_MAJOR),
    QUOREL_LE16(QUOREL_SAMPLE_VERSION_MINOR),
    QUOREL_LE16(QUOREL_SAMPLE_VERSION_REVISION),
};

#undef QUOREL_LE16

}  // namespace

// CAPI 2.0 declares it with four DWORD out-parameters and the Windows calling convention; the .def file
// exports it under its plain name, which is what GetProcAddress asks for. The result is CAPI's "no error".
extern "C" DWORD WINAPI CAPI_GET_VERSION(DWORD* capiMajor, DWORD* capiMinor, DWORD* manufacturerMajor,
                                         DWORD* manufacturerMinor) {
    if (capiMajor != nullptr)
        *capiMajor = QUOREL_SAMPLE_CAPI_MAJOR;
    if (capiMinor != nullptr)
        *capiMinor = QUOREL_SAMPLE_CAPI_MINOR;
    if (manufacturerMajor != nullptr)
        *manufacturerMajor = QUOREL_SAMPLE_MANUFACTURER_MAJOR;
    if (manufacturerMinor != nullptr)
        *manufacturerMinor = QUOREL_SAMPLE_MANUFACTURER_MINOR;
    return 0;
}
