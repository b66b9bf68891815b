#include <windows.h>

#include "ui/user_interface.h"

namespace ui {

void PumpMessagesFor(WindowRef window, unsigned milliseconds) {
    DWORD start = GetTickCount();
    // The progress window's 100 ms timer wakes each pump, so the pause ends at most that much late. Once a
    // Cancel has destroyed the window no timer is left to wake it, and the pause has no purpose any more.
    while (GetTickCount() - start < milliseconds && IsWindow(static_cast<HWND>(window))) PumpMessages(window);
}

}  // namespace ui
