#include "ui/window_placement.h"

#include "ui/user_interface.h"

void CenterWindow(HWND window) {
    RECT desktop, own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    SetWindowPos(window, nullptr, desktop.right / 2 - width / 2, desktop.bottom / 2 - height / 2, 0, 0,
                 SWP_NOSIZE | SWP_SHOWWINDOW);
    SetActiveWindow(window);
}

namespace ui {

void ActivateWindow(WindowRef window) {
    if (!window)
        return;
    SetForegroundWindow(static_cast<HWND>(window));
    SetActiveWindow(static_cast<HWND>(window));
}

void CenterAndActivate(WindowRef window) {
    if (window)
        CenterWindow(static_cast<HWND>(window));
}

}  // namespace ui
