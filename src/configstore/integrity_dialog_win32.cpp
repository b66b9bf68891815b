#include <windows.h>

#include "platform/user_interface.h"
#include "resources/configstore_ids.h"
#include "shell/language_texts.h"
#include "shell/window_placement.h"

// "DLG_chkintegrity": the choice between the settings found in the registry and those of the backup.
namespace platform::ui {

namespace {

constexpr int kTextCaption = 98;
constexpr int kChoiceCancel = 0;
constexpr int kChoiceApplyNew = 1;
constexpr int kChoiceRestoreOld = 2;
const LPCSTR kWarningIcon = MAKEINTRESOURCEA(32515);

// The controls that show the language text of their own id, in the order the texts are set.
constexpr int kTextControls[] = {IDC_CCI_INFO,       IDC_CCI_RESTORE,       IDC_CCI_APPLY,
                                 IDC_CCI_CANCEL,     IDC_CCI_APPLYNEW_TEXT, IDC_CCI_RESTOREOLD_TEXT,
                                 IDC_CCI_CANCEL_TEXT};

void OnInit(HWND dialog, const std::string& information) {
    ShowWindow(dialog, SW_HIDE);
    CenterWindow(dialog);
    SendDlgItemMessageA(dialog, IDC_CCI_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconA(nullptr, kWarningIcon)), 0);
    SetCaptionText(dialog, kTextCaption);
    for (int control : kTextControls) SetItemText(dialog, control);
    SetDlgItemTextA(dialog, IDC_CCI_INFO, information.c_str());
    ShowWindow(dialog, SW_SHOW);
}

// Escape (IDCANCEL) is taken as the Cancel button: leaving the configuration closed changes nothing.
void OnCommand(HWND dialog, int id) {
    switch (id) {
        case IDC_CCI_APPLY:
            EndDialog(dialog, kChoiceApplyNew);
            break;
        case IDC_CCI_RESTORE:
            EndDialog(dialog, kChoiceRestoreOld);
            break;
        case IDC_CCI_CANCEL:
        case IDCANCEL:
            EndDialog(dialog, kChoiceCancel);
            break;
    }
}

INT_PTR CALLBACK IntegrityProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInit(dialog, *reinterpret_cast<const std::string*>(lParam));
            // Enter on the focused button must not choose for the user: the focus starts on Cancel.
            SetFocus(GetDlgItem(dialog, IDC_CCI_CANCEL));
            return FALSE;
        case WM_COMMAND:
            OnCommand(dialog, LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            EndDialog(dialog, kChoiceCancel);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

int IntegrityDialog(WindowRef owner, const std::string& information) {
    // A template that cannot be loaded gives -1 from DialogBoxParamA.
    return static_cast<int>(DialogBoxParamA(GetModuleHandleA(nullptr), "DLG_chkintegrity",
                                            static_cast<HWND>(owner), IntegrityProc,
                                            reinterpret_cast<LPARAM>(&information)));
}

}  // namespace platform::ui
