// Started by test.sh before the test run and ended with the Wine session. Wine closes a desktop about a
// second after its last program has left it, and starts a new desktop process for the next program that
// makes a window. Between two end-to-end tests that happened hundreds of times a run, and a program
// started while the desktop was closing was seen to hang or fault. One hidden window of a program that
// waits for messages the whole run keeps the desktop (and the Wine server) alive from the first test to
// the last.
//
// Usage: desktop_keeper READY-FILE (made once the window exists)
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // Never shown: no test looks at it, and no window the tests wait for is hidden behind it.
    HWND window =
        CreateWindowA("STATIC", "desktop keeper", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    HANDLE ready = CreateFileA(commandLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready == INVALID_HANDLE_VALUE)
        return 1;
    CloseHandle(ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    DestroyWindow(window);
    return 0;
}
