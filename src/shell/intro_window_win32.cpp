#include "shell/intro_window.h"

#include "platform/win32_handles.h"
#include "setupfiles/language_table.h"
#include "shell/message_boxes.h"
#include "shell/window_placement.h"

namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kShowMilliseconds = 2500;

// The start window's state lives only while it is open.
struct IntroState {
    GdiObject bitmap;
    GdiObject brush;
};

// The background is ready before the window first shows, so that its first paint already uses it.
void CreateBackground(HWND window, HINSTANCE instance, IntroState& state) {
    state.bitmap.Reset(LoadBitmapA(instance, "quorelbmp"));
    if (!state.bitmap) {
        ShowError(window, "Unable to load bitmap!");
        return;
    }
    state.brush.Reset(CreatePatternBrush(static_cast<HBITMAP>(state.bitmap.Get())));
    if (!state.brush)
        ShowError(window, "Can't create brush!");
}

void OnInit(HWND window, IntroState& state) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // Set on the dialog class, so every later dialog of the program carries the icon too.
    SetClassLongPtrA(window, GCLP_HICON, reinterpret_cast<LONG_PTR>(LoadIconA(instance, "mainico")));
    CreateBackground(window, instance, state);
    CenterWindow(window);
    LoadLanguageTable();
    SetTimer(window, kCloseTimer, kShowMilliseconds, nullptr);
}

void Close(HWND window, IntroState& state) {
    state.brush.Reset();
    state.bitmap.Reset();
    KillTimer(window, kCloseTimer);
    EndDialog(window, 0);
}

INT_PTR CALLBACK IntroProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    IntroState* state = reinterpret_cast<IntroState*>(GetWindowLongPtrA(window, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(window, DWLP_USER, lParam);
            OnInit(window, *reinterpret_cast<IntroState*>(lParam));
            return TRUE;
        case WM_CTLCOLORDLG:
            return reinterpret_cast<INT_PTR>(state && state->brush ? state->brush.Get()
                                                                   : GetStockObject(WHITE_BRUSH));
        case WM_TIMER:
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_COMMAND:  // Enter and Escape arrive as commands through the dialog manager
            if (state)
                Close(window, *state);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowIntroWindow(HWND owner) {
    IntroState state;
    DialogBoxParamA(GetModuleHandleA(nullptr), "WND_intro", owner, IntroProc,
                    reinterpret_cast<LPARAM>(&state));
}
