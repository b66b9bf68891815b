// Used by run.sh on a display without a person: starts SETUP.EXE in the distribution directory, waits for
// its main dialog, tells the script (a file appears) and, once the script has taken its screenshot (another
// file appears), presses Exit.
#include <windows.h>

#include <cstdio>
#include <string>

#include "resources/resource_ids.h"
#include "harness.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: show_main_dialog DIRECTORY READY-FILE DONE-FILE [SETUP ARGUMENTS]\n");
        return 2;
    }
    std::string arguments;
    for (int i = 4; i < argc; ++i) arguments += std::string(i > 4 ? " " : "") + argv[i];
    e2e::SetupProcess setup(argv[1], arguments);
    HWND main =
        setup.WaitForControls({IDC_MAIN_ACTION, IDC_MAIN_ABOUT, IDC_MAIN_EXIT, IDC_MAIN_LANGUAGE}, 60000);
    if (!main) {
        std::fprintf(stderr, "the main dialog did not appear\n");
        return 1;
    }
    e2e::WriteFileBytes(argv[2], "ready\n");
    if (!e2e::WaitFor([&] { return GetFileAttributesA(argv[3]) != INVALID_FILE_ATTRIBUTES; }, 60000))
        std::fprintf(stderr, "no screenshot was taken\n");
    e2e::PressButton(main, IDC_MAIN_EXIT);
    DWORD code = 0;
    return setup.WaitForExit(&code, 10000) ? static_cast<int>(code) : 1;
}
