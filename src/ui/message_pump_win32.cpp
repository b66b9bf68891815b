#include <windows.h>

#include "ui/interaction_backend.h"
#include "ui/silent_mode.h"
#include "ui/user_interface.h"

namespace ui {

void PumpMessagesFor(WindowRef window, unsigned milliseconds) {
    // The pause is for a person's last Cancel; a silent run has neither.
    if (SilentMode())
        return;
    // The text the run set last stands for the whole pause.
    backend::ShowWaitingInfoText();
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
