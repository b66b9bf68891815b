#include <windows.h>

#include "platform/user_interface.h"
#include "resources/resource_ids.h"
#include "setupfiles/language_table.h"
#include "shell/language_texts.h"
#include "shell/window_placement.h"

// The Win32 side of the progress window: a modeless dialog that a long run shows while it works, and the
// small message pump through which the run lets it respond between its steps.
namespace platform::ui {

namespace {

constexpr UINT_PTR kPumpTimer = 1;
constexpr UINT kPumpIntervalMs = 100;
constexpr int kTextCancelQuestion = 405;
const LPCSTR kInformationIcon = MAKEINTRESOURCEA(32516);

// Shared with the run that shows the window; there is one progress window at a time, and the run reads
// CancelRequested after the window is gone.
struct ProgressFlags {
    bool cancelRequested = false;
    bool askOnCancel = false;
};
ProgressFlags g_progress;

void OnInit(HWND window, bool askOnCancel) {
    CenterWindow(window);
    SendDlgItemMessageA(window, IDC_INFO_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconA(nullptr, kInformationIcon)), 0);
    // Its messages are what make PumpMessages come back while nothing else happens.
    SetTimer(window, kPumpTimer, kPumpIntervalMs, nullptr);
    SetItemText(window, IDC_INFO_CANCEL);
    g_progress.cancelRequested = false;
    g_progress.askOnCancel = askOnCancel;
}

void OnCancel(HWND window) {
    // The dialog manager turns Enter into id 1 even where there is no such button: only a window that has
    // its Cancel button can be cancelled, so a run shown without one cannot be stopped by a key.
    if (!GetDlgItem(window, IDC_INFO_CANCEL))
        return;
    if (g_progress.askOnCancel && !AskSystemYesNo(window, Text(kTextCancelQuestion), false))
        return;
    g_progress.cancelRequested = true;
    DestroyWindow(window);
}

INT_PTR CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInit(window, lParam != 0);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_INFO_CANCEL)
                OnCancel(window);
            return TRUE;
        case WM_DESTROY:
            KillTimer(window, kPumpTimer);
            return FALSE;
    }
    return FALSE;
}

}  // namespace

WindowRef OpenInfoWindow(WindowRef owner, bool withCancel, bool askOnCancel) {
    return CreateDialogParamA(GetModuleHandleA(nullptr), withCancel ? "DLG_info_cancel" : "DLG_info",
                              static_cast<HWND>(owner), ProgressProc, askOnCancel ? 1 : 0);
}

void SetInfoText(WindowRef window, const std::string& text) {
    HWND dialog = static_cast<HWND>(window);
    // Emptied first, so that a shorter text leaves nothing of the longer one before it on the screen.
    SetDlgItemTextA(dialog, IDC_INFO_TEXT, "");
    SetDlgItemTextA(dialog, IDC_INFO_TEXT, text.c_str());
    // The static redraws at once and queues nothing, so the next pump would sleep until the 100 ms timer:
    // a tenth of a second per file. A queued message lets the run go on as soon as the window is served.
    if (dialog)
        PostMessageA(dialog, WM_NULL, 0, 0);
}

void PumpMessages(WindowRef window) {
    HWND dialog = static_cast<HWND>(window);
    WaitMessage();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        // Tab, Enter and Escape reach the progress window's button the way a modal loop would route them.
        if (dialog && IsDialogMessageA(dialog, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void CloseInfoWindow(WindowRef window) {
    HWND dialog = static_cast<HWND>(window);
    // The user's Cancel may have destroyed it already.
    if (dialog && IsWindow(dialog))
        DestroyWindow(dialog);
}

bool CancelRequested() {
    return g_progress.cancelRequested;
}

}  // namespace platform::ui
