#include "ui/dialog.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "ui/language_texts.h"
#include "ui/message_boxes.h"

namespace {

// The open modeless dialogs, newest last.
std::vector<HWND>& ModelessWindows() {
    static std::vector<HWND> windows;
    return windows;
}

constexpr int kItemTextCapacity = 1024;

}  // namespace

Dialog::~Dialog() {
    // A modeless dialog whose object goes first must not leave a window that points to it.
    if (modeless_ && window_ && IsWindow(window_))
        DestroyWindow(window_);
}

INT_PTR Dialog::RunModal(HWND owner) {
    modeless_ = false;
    return DialogBoxParamA(GetModuleHandleA(nullptr), templateName_, owner, Procedure,
                           reinterpret_cast<LPARAM>(this));
}

HWND Dialog::Open(HWND owner) {
    modeless_ = true;
    HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), templateName_, owner, Procedure,
                                     reinterpret_cast<LPARAM>(this));
    if (window)
        ModelessWindows().push_back(window);
    return window;
}

void Dialog::End(INT_PTR result) {
    if (!window_)
        return;
    if (modeless_)
        DestroyWindow(window_);
    else
        EndDialog(window_, result);
}

void Dialog::SetCaption(int textId) {
    SetCaptionText(window_, textId);
}

void Dialog::SetItemText(int control) {
    ::SetItemText(window_, control);
}

void Dialog::SetItemTextFrom(int control, int textId) {
    ::SetItemTextFrom(window_, control, textId);
}

void Dialog::SetItemString(int control, const std::string& text) {
    SetDlgItemTextA(window_, control, text.c_str());
}

std::string Dialog::ItemString(int control) const {
    char text[kItemTextCapacity] = {};
    GetDlgItemTextA(window_, control, text, kItemTextCapacity);
    return text;
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->window_ = window;
    }
    if (!dialog)
        return FALSE;  // the messages before WM_INITDIALOG (WM_SETFONT) need nothing of ours
    try {
        return dialog->Dispatch(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowError(window, error.what());
    } catch (...) {
        ShowError(window, "Unexpected error");
    }
    return TRUE;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInit() ? TRUE : FALSE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            OnClose();
            return TRUE;
        case WM_TIMER:
            OnTimer(wParam);
            return TRUE;
        case WM_DESTROY: {
            OnDestroy();
            std::vector<HWND>& open = ModelessWindows();
            open.erase(std::remove(open.begin(), open.end(), window_), open.end());
            SetWindowLongPtrA(window_, DWLP_USER, 0);
            window_ = nullptr;
            return FALSE;
        }
    }
    INT_PTR result = FALSE;
    return OnMessage(message, wParam, lParam, result) ? result : FALSE;
}

bool RouteToModelessDialog(MSG& message) {
    // A copy: a dialog that takes the message may open or close another one.
    std::vector<HWND> open = ModelessWindows();
    for (auto window = open.rbegin(); window != open.rend(); ++window)
        if (IsWindow(*window) && IsDialogMessageA(*window, &message))
            return true;
    return false;
}
