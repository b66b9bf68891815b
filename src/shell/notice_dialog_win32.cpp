#include <windows.h>

#include "platform/user_interface.h"
#include "resources/resource_ids.h"
#include "shell/window_placement.h"

// The Win32 side of the user interaction seam: the system message box and "DLG_msg".
namespace platform::ui {

namespace {

struct NoticeTexts {
    const std::string* caption;
    const std::string* okText;
    const std::string* text;
};

INT_PTR CALLBACK NoticeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const NoticeTexts* texts = reinterpret_cast<const NoticeTexts*>(lParam);
            CenterWindow(dialog);
            SendDlgItemMessageA(dialog, IDC_MSG_ICON, STM_SETICON,
                                reinterpret_cast<WPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(32516))), 0);
            SetDlgItemTextA(dialog, IDC_MSG_TEXT, texts->text->c_str());
            SetWindowTextA(dialog, texts->caption->c_str());
            SetDlgItemTextA(dialog, IDC_MSG_OK, texts->okText->c_str());
            return TRUE;
        }
        case WM_COMMAND:
            // Only OK ends the notice; Escape (a command with id 2) does nothing.
            if (LOWORD(wParam) == IDC_MSG_OK)
                EndDialog(dialog, 0);
            return TRUE;
        case WM_CLOSE:
            EndDialog(dialog, -1);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

int InfoMessageBox(WindowRef owner, const std::string& caption, const std::string& text) {
    return MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

int NoticeDialog(WindowRef owner, const std::string& caption, const std::string& okText,
                 const std::string& text) {
    NoticeTexts texts = {&caption, &okText, &text};
    return static_cast<int>(DialogBoxParamA(GetModuleHandleA(nullptr), "DLG_msg", static_cast<HWND>(owner),
                                            NoticeProc, reinterpret_cast<LPARAM>(&texts)));
}

void ShowWaitCursor(bool wait) {
    SetCursor(LoadCursorA(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

}  // namespace platform::ui
