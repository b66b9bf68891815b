#include <windows.h>

#include "ui/interaction_backend.h"

namespace ui {

void backend::PumpMessagesFor(WindowRef window, unsigned milliseconds) {
    DWORD start = GetTickCount();
    // Once a Cancel has destroyed the window the pause has no purpose any more.
    for (;;) {
        PumpMessages(window);
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds || !IsWindow(static_cast<HWND>(window)))
            return;
        // Sleeps until a message comes or the pause is over; the queue is empty, so only a new one wakes it.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

}  // namespace ui
