#include "shell/main_dialog.h"

#include "install/install_dialog.h"
#include "platform/user_interface.h"
#include "platform/win32_handles.h"
#include "resources/resource_ids.h"
#include "setupfiles/language_table.h"
#include "shell/app_context.h"
#include "shell/controls.h"
#include "shell/intro_window.h"
#include "shell/language_texts.h"
#include "shell/message_boxes.h"
#include "shell/startup.h"
#include "shell/window_placement.h"

namespace {

constexpr int kTextCaption = 7;
constexpr int kTextInvalidOs = 200;

// Lives as long as the main dialog.
GdiObject g_titleFont;

void CreateTitleFont(HWND dialog) {
    WindowDC screen(nullptr);
    int height = -MulDiv(12, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
    g_titleFont.Reset(CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS,
                                  "MS Sans Serif"));
    if (!g_titleFont) {
        ShowError(dialog, "Unable to find font!");
        return;
    }
    SendDlgItemMessageA(dialog, IDC_MAIN_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(g_titleFont.Get()),
                        TRUE);
}

void EndMainDialog(HWND dialog) {
    EndDialog(dialog, 0);
    g_titleFont.Reset();
}

void OnInit(HWND dialog) {
    ShowWindow(dialog, SW_HIDE);
    ShowIntroWindow(dialog);
    App().MainWindow = dialog;
    if (!OperatingSystemMatches()) {
        ShowError(dialog, Text(kTextInvalidOs));
        EndMainDialog(dialog);
        return;
    }
    if (!CheckAdminRights(dialog)) {
        EndMainDialog(dialog);
        return;
    }
    CreateTitleFont(dialog);
    SetMainTexts(dialog, App().RunMode, true);
    CenterWindow(dialog);
}

void OnLanguageChanged(HWND dialog) {
    int selected = ComboBox(dialog, IDC_MAIN_LANGUAGE).Selected();
    if (selected == CB_ERR)
        return;
    App().LanguageIndex = selected;
    LoadLanguageTable();
    SetMainTexts(dialog, App().RunMode, false);
}

void OnCommand(HWND dialog, int id, int notification) {
    switch (id) {
        case IDC_MAIN_ACTION:
            // The configuration and removal flows open from here too.
            if (App().RunMode == kRunNormal)
                OpenInstallDialog(dialog, App().SetupDirectory);
            break;
        case IDC_MAIN_ABOUT:
            break;
        case IDC_MAIN_EXIT:
            EndMainDialog(dialog);
            break;
        case IDC_MAIN_LANGUAGE:
            if (notification == CBN_SELCHANGE)
                OnLanguageChanged(dialog);
            break;
    }
}

INT_PTR CALLBACK MainProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            OnInit(dialog);
            return TRUE;
        case WM_COMMAND:
            OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            EndMainDialog(dialog);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void SetMainTexts(HWND dialog, int mode, bool fill) {
    if (fill) {
        ComboBox languages(dialog, IDC_MAIN_LANGUAGE);
        languages.Reset();
        for (const LanguageEntry& entry : App().Languages.entries) languages.Add(entry.displayName);
        languages.Select(App().LanguageIndex);
    }
    SetCaptionText(dialog, kTextCaption);
    for (int id : {IDC_MAIN_EXIT, IDC_MAIN_ABOUT, IDC_MAIN_TITLE, IDC_MAIN_LANGUAGE_LABEL, IDC_MAIN_VERSION})
        SetItemText(dialog, id);
    int action = MainButtonTextId(mode);
    if (action >= 0)
        SetItemTextFrom(dialog, IDC_MAIN_ACTION, action);
}

INT_PTR RunMainDialog() {
    return DialogBoxParamA(GetModuleHandleA(nullptr), "DLG_main", nullptr, MainProc, 0);
}

namespace platform::ui {

void SetMainDialogMode(WindowRef mainWindow, int mode) {
    if (mainWindow)
        SetMainTexts(static_cast<HWND>(mainWindow), mode, false);
}

}  // namespace platform::ui
