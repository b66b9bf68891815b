#include <windows.h>

#include "install/install_dialog.h"
#include "install/installation_run.h"
#include "resources/install_ids.h"
#include "setupfiles/language_table.h"
#include "setupfiles/text_line.h"
#include "shell/app_context.h"
#include "shell/language_texts.h"
#include "shell/message_boxes.h"
#include "shell/window_placement.h"

namespace {

constexpr int kTextInstallCaption = 27;
constexpr int kTextInstallButton = 28;
constexpr int kTextCancel = 1;
constexpr int kTextPickCaption = 105;
constexpr UINT kPathSize = 260;

std::string ItemText(HWND dialog, int id) {
    char text[kPathSize] = {};
    GetDlgItemTextA(dialog, id, text, kPathSize);
    return text;
}

// ---- Directory picker ("DLG_changedir") ----

struct PickerState {
    HWND parent;
    int editId;          // the parent's edit control the picker starts from
    std::string picked;  // the chosen directory, once OK is pressed
};

std::string WindowsDriveRoot() {
    char windows[kPathSize] = {};
    GetWindowsDirectoryA(windows, kPathSize);
    return std::string(windows).substr(0, 3);
}

// Lists a directory specification; the listing makes it the process's current directory, which is what
// OK returns.
void FillPicker(HWND dialog, const std::string& specification) {
    char spec[kPathSize] = {};
    lstrcpynA(spec, specification.c_str(), kPathSize);
    if (!DlgDirListA(dialog, spec, IDC_PICK_DIRECTORIES, IDC_PICK_SHOWN, DDL_DIRECTORY | DDL_EXCLUSIVE)) {
        lstrcpynA(spec, WindowsDriveRoot().c_str(), kPathSize);
        DlgDirListA(dialog, spec, IDC_PICK_DIRECTORIES, IDC_PICK_SHOWN, DDL_DIRECTORY | DDL_EXCLUSIVE);
    }
    std::string shown = ItemText(dialog, IDC_PICK_SHOWN);
    char drives[kPathSize] = "*.*";
    DlgDirListComboBoxA(dialog, drives, IDC_PICK_DRIVES, 0, DDL_DRIVES | DDL_EXCLUSIVE);
    char drive[8] = {};
    wsprintfA(drive, "[-%c-]", shown.empty() ? 'c' : shown[0]);
    SendDlgItemMessageA(dialog, IDC_PICK_DRIVES, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(drive));
}

void OnPickerInit(HWND dialog, PickerState& state) {
    ShowWindow(dialog, SW_HIDE);
    CenterWindow(dialog);
    SetCaptionText(dialog, kTextPickCaption);
    for (int id : {IDC_PICK_OK, IDC_PICK_CANCEL, IDC_PICK_SHOWN_LABEL, IDC_PICK_HELP, IDC_PICK_DRIVE_LABEL})
        SetItemText(dialog, id);
    FillPicker(dialog, ItemText(state.parent, state.editId));
    ShowWindow(dialog, SW_SHOW);
}

void OnPickerSelect(HWND dialog, int id) {
    char selected[kPathSize] = {};
    // "[dir]" becomes "dir\" and "[-d-]" becomes "d:"; the result is listed whether or not it named a
    // directory.
    if (id == IDC_PICK_DIRECTORIES)
        DlgDirSelectExA(dialog, selected, kPathSize, IDC_PICK_DIRECTORIES);
    else
        DlgDirSelectComboBoxExA(dialog, selected, kPathSize, IDC_PICK_DRIVES);
    FillPicker(dialog, selected);
}

INT_PTR CALLBACK PickerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    PickerState* state = reinterpret_cast<PickerState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            OnPickerInit(dialog, *reinterpret_cast<PickerState*>(lParam));
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_PICK_OK: {
                    char current[kPathSize] = {};
                    GetCurrentDirectoryA(kPathSize, current);
                    state->picked = current;
                    EndDialog(dialog, 1);
                    break;
                }
                case IDC_PICK_CANCEL:
                    state->picked.clear();
                    EndDialog(dialog, 0);
                    break;
                case IDC_PICK_DIRECTORIES:
                    if (HIWORD(wParam) == LBN_DBLCLK)
                        OnPickerSelect(dialog, IDC_PICK_DIRECTORIES);
                    break;
                case IDC_PICK_DRIVES:
                    if (HIWORD(wParam) == CBN_SELCHANGE)
                        OnPickerSelect(dialog, IDC_PICK_DRIVES);
                    break;
            }
            return TRUE;
    }
    return FALSE;  // the close box does nothing: only the two buttons end the picker
}

// ---- Install dialog ("DLG_install") ----

void OnInstallInit(HWND dialog) {
    ShowWindow(dialog, SW_HIDE);
    SetCaptionText(dialog, kTextInstallCaption);
    SetItemTextFrom(dialog, IDC_INSTALL_START, kTextInstallButton);
    SetItemTextFrom(dialog, IDC_INSTALL_CANCEL, kTextCancel);
    for (int id : {IDC_INSTALL_SOURCE_LABEL, IDC_INSTALL_DESTINATION_LABEL, IDC_INSTALL_CHANGE_SOURCE,
                   IDC_INSTALL_CHANGE_DESTINATION})
        SetItemText(dialog, id);
    CenterWindow(dialog);
    SetDlgItemTextA(dialog, IDC_INSTALL_SOURCE, App().SetupDirectory.c_str());
    SetDlgItemTextA(dialog, IDC_INSTALL_DESTINATION, DefaultDestinationPath().c_str());
    ShowWindow(dialog, SW_SHOW);
}

void ChangePath(HWND dialog, int editId) {
    PickerState state = {dialog, editId, ""};
    if (DialogBoxParamA(GetModuleHandleA(nullptr), "DLG_changedir", dialog, PickerProc,
                        reinterpret_cast<LPARAM>(&state)) > 0)
        SetDlgItemTextA(dialog, editId, state.picked.c_str());
}

INT_PTR CALLBACK InstallProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            OnInstallInit(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_INSTALL_START:
                    RunInstallation(dialog, ItemText(dialog, IDC_INSTALL_SOURCE),
                                    ItemText(dialog, IDC_INSTALL_DESTINATION));
                    EndDialog(dialog, 0);
                    break;
                case IDC_INSTALL_CANCEL:
                    EndDialog(dialog, 0);
                    break;
                case IDC_INSTALL_CHANGE_SOURCE:
                    ChangePath(dialog, IDC_INSTALL_SOURCE);
                    break;
                case IDC_INSTALL_CHANGE_DESTINATION:
                    ChangePath(dialog, IDC_INSTALL_DESTINATION);
                    break;
            }
            return TRUE;
        case WM_CLOSE:
            EndDialog(dialog, 0);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void OpenInstallDialog(WindowRef owner, const std::string& setupDirectory) {
    App().SetupDirectory = FitField(setupDirectory, kTextWidth);
    if (DialogBoxParamA(GetModuleHandleA(nullptr), "DLG_install", static_cast<HWND>(owner), InstallProc, 0) ==
        -1)
        ShowError(owner, "Unable to open Install dialog!");
}
